// SPDX-License-Identifier: GPL-3.0-or-later
#include "Frequency.h"

#include <QLocale>
#include <limits>

namespace Frequency {

QString decimalMark()
{
    // The second character of 1.1 formatted under the user's locale.
    return QLocale().toString(1.1, 'f', 1).mid(1, 1);
}

std::optional<qint32> parse(const QString& input, bool* overflow)
{
    if (overflow)
        *overflow = false;
    const QString text = input.trimmed();
    const QString mark = decimalMark();
    int pos = 0;
    bool negative = false;
    if (pos < text.size() && (text[pos] == QLatin1Char('+') || text[pos] == QLatin1Char('-'))) {
        negative = text[pos] == QLatin1Char('-');
        ++pos;
    }
    QString whole;
    QString fraction;
    bool seenMark = false;
    for (; pos < text.size(); ++pos) {
        const QChar c = text[pos];
        if (c >= QLatin1Char('0') && c <= QLatin1Char('9')) {
            (seenMark ? fraction : whole).append(c);
        } else if (!seenMark && QString(c) == mark) {
            seenMark = true;
        } else {
            return std::nullopt;
        }
    }
    if (whole.isEmpty() && fraction.isEmpty())
        return std::nullopt;

    // Whole megahertz, then the decimals scaled to 10 Hz steps; digits past
    // the fifth are dropped.
    qint64 value = 0;
    for (const QChar c : whole) {
        value = value * 10 + (c.unicode() - '0');
        if (value > std::numeric_limits<qint32>::max() / 100000 + 1) {
            if (overflow)
                *overflow = true;
            return std::nullopt;
        }
    }
    value *= 100000;
    const QString five = (fraction + QStringLiteral("00000")).left(5);
    value += five.toLongLong();
    if (negative)
        value = -value;
    if (value > std::numeric_limits<qint32>::max() || value < std::numeric_limits<qint32>::min()) {
        if (overflow)
            *overflow = true;
        return std::nullopt;
    }
    return static_cast<qint32>(value);
}

Reading read(const QString& text)
{
    Reading reading;
    reading.text = text;
    bool overflow = false;
    const std::optional<qint32> value = parse(text, &overflow);
    if (value) {
        reading.value = *value;
        reading.accepted = true;
    } else {
        reading.error = overflow ? Error::NotConvertible : Error::NotNumeric;
    }
    return reading;
}

Reading check(QString& text)
{
    QString t = text.trimmed();
    if (t.isEmpty() || t == QLatin1String("Empty"))
        t = format(kDefaultValue);
    Reading reading = read(t);
    if (reading.value == -1) {
        reading.accepted = false;
        return reading;
    }
    if (reading.value < kRadioLow || reading.value > kRadioHigh) {
        reading.accepted = false;
        reading.error = Error::OutOfRange;
        return reading;
    }
    text = format(reading.value);
    return reading;
}

namespace {
QString formatFixed(qint64 value, qint64 scale, int decimals, bool leadingZero)
{
    const bool negative = value < 0;
    const qint64 magnitude = negative ? -value : value;
    const qint64 whole = magnitude / scale;
    const qint64 fraction = magnitude % scale;
    QString out;
    if (negative)
        out += QLatin1Char('-');
    if (whole != 0 || leadingZero)
        out += QString::number(whole);
    out += decimalMark();
    out += QStringLiteral("%1").arg(fraction, decimals, 10, QLatin1Char('0'));
    return out;
}
} // namespace

QString format(qint32 value)
{
    return formatFixed(value, 100000, 5, true);
}

QString formatAmount(qint32 value)
{
    return formatFixed(value, 100000, 5, false);
}

QString formatHz5(qint64 hertz)
{
    // Rounded half away from zero to whole 10 Hz steps, as a number format does.
    const qint64 steps = hertz >= 0 ? (hertz + 5) / 10 : -((-hertz + 5) / 10);
    return formatFixed(steps, 100000, 5, true);
}

QString formatHz6(qint64 hertz)
{
    return formatFixed(hertz, 1000000, 6, true);
}

QString bandMode(qint32 value)
{
    struct Band {
        qint32 from;
        const char* mode;
    };
    static constexpr Band kBands[] = {
        {79000000, "FMN"}, {47000000, "FM"},  {32000000, "FM"}, {23000000, "AM"}, {17400000, "FM"},
        {14450000, "FM"},  {14400000, "USB"}, {13600000, "FM"}, {10800000, "AM"}, {8750000, "FM"},
        {5200000, "FMN"},  {5010000, "USB"},  {5000000, "CW"},  {2970000, "USB"}, {2966000, "FMN"},
        {2800000, "USB"},  {2499000, "AM"},   {2489000, "USB"}, {2145000, "AM"},  {2100000, "USB"},
        {1817000, "AM"},   {1806800, "USB"},  {1435000, "AM"},  {1400000, "USB"}, {1015000, "AM"},
        {1010000, "CW"},   {730000, "AM"},    {700000, "LSB"},  {380000, "AM"},   {350000, "LSB"},
        {200000, "AM"},    {180000, "LSB"}};
    for (const Band& band : kBands) {
        if (value >= band.from)
            return QString::fromLatin1(band.mode);
    }
    return QStringLiteral("AM");
}

} // namespace Frequency
