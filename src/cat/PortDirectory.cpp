// SPDX-License-Identifier: GPL-3.0-or-later
#include "PortDirectory.h"

#include "state/Settings.h"

PortDirectory::PortDirectory(const Settings& settings)
{
    for (int n = kFirstPort; n <= kLastPort; ++n)
        m_overrides[n] = settings.get(Keys::CommPortDevice[n]).trimmed();
}

QString PortDirectory::defaultDevice(int portNumber)
{
    if (portNumber < kFirstPort || portNumber > kLastPort)
        return {};
#ifdef Q_OS_WIN
    return QStringLiteral("COM%1").arg(portNumber);
#else
    // Built-in serial ports first, then the usual USB adapters.
    const int group = (portNumber - 1) / 4;
    const int index = (portNumber - 1) % 4;
    switch (group) {
    case 0:
        return QStringLiteral("/dev/ttyS%1").arg(index);
    case 1:
        return QStringLiteral("/dev/ttyUSB%1").arg(index);
    case 2:
        return QStringLiteral("/dev/ttyACM%1").arg(index);
    default:
        return QStringLiteral("/dev/ttyS%1").arg(index + 4);
    }
#endif
}

QString PortDirectory::device(int portNumber) const
{
    if (portNumber < kFirstPort || portNumber > kLastPort)
        return {};
    if (!m_overrides[portNumber].isEmpty())
        return m_overrides[portNumber];
    return defaultDevice(portNumber);
}

void PortDirectory::setOverride(int portNumber, const QString& device)
{
    if (portNumber >= kFirstPort && portNumber <= kLastPort)
        m_overrides[portNumber] = device.trimmed();
}
