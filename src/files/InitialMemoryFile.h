// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

class AppState;
class MessageLog;
class Settings;

// The memory file made on the first start, so that there is always a file
// to open: one memory at 7 MHz in the data folder.
namespace InitialMemoryFile {

// The initial file's path in a data folder.
QString pathIn(const QString& folder);

// Creates the file when it is not there yet (and then remembers it as the
// last opened file) and makes it the start-up file either way. A file that
// cannot be created is reported in the log; the start-up goes on without
// it. Returns true when the file exists afterwards.
bool create(AppState& state, Settings& settings, MessageLog& log);

} // namespace InitialMemoryFile
