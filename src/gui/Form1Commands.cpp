// SPDX-License-Identifier: GPL-3.0-or-later
// The commands of the main window: transfers and files, and the "Memories"
// and "PMS" menus. Each gathers what the window knows (selection, current
// cell), calls the core function and shows the result.
#include "ChannelTableModel.h"
#include "ChannelTableView.h"
#include "Form1.h"
#include "ProgressWindow.h"
#include "WritePreviewDialog.h"
#include "cat/CatLink.h"
#include "cat/QtSerialPortAdapter.h"
#include "cat/RadioReader.h"
#include "cat/RadioWriter.h"
#include "editing/SpreadsheetText.h"
#include "editing/TableEditing.h"
#include "files/MemoryFileOpener.h"
#include "files/MemoryFileSaver.h"
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

CatLink& Form1::link()
{
    if (!m_link) {
        m_port = std::make_unique<QtSerialPortAdapter>();
        // While the link waits for the radio the window keeps painting and
        // the progress window takes its stop click.
        m_link = std::make_unique<CatLink>(*m_port, m_log,
                                           [] { QCoreApplication::processEvents(QEventLoop::AllEvents); });
    }
    // The menus store their choices at once; each transfer takes them as they are now.
    LinkOptions::Overrides overrides;
    overrides.device = m_options.devicePath;
    m_link->setOptions(LinkOptions::fromSettings(*m_settings, overrides));
    return *m_link;
}

void Form1::closePort()
{
    if (m_link)
        m_link->closePort();
}

bool Form1::transferBlocked() const
{
    return m_state.busy() || m_exclusive;
}

void Form1::runExclusive(const std::function<void()>& command)
{
    if (transferBlocked())
        return;
    m_exclusive = true;
    updateActions();
    command();
    m_exclusive = false;
    updateActions();
}

void Form1::readRadio()
{
    // The link's set-up already yields to the event loop, before the reader
    // sets the busy state: a second click then must not start another read.
    runExclusive([this] {
        RadioReader reader(m_state, *m_prompter, m_log, link(), *m_progress);
        reader.run();
        LinkOptions::rememberAnsweredRate(*m_settings, reader.answeredRate());
    });
    if (m_state.holdsChannels() && !transferBlocked()) {
        selectCell(grdMemoriesL, 1, Column::kFreq);
        memoriesSelectionChanged();
    }
}

void Form1::writeRadio()
{
    if (!m_state.holdsChannels())
        return;
    runExclusive([this] {
        RadioWriter writer(m_state, *m_prompter, m_log, link(), *m_progress);
        writer.run();
        LinkOptions::rememberAnsweredRate(*m_settings, writer.answeredRate());
    });
}

void Form1::previewWrite()
{
    if (!m_state.holdsChannels())
        return;
    bool read = false;
    QVector<ChannelDifference> differences;
    int refused = 0;
    int unread = 0;
    runExclusive([&] {
        RadioWriter preview(m_state, *m_prompter, m_log, link(), *m_progress);
        preview.setDryRun(true);
        read = preview.run() == RadioWriter::Outcome::Completed;
        LinkOptions::rememberAnsweredRate(*m_settings, preview.answeredRate());
        differences = preview.differences();
        refused = preview.refusedCount();
        unread = preview.unreadCount();
    });
    if (!read)
        return;
    WritePreviewDialog dialog(differences, refused, unread, this);
    if (dialog.exec() == QDialog::Accepted)
        writeRadio();
}

void Form1::openMemoryFile()
{
    if (transferBlocked())
        return;
    MemoryFileOpener opener(m_state, *m_prompter, m_log, *m_settings);
    opener.setOfferPrevious(true);
    const MemoryFileOpener::Result result = opener.open();
    if (result == MemoryFileOpener::Result::Loaded || result == MemoryFileOpener::Result::DescriptionsLoaded)
        grdMemoriesL->setColumnWidth(Column::kDescription, Twips::toPixels(m_state.descriptionColumnWidth()));
    if (result == MemoryFileOpener::Result::Loaded) {
        selectCell(grdMemoriesL, 1, Column::kFreq);
        memoriesSelectionChanged();
    }
}

void Form1::saveMemoryFile()
{
    if (transferBlocked())
        return;
    MemoryFileSaver(m_state, *m_prompter, m_log, *m_settings).save(MemoryFileSaver::Kind::WriteDiskFile);
}

