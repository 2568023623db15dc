// SPDX-License-Identifier: GPL-3.0-or-later
// quaystone-bench: times full reads and writes of the simulated radio through
// the real link (QSerialPort on a pseudo-terminal) and compares each with its
// floor, the time the radio itself spends on the wire and turning round, plus
// the fixed pause after every memory-write command.

#include "RadioSimulator.h"
#include "cat/CatLink.h"
#include "cat/LinkSetUp.h"
#include "cat/ProgressReporter.h"
#include "cat/QtSerialPortAdapter.h"
#include "cat/RadioReader.h"
#include "cat/RadioWriter.h"
#include "model/CatCodec.h"
#include "model/ChannelMap.h"
#include "model/Frequency.h"
#include "state/AppState.h"
#include "state/MessageLog.h"
#include "state/Prompter.h"
#include "state/Settings.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <QTextStream>

#include <algorithm>
#include <vector>

namespace {

// The link options as the window and the command line build them: from
// settings of the bench's own (none the user stored) with this run's
// device, rate and remembered rate.
LinkOptions linkOptionsFor(const QString& device, const QString& speed = QString(),
                           const QString& remembered = QString())
{
    QTemporaryDir folder;
    Settings settings(folder.path());
    if (!remembered.isEmpty())
        settings.set(Keys::LastCommSpeed, remembered);
    LinkOptions::Overrides overrides;
    overrides.device = device;
    overrides.userSpeed = speed;
    return LinkOptions::fromSettings(settings, overrides);
}

// Every question answered OK, as a user who clicks through.
class AgreeingPrompter : public Prompter {
public:
    Answer ask(const QString&, Buttons buttons, Icon, const QString&) override
    {
        return buttons == Buttons::YesNo || buttons == Buttons::YesNoCancel ? Answer::Yes : Answer::Ok;
    }
    std::optional<QString> inputText(const QString&, const QString&, const QString&) override { return {}; }
    QString chooseOpenFile(const QString&, const QString&, const QString&) override { return {}; }
    QString chooseSaveFile(const QString&, const QString&, const QString&, const QString&) override
    {
        return {};
    }
    QString chooseFolder(const QString&, const QString&) override { return {}; }
};

// Notes when the slots start, so the set-up can be told apart.
class NoProgress : public ProgressReporter {
public:
    QElapsedTimer* clock = nullptr;
    qint64 shownAtNs = 0;
    void show(const QString&, int) override { shownAtNs = clock ? clock->nsecsElapsed() : 0; }
    void setPosition(int) override {}
    void hide() override {}
    bool stopRequested() const override { return false; }
    void clearStopRequest() override {}
};

// The last kind is shown for information: the pre-write backup syncs a file
// to disk before every replaced channel, which is disk time, not link time.
// The verified write reads each written channel back: one memory query and
// reply more per channel than the all-changed write.
enum class Transfer {
    ReadAll,
    ReadTen,
    WriteUnchanged,
    WriteAllChanged,
    WriteAllChangedVerified,
    WriteAllChangedWithBackup
};

const char* nameOf(Transfer transfer)
{
    switch (transfer) {
    case Transfer::ReadAll:
        return "read, 118 filled";
    case Transfer::ReadTen:
        return "read, 10 filled";
    case Transfer::WriteUnchanged:
        return "write, unchanged";
    case Transfer::WriteAllChanged:
        return "write, all changed";
    case Transfer::WriteAllChangedVerified:
        return "write, all changed, verified";
    case Transfer::WriteAllChangedWithBackup:
        return "write, all changed, with backup";
    }
    return "";
}

// A channel for a sequence position; shifted moves it 10 kHz so that
// every slot differs from the unshifted one.
Channel channelFor(int position, bool shifted)
{
    Channel channel;
    channel.present = true;
    channel.hertz = 7000000 + qint64(position) * 25000 + (shifted ? 10000 : 0);
    channel.mode = position % 2 ? QLatin1Char('2') : QLatin1Char('4'); // USB, FM
    channel.shift = QLatin1Char('0');                                  // Simplex
    return channel;
}

struct Timing {
    double measured = 0;
    double floor = 0;
    double setUp = 0;
    int writes = 0;
};

Timing runOnce(Transfer transfer, int rate, int latencyUs)
{
    RadioSimulator::Options options;
    options.wireTiming = true;
    options.latencyUs = latencyUs;
    RadioSimulator radio(options);
    const bool reading = transfer == Transfer::ReadAll || transfer == Transfer::ReadTen;
    const int filled = transfer == Transfer::ReadTen ? 10 : ChannelMap::kSlotCount;
    for (int p = 1; p <= filled; ++p)
        radio.setChannel(CatCodec::encode(channelFor(p, false), p).command);

    AppState state;
    // A write keeps its backup where it cannot litter the working folder.
    QTemporaryDir dataFolder;
    state.setDataFolder(dataFolder.path());
    if (!reading) {
        for (int p = 1; p <= ChannelMap::kSlotCount; ++p)
            state.tables().setChannelAt(p, channelFor(p, transfer != Transfer::WriteUnchanged));
        state.setDataSource(AppState::File);
    }
    const QString device = radio.start();
    if (device.isEmpty())
        qFatal("cannot start the simulated radio: %s", qPrintable(radio.errorText()));

    MessageLog log;
    AgreeingPrompter prompter;
    NoProgress progress;
    QtSerialPortAdapter port;
    CatLink link(port, log);
    link.setOptions(linkOptionsFor(device, QStringLiteral("%1,N,8,2").arg(rate)));

    QElapsedTimer timer;
    progress.clock = &timer;
    timer.start();
    bool ok = false;
    if (reading)
        ok = RadioReader(state, prompter, log, link, progress).run().outcome ==
             RadioReader::Outcome::Completed;
    else {
        RadioWriter::Options writeOptions;
        writeOptions.backup = transfer == Transfer::WriteAllChangedWithBackup;
        writeOptions.verify = transfer == Transfer::WriteAllChangedVerified;
        ok = RadioWriter(state, prompter, log, link, progress).run(writeOptions).outcome ==
             RadioWriter::Outcome::Completed;
    }
    Timing timing;
    timing.measured = timer.nsecsElapsed() / 1e9;
    timing.setUp = progress.shownAtNs / 1e9;
    radio.stop();
    if (!ok)
        qFatal("the transfer did not complete");
    for (const QString& command : radio.commands())
        timing.writes += command.startsWith(QLatin1String("MW")) ? 1 : 0;
    timing.floor = radio.busySeconds() + timing.writes * RadioWriter::kWritePauseMs / 1000.0;
    return timing;
}

// The time the link set-up takes to find a radio left at 4800 and settle the link
// there, with no rate remembered (the search starts at 38400) and with 4800
// remembered from an earlier transfer.
double connectOnce(bool remembered, int latencyUs)
{
    RadioSimulator::Options options;
    options.wireTiming = true;
    options.latencyUs = latencyUs;
    options.startRate = 4800;
    RadioSimulator radio(options);
    const QString device = radio.start();
    if (device.isEmpty())
        qFatal("cannot start the simulated radio: %s", qPrintable(radio.errorText()));
    MessageLog log;
    QtSerialPortAdapter port;
    CatLink link(port, log);
    const QString speed = QStringLiteral("4800,N,8,2");
    link.setOptions(linkOptionsFor(device, speed, remembered ? speed : QString()));
    QElapsedTimer timer;
    timer.start();
    if (!LinkSetUp::run(link, log).ready())
        qFatal("the radio was not found");
    const double seconds = timer.nsecsElapsed() / 1e9;
    link.closePort();
    radio.stop();
    return seconds;
}

// The resident set size of this process in kB, from /proc/self/status; 0 where there is none.
long residentKb()
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return 0;
    for (const QByteArray& line : status.readAll().split('\n')) {
        if (line.startsWith("VmRSS:"))
            return line.mid(6).trimmed().split(' ').value(0).toLong();
    }
    return 0;
}

