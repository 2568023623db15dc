// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QString>

// What the CAT link needs from a serial port. Production uses QSerialPort;
// unit tests use a scripted fake, so the link's timing and reply rules can be
// tested without a device.
class SerialPort {
public:
    virtual ~SerialPort() = default;

    // Opens a device at a baud rate with 8 data bits, no parity and 2 stop
    // bits; RTS/CTS handshake on or off. False when it cannot be opened.
    virtual bool open(const QString& device, qint32 baudRate, bool rtsCts) = 0;
    virtual void close() = 0;
    virtual bool isOpen() const = 0;

    virtual void discardInput() = 0;
    virtual void discardOutput() = 0;

    virtual qint64 write(const QByteArray& data) = 0;
    // Bytes handed to write() that have not yet gone to the device.
    virtual qint64 bytesToWrite() const = 0;
    // Waits until some output has gone to the device or msecs pass.
    virtual bool waitForBytesWritten(int msecs) = 0;

    virtual qint64 bytesAvailable() const = 0;
    virtual QByteArray readAll() = 0;
    // Waits until new input arrives or msecs pass; returns at once when it arrives.
    virtual bool waitForReadyRead(int msecs) = 0;

    // True once the device has gone away while open (cable pulled, adapter
    // unplugged): nothing more will be read or written until it is reopened.
    virtual bool isLost() const = 0;
    // The last open failed because the user may not use the device.
    virtual bool permissionDenied() const = 0;
    // The last open failed because another program (or another name of the
    // same device) holds it.
    virtual bool inUse() const = 0;
    virtual QString errorText() const = 0;
};
