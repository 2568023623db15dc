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
    "                             \"FILE (partial read).950\" instead (exit status 3).";
inline constexpr char kWriteUsage[] =
    "write FILE.950 (--port N | --device PATH)\n"
    "                             Write a memory file into the radio, only the channels that differ;\n"
    "                             the radio's old content of each channel replaced is first kept in\n"
    "                             \"Radio backup <date> <time>.950\" in the current folder\n"
    "                               [--speed 4800|9600|19200|38400] [--no-rts] [--no-backup] [--trace];\n"
    "                             channels the radio cannot take are refused (exit status 3).";
} // namespace CliReadWrite
