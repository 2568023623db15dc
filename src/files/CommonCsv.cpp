// SPDX-License-Identifier: GPL-3.0-or-later
#include "CommonCsv.h"

#include "CsvHeader.h"
#include "CsvImport.h"
#include "model/Frequency.h"
#include "model/MemoryRecord.h"
#include "rules/RuleSet.h"

#include <optional>

namespace {
const char* const kColumns[] = {"Location", "Name",      "Frequency", "Duplex",   "Offset",
                                "Tone",     "rToneFreq", "cToneFreq", "DtcsCode", "DtcsPolarity",
                                "Mode",     "TStep",     "Skip",      "Comment"};

// The radio's modes that this layout names otherwise. NFM is the narrow FM
// channel the radio calls FMN (so a narrow channel comes back narrow). RTTY
// is taken as the radio's RTTY on the lower sideband, the usual amateur
// convention, and its reversed form as the upper one.
const std::pair<const char*, const char*> kModeNames[] = {
    {"FMN", "NFM"}, {"RTYL", "RTTY"}, {"RTYU", "RTTYR"}};

QString latin(const char* text)
{
    return QString::fromLatin1(text);
}

// Ten-hertz steps as megahertz with six decimals and ".", as the layout writes them.
QString megahertz(qint32 value)
{
    return QStringLiteral("%1.%2").arg(value / 100000).arg(value % 100000 * 10, 6, 10, QLatin1Char('0'));
}

// A field with a separator, a quote or blanks at its ends goes in quotes.
QString quoted(QString field)
{
    if (!field.contains(QLatin1Char(',')) && !field.contains(QLatin1Char('"')) && field.trimmed() == field)
        return field;
    field.replace(QStringLiteral("\""), QStringLiteral("\"\""));
    return QLatin1Char('"') + field + QLatin1Char('"');
}

// A tone written as a number in any form (100, 88.50, 88,5) in the tone table's form.
QString toneText(const QString& tone)
{
    bool ok = false;
    const double value = QString(tone).replace(QLatin1Char(','), QLatin1Char('.')).toDouble(&ok);
    return ok ? QString::number(value, 'f', 1) : tone;
}

// The radio's mode for the layout's mode name, "" for the frequency's
// default, or nothing for a mode the radio does not have.
std::optional<QString> radioMode(const QString& mode)
{
    for (const auto& [radio, common] : kModeNames) {
        if (mode == QLatin1String(common))
            return latin(radio);
    }
    if (mode == QLatin1String("NAM"))
        return QStringLiteral("AM");
    if (mode == QLatin1String("AUTO"))
        return QString();
    return CsvImport::storedMode(mode);
}
} // namespace

QString CommonCsv::headerLine()
{
    QStringList names;
    for (const char* name : kColumns)
        names << latin(name);
    return names.join(QLatin1Char(','));
}

