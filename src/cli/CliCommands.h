#pragma once

#include <QStringList>
#include <QTextStream>
#include <cstdio>

// One entry per quaystone-cli command. Each takes the arguments after the
// command name and returns the process exit status (0 success, 1 failure or
// refusal, 2 bad usage). Messages go to stderr, results to stdout.
struct CliCommand {
    const char* name;
    const char* usage; // one line, shown by --help
    int (*run)(const QStringList& args);
};

// The table of commands, defined in main.cpp.
const CliCommand* findCliCommand(const QString& name);

// A usage mistake: the message and the command's usage line on stderr; exit status 2.
inline int cliUsageError(const QString& message, const char* usage)
{
    QTextStream(stderr) << "quaystone-cli: " << message << "\nUsage: quaystone-cli " << usage << Qt::endl;
    return 2;
}

// A failure or refusal: the message on stderr; exit status 1.
inline int cliFailure(const QString& message)
{
    QTextStream(stderr) << "quaystone-cli: " << message << Qt::endl;
    return 1;
}
