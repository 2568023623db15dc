// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

class AppState;
class MessageLog;
class Prompter;
class Settings;

// Opens a memory file: the one named in the request, else the file the user
// picks. A ".950dsc" file only brings in descriptions; a ".950" file
// replaces both tables and then loads its description file.
class MemoryFileOpener {
public:
    enum class Result {
        Loaded,             // channels (and descriptions) loaded
        DescriptionsLoaded, // only a description file was chosen
        Declined,           // unsaved changes and the user said No
        Cancelled,          // no file chosen
        Missing,            // the file does not exist
        Unreadable,         // the file exists but could not be read; nothing changed
    };

    struct Request {
        // The file to open without the open dialog; empty: the user picks one.
        QString path;
        // The path is the start-up file: when it is gone it is dropped
        // without a word, where a chosen file that is missing is reported.
        bool quietWhenMissing = false;
        // Whether a load after an interrupted save asks to open the pair that
        // save kept. The window asks; the command line, whose --yes answers
        // every question, only tells and names that pair, so a run never
        // loads another file than the one it was given.
        bool offerPrevious = false;
    };

    struct Opened {
        Result result = Result::Cancelled;
        // The memory file whose channels were loaded (full path), and its
        // name as found on disk, which the window's file panel shows.
        QString path;
        QString fileName;
        // Lines of the file that were skipped as unreadable.
        int skippedLines = 0;
        // The description file beside it could not be read and was left out.
        bool descriptionsRefused = false;
        bool loaded() const { return result == Result::Loaded || result == Result::DescriptionsLoaded; }
    };

    MemoryFileOpener(AppState& state, Prompter& prompter, MessageLog& log, Settings& settings);

    // Without a request: the user picks the file.
    Opened open();
    Opened open(const Request& request);

    static QString doesNotExistText(const QString& path);
    static QString unsavedChangesText();

private:
    Result run(const Request& request, Opened& opened);
    // Says why the description file of path was refused; nothing when why is empty.
    void reportRefusedDescriptions(const QString& path, const QString& why, Opened& opened);

    AppState& m_state;
    Prompter& m_prompter;
    MessageLog& m_log;
    Settings& m_settings;
};
