// SPDX-License-Identifier: GPL-3.0-or-later
#include "CatLink.h"

#include "SerialPort.h"
#include "model/CatCodec.h"
#include "state/MessageLog.h"

#include <QElapsedTimer>
#include <chrono>
#include <thread>

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

int CatLink::baudOf(const QString& lineSettings)
{
    return lineSettingsTexts().contains(lineSettings) ? lineSettings.section(QLatin1Char(','), 0, 0).toInt()
                                                      : 0;
}

CatLink::CatLink(SerialPort& port, MessageLog& log, EventYield yield)
    : m_port(port), m_log(log), m_yield(std::move(yield))
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

CatLink::Opened CatLink::openPort(int portNumber, const QString& lineSettings)
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
        return m_port.inUse()              ? Opened::InUse
               : m_port.permissionDenied() ? Opened::NoPermission
                                           : Opened::Unavailable;
    }
    m_log.trace(QStringLiteral("SetCommPort: open OK for port ") + portLabel());
    m_port.discardInput();
    m_port.discardOutput();
    return Opened::Yes;
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

bool CatLink::send(const QString& command)
{
    if (!m_port.isOpen() || checkLost())
        return false;
    // Whatever is waiting now cannot be the reply to this command.
    m_port.discardInput();
    m_lastCommand = command;
    m_port.write(command.toLatin1());
    drainOutput();
    return !m_lost;
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

CatLink::Received CatLink::receive(const Expect& expect)
{
    for (int attempt = 0;; ++attempt) {
        std::optional<Reply> reply = receiveOnce(expect);
        if (!reply) {
            // The radio may still answer; that answer will come in after the next query.
            m_replyOwed = true;
            return {std::nullopt, m_lost ? LinkError::Lost : LinkError::NoReply};
        }
        // After a query went unanswered the line is out of step: "?;" names
        // no channel and may be that query's late answer, and a late answer
        // garbled on the line may name this channel; taken, either would show
        // a channel wrongly (or let a write replace it unkept). Asking once
        // more settles it, once the line has caught up: the first answer to
        // this query may still be on its way, and an empty channel's second
        // "?;" would otherwise be taken for the next channel's answer.
        if (expect.kind == Expect::Kind::Memory && m_replyOwed && attempt == 0 && !m_lastCommand.isEmpty()) {
            m_log.trace(QStringLiteral("ReceiveData: \"") + reply->text.left(40) +
                        QStringLiteral("\" may answer an earlier query; asking again"));
            const QString query = m_lastCommand;
            if (!catchUp())
                return {std::nullopt, m_lost ? LinkError::Lost : LinkError::NoReply};
            m_replyOwed = false;
            send(query);
            continue;
        }
        m_replyOwed = false;
        // A reply read from what the device left behind as it went away counts for nothing.
        if (m_lost)
            return {std::nullopt, LinkError::Lost};
        return {std::move(reply), LinkError::NoReply};
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
        if (receiveOnce(Expect::identity()))
            return true;
    }
    return false;
}

std::optional<CatLink::Reply> CatLink::wanted(const QString& reply, const Expect& expect)
{
    const bool identity = reply == QLatin1String(CatCodec::kIdReply);
    const bool empty = reply == QLatin1String(CatCodec::kEmptyReply);
    switch (expect.kind) {
    case Expect::Kind::Identity:
        if (identity)
            return Reply{Reply::Kind::Identity, reply};
        break;
    case Expect::Kind::IdentityOrEmpty:
        if (identity || empty)
            return Reply{identity ? Reply::Kind::Identity : Reply::Kind::Empty, reply};
        break;
    case Expect::Kind::Memory:
        if (empty)
            return Reply{Reply::Kind::Empty, reply};
        if (reply.startsWith(QLatin1String("MR")) && CatCodec::channelOf(reply) == expect.channel)
            return Reply{Reply::Kind::Memory, reply};
        break;
    }
    return std::nullopt;
}

std::optional<CatLink::Reply> CatLink::receiveOnce(const Expect& expect)
{
    if (!m_port.isOpen())
        return std::nullopt;
    QString buffer;
    int received = 0;
    for (;;) {
        if (!waitForPiece()) {
            if (m_port.isOpen() && !m_lost)
                m_port.discardInput();
            return std::nullopt;
        }
        const QByteArray piece = m_port.readAll();
        if (piece.isEmpty() && buffer.isEmpty()) {
            m_log.notice(QStringLiteral("ReceiveData: no data received"));
            return std::nullopt;
        }
        buffer += QString::fromLatin1(piece);
        received += piece.size();
        if (received > kMaxReplyLength) {
            m_log.notice(QStringLiteral("ReceiveData: reply longer than %1 characters discarded")
                             .arg(kMaxReplyLength));
            m_port.discardInput();
            return std::nullopt;
        }
        // Only the answer asked for is taken: a late answer to an earlier
        // query, the radio's automatic information ("IF...;") or noise would
        // otherwise fill this slot (or pass for the identity) with the wrong
        // thing. Each is dropped and the wait goes on.
        int end;
        while ((end = buffer.indexOf(QLatin1Char(';'))) >= 0) {
            const QString reply = buffer.left(end + 1);
            buffer.remove(0, end + 1);
            // A reply sent twice, or noise after the first ";", is no part
            // of this answer; taken whole it would make a valid reply look changed.
            if (auto taken = wanted(reply, expect))
                return taken;
            // A late answer dropped here settles only its own query: after
            // several went unanswered, a "?;" still owed may come next.
            logDropped(reply, expect);
        }
    }
}

void CatLink::logDropped(const QString& reply, const Expect& expect)
{
    const int channel = reply.startsWith(QLatin1String("MR")) ? CatCodec::channelOf(reply) : -1;
    const QString waitingFor =
        expect.kind != Expect::Kind::Memory
            ? QStringLiteral("the identity")
            : QStringLiteral("channel %1").arg(expect.channel, 3, 10, QLatin1Char('0'));
    if (channel >= 0)
        m_log.trace(QStringLiteral("ReceiveData: reply for channel %1 dropped while waiting for ")
                        .arg(channel, 3, 10, QLatin1Char('0')) +
                    waitingFor);
    else
        m_log.trace(QStringLiteral("ReceiveData: \"") + reply.left(40) +
                    QStringLiteral("\" dropped while waiting for ") + waitingFor);
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
