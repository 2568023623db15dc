// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QStringList>

// quaystone-cli diff: the slots whose channels differ between two memory
// files, listed as a write preview lists them. Exit status as diff(1): 0 the
// same, 1 different, 2 a usage mistake, a file that cannot be read or a list
// that cannot be written; and, as every command, 3 when lines that could not
// be read were skipped and nothing else differs.
namespace CliDiff {
int diff(const QStringList& args);

inline constexpr char kUsage[] =
    "diff A.950 B.950             List the slots whose channels (or descriptions) differ, side by side;\n"
    "                             exit status 0 the same, 1 different, 2 trouble, 3 no other\n"
    "                             difference but unreadable lines skipped. - reads standard input.";
} // namespace CliDiff
