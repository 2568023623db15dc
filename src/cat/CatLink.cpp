// SPDX-License-Identifier: GPL-3.0-or-later
#include "CatLink.h"

#include "PortDirectory.h"
#include "SerialPort.h"
#include "model/CatCodec.h"
#include "state/MessageLog.h"
#include "state/Prompter.h"
#include "state/Settings.h"

#include <QElapsedTimer>
#include <chrono>
#include <thread>

namespace {
const QString kCrLf = QStringLiteral("\r\n");
} // namespace

CatLink::Options CatLink::Options::fromSettings(Settings& settings, const QString& deviceOverride)
{
    Options options;
    options.rememberedSpeed = settings.get(Keys::LastCommSpeed).trimmed();
    options.settings = &settings;
    options.portNumber = settings.getInt(Keys::CommPort, 1);
    options.userSpeed = settings.get(Keys::UserCommSpeed).trimmed();
    options.noRts = settings.getBool(Keys::RTS);
    if (deviceOverride.isEmpty()) {
        options.device = PortDirectory(settings).device(options.portNumber);
    } else {
        options.device = deviceOverride;
        options.deviceNamed = true;
    }
    return options;
}

const QStringList& CatLink::lineSettingsTexts()
{
    static const QStringList texts = {QStringLiteral("38400,N,8,2"), QStringLiteral("19200,N,8,2"),
                                      QStringLiteral("9600,N,8,2"), QStringLiteral("4800,N,8,2")};
    return texts;
}

QStringList CatLink::searchOrder(const QString& remembered)
{
    QStringList order = lineSettingsTexts();
    if (order.removeOne(remembered))
        order.prepend(remembered);
    return order;
}

void CatLink::remember(const QString& lineSettings)
{
    if (m_options.settings && m_options.rememberedSpeed != lineSettings) {
        m_options.rememberedSpeed = lineSettings;
        m_options.settings->set(Keys::LastCommSpeed, lineSettings);
    }
}

int CatLink::baudOf(const QString& lineSettings)
{
    return lineSettingsTexts().contains(lineSettings) ? lineSettings.section(QLatin1Char(','), 0, 0).toInt()
                                                      : 0;
}

CatLink::CatLink(SerialPort& port, MessageLog& log, Prompter& prompter, EventYield yield)
    : m_port(port), m_log(log), m_prompter(prompter), m_yield(std::move(yield))
{
}

QString CatLink::portLabel() const
{
    return m_options.deviceNamed ? m_options.device : QString::number(m_options.portNumber);
}

void CatLink::yieldEvents()
{
    if (m_yield)
        m_yield();
}

bool CatLink::checkLost()
{
    if (m_port.isOpen() && m_port.isLost() && !m_lost) {
        m_lost = true;
        m_log.trace(QStringLiteral("SetCommPort: the port has gone away (") + m_port.errorText() +
                    QLatin1Char(')'));
    }
    return m_lost;
}

bool CatLink::openPort(int portNumber, const QString& lineSettings)
{
    closePort();
    m_options.portNumber = portNumber;
    m_lineSettings = lineSettings;
    m_lost = false;
    m_replyOwed = false;
    m_lastCommand.clear();
    const int baud = baudOf(lineSettings);
    // Never open with a settings text the port does not know.
    const bool opened =
        baud != 0 && !m_options.device.isEmpty() && m_port.open(m_options.device, baud, !m_options.noRts);
    if (!opened) {
        m_log.trace(QStringLiteral("SetCommPort: open failed for port ") + portLabel());
        QString text = QStringLiteral("COM Port ") + portLabel() +
                       QStringLiteral(" is not available. It may be in use by another program.") + kCrLf +
                       QStringLiteral("The requested operation cannot continue.");
        if (m_port.inUse())
            text += kCrLf + QStringLiteral("The port is in use by another program; close that program "
                                           "and try again.");
#ifndef Q_OS_WIN
        else if (m_port.permissionDenied())
            text +=
                kCrLf + QStringLiteral("On Linux, add your user to the 'dialout' group and log in again.");
#endif
        m_prompter.inform(text, Prompter::Icon::Exclamation);
        return false;
    }
    m_log.trace(QStringLiteral("SetCommPort: open OK for port ") + portLabel());
    m_port.discardInput();
    m_port.discardOutput();
    return true;
}

void CatLink::closePort()
{
    if (m_port.isOpen())
        m_port.close();
}

bool CatLink::isOpen() const
{
    return m_port.isOpen();
}

void CatLink::discardInput()
{
    if (m_port.isOpen())
        m_port.discardInput();
}

void CatLink::send(const QString& command)
{
    if (!m_port.isOpen() || checkLost())
        return;
    // Whatever is waiting now cannot be the reply to this command.
    m_port.discardInput();
    m_lastCommand = command;
    m_port.write(command.toLatin1());
    drainOutput();
}

