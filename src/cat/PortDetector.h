// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "SerialPort.h"

#include <QString>
#include <array>
#include <functional>
#include <memory>

class PortDirectory;

// Finds which of the port numbers 1 to 16 can be opened on this computer.
// It holds a serial port of its own for each number, apart from the CAT
// link's, and keeps every port it opened until the next detection or until
// it is released: while the user looks at the result, no other program
// (and not the CAT link) can take a port that was shown as free.
class PortDetector {
public:
    enum class State { NotDetected, Absent, NotAvailable, Open };

    using PortFactory = std::function<std::unique_ptr<SerialPort>()>;
    // Whether the device of a port is there at all; a port that is not is not tried.
    using PresenceTest = std::function<bool(const QString& device)>;

    static constexpr int kFirstPort = 1;
    static constexpr int kLastPort = 16;

    // baudRate and rtsCts are the CAT link's line settings. Without a
    // factory the ports are real serial ports; without a presence test a
    // port is present when its device exists.
    PortDetector(const PortDirectory& directory, qint32 baudRate, bool rtsCts, PortFactory factory = {},
                 PresenceTest presence = {});
    ~PortDetector();
    PortDetector(const PortDetector&) = delete;
    PortDetector& operator=(const PortDetector&) = delete;

    // Releases and tries every port in turn.
    void detect();
    // Closes every port this detector holds.
    void release();

    State state(int portNumber) const;
    QString device(int portNumber) const;
    bool holds(int portNumber) const;

    // What a port's box says in a state: "Not yet detected", "COM" + n,
    // "Not available" or "Open".
    static QString stateText(int portNumber, State state);
    static bool devicePresent(const QString& device);

private:
    struct Port {
        QString device;
        State state = State::NotDetected;
        std::unique_ptr<SerialPort> handle;
    };

    const Port* find(int portNumber) const;

    qint32 m_baudRate;
    bool m_rtsCts;
    PortFactory m_factory;
    PresenceTest m_presence;
    std::array<Port, kLastPort + 1> m_ports; // index 0 unused
};
