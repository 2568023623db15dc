// SPDX-License-Identifier: GPL-3.0-or-later
#include "QtSerialPortAdapter.h"

#include <QFile>
#include <QFileInfo>

#ifdef Q_OS_UNIX
#include <unistd.h>
#endif

namespace {
// QSerialPort locks a device by the name it is given, so a link and the device
// it leads to (/dev/serial/by-id/... and /dev/ttyUSB0) would be two devices to
// it; opening the device itself makes the second program's open fail.
QString resolvedDevice(const QString& device)
{
    const QString canonical = QFileInfo(device).canonicalFilePath();
    return canonical.isEmpty() ? device : canonical;
}

// QSerialPort reports a device held by another program (its lock file, or
// EBUSY) as a permission error too; only a device this user may not open is one.
bool userMayOpen(const QString& device)
{
#ifdef Q_OS_UNIX
    return ::geteuid() == 0 || ::access(QFile::encodeName(device).constData(), R_OK | W_OK) == 0;
#else
    Q_UNUSED(device);
    return true;
#endif
}
} // namespace

QtSerialPortAdapter::QtSerialPortAdapter()
{
    QObject::connect(&m_port, &QSerialPort::errorOccurred, &m_port,
                     [this](QSerialPort::SerialPortError error) { onError(error); });
}

QtSerialPortAdapter::~QtSerialPortAdapter()
{
    close();
}

void QtSerialPortAdapter::onError(QSerialPort::SerialPortError error)
{
    switch (error) {
    case QSerialPort::ResourceError:
    case QSerialPort::ReadError:
    case QSerialPort::WriteError:
        // A USB adapter pulled out reports a resource error; a device whose
        // other end hung up fails every read. Either way the line is gone.
        if (m_port.isOpen())
            m_lost = true;
        break;
    default:
        // Modem-line requests are refused by some devices (a pseudo-terminal
        // answers "Inappropriate ioctl"); the link does not depend on them.
        break;
    }
}

bool QtSerialPortAdapter::open(const QString& device, qint32 baudRate, bool rtsCts)
{
    close();
    m_lost = false;
    m_permissionDenied = false;
    m_inUse = false;
    const QString resolved = resolvedDevice(device);
    m_port.setPortName(resolved);
    m_port.setBaudRate(baudRate);
    m_port.setDataBits(QSerialPort::Data8);
    m_port.setParity(QSerialPort::NoParity);
    m_port.setStopBits(QSerialPort::TwoStop);
    m_port.setFlowControl(rtsCts ? QSerialPort::HardwareControl : QSerialPort::NoFlowControl);
    if (!m_port.open(QIODevice::ReadWrite)) {
        if (m_port.error() == QSerialPort::PermissionError) {
            m_inUse = userMayOpen(resolved);
            m_permissionDenied = !m_inUse;
        }
        return false;
    }
    m_port.clearError();
    return true;
}

void QtSerialPortAdapter::close()
{
    if (m_port.isOpen())
        m_port.close();
    m_port.clearError();
    m_lost = false;
}

bool QtSerialPortAdapter::isOpen() const
{
    return m_port.isOpen();
}

void QtSerialPortAdapter::discardInput()
{
    if (m_port.isOpen())
        m_port.clear(QSerialPort::Input);
}

void QtSerialPortAdapter::discardOutput()
{
    if (m_port.isOpen())
        m_port.clear(QSerialPort::Output);
}

qint64 QtSerialPortAdapter::write(const QByteArray& data)
{
    return m_lost ? -1 : m_port.write(data);
}

qint64 QtSerialPortAdapter::bytesToWrite() const
{
    return m_port.bytesToWrite();
}

bool QtSerialPortAdapter::waitForBytesWritten(int msecs)
{
    return !m_lost && m_port.waitForBytesWritten(msecs);
}

qint64 QtSerialPortAdapter::bytesAvailable() const
{
    return m_port.bytesAvailable();
}

QByteArray QtSerialPortAdapter::readAll()
{
    return m_port.readAll();
}

bool QtSerialPortAdapter::waitForReadyRead(int msecs)
{
    return !m_lost && m_port.waitForReadyRead(msecs);
}