void CatLink::drainOutput()
{
    QElapsedTimer timer;
    timer.start();
    while (m_port.bytesToWrite() > 0 && !checkLost()) {
        const qint64 left = kDrainLimitMs - timer.elapsed();
        if (left <= 0) {
            m_log.trace(QStringLiteral("SendData: output not accepted by the port"));
            m_port.discardOutput();
            return;
        }
        if (!m_port.waitForBytesWritten(int(qMin<qint64>(left, kPollIntervalMs))))
            yieldEvents();
    }
}

bool CatLink::waitForPiece()
{
    QElapsedTimer timer;
    timer.start();
    for (;;) {
        if (m_port.bytesAvailable() > 0)
            return true;
        if (checkLost())
            return false;
        const qint64 left = kReplyWindowMs - timer.elapsed();
        if (left <= 0)
            return false;
        // Returns the moment data arrives; the slices only bound how long the
        // event loop waits for its turn.
        if (m_port.waitForReadyRead(int(qMin<qint64>(left, kPollIntervalMs))) || m_port.bytesAvailable() > 0)
            return true;
        yieldEvents();
    }
}

bool CatLink::receive(int expectedChannel)
{
    for (int attempt = 0;; ++attempt) {
        if (!receiveOnce(expectedChannel)) {
            // The radio may still answer; that answer will come in after the next query.
            m_replyOwed = true;
            return false;
        }
        // After a query went unanswered the line is out of step: "?;" names
        // no channel and may be that query's late answer, and a late answer
        // garbled on the line may name this channel; taken, either would show
        // a channel wrongly (or let a write replace it unkept). Asking once
        // more settles it, once the line has caught up: the first answer to
        // this query may still be on its way, and an empty channel's second
        // "?;" would otherwise be taken for the next channel's answer.
        if (expectedChannel >= 0 && m_replyOwed && attempt == 0 && !m_lastCommand.isEmpty()) {
            m_log.trace(QStringLiteral("ReceiveData: \"") + m_reply.left(40) +
                        QStringLiteral("\" may answer an earlier query; asking again"));
            const QString query = m_lastCommand;
            if (!catchUp())
                return false;
            m_replyOwed = false;
            send(query);
            continue;
        }
        m_replyOwed = false;
        if (m_rememberOnReply) {
            m_rememberOnReply = false;
            remember(m_lineSettings);
        }
        return true;
    }
}

bool CatLink::catchUp()
{
    // The radio answers in order and its identity reply names itself, so
    // whatever comes before that reply answers earlier queries.
    send(QString::fromLatin1(CatCodec::kIdQuery));
    QElapsedTimer timer;
    timer.start();
    while (!m_lost && timer.elapsed() < kDrainLimitMs) {
        if (receiveOnce(kIdentityOnly))
            return true;
    }
    return false;
}

bool CatLink::isWanted(const QString& reply, int expectedChannel)
{
    if (expectedChannel == kIdentityOnly)
        return reply == QLatin1String(CatCodec::kIdReply);
    if (expectedChannel == kIdentity)
        return reply == QLatin1String(CatCodec::kIdReply) || reply == QLatin1String(CatCodec::kEmptyReply);
    if (expectedChannel < 0 || reply == QLatin1String(CatCodec::kEmptyReply))
        return true;
    return reply.startsWith(QLatin1String("MR")) && CatCodec::channelOf(reply) == expectedChannel;
}

bool CatLink::receiveOnce(int expectedChannel)
{
    m_reply.clear();
    if (!m_port.isOpen())
        return false;
    QString buffer;
    int received = 0;
    for (;;) {
        if (!waitForPiece()) {
            if (m_port.isOpen() && !m_lost)
                m_port.discardInput();
            return false;
        }
        const QByteArray piece = m_port.readAll();
        if (piece.isEmpty() && buffer.isEmpty()) {
            m_log.notice(QStringLiteral("ReceiveData: no data received"));
            return false;
        }
        buffer += QString::fromLatin1(piece);
        received += piece.size();
        if (received > kMaxReplyLength) {
            m_log.notice(QStringLiteral("ReceiveData: reply longer than %1 characters discarded")
                             .arg(kMaxReplyLength));
            m_port.discardInput();
            return false;
        }
        // Only the answer asked for is taken: a late answer to an earlier
        // query, the radio's automatic information ("IF...;") or noise would
        // otherwise fill this slot (or pass for the identity) with the wrong
        // thing. Each is dropped and the wait goes on.
        int end;
        while ((end = buffer.indexOf(QLatin1Char(';'))) >= 0) {
            const QString reply = buffer.left(end + 1);
            buffer.remove(0, end + 1);
            if (isWanted(reply, expectedChannel)) {
                // A reply sent twice, or noise after the first ";", is no part
                // of this answer; taken whole it would make a valid reply look changed.
                m_reply = reply;
                return true;
            }
            // A late answer dropped here settles only its own query: after
            // several went unanswered, a "?;" still owed may come next.
            logDropped(reply, expectedChannel);
        }
    }
}

