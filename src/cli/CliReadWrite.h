// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QStringList>

// quaystone-cli commands that talk to the radio: back it up to a memory file
// and restore it from one. Running the command is the user's OK to the
// instructions the window would ask about.
namespace CliReadWrite {
int read(const QStringList& args);
int write(const QStringList& args);

inline constexpr char kReadUsage[] =
    "read (--port N | --device PATH) --out FILE.950\n"
    "                             Read all 118 channel slots of the radio into a memory file\n"
    "                               [--speed 4800|9600|19200|38400] [--no-rts] [--trace];\n"
    "                             a read that did not get every slot is saved beside it as\n"
    "                             \"FILE (partial read).950\" instead (exit status 3), or\n"
    "                             \"FILE (partial read 2).950\" ... when that is taken;\n"
    "                             --out - writes the memory file to standard output.";
inline constexpr char kWriteUsage[] =
    "write FILE.950 (--port N | --device PATH)\n"
    "                             Write a memory file into the radio, only the channels that differ;\n"
    "                             the radio's old content of each channel replaced is first kept in\n"
    "                             \"Radio backup <date> <time>.950\" in the current folder\n"
    "                               [--speed 4800|9600|19200|38400] [--no-rts] [--no-backup] [--trace]\n"
    "                               [--no-verify] [--dry-run]; FILE - reads standard input.\n"
    "                             Each channel sent is read back; channels the radio cannot take or\n"
    "                             did not store as sent are named (exit status 3). --dry-run reads the\n"
    "                             radio and lists the channels a write would send, sending nothing.";
} // namespace CliReadWrite
