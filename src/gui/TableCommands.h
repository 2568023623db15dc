// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "editing/TableEditing.h"

#include <QObject>
#include <QString>
#include <functional>

class AppState;
class ChannelTableView;
class MessageLog;
class Prompter;
class TablePage;

// The commands of the "Memories" and "PMS" menus on the two table pages:
// undo and redo, the clipboard (copy, cut, paste, from other programs too),
// insert, move, fill, remove, delete, compact, sort, find and the PMS pair.
// Each gathers what the page knows (selection, current cell), calls the core
// function and shows the result on the page.
class TableCommands : public QObject {
    Q_OBJECT
public:
    // selection: the memories' selection as last captured; blocked: whether a transfer runs.
    TableCommands(AppState& state, Prompter& prompter, MessageLog& log, TablePage& memories, TablePage& pms,
                  std::function<TableSelection()> selection, std::function<bool()> blocked,
                  QObject* parent = nullptr);

    // What a paste says when the clipboard gave no text.
    static QString clipboardUnreadText();
    // Whether another program's clipboard offers text, as its owner said when it took the clipboard.
    bool clipboardOffersText() const { return m_clipboardOffersText; }

    void undo(bool redo);
    void copyMemories(bool cut);
    // Learns from the formats the clipboard's owner offers (never its text)
    // whether another program put text there; Paste follows it.
    void clipboardChanged();
    // Shift+Insert: the clipboard's text into the current cell's editor.
    void pasteIntoCell(ChannelTableView* view);
    void pasteMemories();
    void insertMemoryAbove();
    void moveBlock(bool down);
    void fillSelectionDown();
    void removeMemory();
    void deleteMemory();
    void compact();
    void sortBy(bool frequency);
    void findText(bool next);
    void findDuplicates();
    void deletePmsPair();

signals:
    // The current cell moved by a command; the window captures the selection again.
    void selectionMoved();
    void memoriesPageWanted();
    void clipboardOffered();

private:
    // Reads the system clipboard's text for a paste. Empty, after saying so,
    // when there is none or its owner did not answer.
    QString clipboardTextForPaste();

    AppState& m_state;
    Prompter& m_prompter;
    MessageLog& m_log;
    TablePage& m_memories;
    TablePage& m_pms;
    std::function<TableSelection()> m_selection;
    std::function<bool()> m_blocked;
    QString m_copiedText; // what Copy or Cut last put on the system clipboard
    bool m_settingClipboard = false;
    bool m_clipboardOffersText = false;
};
