// SPDX-License-Identifier: GPL-3.0-or-later
#include "CsvHeader.h"

#include "model/Frequency.h"

namespace {
const QChar kTab(QLatin1Char('\t'));
const QChar kQuote(QLatin1Char('"'));

// A nine-character header start written with each of the three separators.
bool startsAs(const QString& h, const QStringList& parts)
{
    for (const QChar sep : {QLatin1Char(','), QLatin1Char(';'), QLatin1Char('\t')}) {
        if (h == parts.join(sep))
            return true;
    }
    return false;
}

// The one walk over a record that both line routines share: a double quote
// opens or closes a quoted stretch, and visit sees every character with
// whether it is a quote and whether it stands inside quotes (for a quote:
// after it).
template <typename Visit> void walkQuotes(const QString& line, Visit visit)
{
    bool inQuotes = false;
    for (const QChar c : line) {
        const bool quote = c == kQuote;
        if (quote)
            inQuotes = !inQuotes;
        visit(c, quote, inQuotes);
    }
}

// The columns that make a header the common layout of other channel
// editors; its other columns vary between versions and are optional.
const char* const kCommonColumns[] = {"LOCATION", "FREQUENCY", "DUPLEX", "MODE"};
} // namespace

CsvHeader::CsvHeader() : m_separator(defaultSeparator()) {}

QChar CsvHeader::defaultSeparator()
{
    return Frequency::decimalMark() == QLatin1String(".") ? QLatin1Char(',') : QLatin1Char(';');
}

void CsvHeader::resetSeparator(bool tab)
{
    m_separator = tab ? kTab : defaultSeparator();
}

QString CsvHeader::CleanLine(const QString& line, bool removeSpaces) const
{
    QString out;
    out.reserve(line.size());
    walkQuotes(line, [&](QChar c, bool quote, bool inQuotes) {
        out += quote || (inQuotes && c == m_separator) ? QLatin1Char(' ') : c;
    });
    if (removeSpaces)
        out.remove(QLatin1Char(' '));
    return out;
}

QString CsvHeader::GetField(const QString& line, int n, bool convert) const
{
    if (line.isEmpty() || n < 1)
        return {};
    const QStringList fields = line.split(m_separator);
    if (fields.size() < n)
        return {};
    return convert ? adaptDecimal(fields.at(n - 1)) : fields.at(n - 1);
}

QString CsvHeader::adaptDecimal(QString field) const
{
    const QString mark = Frequency::decimalMark();
    if (m_separator == QLatin1Char(',') && mark == QLatin1String(","))
        field.replace(QLatin1Char('.'), QLatin1Char(','));
    else if (m_separator == QLatin1Char(';') && mark == QLatin1String("."))
        field.replace(QLatin1Char(','), QLatin1Char('.'));
    return field;
}

QStringList CsvHeader::splitFields(const QString& line) const
{
    QStringList fields;
    QString field;
    bool justClosed = false;
    walkQuotes(line, [&](QChar c, bool quote, bool inQuotes) {
        if (quote) {
            // A quote that reopens right after one closed is a doubled quote.
            if (inQuotes && justClosed)
                field += kQuote;
            justClosed = !inQuotes;
            return;
        }
        justClosed = false;
        if (!inQuotes && c == m_separator) {
            fields << field;
            field.clear();
        } else {
            field += c;
        }
    });
    fields << field;
    return fields;
}

int CsvHeader::column(const QString& name) const
{
    return m_columns.indexOf(name.toUpper());
}

bool CsvHeader::IdentifyHeader(const QString& header)
{
    if (header.contains(QLatin1Char(',')))
        m_separator = QLatin1Char(',');
    if (header.contains(QLatin1Char(';')))
        m_separator = QLatin1Char(';');
    if (header.contains(kTab))
        m_separator = kTab;
    m_columns = header.toUpper().split(m_separator);
    bool common = true;
    for (const char* name : kCommonColumns)
        common = common && m_columns.contains(QLatin1String(name));

    const QString h = header.left(9).toUpper();
    const auto at = [&header](int from, int count) { return header.mid(from - 1, count).toUpper(); };
    const QStringList tagFre{QStringLiteral("#"), QStringLiteral("TAG"), QStringLiteral("FRE")};
    const QStringList tagRxf{QStringLiteral("#"), QStringLiteral("TAG"), QStringLiteral("RXF")};

    // Known by its column names, in whatever order and with whatever other
    // columns; none of the other headers has all of them.
    if (common)
        m_type = Type::Common;
    else if (startsAs(h, {QStringLiteral("#"), QStringLiteral("FREQ"), QStringLiteral("MO")}))
        m_type = Type::Coldharbour;
    else if (h == QLatin1String("FREQUENCY"))
        m_type = Type::Rookhaven;
    else if (startsAs(h, {QStringLiteral("MEMORY"), QStringLiteral("RX")}))
        m_type = Type::Plainsong;
    else if (startsAs(h, tagFre))
        m_type = at(12, 4) == QLatin1String("MODE")   ? Type::Dunmore
                 : at(12, 4) == QLatin1String("NAME") ? Type::Larkspur
                                                      : Type::Unknown;
    // "Channel N..." loses its space in normalisation; both forms count.
    else if (h == QLatin1String("CHANNEL N") || h.startsWith(QLatin1String("CHANNELN")))
        m_type = Type::Glenholm;
    else if (h == QLatin1String("SEQUENCEN"))
        m_type = Type::Eastgate;
    else if (h == QLatin1String("BANK,CHAN"))
        m_type = Type::Farrowby;
    else if (startsAs(h, tagRxf))
        m_type = at(14, 4) == QLatin1String("MODE")   ? Type::Bramblett
                 : at(14, 4) == QLatin1String("NAME") ? Type::Corrigan
                                                      : Type::Unknown;
    else if (header.left(6).toUpper() == QLatin1String("SEQUEN"))
        m_type = Type::Eastgate;
    else
        m_type = Type::Unknown;
    return m_type != Type::Unknown;
}

QString CsvHeader::typeName(Type type)
{
    switch (type) {
    case Type::Plainsong:
        return QStringLiteral("Plainsong");
    case Type::Common:
        return QStringLiteral("Common");
    case Type::Coldharbour:
        return QStringLiteral("Coldharbour");
    case Type::Rookhaven:
        return QStringLiteral("Rookhaven");
    case Type::Dunmore:
        return QStringLiteral("Dunmore");
    case Type::Larkspur:
        return QStringLiteral("Larkspur");
    case Type::Glenholm:
        return QStringLiteral("Glenholm");
    case Type::Eastgate:
        return QStringLiteral("Eastgate");
    case Type::Farrowby:
        return QStringLiteral("Farrowby");
    case Type::Bramblett:
        return QStringLiteral("Bramblett");
    case Type::Corrigan:
        return QStringLiteral("Corrigan");
    case Type::Unknown:
        break;
    }
    return QStringLiteral("Unknown");
}
