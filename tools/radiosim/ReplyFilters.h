// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ReplyFilter.h"

#include <memory>
#include <random>
#include <vector>

// The simulated radio's faults, each a reply filter.

// A radio switched off: nothing is heard.
class NoAnswer : public ReplyFilter {
public:
    void before(Exchange& e) override { e.heard = false; }
};

// After answering the query for one channel the radio hears nothing more.
class SilentAfterChannel : public ReplyFilter {
public:
    explicit SilentAfterChannel(int channel) : m_channel(channel) {}
    void restart() override { m_silent = false; }
    void before(Exchange& e) override;
    void after(Exchange& e) override;

private:
    int m_channel;
    bool m_silent = false;
};

// The reply is not sent.
class DropReply : public ReplyFilter {
public:
    void after(Exchange& e) override { e.reply.clear(); }
};

// The reply goes out late: for one channel's query, for the identity (the
// first few times, or always), or whenever applied.
class LateReply : public ReplyFilter {
public:
    enum class Which { Any, Channel, Identity };
    LateReply(int lateMs, Which which = Which::Any, int channel = -1, int times = -1)
        : m_lateMs(lateMs), m_which(which), m_channel(channel), m_times(times)
    {
    }
    void restart() override { m_count = 0; }
    void after(Exchange& e) override;

private:
    int m_lateMs;
    Which m_which;
    int m_channel;
    int m_times; // -1: every time
    int m_count = 0;
};

// The reply is sent twice.
class DuplicateReply : public ReplyFilter {
public:
    void after(Exchange& e) override { e.reply += e.reply; }
};

// One channel's reply carries a frequency that is not a number.
class GarbledChannel : public ReplyFilter {
public:
    explicit GarbledChannel(int channel) : m_channel(channel) {}
    void after(Exchange& e) override;

private:
    int m_channel;
};

// Line noise instead of the reply: never a reply of the radio's own shape.
class GarbageReply : public ReplyFilter {
public:
    explicit GarbageReply(std::mt19937& random) : m_random(random) {}
    void after(Exchange& e) override;

private:
    std::mt19937& m_random;
};

// A memory reply naming another channel than the one asked for.
class WrongChannelReply : public ReplyFilter {
public:
    explicit WrongChannelReply(std::mt19937& random) : m_random(random) {}
    void after(Exchange& e) override;

private:
    std::mt19937& m_random;
};

// The memory write with this number (1 the first) is taken without a word and
// not stored; the count goes on over restarts.
class IgnoreWrite : public ReplyFilter {
public:
    explicit IgnoreWrite(int number) : m_number(number) {}
    void after(Exchange& e) override;

private:
    int m_number;
    int m_writes = 0;
};

// While its automatic information is on, the radio sends a status line before each reply.
class AutoInformationLine : public ReplyFilter {
public:
    void after(Exchange& e) override;
};

// The random schedule: the fault drawn for a command, applied to its reply.
class ScheduledFaults : public ReplyFilter {
public:
    ScheduledFaults(std::mt19937& random, int lateMs);
    void after(Exchange& e) override;

private:
    // By the schedule's fault number; none for a hang-up, which the radio does itself.
    std::vector<std::unique_ptr<ReplyFilter>> m_byFault;
};
