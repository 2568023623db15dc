// SPDX-License-Identifier: GPL-3.0-or-later
#include "CatCodec.h"

#include "model/ChannelTables.h"
#include "model/ChannelText.h"
#include "model/Frequency.h"
#include "model/Vocabulary.h"

namespace CatCodec {
namespace {
bool allDigits(const QString& text)
{
    if (text.isEmpty())
        return false;
    for (const QChar c : text) {
        if (c < QLatin1Char('0') || c > QLatin1Char('9'))
            return false;
    }
    return true;
}

// Positions in the layout count from 1.
QString field(const QString& reply, int position, int width)
{
    return reply.mid(position - 1, width);
}
} // namespace

QString memoryReadQuery(int position)
{
    return QStringLiteral("MR%1;").arg(position - 1, 3, 10, QLatin1Char('0'));
}

QString catRateCommand(const QString& lineSettings)
{
    static const char* const kRates[] = {"4800,N,8,2", "9600,N,8,2", "19200,N,8,2", "38400,N,8,2"};
    for (int i = 0; i < 4; ++i) {
        if (lineSettings == QLatin1String(kRates[i]))
            return QStringLiteral("EX026%1;").arg(i);
    }
    return {};
}

int channelOf(const QString& reply)
{
    const QString channel = field(reply, 3, 3);
    return channel.size() == 3 && allDigits(channel) ? channel.toInt() : -1;
}

std::optional<DecodeError> decode(const QString& reply, Channel& channel)
{
    const DecodeError typeMismatch{13, QStringLiteral("Type mismatch")};
    if (reply.size() < kCommandLength - 1)
        return typeMismatch;
    const QString hz = field(reply, 6, 8);
    const QString tone = field(reply, 24, 2);
    if (!allDigits(hz) || !allDigits(tone))
        return typeMismatch;
    const int toneNumber = tone.toInt();
    if (toneNumber >= Vocabulary::toneTable().size())
        return DecodeError{9, QStringLiteral("Subscript out of range")};

    channel.present = true;
    channel.hertz = hz.toLongLong();
    channel.hertzFromRadio = true;
    channel.radioRecord = field(reply, 6, kKeptLength);
    channel.mode = reply.at(20);
    channel.shift = reply.at(25);
    channel.encoding = reply.at(22);
    channel.tone = toneNumber;
    return std::nullopt;
}

std::optional<DecodeError> decodeInto(ChannelTables& tables, const QString& reply, int position)
{
    Channel channel = tables.channelAt(position);
    if (auto error = decode(reply, channel))
        return error;
    tables.setChannelAt(position, channel);
    return std::nullopt;
}

std::optional<qint64> hertzOf(const QString& freq)
{
    const QString text = freq.trimmed();
    int mark = text.indexOf(QLatin1Char('.'));
    if (mark < 0)
        mark = text.indexOf(QLatin1Char(','));
    const QString whole = mark < 0 ? text : text.left(mark);
    const QString decimals = mark < 0 ? QString() : text.mid(mark + 1);
    if ((!whole.isEmpty() && !allDigits(whole)) || (!decimals.isEmpty() && !allDigits(decimals)) ||
        (whole.isEmpty() && decimals.isEmpty()) || whole.size() > 9)
        return std::nullopt;
    return whole.toLongLong() * 1000000 + (decimals + QStringLiteral("000000")).left(6).toLongLong();
}

namespace {
// The channel the radio record gives, when it gives one.
std::optional<Channel> recordChannel(const Channel& channel)
{
    Channel shown;
    if (channel.radioRecord.size() != kKeptLength ||
        decode(QStringLiteral("MR000") + channel.radioRecord + QLatin1Char(';'), shown))
        return std::nullopt;
    return shown;
}

TableKind tableOf(int position)
{
    return position > ChannelMap::kMemoryRows ? TableKind::Pms : TableKind::Memories;
}
} // namespace

EncodeResult encode(const Channel& channel, int position)
{
    EncodeResult result;
    // Start from what the radio gave the channel and replace only the fields
    // that no longer show what that holds; a channel without it (or with one
    // that does not decode) starts from the defaults.
    const std::optional<Channel> shown = recordChannel(channel);
    if (!channel.present) {
        result.problem = QStringLiteral("the frequency '%1' is not a number")
                             .arg(ChannelText::frequency(channel, tableOf(position)));
        return result;
    }
    QString body = shown ? channel.radioRecord : QStringLiteral("00000000+000000000000");
    // Body offsets of the layout's positions 6 (frequency), 21 (mode), 23 (encoding), 24 (tone), 26 (shift).
    enum { kHz = 0, kMode = 15, kEncoding = 17, kTone = 18, kShift = 20 };

    if (!shown || !channel.showsSameFrequency(*shown, tableOf(position))) {
        if (channel.hertz < 0 || channel.hertz > 99999999) {
            result.problem = QStringLiteral("the frequency '%1' does not fit the radio's memory")
                                 .arg(ChannelText::frequency(channel, tableOf(position)));
            return result;
        }
        body.replace(kHz, 8, QStringLiteral("%1").arg(channel.hertz, 8, 10, QLatin1Char('0')));
    }
    if (!shown || ChannelText::mode(channel) != ChannelText::mode(*shown)) {
        if (channel.mode.isNull() || Vocabulary::modeCode(ChannelText::mode(channel)).isNull()) {
            result.problem =
                QStringLiteral("the mode '%1' is not a mode of the radio").arg(ChannelText::mode(channel));
            return result;
        }
        body[kMode] = channel.mode;
    }
    if (!shown || channel.tone != shown->tone)
        body.replace(kTone, 2, QStringLiteral("%1").arg(qMax(channel.tone, 0), 2, 10, QLatin1Char('0')));
    if (!shown || ChannelText::encoding(channel) != ChannelText::encoding(*shown))
        body[kEncoding] = Vocabulary::encodingCode(ChannelText::encoding(channel));
    if (!shown || ChannelText::shift(channel) != ChannelText::shift(*shown))
        body[kShift] = Vocabulary::shiftCode(ChannelText::shift(channel));
    result.command = QStringLiteral("MW") + QStringLiteral("%1").arg(position - 1, 3, 10, QLatin1Char('0')) +
                     body + QLatin1Char(';');
    return result;
}

EncodeResult encodeSlot(const ChannelTables& tables, int position)
{
    return encode(tables.channelAt(position), position);
}

qint64 exactHertz(const Channel& channel, int position)
{
    const std::optional<Channel> shown = recordChannel(channel);
    return shown && channel.showsSameFrequency(*shown, tableOf(position)) ? shown->hertz : channel.hertz;
}

QString radioRecordOf(const Channel& channel, int position)
{
    Channel plain = channel;
    plain.radioRecord.clear();
    const EncodeResult result = encode(plain, position);
    // "MW", the channel, then the body.
    return result.ok() ? result.command.mid(5, kKeptLength) : QString();
}

} // namespace CatCodec
