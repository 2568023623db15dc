// SPDX-License-Identifier: GPL-3.0-or-later
#include "CliReadWrite.h"
#include "CliCommands.h"
#include "CliSession.h"
#include "ExitStatus.h"

#include "CliStdio.h"
#include "cat/CatLink.h"
#include "cat/ChannelComparison.h"
#include "cat/PortDirectory.h"
#include "cat/ProgressReporter.h"
#include "cat/QtSerialPortAdapter.h"
#include "cat/RadioReader.h"
#include "cat/RadioWriter.h"
#include "files/MemoryFile.h"
#include "files/MemoryFileOpener.h"
#include "files/MemoryFileSaver.h"
#include "state/AppState.h"
#include "state/MessageLog.h"
#include "state/Settings.h"

#include <QDir>
#include <QFileInfo>
#include <QTextStream>

namespace CliReadWrite {
namespace {

struct LinkArguments {
    QString file;
    QString out;
    CatLink::Options options;
    bool trace = false;
    bool noBackup = false;
    bool dryRun = false;
    bool noVerify = false;
    QString error;
};

const QStringList kSpeeds = {QStringLiteral("4800"), QStringLiteral("9600"), QStringLiteral("19200"),
                             QStringLiteral("38400")};

LinkArguments parse(const QStringList& args, Settings& settings, bool wantsOut)
{
    LinkArguments out;
    QCommandLineParser parser;
    const QCommandLineOption portOption(QStringLiteral("port"), {}, QStringLiteral("n"));
    const QCommandLineOption deviceOption(QStringLiteral("device"), {}, QStringLiteral("path"));
    const QCommandLineOption speedOption(QStringLiteral("speed"), {}, QStringLiteral("baud"),
                                         QStringLiteral("38400"));
    const QCommandLineOption outOption(QStringLiteral("out"), {}, QStringLiteral("file"));
    const QCommandLineOption noRts(QStringLiteral("no-rts")), trace(QStringLiteral("trace")),
        noBackup(QStringLiteral("no-backup")), dryRun(QStringLiteral("dry-run")),
        noVerify(QStringLiteral("no-verify"));
    QList<QCommandLineOption> options{portOption, deviceOption, speedOption, noRts, trace};
    options += wantsOut ? QList<QCommandLineOption>{outOption}
                        : QList<QCommandLineOption>{noBackup, dryRun, noVerify};
    out.error = parseCliArguments(parser, options, args, QStringLiteral("unexpected argument "));
    // read takes no file, write one.
    const QStringList files = parser.positionalArguments();
    if (out.error.isEmpty() && files.size() > (wantsOut ? 0 : 1))
        out.error = QStringLiteral("unexpected argument ") + files.at(wantsOut ? 0 : 1);
    if (!out.error.isEmpty())
        return out;
    out.file = files.value(0);
    LinkOptions::Overrides overrides;
    // The command line's handshake is its own flag, never the window's menu choice.
    overrides.noRts = parser.isSet(noRts);
    out.trace = parser.isSet(trace);
    // The parser asks only after options it was given.
    if (wantsOut) {
        out.out = parser.value(outOption);
    } else {
        out.noBackup = parser.isSet(noBackup);
        out.dryRun = parser.isSet(dryRun);
        out.noVerify = parser.isSet(noVerify);
    }
    const QString port = parser.value(portOption);
    const QString device = parser.value(deviceOption);
    const QString speed = parser.value(speedOption);
    if (port.isEmpty() == device.isEmpty()) {
        out.error = QStringLiteral("give either --port N or --device PATH");
        return out;
    }
    if (!port.isEmpty()) {
        bool ok = false;
        const int n = port.toInt(&ok);
        if (!ok || n < PortDirectory::kFirstPort || n > PortDirectory::kLastPort) {
            out.error = QStringLiteral("--port takes a number from 1 to 16");
            return out;
        }
        overrides.portNumber = n;
    } else {
        overrides.device = device;
    }
    if (!kSpeeds.contains(speed)) {
        out.error = QStringLiteral("--speed takes 4800, 9600, 19200 or 38400");
        return out;
    }
    overrides.userSpeed = speed + QStringLiteral(",N,8,2");
    out.options = LinkOptions::fromSettings(settings, overrides);
    if (wantsOut && out.out.isEmpty())
        out.error = QStringLiteral("--out FILE.950 is needed");
    else if (!wantsOut && out.file.isEmpty())
        out.error = QStringLiteral("name the memory file to write");
    return out;
}

int usageError(const QString& message, const char* usage)
{
    return cliUsageError(message, usage);
}

int failure(const QString& message)
{
    return cliFailure(message);
}

// A run's session plus the link over the real serial port.
struct Session : CliSession {
    explicit Session(const QString& progressLabel)
        : CliSession(true), link(port, log), progress(progressLabel)
    {
    }

