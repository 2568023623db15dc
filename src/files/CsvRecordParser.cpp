// SPDX-License-Identifier: GPL-3.0-or-later
#include "CsvRecordParser.h"

#include "CommonCsv.h"
#include "CsvHeader.h"
#include "model/CatCodec.h"
#include "model/ChannelText.h"
#include "model/Frequency.h"
#include "model/Vocabulary.h"
#include "rules/RuleSet.h"
#include "state/OutcomePresenter.h"

#include <QStringList>
#include <limits>

namespace {
// Field numbers of this program's own records, as the export writes them.
constexpr int kFieldMemory = 1;
constexpr int kFieldFreq = 2;
constexpr int kFieldMode = 3;
constexpr int kFieldShift = 4;
constexpr int kFieldEncoding = 7;
constexpr int kFieldTone = 8;
constexpr int kFieldDescription = 13;
constexpr int kDescriptionLength = 100;

// "67" becomes "67.0"; "67.5" and one-character tones stay.
QString completeTone(const QString& tone)
{
    if (tone.size() > 1 && tone.at(tone.size() - 2) != QLatin1Char('.'))
        return tone + QStringLiteral(".0");
    return tone;
}
} // namespace

CsvRecordParser::CsvRecordParser(const CsvHeader& csv, RuleSet& rules, Prompter& prompter, bool common)
    : m_csv(csv), m_rules(rules), m_prompter(prompter), m_common(common)
{
}

std::optional<qint64> CsvRecordParser::wholeNumber(const QString& field)
{
    const QString t = field.trimmed();
    int i = 0;
    if (i < t.size() && (t[i] == QLatin1Char('+') || t[i] == QLatin1Char('-')))
        ++i;
    if (i == t.size())
        return std::nullopt;
    for (int j = i; j < t.size(); ++j) {
        if (t[j] < QLatin1Char('0') || t[j] > QLatin1Char('9'))
            return std::nullopt;
    }
    // Too many digits to hold: a number all the same, far out of any range.
    if (t.size() - i > 18)
        return t[0] == QLatin1Char('-') ? std::numeric_limits<qint64>::min()
                                        : std::numeric_limits<qint64>::max();
    return t.toLongLong();
}

QString CsvRecordParser::quotesText()
{
    return QStringLiteral("Double quotes were replaced by blanks");
}

CsvRecordParser::Word CsvRecordParser::mode(const QString& field)
{
    static const QStringList fm{"NFM", "WFM", "FMN", "PKTF", "FM", "PKT"};
    static const QStringList am{"AM", "WAM", "AMN", "AMS"};
    static const QStringList cw{"CWN", "CWRN", "CW", "CWR"};
    static const QStringList lsb{"DIG", "PKTL", "LSB", "RTYL"};
    static const QStringList usb{"USB", "RTYU"};
    static const QStringList user{"USRU", "USRL"};
    const QString mode = field.trimmed().toUpper();
    if (mode.isEmpty())
        return {QString(), {}};
    // The memories table's own modes come back as themselves, so that an
    // export imported again changes nothing; the table below maps the modes
    // other programs write.
    if (Vocabulary::modeNames().contains(mode))
        return {mode, {}};
    const QString unknown =
        QStringLiteral("Mode of '") + mode + QStringLiteral("' is not recognised as a Plainsong mode");
    // This layout has never had NFM: it comes in as the wide FM the mode
    // table gives it, and the pre-check says so.
    if (mode == QLatin1String("NFM"))
        return {QStringLiteral("FM"), unknown + QStringLiteral(". Will be set to FM")};
    if (fm.contains(mode))
        return {QStringLiteral("FM"), {}};
    if (am.contains(mode))
        return {QStringLiteral("AM"), {}};
    if (cw.contains(mode))
        return {QStringLiteral("CW"), {}};
    if (lsb.contains(mode))
        return {QStringLiteral("LSB"), {}};
    if (usb.contains(mode))
        return {QStringLiteral("USB"), {}};
    if (user.contains(mode))
        return {mode, {}};
    return {std::nullopt, unknown};
}

CsvRecordParser::Word CsvRecordParser::shift(const QString& field)
{
    const QString shift = field.trimmed().toUpper();
    const QString simplex = QStringLiteral("Simplex");
    if (shift.isEmpty())
        return {simplex, {}};
    for (const char* word : {"Simplex", "Plus", "Minus"}) {
        if (shift == QString::fromLatin1(word).toUpper())
            return {QString::fromLatin1(word), {}};
    }
    const QString setToSimplex = QStringLiteral(". Will be set to Simplex");
    // The radio shifts by its own offset or not at all: it cannot hold a
    // separate transmit frequency.
    if (shift == QLatin1String("SPLIT"))
        return {simplex, QStringLiteral("Shift of 'SPLIT' is not a shift the radio can hold") + setToSimplex};
    return {simplex, QStringLiteral("Shift of '") + shift +
                         QStringLiteral("' is not Simplex, Plus, Minus, Split or omitted") + setToSimplex};
}

