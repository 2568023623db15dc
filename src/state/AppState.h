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

    ChannelTables tables;
    RuleSet rules;
    UndoHistory history;
    MemoryClipboard clipboard;
    FindPosition find;

    int dataSource = Nothing;
    bool changed = false;
    bool busy = false;
    bool readPresent = false;
    bool filePresent = false;
    bool initialising = false;
    bool undoInProgress = false;

    QString currentFilePath;
    QString startupFilePath;
    QString dataFolder;
    bool askBeforeReplace = false;
    bool saveSucceeded = false;
    // A write reads each channel it sent back from the radio (the VerifyWrites setting).
    bool verifyWrites = true;
    // Width of the memories table's description column, in twips.
    int descriptionColumnWidth = 3450;

    // The value most recently accepted by the frequency check.
    qint32 currentFrequency = 0;

    // Tables hold channels from a read or a load.
    bool holdsChannels() const { return dataSource != Nothing; }

    // Sequence positions (1..118) the last read did not get from the radio:
    // it stopped before them or the radio did not answer. Their rows are empty
    // but say nothing of what the radio holds there. Cleared by anything that
    // puts other channels into the tables.
    QVector<bool> unreadPositions;
    bool isUnread(int position) const
    {
        return position >= 1 && position <= unreadPositions.size() && unreadPositions.at(position - 1);
    }
    int unreadCount() const { return int(unreadPositions.count(true)); }

    // Sets the changed flag and tells the window.
    void setChanged(bool on);
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
    // Status bar panel 1 (the file panel) and panel 3 (the running channel
    // counter during a transfer, the lowest selected row otherwise).
    void setFilePanel(const QString& text);
    QString filePanel() const { return m_filePanel; }
    void setChannelPanel(const QString& text) { emit channelPanelChanged(text); }
    // The "Hide empty memories" check mark; applying it is a view matter.
    void setHideEmpty(bool on);
    bool hideEmpty() const { return m_hideEmpty; }
    void applyHideSetting() { emit hideSettingChanged(m_hideEmpty); }
    // Empties the memory clipboard (loading a file does).
    void clearClipboard();
    // Asks the window to bring the memories page to the front.
    void showMemoriesPage() { emit memoriesPageRequested(); }

signals:
    void memoryStatusChanged();
    void undoChanged();
    void busyChanged(bool busy);
    void filePanelChanged(const QString& text);
    void channelPanelChanged(const QString& text);
    void hideSettingChanged(bool hide);
    void clipboardChanged();
    void memoriesPageRequested();

private:
    void setTableRows(const UndoHistory::Tables& rows);

    QString m_filePanel;
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
