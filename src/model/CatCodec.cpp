// SPDX-License-Identifier: GPL-3.0-or-later
#include "CatCodec.h"

#include "model/ChannelTables.h"
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

std::optional<DecodeError> decode(const QString& reply, int position, MemoryRecord& record)
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

    const qint64 hertz = hz.toLongLong();
    record.Kept = field(reply, 6, kKeptLength);
    record.Freq = position > 100 ? Frequency::formatHz6(hertz) : Frequency::formatHz5(hertz);
    record.Mode = Vocabulary::modeName(reply.at(20));
    record.Shift = Vocabulary::shiftName(reply.at(25));
    record.EncDec = Vocabulary::encodingName(reply.at(22));
    record.Tone = Vocabulary::toneTable().at(toneNumber);
    return std::nullopt;
}

std::optional<DecodeError> decodeInto(ChannelTables& tables, const QString& reply, int position)
{
    MemoryRecord record = tables.recordAt(position);
    if (auto error = decode(reply, position, record))
        return error;
    tables.setRecordAt(position, record);
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

EncodeResult encode(const MemoryRecord& record, int position)
{
    EncodeResult result;
    // Start from what the radio gave the channel and replace only the fields
    // whose text differs from what that shows; a channel without it (or with
    // one that does not decode) starts from the defaults.
    MemoryRecord shown;
    QString body = QStringLiteral("00000000+000000000000");
    const bool kept = record.Kept.size() == kKeptLength &&
                      !decode(QStringLiteral("MR000") + record.Kept + QLatin1Char(';'), position, shown);
    if (kept)
        body = record.Kept;
    auto unedited = [&](const QString& text, const QString& shownText) { return kept && text == shownText; };
    // Body offsets of the layout's positions 6 (frequency), 21 (mode), 23 (encoding), 24 (tone), 26 (shift).
    enum { kHz = 0, kMode = 15, kEncoding = 17, kTone = 18, kShift = 20 };

    if (!unedited(record.Freq, shown.Freq)) {
        const std::optional<qint64> hertz = hertzOf(record.Freq);
        if (!hertz) {
            result.problem = QStringLiteral("the frequency '%1' is not a number").arg(record.Freq);
            return result;
        }
        if (*hertz > 99999999) {
            result.problem =
                QStringLiteral("the frequency '%1' does not fit the radio's memory").arg(record.Freq);
            return result;
        }
        body.replace(kHz, 8, QStringLiteral("%1").arg(*hertz, 8, 10, QLatin1Char('0')));
    }
    if (!unedited(record.Mode, shown.Mode)) {
        const QChar mode = Vocabulary::modeCode(record.Mode);
        if (mode.isNull()) {
            result.problem = QStringLiteral("the mode '%1' is not a mode of the radio").arg(record.Mode);
            return result;
        }
        body[kMode] = mode;
    }
    if (!unedited(record.Tone, shown.Tone)) {
        int tone = 0;
        if (!record.Tone.isEmpty()) {
            tone = Vocabulary::toneIndex(record.Tone);
            if (tone < 0) {
                result.problem =
                    QStringLiteral("the tone '%1' is not a CTCSS tone of the radio").arg(record.Tone);
                return result;
            }
        }
        body.replace(kTone, 2, QStringLiteral("%1").arg(tone, 2, 10, QLatin1Char('0')));
    }
    if (!unedited(record.EncDec, shown.EncDec))
        body[kEncoding] = Vocabulary::encodingCode(record.EncDec);
    if (!unedited(record.Shift, shown.Shift))
        body[kShift] = Vocabulary::shiftCode(record.Shift);
    result.command = QStringLiteral("MW") + QStringLiteral("%1").arg(position - 1, 3, 10, QLatin1Char('0')) +
                     body + QLatin1Char(';');
    return result;
}

EncodeResult encodeSlot(const ChannelTables& tables, int position)
{
    return encode(tables.recordAt(position), position);
}

std::optional<qint64> exactHertz(const MemoryRecord& record, int position)
{
    MemoryRecord shown;
    if (record.Kept.size() == kKeptLength &&
        !decode(QStringLiteral("MR000") + record.Kept + QLatin1Char(';'), position, shown) &&
        shown.Freq == record.Freq)
        return record.Kept.left(8).toLongLong();
    return hertzOf(record.Freq);
}

QString keptForHertz(const MemoryRecord& record, int position, qint64 hertz)
{
    MemoryRecord plain = record;
    plain.Kept.clear();
    const EncodeResult result = encode(plain, position);
    if (!result.ok() || hertz < 0 || hertz > 99999999)
        return {};
    // "MW", the channel, then the body whose first eight characters are the hertz.
    return QStringLiteral("%1").arg(hertz, 8, 10, QLatin1Char('0')) + result.command.mid(13, kKeptLength - 8);
}

bool isIdentical(const QString& reply, const QString& command)
{
    QString c = reply;
    if (c.size() >= 2)
        c[1] = QLatin1Char('W');
    return c == command;
}

} // namespace CatCodec
