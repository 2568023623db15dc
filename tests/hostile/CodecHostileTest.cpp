#include "HostileInvariants.h"
#include "Mutator.h"
#include "app/MessageLog.h"
#include "cat/CatCodec.h"
#include "files/MemoryFile.h"
#include "files/TextFileReader.h"
#include "model/ChannelMap.h"
#include "model/Frequency.h"
#include "model/Vocabulary.h"
#include "support/ScriptedPrompter.h"
#include "support/TestLocale.h"

#include <QFile>
#include <QRegularExpression>
#include <gtest/gtest.h>

using namespace HostileInvariants;

namespace {

constexpr int kCases = 4000;

QStringList sampleLines()
{
    QFile file(QStringLiteral(QUAYSTONE_TEST_DATA "/sample.950"));
    TextFileReader reader;
    return file.open(QIODevice::ReadOnly) && reader.read(file) ? reader.lines() : QStringList();
}

// A memory reply as the radio sends it: the sample's lines with "MR".
QString replyFrom(const QString& line)
{
    return QStringLiteral("MR") + line.mid(2);
}

class HostileDecoder : public DecimalMarkTest {};

// Replies damaged on the wire or made up entirely: a reply that fails
// leaves the record and the tables exactly as they were; one that decodes
// yields a well-formed frequency, a known tone and touches its slot only.
TEST_P(HostileDecoder, FailsCleanlyOrYieldsAWellFormedRecordInItsOwnSlot)
{
    const QStringList lines = sampleLines();
    ASSERT_FALSE(lines.isEmpty());
    ChannelTables tables;
    for (const QString& line : lines)
        ASSERT_FALSE(CatCodec::decodeInto(tables, replyFrom(line), CatCodec::channelOf(line) + 1));

    int decoded = 0;
    for (int i = 0; i < kCases; ++i) {
        const quint32 seed = Mutator::kBaseSeed + quint32(i);
        Mutator m(seed);
        const QString valid = replyFrom(lines.at(m.below(int(lines.size()))));
        const QByteArray input = m.chance(15) ? m.randomBytes(40) : m.mutate(valid.toLatin1());
        const QString reply = QString::fromLatin1(input);
        const int position = 1 + m.below(ChannelMap::kSlotCount);
        SCOPED_TRACE(caseTrace(seed, input) + ", position " + std::to_string(position));

        const QVector<QStringList> memoriesBefore = tables.memories.dataRows();
        const QVector<QStringList> pmsBefore = tables.pms.dataRows();
        const MemoryRecord before = tables.recordAt(position);
        MemoryRecord record = before;
        const bool failed = CatCodec::decode(reply, position, record).has_value();
        const bool failedInto = CatCodec::decodeInto(tables, reply, position).has_value();
        ASSERT_EQ(failed, failedInto);
        if (failed) {
            ASSERT_EQ(record, before);
            ASSERT_TRUE(tables.memories.dataRows() == memoriesBefore);
            ASSERT_TRUE(tables.pms.dataRows() == pmsBefore);
            continue;
        }
        ++decoded;
        ASSERT_EQ(tables.recordAt(position), record);
        ASSERT_EQ(record.Description, before.Description);
        ASSERT_TRUE(wellFormedFreq(record.Freq, position > ChannelMap::kMemoryRows))
            << record.Freq.toStdString();
        ASSERT_TRUE(Vocabulary::toneTable().contains(record.Tone)) << record.Tone.toStdString();
        // Only the addressed slot may change.
        MemoryRecord restored = tables.recordAt(position);
        tables.setRecordAt(position, before);
        ASSERT_TRUE(tables.memories.dataRows() == memoriesBefore);
        ASSERT_TRUE(tables.pms.dataRows() == pmsBefore);
        tables.setRecordAt(position, restored);
    }
    expectShapeAndFreqs(tables);
    // Both outcomes must have been exercised for the test to mean anything.
    EXPECT_GT(decoded, kCases / 20);
    EXPECT_LT(decoded, kCases - kCases / 20);
}

class HostileMemoryFile : public DecimalMarkTest {};

// A memory file with one damaged line: a line that is refused changes
// nothing at all (the tables equal those of the file without it); an
// accepted one changes at most the slot it names.
TEST_P(HostileMemoryFile, ADamagedLineChangesNothingButItsOwnSlot)
{
    const QStringList lines = sampleLines();
    ASSERT_FALSE(lines.isEmpty());
    MessageLog log;
    for (int i = 0; i < 1500; ++i) {
        const quint32 seed = Mutator::kBaseSeed + quint32(i);
        Mutator m(seed);
        int changed = 0;
        const QStringList damaged = m.mutateOneLine(lines, &changed);
        SCOPED_TRACE(caseTrace(seed, damaged.value(changed).toLatin1()) + ", line " +
                     std::to_string(changed));
        QStringList without = damaged;
        without.removeAt(changed);

        ChannelTables expected;
        ASSERT_EQ(MemoryFile::load(without, expected, log, QStringLiteral("t.950")), 0);
        ChannelTables actual;
        const int skipped = MemoryFile::load(damaged, actual, log, QStringLiteral("t.950"));
        ASSERT_LE(skipped, 1);
        expectShapeAndFreqs(actual);
        const QString& line = damaged.at(changed);
        const int own = skipped == 0 && !line.trimmed().isEmpty() ? MemoryFile::channelNumber(line) + 1 : 0;
        for (int position = 1; position <= ChannelMap::kSlotCount; ++position) {
            if (position != own) {
                ASSERT_EQ(actual.recordAt(position), expected.recordAt(position)) << "position " << position;
            }
        }
    }
}

class HostileFrequency : public DecimalMarkTest {};

// The frequency reader on damaged numbers: an accepted text becomes the
// normal five-decimal form of a value inside the radio's range that reads
// back to the same value; a refused one is left as typed.
TEST_P(HostileFrequency, AcceptsOnlyInRangeValuesAndNormalisesThem)
{
    const QStringList valid{local("7.05000"),     local("14.195"), local("0.03"), local("56"),
                            QStringLiteral("28"), local("3.6"),    local(".5"),   QStringLiteral("Empty")};
    ScriptedPrompter prompter;
    int accepted = 0;
    for (int i = 0; i < kCases; ++i) {
        const quint32 seed = Mutator::kBaseSeed + quint32(i);
        Mutator m(seed);
        const QByteArray input =
            m.chance(10) ? m.randomBytes(24) : m.mutate(valid.at(m.below(int(valid.size()))).toLatin1());
        SCOPED_TRACE(caseTrace(seed, input));
        const QString typed = QString::fromLatin1(input);

        const std::optional<qint32> parsed = Frequency::parse(typed);
        if (parsed && *parsed >= 0) {
            ASSERT_EQ(Frequency::parse(Frequency::format(*parsed)), parsed);
        }

        QString text = typed;
        qint32 value = -1;
        if (!Frequency::check(text, true, prompter, &value)) {
            ASSERT_EQ(text, typed);
            continue;
        }
        ++accepted;
        ASSERT_TRUE(wellFormedFreq(text, false)) << text.toStdString();
        ASSERT_GE(value, Frequency::kRadioLow);
        ASSERT_LE(value, Frequency::kRadioHigh);
        ASSERT_EQ(Frequency::parse(text), value);
    }
    // Quiet checks say nothing unless a number overflowed.
    for (const ScriptedPrompter::Prompt& p : prompter.prompts())
        EXPECT_TRUE(p.text.startsWith(QLatin1String(Frequency::kConversionError))) << p.text.toStdString();
    EXPECT_GT(accepted, kCases / 20);
}

QUAYSTONE_BOTH_DECIMAL_MARKS(HostileDecoder);
QUAYSTONE_BOTH_DECIMAL_MARKS(HostileMemoryFile);
QUAYSTONE_BOTH_DECIMAL_MARKS(HostileFrequency);

} // namespace
