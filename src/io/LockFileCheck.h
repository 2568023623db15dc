// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

// QLockFile opens and reads whatever stands at its path to learn who holds
// it: a FIFO there blocks it for good, a link to a device makes it read
// without end, and a folder, a dangling link or an unrelated file reads as
// a lock that is never released. So the path is looked at first (without
// following a link, opening only a regular file, reading only a few bytes),
// and anything but a lock file is named instead of handed on.
namespace LockFileCheck {

// More than any lock QLockFile writes (a process number, the program's and
// the computer's names and two identifiers, one a line).
inline constexpr qint64 kMaxBytes = 4096;

// Why the thing at lockPath is not a lock file ("it is a FIFO", ...); empty
// when nothing is there or it is a lock file. An empty regular file is a
// lock being written unless emptyIsProblem.
QString problem(const QString& lockPath, bool emptyIsProblem = false);

// Whether bytes are laid out as QLockFile writes them: a process number
// above 0, then at least the program's and the computer's names, each line
// ended by a line feed.
bool looksLikeLock(const QByteArray& bytes);

} // namespace LockFileCheck
