#pragma once

#include <QString>

class AppState;
class CatLink;
class MessageLog;
class ProgressReporter;
class Prompter;

// Writes the two tables into the radio, slot by slot, writing only the slots
// whose copy in the radio differs. Empty slots are never sent, so the write
// never clears a channel in the radio.
class RadioWriter {
public:
    enum class Outcome {
        NoLink,    // the port or the radio could not be reached
        Cancelled, // Cancel at the instructions
        Completed,
        Stopped,  // the user clicked the progress message
        LinkLost, // the port went away during the write
    };

    // The pause after each memory-write command, so the radio can store it.
    static constexpr int kWritePauseMs = 100;

    static const QString& writingMessage();

    RadioWriter(AppState& state, Prompter& prompter, MessageLog& log, CatLink& link,
                ProgressReporter& progress);

    Outcome run();

    // Slots left unwritten because the radio could not take their record.
    int refusedCount() const { return m_refused; }

private:
    AppState& m_state;
    Prompter& m_prompter;
    MessageLog& m_log;
    CatLink& m_link;
    ProgressReporter& m_progress;
    int m_refused = 0;
};
