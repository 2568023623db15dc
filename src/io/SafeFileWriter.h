// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QFileDevice>
#include <QFileInfo>
#include <QSaveFile>
#include <QString>

// Every file the program writes goes through here: the bytes go into a
// file beside the target, which replaces the target only once every byte is
// on disk. A full disk, a read-only folder or a target that is not a regular
// file leaves the old file exactly as it was, and the caller gets the reason.
//
// QSaveFile alone is not enough: it buffers small files whole, and when that
// buffer cannot be flushed at commit() time (ENOSPC, EFBIG) Qt 6.4 still
// renames the empty file over the target and reports success. So write()
// flushes and checks before commit() is ever called.
class SafeFileWriter {
public:
    enum class Step { None, Create, Write, Replace };

    explicit SafeFileWriter(const QString& path);
    ~SafeFileWriter(); // cancels a file not committed
    SafeFileWriter(const SafeFileWriter&) = delete;
    SafeFileWriter& operator=(const SafeFileWriter&) = delete;

    // Creates the file beside the target and writes and flushes all bytes;
    // the target is not touched yet.
    bool write(const QByteArray& bytes);
    // Puts the written file in the target's place.
    bool commit();
    // Drops what was written; the target stays as it was.
    void cancel();

    // Where and why the last call failed.
    Step failedStep() const { return m_step; }
    int errorNumber() const { return m_number; }
    QString errorText() const { return m_text; }
    QString path() const { return m_path; }

    // write() and commit() in one; false with *why (when given) set to the
    // file's name and the reason.
    static bool save(const QString& path, const QByteArray& bytes, QString* why = nullptr);

    // Why a path cannot be written or read as one of the program's files: it
    // exists but is not a regular file (a folder, a FIFO, a device), or its
    // name holds U+FFFD, which is what a name that is not valid UTF-8 turns
    // into and so never names the file the user meant. Empty when fine.
    static QString pathProblem(const QString& path);

    // A file's read-only attribute: the owner's write bit, checked as well
    // as whether this user may write, so the answer is the same for a user
    // (root) who may write anything.
    static bool isReadOnly(const QFileInfo& info);

private:
    bool fail(Step step, int number, const QString& text);

    QString m_path;
    QSaveFile m_file;
    Step m_step = Step::None;
    int m_number = 0;
    QString m_text;
};
