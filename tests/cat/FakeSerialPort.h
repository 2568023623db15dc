// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "cat/SerialPort.h"

#include <QElapsedTimer>
#include <QMap>
#include <QStringList>
#include <QVector>

// A serial port for unit tests. Each command written can be answered with
// scripted pieces, each arriving a number of milliseconds after the write;
// waits really wait (briefly), so the link's time limits are exercised.
class FakeSerialPort : public SerialPort {
public:
    struct Piece {
        int delayMs = 0;
        QByteArray text;
    };

    FakeSerialPort();

    // Answers every write of command with these pieces (until changed).
    void answer(const QString& command, const QVector<Piece>& pieces);
    // A device the user may not open.
    void denyOpen() { m_denied = true; }

    QStringList written() const { return m_written; }

    bool open(const QString& device, qint32 baudRate, bool rtsCts) override;
    void close() override;
    bool isOpen() const override { return m_open; }
    void discardInput() override;
    void discardOutput() override { m_toWrite = 0; }
    qint64 write(const QByteArray& data) override;
    qint64 bytesToWrite() const override { return m_toWrite; }
    bool waitForBytesWritten(int msecs) override;
    qint64 bytesAvailable() const override;
    QByteArray readAll() override;
    bool waitForReadyRead(int msecs) override;
    bool isLost() const override { return false; } // a lost line is tested on a real pseudo-terminal
    bool permissionDenied() const override { return m_denied; }
    bool inUse() const override { return false; }
    QString errorText() const override { return QStringLiteral("fake error"); }

    bool lastRtsCts() const { return m_rtsCts; }

private:
    struct Pending {
        qint64 dueMs;
        QByteArray text;
    };
    void deliverDue() const;

    QElapsedTimer m_clock;
    QMap<QString, QVector<Piece>> m_answers;
    mutable QVector<Pending> m_pending;
    mutable QByteArray m_ready;
    QStringList m_written;
    qint64 m_toWrite = 0;
    bool m_open = false;
    bool m_denied = false;
    bool m_rtsCts = false;
};
