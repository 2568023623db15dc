// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QString>

class MessageLog;

// Replacing a memory file and its description file takes two renames, and a
// save killed between them would leave the new channels with the old
// descriptions, unnoticed. Neither file may change its layout (other
// programs read them), so the save leaves its traces beside them instead:
// the pair as it was is kept as "NAME (previous).950" and its description
// file (hard links where the file system has them), and a marker
// "NAME.950.saving" names that pair and fingerprints the new files. Both
// go once both files are in place. A marker still there at the next load
// means that save was interrupted, and tells which files it had replaced.
class InterruptedSave {
public:
    // What a marker left by an interrupted save says about the pair now.
    struct Report {
        bool interrupted = false;          // a marker of ours is there
        bool memoryReplaced = false;       // the memory file is the one that save wrote
        bool descriptionsReplaced = false; // so is the description file
        QString previousPath;              // the kept memory file; empty when it is gone
    };

    static QString markerPath(const QString& memoryPath);
    // Reads the marker beside memoryPath; only a regular file of ours counts.
    static Report inspect(const QString& memoryPath);

    // Whether there is a previous pair to offer, and the message for the
    // next load, which names it and, when asking, asks whether to open it.
    static bool offersPrevious(const Report& report);
    static QString reportText(const QString& memoryPath, const Report& report, bool asking);

    explicit InterruptedSave(const QString& memoryPath, MessageLog& log);
    InterruptedSave(const InterruptedSave&) = delete;
    InterruptedSave& operator=(const InterruptedSave&) = delete;

    // Under the pair's lock, before this save makes its own: removes the
    // temporary files that killed saves of this pair left.
    void sweep();
    // Before the first rename, under the pair's lock: settles what an
    // interrupted save left (its kept pair goes only when it equals the pair
    // now), keeps the pair as it is and writes the marker.
    // False, with errorText() set, when that cannot be done; nothing of the
    // pair has changed then.
    bool begin(const QByteArray& memoryBytes, const QByteArray& descriptionBytes);
    // After the memory file was replaced and the description file was not:
    // puts the old memory file back (or removes a new one) and clears up.
    // False when the old one could not be put back; the marker stays.
    bool restoreMemoryFile();
    // After a failure before any rename: removes the kept pair and the marker.
    void abandon();
    // Both files are in place: the kept pair and the marker go.
    void finish();

    QString errorText() const { return m_error; }

private:
    bool fail(const QString& text);
    bool settleEarlierMarker();
    bool keep(const QString& from, const QString& to);

    QString m_memoryPath;
    QString m_descriptionPath;
    QString m_memoryTarget; // where the memory file's bytes land (links followed)
    QString m_previousPath;
    bool m_keptMemory = false;
    bool m_keptDescriptions = false;
    bool m_markerWritten = false;
    MessageLog& m_log;
    QString m_error;
};
