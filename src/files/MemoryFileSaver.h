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
//
// Tables that hold a read of the radio that did not get every slot are never
// saved under the name chosen, so that file (maybe the last complete read)
// stays as it is: they go to the first free "NAME (partial read).950",
// "NAME (partial read 2).950", ... beside it. Once saved, that file is theirs
// and a save onto it replaces it as any other.
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
        NoPartialName,   // an incomplete read, and every partial name beside the chosen one is taken
    };

    struct Request {
        Kind kind = Kind::WriteDiskFile;
        // Saving over an existing file asks first (Save As sets it, Save
        // clears it; the answer the flag had after the save is returned).
        bool askBeforeReplace = false;
        // The name to save under without the save dialog; empty: the user
        // chooses. A failed save asks for another name either way.
        QString path;
    };

    struct Saved {
        Result result = Result::Cancelled;
        // The memory file written, as named (".950" added), and its name
        // without the folder, which the window's file panel shows.
        QString path;
        QString fileName;
        // The name chosen, when the tables held an incomplete read and went
        // to path instead.
        QString partialOf;
        // The ask-before-replace flag after the save: asking clears it.
        bool askBeforeReplace = false;
        // Labels of the channels the save had to leave out.
        QStringList refused;
        bool written() const { return result == Result::Saved || result == Result::SavedIncomplete; }
    };

    MemoryFileSaver(AppState& state, Prompter& prompter, MessageLog& log, Settings& settings);

    // Without a request: "Write Disk File", the name chosen in the dialog.
    Saved save();
    Saved save(const Request& request);

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
    // Where an incomplete read went instead of the name chosen (which is
    // named too when it exists), each as the front end names files; the
    // command line prints it as it stands.
    static QString partialReadText(const QString& saved, const QString& chosen, bool chosenExists);
    // No name beside the chosen one is free for an incomplete read.
    static QString noPartialNameText(const QString& chosenPath);

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
    Result run(const Request& request, Saved& saved);
    bool writePair(const QString& path, Failure& failure);
    bool writeLocked(const QString& path, Failure& failure);
    bool writeFile(const QStringList& lines, int createLocation, SafeFileWriter& file, Failure& failure);

    AppState& m_state;
    Prompter& m_prompter;
    MessageLog& m_log;
    Settings& m_settings;
    QStringList m_refused;
    bool m_askBeforeReplace = false;
    // The name the save dialog offers next.
    QString m_preset;
    QStringList m_memoryLines;
    bool m_composed = false;
};