CsvRecord CommonCsv::read(const CsvHeader& csv, const QString& line, RuleSet& rules)
{
    const QStringList fields = csv.splitFields(line);
    const auto field = [&](const char* name) {
        const int column = csv.column(latin(name));
        return column < 0 ? QString() : fields.value(column).trimmed();
    };
    CsvRecord r;
    r.memory = field("Location");
    r.freq = csv.adaptDecimal(field("Frequency"));

    const QString mode = field("Mode").toUpper();
    const std::optional<QString> stored = radioMode(mode);
    // A mode the radio does not have stays as written, so the load pass skips it.
    r.mode = stored.value_or(mode);
    if (!stored)
        r.problems << QStringLiteral("Mode of '") + mode +
                          QStringLiteral("' is not a mode of the radio. The record will be skipped");

    // The radio shifts by its own offset for the band, which the repeater
    // rules describe; a channel that needs another offset, a separate
    // transmit frequency or no transmit cannot be held and is kept as simplex.
    const QString duplex = field("Duplex");
    const QString offset = field("Offset");
    r.shift = QStringLiteral("Simplex");
    if (duplex == QLatin1String("+") || duplex == QLatin1String("-")) {
        r.shift = duplex == QLatin1String("+") ? QStringLiteral("Plus") : QStringLiteral("Minus");
        const std::optional<qint32> value = Frequency::parse(r.freq);
        if (!offset.isEmpty() && value && rules.MatchRule(*value)) {
            const std::optional<qint32> amount = Frequency::parse(rules.match().Amount);
            if (Frequency::parse(csv.adaptDecimal(offset)) != amount) {
                r.problems << QStringLiteral("Offset of ") + offset +
                                  QStringLiteral(" MHz is not the repeater rule's ") +
                                  Frequency::format(amount.value_or(0)) +
                                  QStringLiteral(" MHz. Will be set to Simplex");
                r.shift = QStringLiteral("Simplex");
            }
        }
    } else if (!duplex.isEmpty()) {
        r.problems << QStringLiteral("Duplex of '") + duplex +
                          QStringLiteral("' is not +, - or blank. Will be set to Simplex");
    }

    const QString toneMode = field("Tone");
    const QString rTone = toneText(field("rToneFreq"));
    const QString cTone = toneText(field("cToneFreq"));
    r.tone = rTone;
    if (toneMode.compare(QLatin1String("Tone"), Qt::CaseInsensitive) == 0) {
        r.encoding = QStringLiteral("CTCSS ENC");
    } else if (toneMode.compare(QLatin1String("TSQL"), Qt::CaseInsensitive) == 0) {
        r.encoding = QStringLiteral("CTCSS ENC+DEC");
        r.tone = cTone.isEmpty() ? rTone : cTone;
    } else if (!toneMode.isEmpty()) {
        r.problems << QStringLiteral("Tone mode of '") + toneMode +
                          QStringLiteral("' is not Tone or TSQL. Will be imported without encoding");
    }

    const QString name = field("Name");
    const QString comment = field("Comment");
    r.description =
        name.isEmpty() || comment.isEmpty() ? name + comment : name + QStringLiteral(" - ") + comment;
    return r;
}

QString CommonCsv::line(const MemoryRecord& record, int location, RuleSet& rules)
{
    const std::optional<qint32> value = Frequency::parse(record.Freq);
    const bool shifted = record.Shift == QLatin1String("Plus") || record.Shift == QLatin1String("Minus");
    // The offset and step are the repeater rule's, as the radio applies them;
    // without a rule the radio's own offset for the band is not known here.
    QString offset = megahertz(0);
    QString step = QStringLiteral("5.00");
    if (value && rules.MatchRule(*value)) {
        if (shifted)
            offset = megahertz(Frequency::parse(rules.match().Amount).value_or(0));
        step = QString::number(rules.match().Step.section(QLatin1Char(' '), 0, 0).toDouble(), 'f', 2);
    }
    QString mode = record.Mode;
    for (const auto& [radio, common] : kModeNames) {
        if (mode == QLatin1String(radio))
            mode = latin(common);
    }
    const QString tone = record.EncDec == QLatin1String("CTCSS Enc")       ? QStringLiteral("Tone")
                         : record.EncDec == QLatin1String("CTCSS Enc+Dec") ? QStringLiteral("TSQL")
                                                                           : QString();
    const QString duplex = !shifted                                ? QString()
                           : record.Shift == QLatin1String("Plus") ? QStringLiteral("+")
                                                                   : QStringLiteral("-");
    return QStringList{QString::number(location),
                       quoted(record.Description),
                       value ? megahertz(*value) : record.Freq,
                       duplex,
                       offset,
                       tone,
                       record.Tone,
                       record.Tone,
                       QStringLiteral("023"),
                       QStringLiteral("NN"),
                       mode,
                       step,
                       QString(),
                       QString()}
        .join(QLatin1Char(','));
}
