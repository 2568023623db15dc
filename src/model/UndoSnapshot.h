#pragma once

#include <QString>
#include <QtGlobal>
#include <memory>

class ChannelTable;
class QTemporaryFile;

// One level of undo for the memories table: a saved copy of every cell, kept
// in a temporary file private to the user, plus the label of the operation
// that took it. Each snapshot replaces the previous one; the file goes away
// with this object.
class UndoSnapshot {
public:
    UndoSnapshot();
    ~UndoSnapshot();
    UndoSnapshot(const UndoSnapshot&) = delete;
    UndoSnapshot& operator=(const UndoSnapshot&) = delete;

    // False, with errorText() saying why, when the snapshot could not be
    // written; undo is then not available until the next snapshot.
    bool take(const ChannelTable& table, const QString& label);
    QString errorText() const { return m_error; }
    // Puts the saved cells back; false when there is nothing to restore.
    // Restoring disables undo until the next snapshot.
    bool restore(ChannelTable& table);

    bool available() const { return m_available; }
    QString label() const { return m_label; }
    // "Undo last " + label, the caption of the undo command.
    QString caption() const;
    QString fileName() const;

    // Removes the snapshot files that runs which ended without cleaning up
    // (a crash, a kill) left in folder: only this user's files, and only
    // those whose creating process is gone. Returns how many were removed.
    // Does nothing where that cannot be told safely (Windows).
    static int removeStale(const QString& folder);
    // The name pattern of the snapshot files, with the creating process id.
    static QString fileTemplate(qint64 pid);

private:
    std::unique_ptr<QTemporaryFile> m_file;
    QString m_label;
    QString m_error;
    bool m_available = false;
};
