// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QStringList>

// quaystone-cli commands on memory files and CSV files. Each takes the
// arguments after its name and returns the exit status.
namespace CliFileCommands {
int show(const QStringList& args);
int exportCsv(const QStringList& args);
int importCsv(const QStringList& args);

inline constexpr char kShowUsage[] =
    "show FILE.950                Print the 118 channel slots of a memory file [--format text|json];\n"
    "                             - reads standard input.";
inline constexpr char kExportUsage[] =
    "export FILE.950 --csv OUT    Export the memories as CSV [--format quaystone|common] [--tab]\n"
    "                               [--keep-numbers] [--omit-header] [--preview] [--yes];\n"
    "                               FILE - reads standard input, --csv - writes to standard output.";
inline constexpr char kImportUsage[] =
    "import IN.CSV --into FILE.950  Import CSV records into a memory file [--start N] [--use-numbers]\n"
    "                               [--clear] [--omit-duplicates] [--yes] [--preview];\n"
    "                               IN - reads the CSV from standard input.";
} // namespace CliFileCommands
