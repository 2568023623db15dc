// SPDX-License-Identifier: GPL-3.0-or-later
#include "CliDiff.h"
#include "CliCommands.h"
#include "CliSession.h"
#include "CliStdio.h"

#include "cat/ChannelComparison.h"
#include "files/MemoryFileOpener.h"

namespace CliDiff {
namespace {

// Loads one side; false (said on stderr) when it cannot be read as a memory
// file. skipped counts its lines (and description file) that could not be read.
bool load(CliSession& session, CliStdio& stdio, const QString& name, int& skipped)
{
    const QString path =
        CliStdio::isStdio(name) ? stdio.readStdin(QStringLiteral("standard input.950")) : name;
    if (path.isEmpty())
        return false;
    const KeptSetting lastOpened(session.settings, Keys::LastOpened, CliStdio::isStdio(name));
    MemoryFileOpener::Request request;
    request.path = path;
    const MemoryFileOpener::Opened opened =
        MemoryFileOpener(session.state, session.prompter, session.log, session.settings).open(request);
    skipped += opened.skippedLines + (opened.descriptionsRefused ? 1 : 0);
    if (opened.result == MemoryFileOpener::Result::Loaded)
        return true;
    cliFailure(QStringLiteral("cannot load ") + name + QStringLiteral(" as a memory file (.950)"));
    return false;
}

} // namespace

int diff(const QStringList& args)
{
    QCommandLineParser parser;
    const QStringList files =
        parseCliArguments(parser, {}, args).isEmpty() ? parser.positionalArguments() : QStringList();
    if (files.size() != 2)
        return cliUsageError(QStringLiteral("diff takes two memory files"), kUsage);
    if (CliStdio::isStdio(files.at(0)) && CliStdio::isStdio(files.at(1)))
        return cliUsageError(QStringLiteral("only one side can be standard input"), kUsage);
    CliStdio stdio;
    CliSession left(false);
    CliSession right(false);
    int skipped = 0;
    if (!load(left, stdio, files.at(0), skipped) || !load(right, stdio, files.at(1), skipped))
        return ExitUsage;
    const QVector<ChannelDifference> differences =
        ChannelComparison::compareTables(left.state.tables(), right.state.tables());
    if (!differences.isEmpty())
        return CliStdio::writeStdout(ChannelComparison::format(differences, files.at(0), files.at(1)))
                   ? ExitFailed
                   : ExitUsage;
    // What could not be read may differ: that is not "the same".
    if (skipped > 0) {
        cliFailure(QStringLiteral("no difference in what could be read, but lines were skipped"));
        return ExitPartial;
    }
    return ExitOk;
}

} // namespace CliDiff