void CatLink::logDropped(const QString& reply, int expectedChannel)
{
    const int channel = reply.startsWith(QLatin1String("MR")) ? CatCodec::channelOf(reply) : -1;
    const QString waitingFor =
        expectedChannel == kIdentity || expectedChannel == kIdentityOnly
            ? QStringLiteral("the identity")
            : QStringLiteral("channel %1").arg(expectedChannel, 3, 10, QLatin1Char('0'));
    if (channel >= 0)
        m_log.trace(QStringLiteral("ReceiveData: reply for channel %1 dropped while waiting for ")
                        .arg(channel, 3, 10, QLatin1Char('0')) +
                    waitingFor);
    else
        m_log.trace(QStringLiteral("ReceiveData: \"") + reply.left(40) +
                    QStringLiteral("\" dropped while waiting for ") + waitingFor);
}

CatLink::IdentityAnswer CatLink::queryIdentity()
{
    // send() discards whatever is waiting, so only an answer to this query counts.
    send(QString::fromLatin1(CatCodec::kIdQuery));
    if (!receive(kIdentity))
        return IdentityAnswer::Silent;
    return m_reply == QLatin1String(CatCodec::kIdReply) ? IdentityAnswer::Identity : IdentityAnswer::Other;
}

void CatLink::pause(int msecs)
{
    yieldEvents();
    QElapsedTimer timer;
    timer.start();
    for (;;) {
        const qint64 left = qint64(msecs) * 1000000 - timer.nsecsElapsed();
        if (left <= 0)
            return;
        std::this_thread::sleep_for(
            std::chrono::nanoseconds(qMin<qint64>(left, kPollIntervalMs * 1000000LL)));
        if (timer.nsecsElapsed() < qint64(msecs) * 1000000)
            yieldEvents();
    }
}

bool CatLink::connect(const std::function<bool()>& stopRequested)
{
    m_setUpStopped = false;
    QString userSpeed = m_options.userSpeed;
    if (baudOf(userSpeed) == 0) {
        m_log.notice(QStringLiteral("The stored Com speed '") + userSpeed +
                     QStringLiteral("' is not one of 4800, 9600, 19200 or 38400; using ") +
                     QString::fromLatin1(kDefaultSpeed));
        userSpeed = QString::fromLatin1(kDefaultSpeed);
    }

    m_rememberOnReply = false;
    bool found = false;
    // A radio left at a slower rate answers the first probe instead of after
    // a time-out at each faster one.
    const QStringList order = searchOrder(m_options.rememberedSpeed);
    for (int pass = 0; pass < 2 && !found; ++pass) {
        for (const QString& rate : order) {
            // A close or a stop click during the search ends it: the radio
            // has been told nothing yet, so nothing needs undoing.
            if (stopRequested && stopRequested()) {
                closePort();
                m_log.trace(QStringLiteral("Link set-up stopped by the user"));
                m_setUpStopped = true;
                return false;
            }
            // A port that cannot be opened has shown its message once; trying
            // the other rates would only repeat it.
            if (!openPort(m_options.portNumber, rate))
                return false;
            const QString baud = rate.section(QLatin1Char(','), 0, 0);
            // An identity that answers a query sent at an earlier rate arrives
            // late, during this one; only a second fresh query at this rate,
            // answered too, shows the radio listens here.
            const IdentityAnswer first = queryIdentity();
            if (first == IdentityAnswer::Silent) {
                m_log.trace(QStringLiteral("Baud rate of ") + baud + QStringLiteral(" not successful"));
            } else if (first == IdentityAnswer::Identity) {
                if (queryIdentity() == IdentityAnswer::Identity) {
                    m_lineSettings = rate;
                    m_log.trace(QStringLiteral("Baud rate of ") + baud + QStringLiteral(" detected"));
                    remember(rate);
                    found = true;
                    break;
                }
                m_log.trace(QStringLiteral("Baud rate of ") + baud +
                            QStringLiteral(" not confirmed; the identity came from an earlier query"));
            }
        }
        if (!found)
            closePort();
    }
    if (!found) {
        m_prompter.inform(QStringLiteral("Two attempts to set the CAT rate have failed.") + kCrLf +
                          QStringLiteral("Please check your Com port connection and radio power on state."));
        return false;
    }

    m_log.trace(QStringLiteral("Turning off Auto Information"));
    send(QString::fromLatin1(CatCodec::kAutoInfoOff));
    m_log.trace(QStringLiteral("Setting Com speed to ") + userSpeed);
    m_lineSettings = userSpeed;
    send(CatCodec::catRateCommand(userSpeed));
    closePort();
    if (!openPort(m_options.portNumber, m_lineSettings))
        return false;
    // The radio was told to move; it is remembered there once it answers there.
    m_rememberOnReply = m_lineSettings != m_options.rememberedSpeed;
    return true;
}
