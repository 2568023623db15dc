// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QStringList>

// quaystone-cli print: the memories listing of a memory file, laid out as the
// program prints it with the stored print options, into a PDF file or as
// page text on stdout.
namespace CliPrint {
int print(const QStringList& args);

inline constexpr char kUsage[] =
    "print FILE.950 (--pdf OUT.pdf | --text)\n"
    "                             Print the memories listing with the stored print options, into a\n"
    "                               PDF file or as text (a form feed between pages); - reads\n"
    "                               standard input.";

// The command needs the GUI application object (font metrics on a printer).
inline bool needsGuiApplication(int argc, char** argv)
{
    return argc > 1 && qstrcmp(argv[1], "print") == 0;
}
} // namespace CliPrint