// Read and write cycles against one simulated radio (no wire timing), each
// write replacing three channels, printing the resident set size as it goes:
// memory that grows with the cycles shows here.
int soak(int cycles, bool faults)
{
    RadioSimulator::Options options;
    if (faults) {
        options.faults.drop = 0.01;
        options.faults.late = 0.005;
        options.faults.duplicate = 0.01;
        options.faults.garbage = 0.002;
        options.faults.wrongChannel = 0.01;
        options.faultSeed = 7;
    }
    RadioSimulator radio(options);
    for (int p = 1; p <= ChannelMap::kSlotCount; p += 2)
        radio.setChannel(CatCodec::encode(channelFor(p, false), p).command);
    if (radio.start().isEmpty())
        qFatal("cannot start the simulated radio: %s", qPrintable(radio.errorText()));
    QTemporaryDir dataFolder;
    AppState state;
    state.setDataFolder(dataFolder.path());
    MessageLog log;
    AgreeingPrompter prompter;
    NoProgress progress;
    QtSerialPortAdapter port;
    CatLink link(port, log);
    QTextStream out(stdout);
    const long before = residentKb();
    out << "soak: " << cycles << " read/write cycles" << (faults ? " with faults" : "") << "; VmRSS before "
        << before << " kB\n";
    out.flush();
    long afterWarmUp = 0;
    int incomplete = 0;
    QElapsedTimer timer;
    timer.start();
    for (int cycle = 1; cycle <= cycles; ++cycle) {
        if (radio.hungUp() || !radio.isRunning()) {
            radio.stop();
            radio.start();
        }
        link.setOptions(linkOptionsFor(radio.devicePath()));
        state.setChanged(false);
        incomplete +=
            RadioReader(state, prompter, log, link, progress).run().outcome == RadioReader::Outcome::Completed
                ? 0
                : 1;
        // Three channels, different each cycle, so every write replaces and backs up.
        for (int k = 0; k < 3; ++k) {
            const int p = 1 + (cycle * 7 + k * 41) % ChannelMap::kSlotCount;
            state.tables().setChannelAt(p, channelFor(p, cycle % 2 == 0));
        }
        state.setDataSource(AppState::File);
        incomplete +=
            RadioWriter(state, prompter, log, link, progress).run().outcome == RadioWriter::Outcome::Completed
                ? 0
                : 1;
        radio.clearTraffic();
        log.clear();
        // What the window's event loop does between two transfers: objects the
        // port handed over for later deletion go now.
        QCoreApplication::processEvents();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        if (cycle == 10)
            afterWarmUp = residentKb();
        if (cycle % 50 == 0 || cycle == cycles) {
            out << "  cycle " << cycle << ": VmRSS " << residentKb() << " kB, " << timer.elapsed() / 1000
                << " s\n";
            out.flush();
        }
    }
    const long after = residentKb();
    out << "VmRSS before " << before << " kB, after 10 cycles " << afterWarmUp << " kB, after " << cycles
        << " cycles " << after << " kB (" << (after - afterWarmUp) << " kB since the warm-up); " << incomplete
        << " transfer(s) incomplete";
    if (faults)
        out << "; faults injected " << radio.faultTotal();
    out << "\n";
    return 0;
}

} // namespace

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("quaystone-bench"));
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral(
        "Times reads and writes of the simulated radio through the real link and compares each with the time "
        "the wire and the radio's turnaround allow."));
    parser.addHelpOption();
    parser.addOptions({
        {QStringLiteral("latency"),
         QStringLiteral("The radio's turnaround before each reply, in microseconds "
                        "(default 5000)."),
         QStringLiteral("us"), QStringLiteral("5000")},
        {QStringLiteral("repeat"), QStringLiteral("Runs of each transfer; the median is shown (default 3)."),
         QStringLiteral("n"), QStringLiteral("3")},
        {QStringLiteral("rates"),
         QStringLiteral("Comma-separated CAT rates (default 4800,9600,19200,38400)."), QStringLiteral("list"),
         QStringLiteral("4800,9600,19200,38400")},
        {QStringLiteral("soak"),
         QStringLiteral("Instead of timing, run this many read/write cycles and show the memory in use."),
         QStringLiteral("n")},
        {QStringLiteral("faults"), QStringLiteral("With --soak: a light random-fault schedule on the line.")},
    });
    parser.process(app);
    if (parser.isSet(QStringLiteral("soak")))
        return soak(qMax(1, parser.value(QStringLiteral("soak")).toInt()),
                    parser.isSet(QStringLiteral("faults")));
    const int latencyUs = parser.value(QStringLiteral("latency")).toInt();
    const int repeat = qMax(1, parser.value(QStringLiteral("repeat")).toInt());

    QTextStream out(stdout);
    out << "Simulated radio: wire timing at 11 bits per character, " << latencyUs / 1000.0
        << " ms turnaround; median of " << repeat << " run(s).\n\n";
    out << "| rate | transfer | measured s | floor s | ratio | target | of which set-up s |\n";
    out << "|---:|---|---:|---:|---:|---:|---:|\n";
    out.flush();
    bool allMet = true;
    QStringList verifyNotes;
    const QStringList rates = parser.value(QStringLiteral("rates")).split(QLatin1Char(','));
    for (const QString& rateText : rates) {
        const int rate = rateText.trimmed().toInt();
        if (CatLink::baudOf(QStringLiteral("%1,N,8,2").arg(rate)) == 0)
            qFatal("not a CAT rate: %s", qPrintable(rateText));
        double allChanged = 0;
        for (Transfer transfer :
             {Transfer::ReadAll, Transfer::ReadTen, Transfer::WriteUnchanged, Transfer::WriteAllChanged,
              Transfer::WriteAllChangedVerified, Transfer::WriteAllChangedWithBackup}) {
            std::vector<Timing> runs;
            for (int i = 0; i < repeat; ++i)
                runs.push_back(runOnce(transfer, rate, latencyUs));
            std::sort(runs.begin(), runs.end(), [](const Timing& a, const Timing& b) {
                return a.measured / a.floor < b.measured / b.floor;
            });
            const Timing& median = runs[runs.size() / 2];
            const double ratio = median.measured / median.floor;
            const bool informational = transfer == Transfer::WriteAllChangedWithBackup;
            const double target =
                transfer == Transfer::WriteAllChanged || transfer == Transfer::WriteAllChangedVerified ? 1.05
                                                                                                       : 1.10;
            if (!informational)
                allMet = allMet && ratio <= target;
            const QString targetText =
                informational ? QStringLiteral("(disk)")
                              : (ratio <= target ? QStringLiteral("<= ") : QStringLiteral("MISSED ")) +
                                    QString::number(target, 'f', 2);
            out << "| " << rate << " | " << nameOf(transfer) << " | "
                << QString::number(median.measured, 'f', 3) << " | " << QString::number(median.floor, 'f', 3)
                << " | " << QString::number(ratio, 'f', 3) << " | " << targetText << " | "
                << QString::number(median.setUp, 'f', 3) << " |\n";
            if (transfer == Transfer::WriteAllChanged)
                allChanged = median.measured;
            // The read-back's cost per channel against what the wire and the turnaround take for it.
            if (transfer == Transfer::WriteAllChangedVerified)
                verifyNotes << QStringLiteral(
                                   "%1: read-back %2 ms per written channel (wire %3 ms + turnaround %4 ms)")
                                   .arg(rate)
                                   .arg((median.measured - allChanged) * 1000 / median.writes, 0, 'f', 1)
                                   .arg(33 * 11 * 1000.0 / rate, 0, 'f', 1)
                                   .arg(latencyUs / 1000.0, 0, 'f', 1);
            out.flush();
        }
    }
    out << "\n";
    for (const QString& note : verifyNotes)
        out << note << "\n";

    // The rate search at 4800: the first probe answers when the rate is remembered.
    out << "\n| radio at 4800 | connect s |\n|---|---:|\n";
    for (bool remembered : {false, true}) {
        std::vector<double> times;
        for (int i = 0; i < repeat; ++i)
            times.push_back(connectOnce(remembered, latencyUs));
        std::sort(times.begin(), times.end());
        out << "| " << (remembered ? "4800 remembered" : "nothing remembered") << " | "
            << QString::number(times[times.size() / 2], 'f', 3) << " |\n";
        out.flush();
    }
    return allMet ? 0 : 1;
}
