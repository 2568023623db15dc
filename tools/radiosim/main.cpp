// SPDX-License-Identifier: GPL-3.0-or-later
// quaystone-radiosim: a simulated radio on a pseudo-terminal, for trying the
// program, its command line and its tests without a transceiver.

#include "RadioSimulator.h"
#include "Version.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QFile>
#include <QTextStream>

#include <csignal>
#include <cstdio>
#include <pthread.h>

namespace {
bool intOption(const QCommandLineParser& parser, const QString& name, int& value, QTextStream& err)
{
    if (!parser.isSet(name))
        return true;
    bool ok = false;
    value = parser.value(name).toInt(&ok);
    if (!ok)
        err << "quaystone-radiosim: --" << name << " needs a whole number" << Qt::endl;
    return ok;
}

bool rateOption(const QCommandLineParser& parser, const QString& name, double& value, QTextStream& err)
{
    if (!parser.isSet(name))
        return true;
    bool ok = false;
    value = parser.value(name).toDouble(&ok);
    if (!ok || value < 0 || value > 1) {
        err << "quaystone-radiosim: --" << name << " needs a probability from 0 to 1" << Qt::endl;
        return false;
    }
    return true;
}
} // namespace

int main(int argc, char* argv[])
{
    // Stop signals are taken by sigwait() below, on this thread only; the
    // radio's thread inherits the blocked mask.
    sigset_t stopSignals;
    sigemptyset(&stopSignals);
    sigaddset(&stopSignals, SIGINT);
    sigaddset(&stopSignals, SIGTERM);
    sigaddset(&stopSignals, SIGHUP);
    pthread_sigmask(SIG_BLOCK, &stopSignals, nullptr);

    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("quaystone-radiosim"));
    QCoreApplication::setApplicationVersion(QStringLiteral(QUAYSTONE_VERSION));

    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral(
        "A simulated transceiver on a pseudo-terminal. Prints the device to open, then answers CAT "
        "commands until interrupted (Ctrl+C)."));
    parser.addHelpOption();
    parser.addVersionOption();
    parser.addOptions({
        {QStringLiteral("rate"),
         QStringLiteral("CAT rate at start: 4800, 9600, 19200 or 38400 (default 38400)."),
         QStringLiteral("baud")},
        {QStringLiteral("load"), QStringLiteral("Load the 118 channels from a .950 memory file."),
         QStringLiteral("file")},
        {QStringLiteral("save"), QStringLiteral("Save the channels to a .950 memory file on exit."),
         QStringLiteral("file")},
        {QStringLiteral("link"), QStringLiteral("Also make a symbolic link to the device at this path."),
         QStringLiteral("path")},
        {QStringLiteral("log"), QStringLiteral("Print every command and reply.")},
        {QStringLiteral("wire-timing"),
         QStringLiteral("Take the characters' time on the wire (11 bits each) at the line speed.")},
        {QStringLiteral("latency"), QStringLiteral("Turnaround before each reply, in microseconds."),
         QStringLiteral("us")},
        {QStringLiteral("split"), QStringLiteral("Send replies in two pieces, the first this long."),
         QStringLiteral("chars")},
        {QStringLiteral("split-gap"), QStringLiteral("Pause between the two pieces, in milliseconds."),
         QStringLiteral("ms")},
        {QStringLiteral("silent-after"),
         QStringLiteral("Answer nothing after the memory query of this channel."), QStringLiteral("channel")},
        {QStringLiteral("garbage"), QStringLiteral("Answer the memory query of this channel with garbage."),
         QStringLiteral("channel")},
        {QStringLiteral("late"), QStringLiteral("Answer the memory query of this channel late."),
         QStringLiteral("channel")},
        {QStringLiteral("late-ms"), QStringLiteral("How late, in milliseconds (default 180)."),
         QStringLiteral("ms")},
        {QStringLiteral("no-answer"), QStringLiteral("Answer nothing at all (a radio switched off).")},
        {QStringLiteral("unknown-id"), QStringLiteral("Answer \"?;\" to \"ID;\".")},
        {QStringLiteral("id-late-ms"), QStringLiteral("Answer \"ID;\" this many milliseconds late."),
         QStringLiteral("ms")},
        {QStringLiteral("id-late-replies"),
         QStringLiteral("Only the first n identity replies are late (default: all)."), QStringLiteral("n")},
        {QStringLiteral("auto-info"),
         QStringLiteral("Send an \"IF...;\" status line before each reply while auto information is on.")},
        {QStringLiteral("ignore-ai0"), QStringLiteral("Do not hear \"AI0;\": auto information stays on.")},
        {QStringLiteral("hang-up-after"), QStringLiteral("Hang up the line after this many commands."),
         QStringLiteral("n")},
        {QStringLiteral("drop-write"),
         QStringLiteral("Take the n-th memory-write command (1 the first) without storing it."),
         QStringLiteral("n")},
        {QStringLiteral("fault-seed"), QStringLiteral("Seed of the random-fault schedule (default 1)."),
         QStringLiteral("n")},
        {QStringLiteral("fault-drop"), QStringLiteral("Probability that a memory reply is not sent."),
         QStringLiteral("p")},
        {QStringLiteral("fault-late"),
         QStringLiteral("Probability that a memory reply comes past the client's time-out."),
         QStringLiteral("p")},
        {QStringLiteral("fault-late-ms"), QStringLiteral("How late such a reply comes (default 200)."),
         QStringLiteral("ms")},
        {QStringLiteral("fault-duplicate"), QStringLiteral("Probability that a memory reply is sent twice."),
         QStringLiteral("p")},
        {QStringLiteral("fault-garbage"),
         QStringLiteral("Probability that random bytes are sent instead of a memory reply."),
         QStringLiteral("p")},
        {QStringLiteral("fault-wrong-channel"),
         QStringLiteral("Probability that a memory reply names another channel."), QStringLiteral("p")},
        {QStringLiteral("fault-hang-up"),
         QStringLiteral("Probability that the line hangs up at a memory query or write."),
         QStringLiteral("p")},
    });
    parser.process(app);

    QTextStream out(stdout);
    QTextStream err(stderr);
    RadioSimulator::Options options;
    options.lateMs = 180;
    options.wireTiming = parser.isSet(QStringLiteral("wire-timing"));
    options.noAnswer = parser.isSet(QStringLiteral("no-answer"));
    options.unknownId = parser.isSet(QStringLiteral("unknown-id"));
    options.autoInfoOutput = parser.isSet(QStringLiteral("auto-info"));
    options.ignoreAutoInfoOff = parser.isSet(QStringLiteral("ignore-ai0"));
    if (!intOption(parser, QStringLiteral("rate"), options.startRate, err) ||
        !intOption(parser, QStringLiteral("latency"), options.latencyUs, err) ||
        !intOption(parser, QStringLiteral("split"), options.splitAt, err) ||
        !intOption(parser, QStringLiteral("split-gap"), options.splitGapMs, err) ||
        !intOption(parser, QStringLiteral("silent-after"), options.silentAfterChannel, err) ||
        !intOption(parser, QStringLiteral("garbage"), options.garbageChannel, err) ||
        !intOption(parser, QStringLiteral("late"), options.lateChannel, err) ||
        !intOption(parser, QStringLiteral("late-ms"), options.lateMs, err) ||
        !intOption(parser, QStringLiteral("hang-up-after"), options.hangUpAfter, err) ||
        !intOption(parser, QStringLiteral("drop-write"), options.dropWrite, err) ||
        !intOption(parser, QStringLiteral("id-late-ms"), options.idLateMs, err) ||
        !intOption(parser, QStringLiteral("id-late-replies"), options.idLateReplies, err) ||
        !intOption(parser, QStringLiteral("fault-late-ms"), options.faultLateMs, err))
        return 2;
    RadioSimulator::Options::FaultRates& rates = options.faults;
    if (!rateOption(parser, QStringLiteral("fault-drop"), rates.drop, err) ||
        !rateOption(parser, QStringLiteral("fault-late"), rates.late, err) ||
        !rateOption(parser, QStringLiteral("fault-duplicate"), rates.duplicate, err) ||
        !rateOption(parser, QStringLiteral("fault-garbage"), rates.garbage, err) ||
        !rateOption(parser, QStringLiteral("fault-wrong-channel"), rates.wrongChannel, err) ||
        !rateOption(parser, QStringLiteral("fault-hang-up"), rates.hangUp, err))
        return 2;
    if (rates.drop + rates.late + rates.duplicate + rates.garbage + rates.wrongChannel + rates.hangUp > 1) {
        err << "quaystone-radiosim: the fault probabilities add up to more than 1" << Qt::endl;
        return 2;
    }
    if (parser.isSet(QStringLiteral("fault-seed"))) {
        bool ok = false;
        options.faultSeed = parser.value(QStringLiteral("fault-seed")).toUInt(&ok);
        if (!ok) {
            err << "quaystone-radiosim: --fault-seed needs a whole number" << Qt::endl;
            return 2;
        }
    }
    if (options.startRate != 4800 && options.startRate != 9600 && options.startRate != 19200 &&
        options.startRate != 38400) {
        err << "quaystone-radiosim: --rate must be 4800, 9600, 19200 or 38400" << Qt::endl;
        return 2;
    }

    RadioSimulator radio(options);
    if (parser.isSet(QStringLiteral("load"))) {
        QStringList problems;
        const bool loaded = radio.loadFile(parser.value(QStringLiteral("load")), &problems);
        for (const QString& problem : problems)
            err << "quaystone-radiosim: " << problem << Qt::endl;
        if (!loaded)
            return 1;
    }
    if (parser.isSet(QStringLiteral("log"))) {
        radio.setLogger([](const QString& line) {
            std::fprintf(stderr, "%s\n", qPrintable(line));
            std::fflush(stderr);
        });
    }

    const QString device = radio.start();
    if (device.isEmpty()) {
        err << "quaystone-radiosim: " << radio.errorText() << Qt::endl;
        return 1;
    }
    const QString link = parser.value(QStringLiteral("link"));
    if (!link.isEmpty()) {
        QFile::remove(link);
        if (!QFile::link(device, link)) {
            err << "quaystone-radiosim: cannot make the link " << link << Qt::endl;
            return 1;
        }
    }
    out << device << Qt::endl;
    err << "Simulated radio at " << device << ", CAT rate " << options.startRate << ", "
        << radio.filledChannelCount() << " channels filled. Ctrl+C ends it." << Qt::endl;

    int signalNumber = 0;
    sigwait(&stopSignals, &signalNumber);
    radio.stop();
    if (radio.faultTotal() > 0) {
        const QVector<int> counts = radio.faultCounts();
        err << "Faults injected:";
        for (int kind = 0; kind < RadioSimulator::kFaultKinds; ++kind)
            err << ' ' << RadioSimulator::faultName(RadioSimulator::Fault(kind)) << ' ' << counts.at(kind)
                << (kind + 1 < RadioSimulator::kFaultKinds ? "," : "");
        err << Qt::endl;
    }
    if (!link.isEmpty())
        QFile::remove(link);

    if (parser.isSet(QStringLiteral("save"))) {
        QString error;
        if (!radio.saveFile(parser.value(QStringLiteral("save")), &error)) {
            err << "quaystone-radiosim: cannot save: " << error << Qt::endl;
            return 1;
        }
        err << "Saved " << radio.filledChannelCount() << " channels to "
            << parser.value(QStringLiteral("save")) << Qt::endl;
    }
    return 0;
}