    QtSerialPortAdapter port;
    CatLink link;
    CliProgress progress;
    CliStdio stdio;
};

} // namespace

int read(const QStringList& args)
{
    Session session(QStringLiteral("Reading the radio"));
    const LinkArguments a = parse(args, session.settings, true);
    if (!a.error.isEmpty())
        return usageError(a.error, kReadUsage);
    const bool toStdout = CliStdio::isStdio(a.out);
    const KeptSetting lastOpened(session.settings, Keys::LastOpened, toStdout);
    session.log.setTraceEnabled(a.trace);
    session.link.setOptions(a.options);

    const RadioReader::Result read =
        RadioReader(session.state, session.prompter, session.log, session.link, session.progress).run();
    LinkOptions::rememberAnsweredRate(session.settings, read.answeredRate);
    switch (read.outcome) {
    case RadioReader::Outcome::Completed:
    case RadioReader::Outcome::Stopped:
        break;
    case RadioReader::Outcome::NoLink:
        return failure(QStringLiteral("the radio could not be reached"));
    case RadioReader::Outcome::NoAnswer:
        return failure(QStringLiteral("the radio answered no memory query; nothing was saved"));
    case RadioReader::Outcome::Failed:
    case RadioReader::Outcome::LinkLost:
        return failure(QStringLiteral("the read failed; nothing was saved"));
    case RadioReader::Outcome::Declined:
    case RadioReader::Outcome::Cancelled:
    case RadioReader::Outcome::StoppedBeforeRead:
        return failure(QStringLiteral("the read did not complete; nothing was saved"));
    }

    const bool complete = read.complete();
    // The save puts an incomplete read beside the file named, as the
    // window's does: that file, if it exists, still holds the last complete
    // read. Standard output takes a partial read too, from a private folder;
    // the exit status tells it apart.
    MemoryFileSaver::Request request;
    request.kind = MemoryFileSaver::Kind::Save;
    request.path = toStdout ? session.stdio.scratchPath(QStringLiteral("read.950")) : a.out;
    const MemoryFileSaver::Saved saved =
        MemoryFileSaver(session.state, session.prompter, session.log, session.settings).save(request);
    const QString target = saved.written() ? saved.path : request.path;
    switch (saved.result) {
    case MemoryFileSaver::Result::Saved:
        if (toStdout) {
            if (!CliStdio::copyToStdout(target))
                return ExitFailed;
            if (!complete)
                cliFailure(QStringLiteral("the read was incomplete; standard output holds what was read"));
            return complete ? ExitOk : ExitPartial;
        }
        if (!complete) {
            cliFailure(MemoryFileSaver::partialReadText(QDir::toNativeSeparators(target), a.out,
                                                        QFileInfo::exists(a.out)));
            return ExitPartial;
        }
        return ExitOk;
    case MemoryFileSaver::Result::SavedIncomplete:
        cliFailure(QStringLiteral("saved ") + target + QStringLiteral(" without some channels"));
        return ExitPartial;
    case MemoryFileSaver::Result::NoPartialName:
        return failure(MemoryFileSaver::noPartialNameText(a.out));
    case MemoryFileSaver::Result::NothingToSave:
    case MemoryFileSaver::Result::Cancelled:
    case MemoryFileSaver::Result::Declined:
        break;
    }
    return failure(QStringLiteral("could not save ") + target);
}

int write(const QStringList& args)
{
    Session session(QStringLiteral("Writing to the radio"));
    const LinkArguments a = parse(args, session.settings, false);
    if (!a.error.isEmpty())
        return usageError(a.error, kWriteUsage);
    session.log.setTraceEnabled(a.trace);
    session.link.setOptions(a.options);

    const KeptSetting lastOpened(session.settings, Keys::LastOpened, CliStdio::isStdio(a.file));
    const QString file =
        CliStdio::isStdio(a.file) ? session.stdio.readStdin(QStringLiteral("standard input.950")) : a.file;
    if (file.isEmpty())
        return ExitFailed;
    MemoryFileOpener::Request request;
    request.path = file;
    const MemoryFileOpener::Opened opened =
        MemoryFileOpener(session.state, session.prompter, session.log, session.settings).open(request);
    if (opened.result == MemoryFileOpener::Result::DescriptionsLoaded)
        return failure(a.file + QStringLiteral(" is a description file; name its memory file (.950)"));
    if (opened.result != MemoryFileOpener::Result::Loaded)
        return failure(QStringLiteral("cannot load ") + a.file);
    if (opened.skippedLines > 0)
        return failure(QStringLiteral("%1 line(s) of %2 cannot be read; nothing was written")
                           .arg(opened.skippedLines)
                           .arg(a.file));

    RadioWriter writer(session.state, session.prompter, session.log, session.link, session.progress);
    RadioWriter::Options options;
    options.backup = !a.noBackup;
    options.dryRun = a.dryRun;
    // The window's menu choice, which --no-verify turns off for this run.
    options.verify = session.settings.getBool(Keys::VerifyWrites) && !a.noVerify;
    const RadioWriter::Result result = writer.run(options);
    const RadioWriter::Outcome outcome = result.outcome;
    LinkOptions::rememberAnsweredRate(session.settings, result.answeredRate);
    if (a.dryRun && outcome == RadioWriter::Outcome::Completed) {
        if (!CliStdio::writeStdout(ChannelComparison::format(writer.differences(), QStringLiteral("Radio"),
                                                             QStringLiteral("Table"))))
            return ExitFailed;
        QTextStream(stderr) << "quaystone-cli: " << writer.differences().size()
                            << " channel(s) would be written; nothing was sent" << Qt::endl;
        return writer.notWrittenCount() > 0 ? ExitPartial : ExitOk;
    }
    switch (outcome) {
    case RadioWriter::Outcome::Completed:
        // The summary has been shown; the status tells a script whether channels were refused.
        if (writer.notWrittenCount() > 0) {
            cliFailure(QStringLiteral("%1 channel(s) were refused or not stored as sent; see the lines above")
                           .arg(writer.notWrittenCount()));
            return ExitPartial;
        }
        return ExitOk;
    case RadioWriter::Outcome::BackupFailed:
        return failure(QStringLiteral("the write stopped: the radio's old channels could not be backed up"));
    case RadioWriter::Outcome::NoLink:
        return failure(QStringLiteral("the radio could not be reached"));
    case RadioWriter::Outcome::LinkLost:
        return failure(QStringLiteral("the write did not complete"));
    case RadioWriter::Outcome::Cancelled:
    case RadioWriter::Outcome::Stopped:
        return failure(QStringLiteral("the write did not complete"));
    }
    return ExitFailed;
}

} // namespace CliReadWrite
