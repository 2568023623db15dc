// SPDX-License-Identifier: GPL-3.0-or-later
#include "TableCommands.h"

#include "ChannelTableModel.h"
#include "ChannelTableView.h"
#include "TablePage.h"
#include "editing/SpreadsheetText.h"
#include "editing/TableEditing.h"
#include "state/AppState.h"
#include "state/MessageLog.h"
#include "state/Prompter.h"

#include <QClipboard>
#include <QCoreApplication>
#include <QGuiApplication>
#include <QMimeData>
#include <algorithm>

namespace {
// Whether clipboard data offers plain text, from its list of formats alone.
// (QMimeData::hasText asks for that list twice; a hung owner answers neither
// request, and each waits out the toolkit's time limit.)
bool offersText(const QMimeData* data)
{
    if (!data)
        return false;
    const QStringList formats = data->formats();
    return std::any_of(formats.cbegin(), formats.cend(),
                       [](const QString& format) { return format.startsWith(QLatin1String("text/plain")); });
}
} // namespace

TableCommands::TableCommands(AppState& state, Prompter& prompter, MessageLog& log, TablePage& memories,
                             TablePage& pms, std::function<TableSelection()> selection,
                             std::function<bool()> blocked, QObject* parent)
    : QObject(parent), m_state(state), m_prompter(prompter), m_log(log), m_memories(memories), m_pms(pms),
      m_selection(std::move(selection)), m_blocked(std::move(blocked))
{
}

void TableCommands::undo(bool redo)
{
    const int row = m_memories.currentRow();
    if ((redo ? TableEditing::redo(m_state) : TableEditing::undo(m_state)) && row > 0)
        m_memories.selectCell(row, Column::kFreq);
    emit selectionMoved();
}

void TableCommands::copyMemories(bool cut)
{
    const TableSelection s = m_selection().normalized();
    if (!s.coversRows(m_state.tables().memories.rowCount()))
        return;
    QClipboard* clipboard = QGuiApplication::clipboard();
    m_copiedText = SpreadsheetText::fromSelection(m_state.tables().memories, s);
    m_settingClipboard = true;
    clipboard->clear();
    clipboard->setText(m_copiedText);
    m_settingClipboard = false;
    m_clipboardOffersText = false;
    TableEditing::copyRows(m_state, s, cut);
}

void TableCommands::clipboardChanged()
{
    // Only the formats the owner offers are asked for, once per change: its
    // text is read when the user pastes, and never while the window updates.
    const QClipboard* clipboard = QGuiApplication::clipboard();
    if (m_settingClipboard || clipboard->ownsClipboard()) {
        m_clipboardOffersText = false;
    } else {
        m_clipboardOffersText = offersText(clipboard->mimeData());
    }
    emit clipboardOffered();
}

QString TableCommands::clipboardTextForPaste()
{
    // An owner that does not answer is given up after the toolkit's time
    // limit, once: the text is asked for only when text was offered.
    const QMimeData* offered = QGuiApplication::clipboard()->mimeData();
    const QString text = offersText(offered) ? offered->text() : QString();
    if (text.isEmpty())
        m_prompter.inform(clipboardUnreadText(), Prompter::Icon::Information);
    return text;
}

void TableCommands::pasteIntoCell(ChannelTableView* view)
{
    if (m_blocked())
        return;
    const QString text = clipboardTextForPaste();
    if (!text.isEmpty())
        view->pasteIntoCurrentCell(text);
}

void TableCommands::pasteMemories()
{
    // Rows copied here are pasted from the table unless another program has
    // offered text since; the clipboard is read only for that text.
    if (!m_clipboardOffersText) {
        TableEditing::paste(m_state, m_memories.currentRow());
        return;
    }
    const QString text = clipboardTextForPaste();
    if (text.isEmpty())
        return;
    if (text == m_copiedText) {
        TableEditing::paste(m_state, m_memories.currentRow());
        return;
    }
    const QModelIndex current = m_memories.view()->currentIndex();
    SpreadsheetText::paste(m_state, m_memories.currentRow(),
                           current.isValid() ? current.column() : int(Column::kFreq), text, m_log);
}

void TableCommands::insertMemoryAbove()
{
    const int select = TableEditing::insertAbove(m_state, m_memories.currentRow(),
                                                 m_selection().normalized().firstRow, m_prompter);
    if (select > 0) {
        emit memoriesPageWanted();
        m_memories.selectCell(select, Column::kFreq);
    }
}

void TableCommands::moveBlock(bool down)
{
    const MoveResult result =
        down ? TableEditing::moveDown(m_state, m_selection()) : TableEditing::moveUp(m_state, m_selection());
    if (result.selection.firstRow < 1)
        return;
    m_memories.selectRows(result.selection);
    if (result.scrollRow > 0)
        m_memories.view()->scrollTo(m_memories.model()->cell(result.scrollRow, Column::kFreq));
}

void TableCommands::fillSelectionDown()
{
    TableEditing::fillDown(m_state, m_selection());
}

void TableCommands::removeMemory()
{
    const TableSelection s = m_selection().normalized();
    if (m_memories.currentRow() < 1)
        return;
    if (TableEditing::removeRows(m_state, s, m_prompter))
        m_memories.selectCell(s.firstRow, Column::kFreq);
}

void TableCommands::deleteMemory()
{
    const TableSelection s = m_selection().normalized();
    if (m_memories.currentRow() < 1)
        return;
    if (TableEditing::deleteRows(m_state, s, m_prompter))
        m_memories.selectCell(s.firstRow, Column::kFreq);
}

void TableCommands::compact()
{
    TableEditing::compact(m_state);
}

void TableCommands::sortBy(bool frequency)
{
    const bool sorted = frequency ? TableEditing::sortByFrequency(m_state, m_selection())
                                  : TableEditing::sortByDescription(m_state, m_selection());
    if (sorted)
        m_memories.selectCell(1, Column::kFreq);
}

void TableCommands::findText(bool next)
{
    const FindResult found = next ? TableEditing::findNext(m_state, m_prompter, m_memories.hiddenColumns())
                                  : TableEditing::findText(m_state, m_prompter, m_memories.hiddenColumns());
    if (found.found) {
        emit memoriesPageWanted();
        m_memories.selectCell(found.row, found.column);
    }
}

void TableCommands::findDuplicates()
{
    TableEditing::listDuplicates(m_state, m_log, [] { QCoreApplication::processEvents(); });
}

void TableCommands::deletePmsPair()
{
    const QModelIndex current = m_pms.view()->currentIndex();
    if (!current.isValid())
        return;
    TableEditing::deletePmsPair(m_state, current.row() + 1, m_prompter);
}

QString TableCommands::clipboardUnreadText()
{
    return QStringLiteral("Nothing was pasted: the clipboard holds no text, or the program that put it "
                          "there did not answer.");
}
