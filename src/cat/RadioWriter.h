// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ChannelComparison.h"

#include <QList>
#include <QString>
#include <QVector>

#include <memory>

class AppState;
class CatLink;
class MessageLog;
class ProgressReporter;
class Prompter;
class RadioBackup;

// Writes the two tables into the radio, slot by slot, writing only the slots
// whose copy in the radio differs. Empty slots are never sent, so the write
// never clears a channel in the radio.
class RadioWriter {
public:
    enum class Outcome {
        NoLink,    // the port or the radio could not be reached
        Cancelled, // Cancel at the instructions
        Completed,
        Stopped,      // the user clicked the progress message
        LinkLost,     // the port went away during the write
        BackupFailed, // a channel's old content could not be kept; it was not replaced
    };

    // The pause after each memory-write command, so the radio can store it.
    static constexpr int kWritePauseMs = 100;

    static const QString& writingMessage();

    struct Options {
        // Before a channel the radio holds is replaced, the radio's copy is
        // kept in a backup memory file in the data folder; a channel whose
        // copy could not be read or kept is not replaced.
        bool backup = true;
        // A preview: the radio's copy of every slot is read and compared as
        // for a write, but nothing is sent and no backup is made; no
        // instructions are asked and no summary shown. differences() then
        // lists what a write would change.
        bool dryRun = false;
        // Each channel written is read back from the radio and compared (the
        // VerifyWrites setting; the command line's --no-verify turns it off).
        bool verify = true;
    };

    // What a run did; the counts below tell the rest.
    struct Result {
        Outcome outcome = Outcome::NoLink;
        // The line settings the radio last answered at (empty: it answered
        // at none); the caller keeps it for the next rate search.
        QString answeredRate;
    };

    RadioWriter(AppState& state, Prompter& prompter, MessageLog& log, CatLink& link,
                ProgressReporter& progress);
    ~RadioWriter();

    // The slots a write sends (or, in a preview, would send): the radio's
    // channel on the left, the table's on the right.
    const QVector<ChannelDifference>& differences() const { return m_differences; }

    // A write with a backup, each channel read back.
    Result run();
    Result run(const Options& options);

    // The last write's backup file, empty when it replaced no channel.
    QString backupPath() const;
    int backedUpCount() const;
    // Slots left unwritten because the radio's copy could not be read for the backup.
    int unreadCount() const { return m_unread; }

    // Slots left unwritten because the radio could not take their record
    // (a field it has no code for, or a frequency outside its range).
    int refusedCount() const { return m_refused + m_outOfRange; }
    int outOfRangeCount() const { return m_outOfRange; }
    // Every slot left unwritten for any reason.
    int notWrittenCount() const { return m_refused + m_outOfRange + m_unread + int(m_unverified.size()); }
    // Sequence positions of channels sent whose read-back did not match what was sent.
    const QList<int>& unverifiedPositions() const { return m_unverified; }
    int writtenCount() const { return m_written; }
    int identicalCount() const { return m_identical; }
    // The counts of the last write, its refusals and where its backup went,
    // as the completion message shows them (after its first line).
    QString summary() const;
    // The radio takes 0.03 to 56 MHz in every slot.
    static constexpr qint64 kLowestHertz = 30000;
    static constexpr qint64 kHighestHertz = 56000000;
    // Why a memory-write command must not be sent for its frequency; empty when it may.
    static QString outsideRange(const QString& command);

private:
    Outcome write();
    bool readRadioCopy(int p, QString& radioCopy);
    void reportBackup();
    Outcome backupFailed(int p);
    void noteDifference(int p, bool known, const QString& radioCopy);
    void sendAndVerify(int p, const QString& command);

    AppState& m_state;
    Prompter& m_prompter;
    MessageLog& m_log;
    CatLink& m_link;
    ProgressReporter& m_progress;
    int m_refused = 0;
    int m_outOfRange = 0;
    int m_unread = 0;
    int m_written = 0;
    int m_identical = 0;
    // The slot of the last write command not yet followed by any reply.
    int m_unconfirmed = 0;
    bool m_backupEnabled = true;
    bool m_dryRun = false;
    bool m_verify = true;
    // The port went away (cable pulled); nothing more can be sent.
    bool m_lost = false;
    QString m_answeredRate;
    QList<int> m_unverified;
    QVector<ChannelDifference> m_differences;
    std::unique_ptr<RadioBackup> m_backup;
};
