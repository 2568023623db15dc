// SPDX-License-Identifier: GPL-3.0-or-later
#include "PortDetector.h"

#include "PortDirectory.h"
#include "QtSerialPortAdapter.h"

#include <QFileInfo>
#ifdef Q_OS_WIN
#include <QSerialPortInfo>
#endif

PortDetector::PortDetector(const PortDirectory& directory, qint32 baudRate, bool rtsCts, PortFactory factory,
                           PresenceTest presence)
    : m_baudRate(baudRate), m_rtsCts(rtsCts), m_factory(std::move(factory)), m_presence(std::move(presence))
{
    if (!m_factory)
        m_factory = [] { return std::make_unique<QtSerialPortAdapter>(); };
    if (!m_presence)
        m_presence = &PortDetector::devicePresent;
    for (int n = kFirstPort; n <= kLastPort; ++n)
        m_ports[n].device = directory.device(n);
}

PortDetector::~PortDetector()
{
    release();
}

void PortDetector::detect()
{
    for (int n = kFirstPort; n <= kLastPort; ++n) {
        Port& port = m_ports[n];
        // A port held since the last pass is let go first, so that it is
        // found open again rather than busy.
        if (port.handle)
            port.handle->close();
        if (!m_presence(port.device)) {
            port.state = State::Absent;
            continue;
        }
        if (!port.handle)
            port.handle = m_factory();
        port.state = port.handle->open(port.device, m_baudRate, m_rtsCts) ? State::Open : State::NotAvailable;
    }
}

void PortDetector::release()
{
    for (Port& port : m_ports) {
        if (port.handle)
            port.handle->close();
    }
}

const PortDetector::Port* PortDetector::find(int portNumber) const
{
    if (portNumber < kFirstPort || portNumber > kLastPort)
        return nullptr;
    return &m_ports[portNumber];
}

PortDetector::State PortDetector::state(int portNumber) const
{
    const Port* port = find(portNumber);
    return port ? port->state : State::NotDetected;
}

QString PortDetector::device(int portNumber) const
{
    const Port* port = find(portNumber);
    return port ? port->device : QString();
}

bool PortDetector::holds(int portNumber) const
{
    const Port* port = find(portNumber);
    return port && port->handle && port->handle->isOpen();
}

QString PortDetector::stateText(int portNumber, State state)
{
    switch (state) {
    case State::NotDetected:
        return QStringLiteral("Not yet detected");
    case State::Absent:
        return QStringLiteral("COM") + QString::number(portNumber);
    case State::NotAvailable:
        return QStringLiteral("Not available");
    case State::Open:
        return QStringLiteral("Open");
    }
    return {};
}

bool PortDetector::devicePresent(const QString& device)
{
    if (device.isEmpty())
        return false;
#ifdef Q_OS_WIN
    // COM ports are not files; ask the system which ones it knows.
    const auto ports = QSerialPortInfo::availablePorts();
    for (const QSerialPortInfo& info : ports) {
        if (info.portName().compare(device, Qt::CaseInsensitive) == 0)
            return true;
    }
    return false;
#else
    return QFileInfo::exists(device);
#endif
}
