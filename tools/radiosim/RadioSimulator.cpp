// SPDX-License-Identifier: GPL-3.0-or-later
#include "RadioSimulator.h"
#include "ReplyFilters.h"

#include "io/SafeFileWriter.h"
#include "io/TextFileReader.h"
#include "io/TextFileWriter.h"

#include <QFile>

#include <cerrno>
#include <chrono>
#include <fcntl.h>
#include <poll.h>
#include <sys/ioctl.h>
#include <termios.h>
#include <unistd.h>
#if defined(__linux__)
#include <pty.h>
#include <sys/prctl.h>
#elif defined(__FreeBSD__) || defined(__DragonFly__)
#include <libutil.h>
#else
#include <util.h> // macOS, NetBSD, OpenBSD
#endif

namespace {
constexpr int kMaxPending = 256;
constexpr int kBitsPerCharacter = 11; // start, 8 data, 2 stop

// The radio's own words, kept apart from the program's codec so that a
// fault there shows as a disagreement with this radio, not hidden by it.
constexpr char kIdQuery[] = "ID;";
constexpr char kIdReply[] = "ID0310;";
constexpr char kEmptyReply[] = "?;";

// The radio's memory layout, shared by its reply to "MR" and the "MW"
// command; positions count from 1:
//   1-2 "MR"/"MW", 3-5 channel, 6-13 frequency in hertz, 14-20 other data,
//   21 mode, 22 other data, 23 encoding, 24-25 tone number, 26 shift, 27 ";".
// The simulator stores the lines as they come; it reads only these fields.
struct Field {
    int position;
    int width;
};
constexpr int kMemoryLength = 27;
constexpr Field kChannelField{3, 3};
constexpr Field kFrequencyField{6, 8};
constexpr Field kToneField{24, 2};
constexpr int kToneCount = 50; // tone numbers 00..49

QString field(const QString& line, Field f)
{
    return line.mid(f.position - 1, f.width);
}

bool isDigits(const QString& text)
{
    if (text.isEmpty())
        return false;
    for (const QChar c : text) {
        if (c < QLatin1Char('0') || c > QLatin1Char('9'))
            return false;
    }
    return true;
}

long long wireNs(int characters, int baud)
{
    return baud > 0 ? (long long)characters * kBitsPerCharacter * 1000000000LL / baud : 0;
}

// The channel field as a number: exactly three digits, else -1.
int channelField(const QString& line)
{
    const QString channel = field(line, kChannelField);
    return channel.size() == kChannelField.width && isDigits(channel) ? channel.toInt() : -1;
}

// The channel of a memory reply or memory-write line, or -1.
int channelOfLine(const QString& line)
{
    if (line.size() != kMemoryLength || !line.endsWith(QLatin1Char(';')) ||
        !(line.startsWith(QLatin1String("MR")) || line.startsWith(QLatin1String("MW"))))
        return -1;
    const int channel = channelField(line);
    return channel < RadioSimulator::kChannelCount ? channel : -1;
}

// Why a line of a memory file cannot go into the radio, or an empty text.
QString fileLineProblem(const QString& line)
{
    if (line.size() < kMemoryLength - 1)
        return QStringLiteral("the line is too short");
    const int channel = channelField(line);
    const int highest = RadioSimulator::kChannelCount - 1;
    if (channel < 0)
        return QStringLiteral("the channel number '%1' is not three digits").arg(field(line, kChannelField));
    if (channel > highest)
        return QStringLiteral("channel %1 is above %2").arg(channel).arg(highest);
    if (!isDigits(field(line, kFrequencyField)))
        return QStringLiteral("the frequency is not a number");
    const QString tone = field(line, kToneField);
    if (!isDigits(tone))
        return QStringLiteral("the tone number '%1' is not a number").arg(tone);
    if (tone.toInt() >= kToneCount)
        return QStringLiteral("tone number %1 is outside 00 to %2").arg(tone).arg(kToneCount - 1);
    return {};
}
} // namespace

RadioSimulator::RadioSimulator() : RadioSimulator(Options()) {}

