// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "EventYield.h"

#include <QString>
#include <QStringList>

class MessageLog;
class Prompter;
class SerialPort;
class Settings;

// The CAT link over one serial port: opening and closing it, sending a
// command, collecting a reply, and the set-up every transfer begins with
// (finding the radio's baud rate, switching its automatic information off
// and moving it to the user's CAT speed). Not re-entrant: nothing else may
// use the port while a wait yields to the event loop.
class CatLink {
public:
    struct Options {
        int portNumber = 1;
        // The device to open; the port directory's device for portNumber, or
        // one named for this run (then messages name it instead of the number).
        QString device;
        bool deviceNamed = false;
        QString userSpeed = QStringLiteral("38400,N,8,2");
        bool noRts = false;
        // The line settings at which the radio last answered: the rate search
        // tries it first. Where settings is set, each rate the radio answers
        // at is remembered there for the next search.
        QString rememberedSpeed;
        Settings* settings = nullptr;

        // Port number, speed, RTS option and remembered rate as stored; the
        // device from the port directory unless deviceOverride names one.
        static Options fromSettings(Settings& settings, const QString& deviceOverride = QString());
    };

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

    CatLink(SerialPort& port, MessageLog& log, Prompter& prompter, EventYield yield = EventYield());

    void setOptions(const Options& options) { m_options = options; }
    const Options& options() const { return m_options; }
    // The line settings in use: the detected rate, then the user's speed.
    QString lineSettings() const { return m_lineSettings; }

    // Opens the port at a line settings text; shows the message when it fails.
    bool openPort(int portNumber, const QString& lineSettings);
    void closePort();
    bool isOpen() const;

    void send(const QString& command);
    // Waits for the identity reply (or "?;") only.
    static constexpr int kIdentity = -2;
    // Collects one reply ending in ";". With expectedChannel set (0..117),
    // only a memory reply for that channel or "?;" is taken: anything else (a
    // late answer for another channel, automatic information, noise) is
    // dropped with a trace line and the wait goes on; an empty reply that may
    // be a late answer is asked for again once the line has caught up.
    // kIdentity takes only "ID0310;" or "?;".
    bool receive(int expectedChannel = -1);
    QString reply() const { return m_reply; }
    // Yields to the event loop, then waits msecs, still yielding meanwhile.
    void pause(int msecs);
    void discardInput();

    // The link set-up. stopRequested, when given, is asked before each rate
    // is tried: a stop ends the set-up at once with the port closed and no
    // message, and setUpStopped() then says so.
    bool connect(const std::function<bool()>& stopRequested = {});
    bool setUpStopped() const { return m_setUpStopped; }

    // The device went away while open (cable pulled); latched until the next open.
    bool isLost() const { return m_lost; }

private:
    enum class IdentityAnswer { Silent, Identity, Other };
    IdentityAnswer queryIdentity();
    static bool isWanted(const QString& reply, int expectedChannel);
    void logDropped(const QString& reply, int expectedChannel);
    bool receiveOnce(int expectedChannel);
    bool waitForPiece();
    // Asks for the identity and drops everything before its reply; false when
    // the radio does not answer it.
    bool catchUp();
    static constexpr int kIdentityOnly = -3;
    void drainOutput();
    void yieldEvents();
    QString portLabel() const;
    bool checkLost();
    void remember(const QString& lineSettings);

    SerialPort& m_port;
    MessageLog& m_log;
    Prompter& m_prompter;
    EventYield m_yield;
    Options m_options;
    QString m_lineSettings = QString::fromLatin1(kDefaultSpeed);
    QString m_reply;
    bool m_lost = false;
    QString m_lastCommand;
    // A receive timed out, and neither the answer to a later query nor the
    // identity after a catch-up has come since.
    bool m_replyOwed = false;
    // The link moved the radio to a new rate; the first reply there confirms it.
    bool m_rememberOnReply = false;
    bool m_setUpStopped = false;
};
