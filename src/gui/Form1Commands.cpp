// SPDX-License-Identifier: GPL-3.0-or-later
// The commands of the main window: transfers and files, and the "Memories"
// and "PMS" menus. Each gathers what the window knows (selection, current
// cell), calls the core function and shows the result.
#include "ChannelTableModel.h"
#include "ChannelTableView.h"
#include "FilePart.h"
#include "Form1.h"
#include "TablePage.h"
#include "TransferPart.h"
#include "editing/SpreadsheetText.h"
#include "editing/TableEditing.h"
#include "frmImportExport.h"
#include "state/GridLayout.h"
#include "state/Prompter.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QDropEvent>
#include <QHeaderView>
#include <QMimeData>
#include <QTabWidget>
#include <algorithm>

ProgressWindow* Form1::progressWindow() const
{
    return m_transfer->progress();
}

bool Form1::transferBlocked() const
{
    return m_transfer->blocked();
}

void Form1::runExclusive(const std::function<void()>& command)
{
    m_transfer->runExclusive(command);
}

void Form1::readRadio()
{
    m_transfer->read();
}

void Form1::writeRadio()
{
    m_transfer->write();
}

void Form1::previewWrite()
{
    m_transfer->preview();
}

void Form1::openMemoryFile()
{
    m_files->open();
}

void Form1::saveMemoryFile()
{
    m_files->save(MemoryFileSaver::Kind::WriteDiskFile);
}

void Form1::saveFromMenu()
{
    m_files->save(MemoryFileSaver::Kind::Save);
}

void Form1::saveMemoryFileAs()
{
    m_files->save(MemoryFileSaver::Kind::SaveAs);
}

int Form1::currentRow() const
{
    return m_memories->currentRow();
}

QVector<bool> Form1::hiddenColumns() const
{
    return m_memories->hiddenColumns();
}

void Form1::undo(bool redo)
{
    const int row = currentRow();
    if ((redo ? TableEditing::redo(m_state) : TableEditing::undo(m_state)) && row > 0)
        m_memories->selectCell(row, Column::kFreq);
    memoriesSelectionChanged();
}

void Form1::copyMemories(bool cut)
{
    const TableSelection s = m_selection.normalized();
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

QString Form1::clipboardUnreadText()
{
    return QStringLiteral("Nothing was pasted: the clipboard holds no text, or the program that put it "
                          "there did not answer.");
}

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

void Form1::clipboardChanged()
{
    // Only the formats the owner offers are asked for, once per change: its
    // text is read when the user pastes, and never while the window updates.
    const QClipboard* clipboard = QGuiApplication::clipboard();
    if (m_settingClipboard || clipboard->ownsClipboard()) {
        m_clipboardOffersText = false;
    } else {
        m_clipboardOffersText = offersText(clipboard->mimeData());
    }
    updateActions();
}

QString Form1::clipboardTextForPaste()
{
    // An owner that does not answer is given up after the toolkit's time
    // limit, once: the text is asked for only when text was offered.
    const QMimeData* offered = QGuiApplication::clipboard()->mimeData();
    const QString text = offersText(offered) ? offered->text() : QString();
    if (text.isEmpty())
        m_prompter->inform(clipboardUnreadText(), Prompter::Icon::Information);
    return text;
}

void Form1::pasteIntoCell(ChannelTableView* view)
{
    if (transferBlocked())
        return;
    const QString text = clipboardTextForPaste();
    if (!text.isEmpty())
        view->pasteIntoCurrentCell(text);
}

void Form1::pasteMemories()
{
    // Rows copied here are pasted from the table unless another program has
    // offered text since; the clipboard is read only for that text.
    if (!m_clipboardOffersText) {
        TableEditing::paste(m_state, currentRow());
        return;
    }
    const QString text = clipboardTextForPaste();
    if (text.isEmpty())
        return;
    if (text == m_copiedText) {
        TableEditing::paste(m_state, currentRow());
        return;
    }
    const QModelIndex current = grdMemoriesL->currentIndex();
    SpreadsheetText::paste(m_state, currentRow(), current.isValid() ? current.column() : int(Column::kFreq),
                           text, m_log);
}

void Form1::dragEnterEvent(QDragEnterEvent* event)
{
    if (!transferBlocked() && !FilePart::droppedFile(event->mimeData()).isEmpty())
        event->acceptProposedAction();
}

void Form1::dropEvent(QDropEvent* event)
{
    const QString path = FilePart::droppedFile(event->mimeData());
    if (path.isEmpty() || transferBlocked())
        return;
    event->acceptProposedAction();
    m_files->openDropped(path);
}

void Form1::insertMemoryAbove()
{
    const int select =
        TableEditing::insertAbove(m_state, currentRow(), m_selection.normalized().firstRow, *m_prompter);
    if (select > 0)
        m_memories->selectCell(select, Column::kFreq);
}

void Form1::moveBlock(bool down)
{
    const MoveResult result =
        down ? TableEditing::moveDown(m_state, m_selection) : TableEditing::moveUp(m_state, m_selection);
    if (result.selection.firstRow < 1)
        return;
    m_memories->selectRows(result.selection);
    if (result.scrollRow > 0)
        grdMemoriesL->scrollTo(m_memoriesModel->cell(result.scrollRow, Column::kFreq));
}

void Form1::fillSelectionDown()
{
    TableEditing::fillDown(m_state, m_selection);
}

void Form1::removeMemory()
{
    const TableSelection s = m_selection.normalized();
    if (currentRow() < 1)
        return;
    if (TableEditing::removeRows(m_state, s, *m_prompter))
        m_memories->selectCell(s.firstRow, Column::kFreq);
}

void Form1::deleteMemory()
{
    const TableSelection s = m_selection.normalized();
    if (currentRow() < 1)
        return;
    if (TableEditing::deleteRows(m_state, s, *m_prompter))
        m_memories->selectCell(s.firstRow, Column::kFreq);
}

void Form1::compact()
{
    TableEditing::compact(m_state);
}

void Form1::sortBy(bool frequency)
{
    const bool sorted = frequency ? TableEditing::sortByFrequency(m_state, m_selection)
                                  : TableEditing::sortByDescription(m_state, m_selection);
    if (sorted)
        m_memories->selectCell(1, Column::kFreq);
}

void Form1::sortByHeading(int column)
{
    QAction* entry = column == Column::kFreq          ? mnuSortFreq
                     : column == Column::kDescription ? mnuSortDescription
                                                      : nullptr;
    if (!entry || !entry->isEnabled())
        return;
    m_memories->selectRows({1, column, m_state.tables().memories.rowCount(), column});
    memoriesSelectionChanged();
    entry->trigger();
}

void Form1::findText(bool next)
{
    const FindResult found = next ? TableEditing::findNext(m_state, *m_prompter, hiddenColumns())
                                  : TableEditing::findText(m_state, *m_prompter, hiddenColumns());
    if (found.found) {
        showMemoriesPage();
        m_memories->selectCell(found.row, found.column);
    }
}

void Form1::findDuplicates()
{
    TableEditing::listDuplicates(m_state, m_log, [] { QCoreApplication::processEvents(); });
}

void Form1::deletePmsPair()
{
    const QModelIndex current = grdMemoriesPMS->currentIndex();
    if (!current.isValid())
        return;
    TableEditing::deletePmsPair(m_state, current.row() + 1, *m_prompter);
}