RadioSimulator::RadioSimulator(const Options& options)
    : m_options(options), m_catRate(options.startRate), m_random(options.faultSeed)
{
    // The faults in the order they act on a reply.
    const auto add = [this](ReplyFilter* filter) { m_filters.emplace_back(filter); };
    if (options.noAnswer)
        add(new NoAnswer);
    if (options.garbageChannel >= 0)
        add(new GarbledChannel(options.garbageChannel));
    if (options.silentAfterChannel >= 0)
        add(new SilentAfterChannel(options.silentAfterChannel));
    if (options.lateChannel >= 0)
        add(new LateReply(options.lateMs, LateReply::Which::Channel, options.lateChannel));
    if (options.dropWrite > 0)
        add(new IgnoreWrite(options.dropWrite));
    if (options.idLateMs > 0)
        add(new LateReply(options.idLateMs, LateReply::Which::Identity, -1, options.idLateReplies));
    if (options.autoInfoOutput)
        add(new AutoInformationLine);
    add(new ScheduledFaults(m_random, options.faultLateMs));
}

const char* RadioSimulator::faultName(Fault fault)
{
    static const char* const kNames[kFaultKinds] = {"drop",    "late",          "duplicate",
                                                    "garbage", "wrong channel", "hang-up"};
    return kNames[int(fault)];
}

RadioSimulator::~RadioSimulator()
{
    stop();
}

int RadioSimulator::baudOfSpeed(unsigned int speed)
{
    switch (speed) {
    case B1200:
        return 1200;
    case B2400:
        return 2400;
    case B4800:
        return 4800;
    case B9600:
        return 9600;
    case B19200:
        return 19200;
    case B38400:
        return 38400;
    case B57600:
        return 57600;
    case B115200:
        return 115200;
    default:
        return 0;
    }
}

QString RadioSimulator::start()
{
    if (isRunning())
        return m_devicePath;
    m_error.clear();
    char name[256] = {};
    if (openpty(&m_master, &m_slave, name, nullptr, nullptr) != 0) {
        m_error =
            QStringLiteral("cannot create a pseudo-terminal: ") + QString::fromLocal8Bit(strerror(errno));
        return {};
    }
    // Raw until a client sets its own line: nothing echoed back to the radio.
    termios settings{};
    tcgetattr(m_slave, &settings);
    cfmakeraw(&settings);
    tcsetattr(m_slave, TCSANOW, &settings);
    fcntl(m_master, F_SETFD, FD_CLOEXEC);
    fcntl(m_slave, F_SETFD, FD_CLOEXEC);
    if (pipe(m_wake) != 0) {
        m_error = QStringLiteral("cannot create a pipe: ") + QString::fromLocal8Bit(strerror(errno));
        ::close(m_master);
        ::close(m_slave);
        m_master = m_slave = -1;
        return {};
    }
    m_devicePath = QString::fromLocal8Bit(name);
    m_hungUp = false;
    m_commandCount = 0;
    for (const auto& filter : m_filters)
        filter->restart();
    m_catRate = m_options.startRate;
    m_thread = std::thread([this] { run(); });
    return m_devicePath;
}

void RadioSimulator::stop()
{
    if (m_thread.joinable()) {
        const char stopByte = 'x';
        [[maybe_unused]] const ssize_t written = ::write(m_wake[1], &stopByte, 1);
        m_thread.join();
    }
    for (int* fd : {&m_wake[0], &m_wake[1], &m_master, &m_slave}) {
        if (*fd >= 0)
            ::close(*fd);
        *fd = -1;
    }
}

