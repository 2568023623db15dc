// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

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

    // "Read Disk File", File > "&Open" and the start-up file.
    void open();
    // A chosen file, taken as the start-up file is: the unsaved-changes question first.
    void openPath(const QString& path);
    void save(MemoryFileSaver::Kind kind);
    // File > "Recent files", filled each time it opens, so a file removed since is never offered.
    void fillRecentFiles(QMenu* menu);
    void openRecent(const QString& path);
    // The local memory or CSV file a drag carries, or nothing.
    static QString droppedFile(const QMimeData* data);
    void openDropped(const QString& path);

signals:
    // A file was loaded: channels too, or only descriptions.
    void opened(bool channels);
    // A CSV file was dropped while the tables hold channels to add to.
    void csvDropped(const QString& path);

private:
    void remember();

    AppState& m_state;
    Prompter& m_prompter;
    MessageLog& m_log;
    Settings& m_settings;
    std::function<bool()> m_blocked;
};