void Form1::saveFromMenu()
{
    if (transferBlocked())
        return;
    MemoryFileSaver(m_state, *m_prompter, m_log, *m_settings).save(MemoryFileSaver::Kind::Save);
}

void Form1::saveMemoryFileAs()
{
    if (transferBlocked())
        return;
    MemoryFileSaver(m_state, *m_prompter, m_log, *m_settings).save(MemoryFileSaver::Kind::SaveAs);
}

int Form1::currentRow() const
{
    const QModelIndex current = grdMemoriesL->currentIndex();
    return current.isValid() ? current.row() + 1 : 0;
}

QVector<bool> Form1::hiddenColumns() const
{
    QVector<bool> hidden(m_memoriesModel->columnCount(), false);
    for (int c = 0; c < hidden.size(); ++c)
        hidden[c] = grdMemoriesL->isColumnHidden(c);
    return hidden;
}

void Form1::undo(bool redo)
{
    const int row = currentRow();
    if ((redo ? TableEditing::redo(m_state) : TableEditing::undo(m_state)) && row > 0)
        selectCell(grdMemoriesL, row, Column::kFreq);
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

namespace {
// The local memory or CSV file a drag carries, or nothing.
QString droppedFile(const QMimeData* data)
{
    const QList<QUrl> urls = data ? data->urls() : QList<QUrl>();
    if (urls.size() != 1 || !urls.first().isLocalFile())
        return {};
    const QString path = urls.first().toLocalFile();
    for (const char* suffix : {".950", ".csv"}) {
        if (path.endsWith(QLatin1String(suffix), Qt::CaseInsensitive))
            return path;
    }
    return {};
}
} // namespace

void Form1::dragEnterEvent(QDragEnterEvent* event)
{
    if (!transferBlocked() && !droppedFile(event->mimeData()).isEmpty())
        event->acceptProposedAction();
}

void Form1::dropEvent(QDropEvent* event)
{
    const QString path = droppedFile(event->mimeData());
    if (path.isEmpty() || transferBlocked())
        return;
    event->acceptProposedAction();
    openDroppedFile(path);
}

void Form1::openDroppedFile(const QString& path)
{
    if (path.endsWith(QLatin1String(".csv"), Qt::CaseInsensitive)) {
        // The import needs channels to add to, as its button does.
        if (!m_state.holdsChannels())
            return;
        openImportExport();
        if (m_importExport)
            m_importExport->importFile(path);
        return;
    }
    // The opener takes a chosen file as it takes the start-up file, with the
    // unsaved-changes question first.
    m_state.setStartupFilePath(path);
    openMemoryFile();
    m_state.setStartupFilePath(QString());
}

void Form1::insertMemoryAbove()
{
    const int select =
        TableEditing::insertAbove(m_state, currentRow(), m_selection.normalized().firstRow, *m_prompter);
    if (select > 0)
        selectCell(grdMemoriesL, select, Column::kFreq);
}

void Form1::moveBlock(bool down)
{
    const MoveResult result =
        down ? TableEditing::moveDown(m_state, m_selection) : TableEditing::moveUp(m_state, m_selection);
    if (result.selection.firstRow < 1)
        return;
    selectRows(result.selection);
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
        selectCell(grdMemoriesL, s.firstRow, Column::kFreq);
}

void Form1::deleteMemory()
{
    const TableSelection s = m_selection.normalized();
    if (currentRow() < 1)
        return;
    if (TableEditing::deleteRows(m_state, s, *m_prompter))
        selectCell(grdMemoriesL, s.firstRow, Column::kFreq);
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
        selectCell(grdMemoriesL, 1, Column::kFreq);
}

void Form1::sortByHeading(int column)
{
    QAction* entry = column == Column::kFreq          ? mnuSortFreq
                     : column == Column::kDescription ? mnuSortDescription
                                                      : nullptr;
    if (!entry || !entry->isEnabled())
        return;
    selectRows({1, column, m_state.tables().memories.rowCount(), column});
    memoriesSelectionChanged();
    entry->trigger();
}

void Form1::findText(bool next)
{
    const FindResult found = next ? TableEditing::findNext(m_state, *m_prompter, hiddenColumns())
                                  : TableEditing::findText(m_state, *m_prompter, hiddenColumns());
    if (found.found) {
        showMemoriesPage();
        selectCell(grdMemoriesL, found.row, found.column);
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