void RadioSimulator::run()
{
#if defined(__linux__)
    // Wire timing sleeps to the microsecond; the default 50 us timer slack
    // would add to every reply.
    prctl(PR_SET_TIMERSLACK, 1UL, 0UL, 0UL, 0UL);
#endif
    QByteArray pending;
    for (;;) {
        pollfd fds[2] = {{m_wake[0], POLLIN, 0}, {m_master, POLLIN, 0}};
        const int count = m_master >= 0 ? 2 : 1;
        m_waiting = true;
        const int polled = ::poll(fds, count, -1);
        m_waiting = false;
        if (polled < 0) {
            if (errno == EINTR)
                continue;
            return;
        }
        if (fds[0].revents)
            return;
        if (count < 2 || !(fds[1].revents & (POLLIN | POLLHUP | POLLERR)))
            continue;
        char buffer[512];
        const ssize_t n = ::read(m_master, buffer, sizeof buffer);
        if (n <= 0) {
            if (n < 0 && (errno == EINTR || errno == EAGAIN))
                continue;
            // Nobody will talk to this radio again; wait for stop().
            hangUp();
            continue;
        }
        pending.append(buffer, int(n));
        int end;
        while ((end = pending.indexOf(';')) >= 0) {
            const QString command = QString::fromLatin1(pending.left(end + 1));
            pending.remove(0, end + 1);
            handle(command);
            if (m_master < 0)
                break;
        }
        // Noise that never ends a command.
        if (pending.size() > kMaxPending)
            pending.clear();
    }
}