CsvRecordParser::Word CsvRecordParser::encoding(const QString& field)
{
    const QString encoding = field.trimmed().toUpper();
    if (encoding.isEmpty())
        return {QStringLiteral(" "), {}};
    if (encoding == QLatin1String("CTCSS ENC"))
        return {QStringLiteral("CTCSS Enc"), {}};
    if (encoding == QLatin1String("CTCSS ENC+DEC"))
        return {QStringLiteral("CTCSS Enc+Dec"), {}};
    const QString withoutEncoding = QStringLiteral(". Will be imported without encoding");
    // The radio has CTCSS only.
    if (encoding == QLatin1String("DCS"))
        return {QStringLiteral(" "),
                QStringLiteral("Encoding state of 'DCS' is not one the radio can hold") + withoutEncoding};
    return {QStringLiteral(" "), QStringLiteral("Encoding state of '") + encoding +
                                     QStringLiteral("' is not CTCSS Enc, CTCSS Enc/Dec, DCS or omitted") +
                                     withoutEncoding};
}

CsvRecordParser::Word CsvRecordParser::tone(const QString& field)
{
    const QString tone = completeTone(field.trimmed());
    if (tone.isEmpty())
        return {QStringLiteral("67.0"), {}};
    if (Vocabulary::toneIndex(tone) >= 0)
        return {tone, {}};
    // Whatever the encoding: the radio (and so the memory file) can only
    // hold a tone of the table.
    return {QStringLiteral("67.0"),
            QStringLiteral("CTCSS tone of '") + tone + QStringLiteral("' is not valid. Will be set to 67.0")};
}

CsvRecord CsvRecordParser::parse(const QString& rawLine) const
{
    CsvRecord r;
    if (m_common)
        r = CommonCsv::read(m_csv, rawLine, m_rules);
    else
        readOwn(rawLine, r);
    r.blank = m_csv.CleanLine(rawLine, false).trimmed().isEmpty();
    complete(r);
    return r;
}

void CsvRecordParser::readOwn(const QString& rawLine, CsvRecord& r) const
{
    const QStringList fields = m_csv.CleanLine(rawLine, false).split(m_csv.separator());
    r.memory = fields.value(kFieldMemory - 1);
    r.freq = m_csv.adaptDecimal(fields.value(kFieldFreq - 1));
    r.mode = fields.value(kFieldMode - 1);
    r.shift = fields.value(kFieldShift - 1);
    r.encoding = fields.value(kFieldEncoding - 1);
    r.tone = fields.value(kFieldTone - 1);
    r.description = fields.value(kFieldDescription - 1);
    for (const Word& word : {mode(r.mode), shift(r.shift), encoding(r.encoding)}) {
        if (!word.problem.isEmpty())
            r.problems << word.problem;
    }
    // The line's quotes are read as quoting and become blanks.
    if (rawLine.contains(QLatin1Char('"')))
        r.problems << quotesText();
}

void CsvRecordParser::complete(CsvRecord& r) const
{
    r.memory = r.memory.trimmed();
    r.number = wholeNumber(r.memory);

    bool overflow = false;
    const std::optional<qint32> parsed = Frequency::parse(r.freq, &overflow);
    // A number too large to hold is still a number, just not one in range.
    r.numeric = parsed.has_value() || overflow;
    QString freqText;
    if (parsed) {
        freqText = r.freq;
        const Frequency::Reading reading = Frequency::check(freqText);
        if (reading.value != -1)
            r.value = reading.value;
        r.inRange = OutcomePresenter::show(m_prompter, reading, true);
    }

    const Word modeWord = mode(r.mode);
    r.modeKnown = modeWord.value.has_value();
    const Word toneWord = tone(r.tone);
    if (!toneWord.problem.isEmpty())
        r.problems << toneWord.problem;
    const QString modeText = r.modeKnown && r.inRange && modeWord.value->isEmpty()
                                 ? m_rules.defaultMode(r.value)
                                 : modeWord.value.value_or(QString());
    Channel& channel = r.channel;
    channel.present = !freqText.isEmpty();
    channel.hertz = qint64(r.value) * 10;
    // Every word here is one of the radio's vocabularies.
    channel.mode = ChannelText::modeOf(modeText).value_or(QChar());
    channel.shift = ChannelText::shiftOf(*shift(r.shift).value).value_or(QChar());
    channel.encoding = ChannelText::encodingOf(*encoding(r.encoding).value).value_or(QLatin1Char('0'));
    channel.tone = ChannelText::toneOf(*toneWord.value).value_or(-1);
    channel.description = r.description.trimmed().left(kDescriptionLength);
    // Hertz the table's ten-hertz steps do not show are kept as the radio
    // keeps them, so that a save and a write carry them.
    const std::optional<qint64> hertz = CatCodec::hertzOf(r.freq);
    if (r.inRange && r.modeKnown && hertz && *hertz % 10 != 0 &&
        *hertz <= qint64(Frequency::kRadioHigh) * 10) {
        Channel exact = channel;
        exact.hertz = *hertz;
        exact.radioRecord = CatCodec::radioRecordOf(exact, 1);
        if (!exact.radioRecord.isEmpty())
            channel = exact;
    }
}
