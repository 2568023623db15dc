// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QStringList>

class AppState;
class MessageLog;
class Prompter;
class SafeFileWriter;
class Settings;

// Saves the tables as a memory file and its description file, asking for
// the name until a save succeeds or the user cancels. Each file is written
// beside its target and replaces it only once written in full; when the
// description file fails after the memory file was replaced, the old memory
// file is put back, so a failed save leaves the previous pair exactly as it
// was. A save killed between the two leaves a marker (InterruptedSave).
class MemoryFileSaver {
public:
    // How the save was started: the "Write Disk File" button keeps the
    // ask-before-replace flag, Save clears it, Save As forgets the current
    // name and sets it.
    enum class Kind { WriteDiskFile, Save, SaveAs };
    enum class Result {
        Saved,
        SavedIncomplete, // written, but some channels could not be written
        NothingToSave,   // nothing loaded or read
        Cancelled,       // no name chosen
        Declined,        // No to the replace question
    };

    MemoryFileSaver(AppState& state, Prompter& prompter, MessageLog& log, Settings& settings);

    Result save(Kind kind = Kind::WriteDiskFile);

    // Labels of the channels the last save had to leave out.
    QStringList refusedChannels() const { return m_refused; }

    // The lock file held beside the pair while it is written, and how long
    // a second writer waits for it.
    static QString lockPath(const QString& path);
    static constexpr int kLockWaitMs = 2500;
    static QString lockedText(const QString& path);
    // Something other than a lock file stands at the lock's path.
    static QString notALockText(const QString& lockPath, const QString& why);

    static QString readOnlyText(const QString& fileName);
    static QString replaceText(const QString& fileName);
    static QString errorText(int number, const QString& description, int location);
    static QString refusedText(const QStringList& labels);

    // Where a save failed, shown after "in line" in the error message.
    enum Location {
        CreateMemoryFile = 1,
        WriteMemoryFile = 2,
        CreateDescriptionFile = 3,
        WriteDescriptionFile = 4,
        ReplaceMemoryFile = 5,
        ReplaceDescriptionFile = 6,
        LockPair = 7,
        KeepPreviousPair = 8,
    };

private:
    struct Failure {
        int number = 0;
        QString description;
        int location = 0;
    };
    Result run();
    bool writePair(const QString& path, Failure& failure);
    bool writeLocked(const QString& path, Failure& failure);
    bool writeFile(const QStringList& lines, int createLocation, SafeFileWriter& file, Failure& failure);

    AppState& m_state;
    Prompter& m_prompter;
    MessageLog& m_log;
    Settings& m_settings;
    QStringList m_refused;
    // The name the save dialog offers next.
    QString m_preset;
    QStringList m_memoryLines;
    bool m_composed = false;
};
