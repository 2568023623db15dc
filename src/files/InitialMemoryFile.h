// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

class MessageLog;
class Settings;

// The memory file made on the first start, so that there is always a file
// to open: one memory at 7 MHz in the data folder.
namespace InitialMemoryFile {

// The initial file's path in a data folder.
QString pathIn(const QString& folder);

// Creates the file in the data folder (the stored one when dataFolder is
// empty) when it is not there yet, and then remembers it as the last opened
// file. A file that cannot be created is reported in the log; the start-up
// goes on without it. Returns the file's path, the start-up file either way.
QString create(const QString& dataFolder, Settings& settings, MessageLog& log);

} // namespace InitialMemoryFile
