// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ExitStatus.h"

#include <QCommandLineParser>
#include <QStringList>
#include <QTextStream>
#include <cstdio>

// One entry per quaystone-cli command. Each takes the arguments after the
// command name and returns the process exit status (ExitStatus: 0 all done,
// 1 failed or refused, 2 bad usage, 3 done but something was skipped or
// refused). Messages go to stderr, results to stdout.
struct CliCommand {
    const char* name;
    const char* usage; // one line, shown by --help
    int (*run)(const QStringList& args);
};

// The table of commands, defined in main.cpp.
const CliCommand* findCliCommand(const QString& name);

// Parses a command's arguments (those after its name) with its options.
// Returns the usage mistake, or an empty text: an option not among them is
// unknownText + the option, a value option last without its value
// "<option> needs a value". Defined in main.cpp.
QString parseCliArguments(QCommandLineParser& parser, const QList<QCommandLineOption>& options,
                          const QStringList& args,
                          const QString& unknownText = QStringLiteral("unknown option "));

// A usage mistake: the message and the command's usage line on stderr; ExitUsage.
inline int cliUsageError(const QString& message, const char* usage)
{
    QTextStream(stderr) << "quaystone-cli: " << message << "\nUsage: quaystone-cli " << usage << Qt::endl;
    return ExitUsage;
}

// A failure or refusal: the message on stderr; ExitFailed.
inline int cliFailure(const QString& message)
{
    QTextStream(stderr) << "quaystone-cli: " << message << Qt::endl;
    return ExitFailed;
}
