// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "EventYield.h"
#include "LinkOptions.h"

#include <QString>
#include <QStringList>

#include <optional>

class MessageLog;
class SerialPort;

// The CAT link over one serial port: opening and closing it, sending a
// command and collecting the reply it expects. It only talks to the radio:
// it shows no message and writes no setting (LinkSetUp finds the radio's
// rate and words what the user is told). Not re-entrant: nothing else may
// use the port while a wait yields to the event loop.
class CatLink {
public:
    using Options = LinkOptions;

    // The reply a receive waits for; anything else on the line is dropped.
    struct Expect {
        enum class Kind { Identity, IdentityOrEmpty, Memory };
        Kind kind;
        int channel = 0; // 0..117, for Memory
        static Expect identity() { return {Kind::Identity}; }
        static Expect identityOrEmpty() { return {Kind::IdentityOrEmpty}; }
        // The memory reply for a CAT channel, or "?;" (an empty channel).
        static Expect memory(int channel) { return {Kind::Memory, channel}; }
    };
    struct Reply {
        enum class Kind { Identity, Empty, Memory };
        Kind kind;
        QString text; // the whole reply, ";" included
    };
    enum class LinkError {
        NoReply, // nothing (or nothing usable) came in time, or the port is closed
        Lost,    // the device went away (cable pulled)
    };
    // A reply of the kind expected, or why none came.
    struct Received {
        std::optional<Reply> reply;
        LinkError error = LinkError::NoReply;
        explicit operator bool() const { return reply.has_value(); }
        bool isEmpty() const { return reply && reply->kind == Reply::Kind::Empty; }
        QString text() const { return reply ? reply->text : QString(); }
    };
    enum class Opened { Yes, Unavailable, InUse, NoPermission };

    // A reply must start, and each later piece follow, within this window.
    static constexpr int kPollIntervalMs = 5;
    static constexpr int kPollCount = 25;
    static constexpr int kReplyWindowMs = kPollIntervalMs * kPollCount;
    // A reply longer than this is not one the radio sends; it fails the receive.
    static constexpr int kMaxReplyLength = 256;
    // Output that cannot be handed to the device within this time is dropped.
    static constexpr int kDrainLimitMs = 2000;

    static constexpr char kDefaultSpeed[] = "38400,N,8,2";
    // The four line settings, fastest first (the order of the baud search).
    static const QStringList& lineSettingsTexts();
    // The order of the rate search: the remembered rate, then the others fastest first.
    static QStringList searchOrder(const QString& remembered);
    // The baud rate of a line settings text; 0 when it is none of the four.
    static int baudOf(const QString& lineSettings);

    CatLink(SerialPort& port, MessageLog& log, EventYield yield = EventYield());

    void setOptions(const Options& options) { m_options = options; }
    const Options& options() const { return m_options; }
    // The line settings in use: the detected rate, then the user's speed.
    QString lineSettings() const { return m_lineSettings; }
    // How messages name the port: its number, or the device named for this run.
    QString portLabel() const;

    // Opens the port at a line settings text; says why when it cannot.
    Opened openPort(int portNumber, const QString& lineSettings);
    void closePort();
    bool isOpen() const;

    // Sends a command; false when the port is closed or gone.
    bool send(const QString& command);
    // Collects the reply expected, ending in ";". Anything else (a late
    // answer for another channel, automatic information, noise) is dropped
    // with a trace line and the wait goes on; for a memory reply after an
    // unanswered query, an answer that may be that query's late one is asked
    // for again once the line has caught up.
    Received receive(const Expect& expect);
    // Yields to the event loop, then waits msecs, still yielding meanwhile.
    void pause(int msecs);
    void discardInput();

private:
    static std::optional<Reply> wanted(const QString& reply, const Expect& expect);
    void logDropped(const QString& reply, const Expect& expect);
    std::optional<Reply> receiveOnce(const Expect& expect);
    bool waitForPiece();
    // Asks for the identity and drops everything before its reply; false when
    // the radio does not answer it.
    bool catchUp();
    void drainOutput();
    void yieldEvents();
    bool checkLost();

    SerialPort& m_port;
    MessageLog& m_log;
    EventYield m_yield;
    Options m_options;
    QString m_lineSettings = QString::fromLatin1(kDefaultSpeed);
    // The device went away while open (cable pulled); latched until the next open.
    bool m_lost = false;
    QString m_lastCommand;
    // A receive timed out, and neither the answer to a later query nor the
    // identity after a catch-up has come since.
    bool m_replyOwed = false;
};
