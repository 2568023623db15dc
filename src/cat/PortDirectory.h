// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

class Settings;

// The program numbers its serial ports 1 to 16. On Windows number n is COMn;
// elsewhere a built-in table names a device for each number, and the
// settings may name another device for any number.
class PortDirectory {
public:
    static constexpr int kFirstPort = 1;
    static constexpr int kLastPort = 16;

    // The built-in table only.
    PortDirectory() = default;
    // The built-in table with the overrides stored in the settings.
    explicit PortDirectory(const Settings& settings);

    // The device of a port number; empty for a number outside 1..16.
    QString device(int portNumber) const;
    static QString defaultDevice(int portNumber);

    void setOverride(int portNumber, const QString& device);

private:
    QString m_overrides[kLastPort + 1];
};
