// SPDX-License-Identifier: GPL-3.0-or-later
#include "ReplyFilters.h"

namespace {
constexpr int kChannelCount = 118;
constexpr int kMemoryLength = 27;
constexpr int kChannelPosition = 2; // zero-based, three digits

// The channel field as a number: exactly three digits, else -1.
int channelOf(const QString& line)
{
    const QString field = line.mid(kChannelPosition, 3);
    if (field.size() != 3)
        return -1;
    for (const QChar c : field) {
        if (c < QLatin1Char('0') || c > QLatin1Char('9'))
            return -1;
    }
    return field.toInt();
}
} // namespace

void SilentAfterChannel::before(Exchange& e)
{
    if (m_silent)
        e.heard = false;
}

void SilentAfterChannel::after(Exchange& e)
{
    if (e.queryChannel == m_channel)
        m_silent = true;
}

void LateReply::after(Exchange& e)
{
    switch (m_which) {
    case Which::Any:
        break;
    case Which::Channel:
        if (e.queryChannel != m_channel)
            return;
        break;
    case Which::Identity:
        if (e.command != QLatin1String("ID;") || e.reply != QLatin1String("ID0310;"))
            return;
        if (m_times >= 0 && m_count++ >= m_times)
            return;
        break;
    }
    e.lateMs = m_lateMs;
}

void GarbledChannel::after(Exchange& e)
{
    if (e.queryChannel == m_channel)
        e.reply = QStringLiteral("MR") + e.command.mid(kChannelPosition, 3) +
                  QStringLiteral("07#0O000+000000100000;");
}

void GarbageReply::after(Exchange& e)
{
    // Line noise: never a reply of the radio's own shape, so only the
    // link's rules decide what becomes of it.
    static const char kFirst[] = "#$%&*+-/<=>@!";
    static const char kOthers[] = "#$%&*+-/<=>@!0123456789ABCDEFGHIJKLNOPQSTUVWXYZ";
    const int length = std::uniform_int_distribution<int>(1, 40)(m_random);
    QString noise;
    noise += QLatin1Char(kFirst[std::uniform_int_distribution<int>(0, int(sizeof kFirst) - 2)(m_random)]);
    for (int i = 1; i < length; ++i)
        noise +=
            QLatin1Char(kOthers[std::uniform_int_distribution<int>(0, int(sizeof kOthers) - 2)(m_random)]);
    if (std::uniform_int_distribution<int>(0, 1)(m_random) == 1)
        noise += QLatin1Char(';');
    e.reply = noise;
}

void WrongChannelReply::after(Exchange& e)
{
    // Another channel's memory reply; an empty channel answers with a record of its own.
    // Never the asked channel's own number: a reply that names it is no
    // longer a wrong one, and nothing could tell it from the radio's content.
    const bool memory = e.reply.size() == kMemoryLength;
    QString line = memory ? e.reply : QStringLiteral("MR00007000000+000000100000;");
    const int own = memory ? channelOf(e.reply) : e.command.mid(kChannelPosition, 3).toInt();
    int other = std::uniform_int_distribution<int>(0, kChannelCount - 1)(m_random);
    if (other == own)
        other = (other + 1) % kChannelCount;
    line.replace(kChannelPosition, 3, QStringLiteral("%1").arg(other, 3, 10, QLatin1Char('0')));
    e.reply = line;
}

void IgnoreWrite::after(Exchange& e)
{
    if (e.storesWrite && ++m_writes == m_number)
        e.storesWrite = false;
}

void AutoInformationLine::after(Exchange& e)
{
    if (e.autoInformation && !e.reply.isEmpty())
        e.reply.prepend(QStringLiteral("IF%1%2+000000100000;")
                            .arg(e.commandNumber % kChannelCount, 3, 10, QLatin1Char('0'))
                            .arg(7000000 + e.commandNumber * 10, 8, 10, QLatin1Char('0')));
}

ScheduledFaults::ScheduledFaults(std::mt19937& random, int lateMs)
{
    // In the order of the schedule's fault numbers: drop, late, duplicate, garbage, wrong channel.
    m_byFault.push_back(std::make_unique<DropReply>());
    m_byFault.push_back(std::make_unique<LateReply>(lateMs));
    m_byFault.push_back(std::make_unique<DuplicateReply>());
    m_byFault.push_back(std::make_unique<GarbageReply>(random));
    m_byFault.push_back(std::make_unique<WrongChannelReply>(random));
}

void ScheduledFaults::after(Exchange& e)
{
    if (e.scheduledFault >= 0 && e.scheduledFault < int(m_byFault.size()) && !e.reply.isEmpty())
        m_byFault[size_t(e.scheduledFault)]->after(e);
}
