// SPDX-License-Identifier: GPL-3.0-or-later
#include "CommonCsv.h"

#include "CsvHeader.h"
#include "CsvRecordParser.h"
#include "model/CatCodec.h"
#include "model/ChannelText.h"
#include "model/Frequency.h"
#include "rules/RegionalRuleSets.h"
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
// The user-defined sideband modes have no name in the layout: they go as
// their sideband, and come back as it.
const std::pair<const char*, const char*> kLossyModeNames[] = {{"USRL", "LSB"}, {"USRU", "USB"}};
const char* const kLayoutModes[] = {"WFM",  "FM",    "NFM", "AM",   "NAM", "DV",   "USB", "LSB",
                                    "CW",   "RTTY",  "DIG", "PKT",  "NCW", "NCWR", "CWR", "P25",
                                    "Auto", "RTTYR", "FSK", "FSKR", "DMR", "DN",   "NXDN"};

QString latin(const char* text)
{
    return QString::fromLatin1(text);
}

// Hertz as megahertz with six decimals and ".", as the layout writes them.
QString megahertz(qint64 hertz)
{
    return QStringLiteral("%1.%2").arg(hertz / 1000000).arg(hertz % 1000000, 6, 10, QLatin1Char('0'));
}

// An offset field in megahertz ("." or ",") as hertz: a negative one counts
// as a number (and is never the radio's); none when it is not a number.
std::optional<qint64> offsetHertz(const QString& field)
{
    const bool negative = field.startsWith(QLatin1Char('-'));
    const std::optional<qint64> hertz = CatCodec::hertzOf(negative ? field.mid(1) : field);
    if (!hertz)
        return std::nullopt;
    return negative ? -*hertz : *hertz;
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
    return CsvRecordParser::mode(mode).value;
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

    // The radio shifts by its own offset for the band: the active repeater
    // rule's, else the one the regional sets agree on. A channel that needs
    // another offset, a separate transmit frequency or no transmit cannot be
    // held and is kept as simplex.
    const QString duplex = field("Duplex");
    const QString offset = field("Offset");
    r.shift = QStringLiteral("Simplex");
    if (duplex == QLatin1String("+") || duplex == QLatin1String("-")) {
        r.shift = duplex == QLatin1String("+") ? QStringLiteral("Plus") : QStringLiteral("Minus");
        // A frequency that is no number is the pre-check's to report.
        const std::optional<qint32> value = Frequency::parse(r.freq);
        const std::optional<qint64> given = offsetHertz(offset);
        const std::optional<qint32> radio = value ? RegionalRuleSets::repeaterOffset(rules, *value) : 0;
        QString problem;
        if (value && !given)
            problem = QStringLiteral("Offset of '") + offset + QStringLiteral("' is not a number");
        else if (value && !radio)
            problem =
                QStringLiteral("Offset of ") + offset +
                QStringLiteral(" MHz cannot be checked: no repeater rule gives the radio's offset here");
        else if (value && *given != qint64(*radio) * 10)
            problem = QStringLiteral("Offset of ") + offset +
                      QStringLiteral(" MHz is not the repeater rule's ") + Frequency::format(*radio) +
                      QStringLiteral(" MHz");
        if (!problem.isEmpty()) {
            r.problems << problem + QStringLiteral(". Will be set to Simplex");
            r.shift = QStringLiteral("Simplex");
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
    // The description file cannot hold a double quote.
    if (r.description.contains(QLatin1Char('"'))) {
        r.description.replace(QLatin1Char('"'), QLatin1Char(' '));
        r.problems << CsvRecordParser::quotesText();
    }
    return r;
}

const QStringList& CommonCsv::modes()
{
    static const QStringList list = [] {
        QStringList l;
        for (const char* mode : kLayoutModes)
            l << latin(mode);
        return l;
    }();
    return list;
}

CommonCsv::Row CommonCsv::line(const Channel& channel, int location, RuleSet& rules)
{
    Row row;
    // The radio's exact hertz: the layout carries them all.
    const qint64 hertz = CatCodec::exactHertz(channel, 1);
    const std::optional<qint32> value = qint32(channel.tenHertzSteps());
    const QString shiftWord = ChannelText::shift(channel);
    const QString modeWord = ChannelText::mode(channel);
    const QString encodingWord = ChannelText::encoding(channel);
    const QString toneWord = ChannelText::tone(channel);
    const bool plus = shiftWord == QLatin1String("Plus");
    bool shifted = plus || shiftWord == QLatin1String("Minus");
    // The offset is the one the radio shifts by; a row shifted by an offset
    // not known here would transmit elsewhere, so its shift is left out.
    std::optional<qint32> offset;
    if (shifted && value)
        offset = RegionalRuleSets::repeaterOffset(rules, *value);
    if (shifted && (!offset || *offset <= 0)) {
        row.losses << QStringLiteral("shift ") + shiftWord +
                          QStringLiteral(" left out: no repeater rule gives the radio's offset here");
        shifted = false;
    }
    QString step = QStringLiteral("5.00");
    if (value && rules.MatchRule(*value))
        step = QString::number(rules.match().Step.section(QLatin1Char(' '), 0, 0).toDouble(), 'f', 2);

    QString mode = modeWord;
    for (const auto& [radio, common] : kModeNames) {
        if (mode == QLatin1String(radio))
            mode = latin(common);
    }
    // A mode the layout does not know would lose the row there.
    if (!modes().contains(mode)) {
        QString exported = QStringLiteral("Auto");
        for (const auto& [radio, common] : kLossyModeNames) {
            if (mode == QLatin1String(radio))
                exported = latin(common);
        }
        row.losses << QStringLiteral("mode ") + modeWord + QStringLiteral(" exported as ") + exported;
        mode = exported;
    }

    const QString tone = encodingWord == QLatin1String("CTCSS Enc")       ? QStringLiteral("Tone")
                         : encodingWord == QLatin1String("CTCSS Enc+Dec") ? QStringLiteral("TSQL")
                                                                          : QString();
    const QString duplex = !shifted ? QString() : plus ? QStringLiteral("+") : QStringLiteral("-");
    row.line = QStringList{QString::number(location),
                           quoted(channel.description),
                           megahertz(hertz),
                           duplex,
                           megahertz(shifted ? qint64(*offset) * 10 : 0),
                           tone,
                           toneWord,
                           toneWord,
                           QStringLiteral("023"),
                           QStringLiteral("NN"),
                           mode,
                           step,
                           QString(),
                           QString()}
                   .join(QLatin1Char(','));
    return row;
}
