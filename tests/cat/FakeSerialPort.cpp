// SPDX-License-Identifier: GPL-3.0-or-later
#include "FakeSerialPort.h"

#include <QThread>

FakeSerialPort::FakeSerialPort()
{
    m_clock.start();
}

void FakeSerialPort::answer(const QString& command, const QVector<Piece>& pieces)
{
    m_answers[command] = pieces;
}

bool FakeSerialPort::open(const QString&, qint32, bool rtsCts)
{
    if (m_denied)
        return false;
    m_open = true;
    m_rtsCts = rtsCts;
    return true;
}

void FakeSerialPort::close()
{
    m_open = false;
    m_pending.clear();
    m_ready.clear();
    m_toWrite = 0;
}

void FakeSerialPort::discardInput()
{
    deliverDue();
    m_ready.clear();
}

qint64 FakeSerialPort::write(const QByteArray& data)
{
    const QString command = QString::fromLatin1(data);
    m_written << command;
    m_toWrite = data.size();
    for (const Piece& piece : m_answers.value(command))
        m_pending.append({m_clock.elapsed() + piece.delayMs, piece.text});
    return data.size();
}

bool FakeSerialPort::waitForBytesWritten(int)
{
    const bool any = m_toWrite > 0;
    m_toWrite = 0;
    return any;
}

void FakeSerialPort::deliverDue() const
{
    const qint64 now = m_clock.elapsed();
    while (!m_pending.isEmpty() && m_pending.first().dueMs <= now)
        m_ready += m_pending.takeFirst().text;
}

qint64 FakeSerialPort::bytesAvailable() const
{
    deliverDue();
    return m_ready.size();
}

QByteArray FakeSerialPort::readAll()
{
    deliverDue();
    const QByteArray data = m_ready;
    m_ready.clear();
    return data;
}

bool FakeSerialPort::waitForReadyRead(int msecs)
{
    const qint64 now = m_clock.elapsed();
    qint64 until = now + msecs;
    if (!m_pending.isEmpty())
        until = qMin(until, m_pending.first().dueMs);
    if (until > now)
        QThread::msleep(static_cast<unsigned long>(until - now));
    return bytesAvailable() > 0;
}
