// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "files/MemoryFileOpener.h"
#include "files/MemoryFileSaver.h"

#include <QObject>
#include <functional>

class AppState;
class MessageLog;
class Prompter;
class QMenu;
class QMimeData;
class Settings;

// The main window's memory files: open, save, save as, "Recent files" and a
// file dropped on the window. A file opened or saved joins "Recent files"
// then, and only then.
class FilePart : public QObject {
    Q_OBJECT
public:
    // blocked says whether a transfer or an import runs, when nothing may start.
    FilePart(AppState& state, Prompter& prompter, MessageLog& log, Settings& settings,
             std::function<bool()> blocked, QObject* parent = nullptr);

    // "Read Disk File" and File > "&Open".
    void open();
    // The start-up file, or a chosen file taken as it is: the unsaved-changes
    // question first; one that is gone is dropped without a word.
    void openPath(const QString& path);
    // True when the tables were saved whole.
    bool save(MemoryFileSaver::Kind kind);
    // After a read that did not get every slot, a save goes beside the name
    // chosen; the user is told where (by the files' names).
    static QString partialReadText(const QString& savedPath, const QString& chosenPath);
    static QString noPartialNameText(const QString& chosenPath);
    // File > "Recent files", filled each time it opens, so a file removed since is never offered.
    void fillRecentFiles(QMenu* menu);
    void openRecent(const QString& path);
    // The local memory or CSV file a drag carries, or nothing.
    static QString droppedFile(const QMimeData* data);
    void openDropped(const QString& path);

signals:
    // A file was loaded: channels too, or only descriptions.
    void opened(bool channels);
    // The tables are the memory file of this name now (loaded or saved).
    void fileShown(const QString& fileName);
    // An open starts with the memories page in front.
    void memoriesPageWanted();
    // A CSV file was dropped while the tables hold channels to add to.
    void csvDropped(const QString& path);

private:
    void open(const MemoryFileOpener::Request& request);
    void remember();

    AppState& m_state;
    Prompter& m_prompter;
    MessageLog& m_log;
    Settings& m_settings;
    std::function<bool()> m_blocked;
    // Saving over an existing file asks first: set by Save As, cleared by
    // Save and once asked; "Write Disk File" leaves it as it is.
    bool m_askBeforeReplace = false;
};
