// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "SerialPort.h"

#include <QSerialPort>

// The serial port of a real run: QSerialPort, used by polling only. It must
// be used on the thread that created it.
class QtSerialPortAdapter : public SerialPort {
public:
    QtSerialPortAdapter();
    ~QtSerialPortAdapter() override;

    bool open(const QString& device, qint32 baudRate, bool rtsCts) override;
    void close() override;
    bool isOpen() const override;

    void discardInput() override;
    void discardOutput() override;

    qint64 write(const QByteArray& data) override;
    qint64 bytesToWrite() const override;
    bool waitForBytesWritten(int msecs) override;

    qint64 bytesAvailable() const override;
    QByteArray readAll() override;
    bool waitForReadyRead(int msecs) override;

    bool isLost() const override { return m_lost; }
    bool permissionDenied() const override { return m_permissionDenied; }
    bool inUse() const override { return m_inUse; }
    QString errorText() const override { return m_port.errorString(); }

private:
    void onError(QSerialPort::SerialPortError error);

    QSerialPort m_port;
    bool m_lost = false;
    bool m_permissionDenied = false;
    bool m_inUse = false;
};
