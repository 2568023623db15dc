// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

class AppState;
class MessageLog;
class Prompter;
class Settings;

// Opens a memory file: the start-up file when one is set, else the file the
// user picks. A ".950dsc" file only brings in descriptions; a ".950" file
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

    MemoryFileOpener(AppState& state, Prompter& prompter, MessageLog& log, Settings& settings);

    Result open();

    // Whether a load after an interrupted save asks to open the pair that
    // save kept. The window asks; the command line, whose --yes answers
    // every question, only tells and names that pair, so a run never loads
    // another file than the one it was given.
    void setOfferPrevious(bool offer) { m_offerPrevious = offer; }

    // Lines of the last loaded file that were skipped as unreadable.
    int skippedLines() const { return m_skipped; }
    // The description file beside it could not be read and was left out.
    bool descriptionsRefused() const { return m_descriptionsRefused; }

    static QString doesNotExistText(const QString& path);
    static QString unsavedChangesText();

private:
    Result run();
    // Says why the description file of path was refused; nothing when why is empty.
    void reportRefusedDescriptions(const QString& path, const QString& why);

    AppState& m_state;
    Prompter& m_prompter;
    MessageLog& m_log;
    Settings& m_settings;
    int m_skipped = 0;
    bool m_descriptionsRefused = false;
    bool m_offerPrevious = false;
};
