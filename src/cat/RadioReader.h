// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "model/ChannelMap.h"

#include <QString>

class AppState;
class CatLink;
class MessageLog;
class ProgressReporter;
class Prompter;

// Reads all 118 channel slots of the radio into the two tables.
class RadioReader {
public:
    enum class Outcome {
        Declined,  // unsaved changes and the user said No
        NoLink,    // the port or the radio could not be reached
        Cancelled, // Cancel at the instructions
        Completed,
        Stopped,           // the user clicked the progress message (or closed the window)
        StoppedBeforeRead, // a stop during the link set-up or at the instructions; nothing was read
        Failed,            // a reply could not be decoded
        LinkLost,          // the port went away during the read
        NoAnswer,          // the radio answered none of the queries; nothing was read
    };

    static const QString& readingMessage();
    // The log's notice of a read stopped during the link set-up or at the
    // instructions: the tables were not touched.
    static const QString& stoppedBeforeReadText();

    // What a read did.
    struct Result {
        Outcome outcome = Outcome::Declined;
        // Slots the radio did not answer for; each is named in the log and
        // shown as "Not read".
        int unanswered = 0;
        // The last sequence position queried (118 after a whole read).
        int lastQueried = 0;
        // The line settings the radio last answered at (empty: it answered
        // at none); the caller keeps it for the next rate search.
        QString answeredRate;
        // The read got every slot from the radio.
        bool complete() const { return lastQueried == ChannelMap::kSlotCount && unanswered == 0; }
    };

    RadioReader(AppState& state, Prompter& prompter, MessageLog& log, CatLink& link,
                ProgressReporter& progress);

    Result run();

private:
    Outcome read();
    // What the user is told about a read that did not get every slot; empty
    // after a complete one.
    QString incompleteText() const;
    void fail(int step, int number, const QString& description);
    // Ends the read; report: tell the user how the read went.
    void finish(bool report);

    AppState& m_state;
    Prompter& m_prompter;
    MessageLog& m_log;
    CatLink& m_link;
    ProgressReporter& m_progress;
    int m_unanswered = 0;
    int m_lastQueried = 0;
    bool m_stopped = false;
    QString m_answeredRate;
};
