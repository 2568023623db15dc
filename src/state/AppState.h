// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "model/ChannelTables.h"
#include "model/UndoHistory.h"
#include "rules/RuleSet.h"

#include <QObject>
#include <QString>

// Rows copied or cut by the memories menu; paste reads their contents at paste time.
struct MemoryClipboard {
    int first = 0;
    int last = 0;
    bool cut = false;
    bool hasRows() const { return first >= 1 && last >= first; }
    void clear() { *this = MemoryClipboard(); }
};

// Where the last Find text matched (0, 0 when none) and what was searched for.
struct FindPosition {
    int row = 0;
    int column = 0;
    QString text;
};

// The program's state, owned by the main window (or a command-line run) and
// handed to the procedures that need it. No globals.
class AppState : public QObject {
    Q_OBJECT
public:
    enum DataSource { Nothing = 0, Radio = 1, File = 2 };

    explicit AppState(QObject* parent = nullptr);

    // The tables and the rule set are handed out for change: their own API
    // does the editing, and the undo steps below see what it did.
    ChannelTables& tables() { return m_tables; }
    const ChannelTables& tables() const { return m_tables; }
    RuleSet& rules() { return m_rules; }
    const RuleSet& rules() const { return m_rules; }
    // Moved only by the steps below, setChanged and setDataSource.
    const UndoHistory& history() const { return m_history; }
    const MemoryClipboard& clipboard() const { return m_clipboard; }
    void setClipboard(const MemoryClipboard& clipboard);
    const FindPosition& find() const { return m_find; }
    void setFind(const FindPosition& find) { m_find = find; }

    int dataSource() const { return m_dataSource; }
    bool changed() const { return m_changed; }
    bool busy() const { return m_busy; }
    bool readPresent() const { return m_readPresent; }
    void setReadPresent(bool on) { m_readPresent = on; }
    bool filePresent() const { return m_filePresent; }
    void setFilePresent(bool on) { m_filePresent = on; }
    bool initialising() const { return m_initialising; }
    void setInitialising(bool on) { m_initialising = on; }
    bool undoInProgress() const { return m_undoInProgress; }
    void setUndoInProgress(bool on) { m_undoInProgress = on; }

    // The window's title shows the current file's name; a load, a save and a
    // read each end by telling the window (setChanged, setDataSource, setBusy),
    // so a name taken back in between is never shown or added to the recent files.
    QString currentFilePath() const { return m_currentFilePath; }
    void setCurrentFilePath(const QString& path) { m_currentFilePath = path; }
    QString dataFolder() const { return m_dataFolder; }
    void setDataFolder(const QString& folder) { m_dataFolder = folder; }
    // Width of the memories table's description column, in twips: data, not
    // view, since the description file and the radio backup store it. The
    // window records the width it shows and applies a loaded one after an open.
    int descriptionColumnWidth() const { return m_descriptionColumnWidth; }
    void setDescriptionColumnWidth(int twips) { m_descriptionColumnWidth = twips; }

    // Tables hold channels from a read or a load.
    bool holdsChannels() const { return m_dataSource != Nothing; }

    // Sequence positions (1..118) the last read did not get from the radio:
    // it stopped before them or the radio did not answer. Their rows are empty
    // but say nothing of what the radio holds there. Cleared by anything that
    // puts other channels into the tables. The window tints their rows.
    const QVector<bool>& unreadPositions() const { return m_unreadPositions; }
    void setUnreadPositions(const QVector<bool>& unread);
    bool isUnread(int position) const
    {
        return position >= 1 && position <= m_unreadPositions.size() && m_unreadPositions.at(position - 1);
    }
    int unreadCount() const { return int(m_unreadPositions.count(true)); }

    // Sets the changed flag and tells the window.
    void setChanged(bool on);
    // Puts the flag back as it was before an edit that changed nothing: the
    // saved position in the history stays where it is.
    void restoreChanged(bool on);
    void setDataSource(int source);
    // Undo steps: beginStep notes both tables as they are now under the
    // step's name; endStep records the step when the tables differ. Steps
    // nest (a paste commits each cell as typing does); only the outermost
    // one is recorded. Use UndoStep rather than calling these in pairs.
    void beginStep(const QString& name);
    void endStep();
    // Walks one step back or forward through the history, setting the
    // changed flag by whether the tables are back at the saved position.
    bool undoStep();
    bool redoStep();
    UndoHistory::Tables tableRows() const;

    // Asks the window to refresh tints, enabling and the changed panel.
    void ShowMemoryStatus() { emit memoryStatusChanged(); }

    // The busy state: the five main buttons are disabled while it is on.
    void setBusy(bool on);
    // The "Hide empty memories" check mark; applying it is a view matter.
    void setHideEmpty(bool on);
    bool hideEmpty() const { return m_hideEmpty; }
    void applyHideSetting() { emit hideSettingChanged(m_hideEmpty); }
    // Empties the memory clipboard (loading a file does).
    void clearClipboard();

signals:
    void memoryStatusChanged();
    // Finer than memoryStatusChanged, for what follows only these.
    void dataSourceChanged();
    void changedFlagChanged();
    void undoChanged();
    void busyChanged(bool busy);
    void hideSettingChanged(bool hide);
    void clipboardChanged();

private:
    // Puts each row of a step back as it was before (or after) the step.
    void putBack(const QVector<UndoHistory::RowChange>& rows, bool after);

    ChannelTables m_tables;
    RuleSet m_rules;
    UndoHistory m_history;
    MemoryClipboard m_clipboard;
    FindPosition m_find;

    int m_dataSource = Nothing;
    bool m_changed = false;
    bool m_busy = false;
    bool m_readPresent = false;
    bool m_filePresent = false;
    bool m_initialising = false;
    bool m_undoInProgress = false;
    QString m_currentFilePath;
    QString m_dataFolder;
    int m_descriptionColumnWidth = 3450;
    QVector<bool> m_unreadPositions;

    QString m_stepName;
    UndoHistory::Tables m_stepBefore;
    int m_stepDepth = 0;
    bool m_hideEmpty = false;
};

// One undo step for the lifetime of this object: every change to the tables
// in between is undone and redone as one, under the given name.
class UndoStep {
public:
    UndoStep(AppState& state, const QString& name) : m_state(state) { m_state.beginStep(name); }
    ~UndoStep() { m_state.endStep(); }
    UndoStep(const UndoStep&) = delete;
    UndoStep& operator=(const UndoStep&) = delete;

private:
    AppState& m_state;
};
