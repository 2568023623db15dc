// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ReplyFilter.h"

#include <QString>
#include <QStringList>
#include <QVector>

#include <atomic>
#include <chrono>
#include <functional>
#include <memory>
#include <mutex>
#include <random>
#include <thread>
#include <vector>

// A simulated radio on a pseudo-terminal. It holds the radio's 118 channels
// and answers the CAT commands the program uses, on a thread of its own, so a
// client on any thread (a test, the command line, the window's --simulate
// mode) can talk to it through a real serial device. It answers the identity
// query only when the client's line speed equals its CAT rate, which is how
// the program finds the radio's speed.
//
// Faults and realism are chosen in Options before start(); each fault is a
// reply filter (ReplyFilters.h), applied in order to every command and reply.
class RadioSimulator {
public:
    static constexpr int kChannelCount = 118;

    struct Options {
        // The CAT rate the radio starts at: 4800, 9600, 19200 or 38400.
        int startRate = 38400;
        // Sleep for the time the characters take on the wire (11 bits each)
        // at the client's rate, plus a turnaround latency before a reply.
        bool wireTiming = false;
        int latencyUs = 0;
        // Send replies in two pieces: the first splitAt characters, then the
        // rest after splitGapMs. 0 sends replies whole.
        int splitAt = 0;
        int splitGapMs = 0;
        // After answering the memory query for this channel, answer nothing more.
        int silentAfterChannel = -1;
        // The reply for this channel carries a frequency that is not a number.
        int garbageChannel = -1;
        // The reply for this channel comes lateMs later than it should.
        int lateChannel = -1;
        int lateMs = 0;
        // No answer to anything (a radio switched off).
        bool noAnswer = false;
        // Answer "?;" to "ID;".
        bool unknownId = false;
        // The identity reply comes idLateMs after the query (a radio slow to
        // wake), for the first idLateReplies queries it answers (-1: all).
        int idLateMs = 0;
        int idLateReplies = -1;
        // While its automatic information is on, the radio sends an "IF...;"
        // status line before each reply, as a real one does when it is tuned.
        bool autoInfoOutput = false;
        // "AI0;" is not heard (as when sent at a wrong speed): the automatic
        // information stays on.
        bool ignoreAutoInfoOff = false;
        // Hang up the line (the cable pulled) when the command after this
        // many arrives; that command is not answered or recorded.
        int hangUpAfter = -1;
        // The memory-write command with this number (1 the first) is taken
        // without a word and not stored, as a radio that missed it. 0: none.
        int dropWrite = 0;

        // A random-fault schedule over the memory traffic, the same for the
        // same seed. Each memory reply meets at most one fault, drawn with
        // these probabilities (their sum at most 1); a hang-up may also meet
        // a memory write, which is then not stored. The set-up commands are
        // left alone, so every transfer gets going.
        struct FaultRates {
            double drop = 0;         // no answer
            double late = 0;         // answered faultLateMs late, past the client's time-out
            double duplicate = 0;    // answered twice
            double garbage = 0;      // random bytes instead, some ending in ";"
            double wrongChannel = 0; // a memory reply naming another channel
            double hangUp = 0;       // the cable pulled instead
        };
        FaultRates faults;
        unsigned int faultSeed = 1;
        int faultLateMs = 200;
    };

    enum class Fault { Drop, Late, Duplicate, Garbage, WrongChannel, HangUp };
    static constexpr int kFaultKinds = 6;
    static const char* faultName(Fault fault);

    // One command the radio took and what it answered (empty: no answer).
    struct Exchange {
        QString command;
        QString reply;
        int clientBaud = 0;
    };

    RadioSimulator();
    explicit RadioSimulator(const Options& options);
    ~RadioSimulator();
    RadioSimulator(const RadioSimulator&) = delete;
    RadioSimulator& operator=(const RadioSimulator&) = delete;

    // Creates the pseudo-terminal and starts answering. Returns the device
    // the client opens, or an empty text (see errorText()).
    QString start();
    // Stops answering and closes the pseudo-terminal.
    void stop();
    bool isRunning() const { return m_thread.joinable(); }
    QString devicePath() const { return m_devicePath; }
    QString errorText() const { return m_error; }

    // Channel memory, channel numbers 0..117. A channel holds a 27-character
    // memory reply ("MR...;") or nothing (it answers "?;").
    // line: a memory reply or memory-write command of that channel; false
    // when it is not one.
    bool setChannel(const QString& line);
    void clearChannel(int channel);
    void clearAllChannels();
    QString channel(int channel) const;
    int filledChannelCount() const;

    // A ".950" memory file: load replaces the channels (a line that cannot be
    // loaded is named in problems and skipped); save writes the filled ones.
    bool loadFile(const QString& path, QStringList* problems = nullptr);
    bool saveFile(const QString& path, QString* error = nullptr) const;

    int catRate() const { return m_catRate.load(); }
    bool autoInformation() const { return m_autoInfo.load(); }
    bool hungUp() const { return m_hungUp.load(); }
    // Waits until every command that reached the radio has been answered
    // (the radio waits for more and none is queued), so what it holds can be
    // compared; false if that does not happen within the time given.
    bool waitUntilIdle(int msecs) const;

    // Everything the radio saw, in order.
    QVector<Exchange> traffic() const;
    QStringList commands() const;
    void clearTraffic();
    // Called on the radio's thread for every command and reply.
    void setLogger(std::function<void(const QString& line)> logger);

    // With wire timing: the time the radio spent on the wire and turning
    // round for commands it answered. No transfer can be faster.
    double busySeconds() const;
    void resetBusy();

    // How many faults of each kind the schedule has injected, by Fault.
    QVector<int> faultCounts() const;
    int faultTotal() const;

    // Baud rate of a termios speed code; 0 when unknown.
    static int baudOfSpeed(unsigned int speed);

private:
    void run();
    void handle(const QString& command);
    // The radio's own answer to a command it heard, before any fault.
    void answer(ReplyFilter::Exchange& exchange);
    void sendReply(const QString& command, const QString& reply, int baud, int lateMs,
                   std::chrono::steady_clock::time_point due);
    // The fault the schedule picks for a command, or -1 for none.
    int drawFault(const QString& command);
    int clientBaud() const;
    void hangUp();
    void record(const QString& command, const QString& reply, int baud);

    Options m_options;
    QString m_devicePath;
    QString m_error;
    int m_master = -1;
    int m_slave = -1;
    int m_wake[2] = {-1, -1};
    std::thread m_thread;

    mutable std::mutex m_mutex;
    QString m_channels[kChannelCount];
    QVector<Exchange> m_traffic;
    std::function<void(const QString&)> m_logger;
    long long m_busyNs = 0;

    std::atomic<int> m_catRate{38400};
    std::atomic<bool> m_autoInfo{true};
    std::atomic<bool> m_hungUp{false};
    std::atomic<bool> m_waiting{false}; // the radio's thread waits for input
    int m_commandCount = 0;
    std::mt19937 m_random;
    // The faults chosen in Options, in the order they act.
    std::vector<std::unique_ptr<ReplyFilter>> m_filters;
    int m_faultCounts[kFaultKinds] = {};
};