bool RadioSimulator::waitUntilIdle(int msecs) const
{
    // A command on its way through the terminal may not show as waiting for
    // a moment: idle counts only when seen twice a little apart.
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(msecs);
    int idleSeen = 0;
    while (std::chrono::steady_clock::now() < deadline) {
        int queued = 0;
        const bool idle =
            m_waiting.load() && (m_master < 0 || (::ioctl(m_master, FIONREAD, &queued) == 0 && queued == 0));
        idleSeen = idle ? idleSeen + 1 : 0;
        if (idleSeen >= 2)
            return true;
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    return false;
}

int RadioSimulator::clientBaud() const
{
    termios settings{};
    if (m_slave < 0 || tcgetattr(m_slave, &settings) != 0)
        return 0;
    return baudOfSpeed(cfgetospeed(&settings));
}

void RadioSimulator::handle(const QString& command)
{
    const auto received = std::chrono::steady_clock::now();
    // The cable goes while this command is on its way: it is never answered.
    if (m_options.hangUpAfter >= 0 && m_commandCount >= m_options.hangUpAfter) {
        hangUp();
        return;
    }
    ReplyFilter::Exchange exchange;
    exchange.command = command;
    exchange.scheduledFault = drawFault(command);
    if (exchange.scheduledFault == int(Fault::HangUp)) {
        hangUp();
        return;
    }
    const int baud = clientBaud();
    exchange.commandNumber = ++m_commandCount;
    // The identity is what finds the radio's speed, so it is answered only
    // at the radio's own rate. Other commands are taken at any rate: a
    // pseudo-terminal carries no speed with its bytes, and a client that
    // sends and then reopens at a new speed may have changed the line before
    // this thread looks at it.
    exchange.heard = command != QLatin1String(kIdQuery) || baud == m_catRate;
    for (const auto& filter : m_filters)
        filter->before(exchange);
    if (exchange.heard) {
        answer(exchange);
        exchange.autoInformation = m_autoInfo;
        for (const auto& filter : m_filters)
            filter->after(exchange);
        if (exchange.storesWrite)
            setChannel(command);
    }
    const QString& reply = exchange.reply;
    record(command, reply, baud);
    // Times are kept as deadlines from the command's arrival, so that the
    // sleeps' own overshoot does not add up.
    auto due = received;
    if (m_options.wireTiming)
        due += std::chrono::nanoseconds(wireNs(command.size(), baud));
    if (!reply.isEmpty())
        sendReply(command, reply, baud, exchange.lateMs, due);
    else
        std::this_thread::sleep_until(due);
}

void RadioSimulator::answer(ReplyFilter::Exchange& exchange)
{
    const QString& command = exchange.command;
    QString& reply = exchange.reply;
    const QString empty = QString::fromLatin1(kEmptyReply);
    if (command == QLatin1String(kIdQuery)) {
        reply = m_options.unknownId ? empty : QString::fromLatin1(kIdReply);
        return;
    }
    if (command == QLatin1String("AI0;") || command == QLatin1String("AI1;")) {
        if (!m_options.ignoreAutoInfoOff || command.at(2) == QLatin1Char('1'))
            m_autoInfo = command.at(2) == QLatin1Char('1');
        return;
    }
    if (command.size() == 7 && command.startsWith(QLatin1String("EX026")) &&
        command.at(5) >= QLatin1Char('0') && command.at(5) <= QLatin1Char('3')) {
        static const int kRates[] = {4800, 9600, 19200, 38400};
        m_catRate = kRates[command.at(5).unicode() - '0'];
        return;
    }
    if (command.size() == 6 && command.startsWith(QLatin1String("MR")) &&
        isDigits(field(command, kChannelField))) {
        const int channel = field(command, kChannelField).toInt();
        reply = empty;
        if (channel >= kChannelCount)
            return;
        exchange.queryChannel = channel;
        std::lock_guard<std::mutex> lock(m_mutex);
        if (!m_channels[channel].isEmpty())
            reply = m_channels[channel];
        return;
    }
    if (command.startsWith(QLatin1String("MW"))) {
        // The radio stores a well-formed write and says nothing.
        if (channelOfLine(command) >= 0 && isDigits(field(command, kFrequencyField)))
            exchange.storesWrite = true;
        else
            reply = empty;
        return;
    }
    reply = empty;
}

void RadioSimulator::sendReply(const QString& command, const QString& reply, int baud, int lateMs,
                               std::chrono::steady_clock::time_point due)
{
    const QByteArray bytes = reply.toLatin1();
    if (m_options.wireTiming) {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_busyNs += wireNs(command.size(), baud) + m_options.latencyUs * 1000LL + wireNs(bytes.size(), baud);
        due += std::chrono::microseconds(m_options.latencyUs);
    }
    due += std::chrono::milliseconds(lateMs);
    QVector<QByteArray> pieces;
    if (m_options.splitAt > 0 && m_options.splitAt < bytes.size())
        pieces = {bytes.left(m_options.splitAt), bytes.mid(m_options.splitAt)};
    else
        pieces = {bytes};
    for (int i = 0; i < pieces.size(); ++i) {
        if (i > 0)
            due += std::chrono::milliseconds(m_options.splitGapMs);
        // A piece is all there once its last character has crossed the wire.
        if (m_options.wireTiming)
            due += std::chrono::nanoseconds(wireNs(pieces[i].size(), baud));
        std::this_thread::sleep_until(due);
        if (m_master < 0)
            return;
        const char* data = pieces[i].constData();
        qint64 left = pieces[i].size();
        while (left > 0) {
            const ssize_t n = ::write(m_master, data, size_t(left));
            if (n < 0) {
                if (errno == EINTR || errno == EAGAIN)
                    continue;
                return;
            }
            data += n;
            left -= n;
        }
    }
}

int RadioSimulator::drawFault(const QString& command)
{
    const Options::FaultRates& rates = m_options.faults;
    const bool query = command.size() == 6 && command.startsWith(QLatin1String("MR"));
    const bool write = command.startsWith(QLatin1String("MW"));
    if (!query && !write)
        return -1;
    const double roll = std::uniform_real_distribution<double>(0.0, 1.0)(m_random);
    int fault = -1;
    if (write) {
        if (roll < rates.hangUp)
            fault = int(Fault::HangUp);
    } else {
        const double bounds[kFaultKinds] = {rates.drop,    rates.late,         rates.duplicate,
                                            rates.garbage, rates.wrongChannel, rates.hangUp};
        double upTo = 0;
        for (int kind = 0; kind < kFaultKinds && fault < 0; ++kind) {
            upTo += bounds[kind];
            if (roll < upTo)
                fault = kind;
        }
    }
    if (fault >= 0) {
        std::lock_guard<std::mutex> lock(m_mutex);
        ++m_faultCounts[fault];
    }
    return fault;
}

QVector<int> RadioSimulator::faultCounts() const
{
    std::lock_guard<std::mutex> lock(m_mutex);
    return QVector<int>(std::begin(m_faultCounts), std::end(m_faultCounts));
}

int RadioSimulator::faultTotal() const
{
    int total = 0;
    for (int count : faultCounts())
        total += count;
    return total;
}

void RadioSimulator::hangUp()
{
    // Both ends go, as when the cable is pulled: the client's next read fails.
    if (m_master >= 0)
        ::close(m_master);
    if (m_slave >= 0)
        ::close(m_slave);
    m_master = m_slave = -1;
    m_hungUp = true;
    std::function<void(const QString&)> logger;
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        logger = m_logger;
    }
    if (logger)
        logger(QStringLiteral("-- line hung up"));
}

