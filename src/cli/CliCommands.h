#pragma once

#include <QStringList>

// One entry per quaystone-cli command. Each takes the arguments after the
// command name and returns the process exit status (0 success, 1 failure or
// refusal, 2 bad usage). Messages go to stderr, results to stdout.
struct CliCommand {
    const char* name;
    const char* usage;   // one line, shown by --help
    int (*run)(const QStringList& args);
};

// The table of commands, defined in main.cpp.
const CliCommand* findCliCommand(const QString& name);
