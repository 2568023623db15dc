// SPDX-License-Identifier: GPL-3.0-or-later
// The commands of the main window: transfers and files, and the "Memories"
// and "PMS" menus. Each gathers what the window knows (selection, current
// cell), calls the core function and shows the result.
#include "ChannelTableModel.h"
#include "ChannelTableView.h"
#include "FilePart.h"
#include "Form1.h"
#include "PrintCommands.h"
#include "TableCommands.h"
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
#include <QLabel>
#include <QMimeData>
#include <QTabWidget>
#include <QTimer>
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

void Form1::deferredOpen()
{
    Timer1->stop();
    if (m_deferredOpenDone)
        return;
    m_deferredOpenDone = true;
    // The start-up file is opened once, whatever comes of it.
    const QString path = m_startupFile;
    m_startupFile.clear();
    if (path.isEmpty())
        openMemoryFile();
    else
        m_files->openPath(path);
}

void Form1::showFilePanel(const QString& text)
{
    m_panels[0]->setText(text);
    m_print->setFilePanel(text);
    // A table reset blanks the radio-type label along with the file panel.
    if (text.isEmpty())
        lblRigType->clear();
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

QString Form1::clipboardUnreadText()
{
    return TableCommands::clipboardUnreadText();
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