void RadioSimulator::record(const QString& command, const QString& reply, int baud)
{
    std::function<void(const QString&)> logger;
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_traffic.append({command, reply, baud});
        logger = m_logger;
    }
    if (logger) {
        logger(QStringLiteral("> ") + command + QStringLiteral("  (%1 baud)").arg(baud));
        if (!reply.isEmpty())
            logger(QStringLiteral("< ") + reply);
    }
}

bool RadioSimulator::setChannel(const QString& line)
{
    const int channel = channelOfLine(line);
    if (channel < 0)
        return false;
    QString stored = line;
    stored[1] = QLatin1Char('R');
    std::lock_guard<std::mutex> lock(m_mutex);
    m_channels[channel] = stored;
    return true;
}

void RadioSimulator::clearChannel(int channel)
{
    if (channel < 0 || channel >= kChannelCount)
        return;
    std::lock_guard<std::mutex> lock(m_mutex);
    m_channels[channel].clear();
}

void RadioSimulator::clearAllChannels()
{
    std::lock_guard<std::mutex> lock(m_mutex);
    for (QString& channel : m_channels)
        channel.clear();
}

QString RadioSimulator::channel(int channel) const
{
    if (channel < 0 || channel >= kChannelCount)
        return {};
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_channels[channel];
}

int RadioSimulator::filledChannelCount() const
{
    std::lock_guard<std::mutex> lock(m_mutex);
    int count = 0;
    for (const QString& channel : m_channels)
        count += channel.isEmpty() ? 0 : 1;
    return count;
}

bool RadioSimulator::loadFile(const QString& path, QStringList* problems)
{
    QFile file(path);
    TextFileReader reader;
    if (!file.open(QIODevice::ReadOnly) || !reader.read(file)) {
        if (problems)
            problems->append(path + QStringLiteral(": ") + file.errorString());
        return false;
    }
    clearAllChannels();
    const QStringList& lines = reader.lines();
    for (int i = 0; i < lines.size(); ++i) {
        const QString line = lines.at(i).trimmed();
        if (line.isEmpty())
            continue;
        const QString problem = fileLineProblem(line);
        if (!problem.isEmpty() || !setChannel(line)) {
            if (problems)
                problems->append(QStringLiteral("line %1 skipped: %2")
                                     .arg(i + 1)
                                     .arg(problem.isEmpty() ? QStringLiteral("not a memory line") : problem));
        }
    }
    return true;
}

bool RadioSimulator::saveFile(const QString& path, QString* error) const
{
    QStringList lines;
    for (int channel = 0; channel < kChannelCount; ++channel) {
        QString line = this->channel(channel);
        if (line.isEmpty())
            continue;
        line[1] = QLatin1Char('W');
        lines << line;
    }
    return SafeFileWriter::save(path, TextFileWriter::encode(lines), error);
}

QVector<RadioSimulator::Exchange> RadioSimulator::traffic() const
{
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_traffic;
}

QStringList RadioSimulator::commands() const
{
    QStringList list;
    for (const Exchange& exchange : traffic())
        list << exchange.command;
    return list;
}

void RadioSimulator::clearTraffic()
{
    std::lock_guard<std::mutex> lock(m_mutex);
    m_traffic.clear();
}

void RadioSimulator::setLogger(std::function<void(const QString& line)> logger)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    m_logger = std::move(logger);
}

double RadioSimulator::busySeconds() const
{
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_busyNs / 1e9;
}

void RadioSimulator::resetBusy()
{
    std::lock_guard<std::mutex> lock(m_mutex);
    m_busyNs = 0;
}
