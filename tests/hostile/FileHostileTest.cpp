#include "HostileInvariants.h"
#include "Mutator.h"
#include "app/AppState.h"
#include "app/MessageLog.h"
#include "app/Prompter.h"
#include "files/CsvExport.h"
#include "files/CsvHeader.h"
#include "files/CsvImport.h"
#include "files/DescriptionFile.h"
#include "files/MemoryFile.h"
#include "files/TextFileReader.h"
#include "model/ChannelMap.h"
#include "support/TestLocale.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace HostileInvariants;

namespace {

QStringList readLines(const char* name)
{
    QFile file(QStringLiteral(QUAYSTONE_TEST_DATA "/") + QString::fromLatin1(name));
    TextFileReader reader;
    return file.open(QIODevice::ReadOnly) && reader.read(file) ? reader.lines() : QStringList();
}

void loadSample(ChannelTables& tables)
{
    MessageLog log;
    tables.reset();
    MemoryFile::load(readLines("sample.950"), tables, log, QStringLiteral("sample.950"));
}

// Says yes to every question and hands over one file.
class YesPrompter : public Prompter {
public:
    QString file;
    QStringList messages;
    Answer ask(const QString& text, Buttons, Icon, const QString&) override
    {
        messages << text;
        return Answer::Yes;
    }
    std::optional<QString> inputText(const QString&, const QString&, const QString&) override { return {}; }
    QString chooseOpenFile(const QString&, const QString&, const QString&) override { return file; }
    QString chooseSaveFile(const QString&, const QString&, const QString&, const QString&) override
    {
        return {};
    }
    QString chooseFolder(const QString&, const QString&) override { return {}; }
};

class HostileFiles : public DecimalMarkTest {};

// A description file damaged anywhere only ever changes descriptions and
// the column width, which stays a usable size.
TEST_P(HostileFiles, DescriptionFilesChangeOnlyDescriptions)
{
    const QStringList lines = readLines("sample.950dsc");
    ASSERT_EQ(lines.size(), 101);
    AppState state;
    loadSample(state.tables);
    const int fallback = 3000;
    for (int i = 0; i < 3000; ++i) {
        const quint32 seed = Mutator::kBaseSeed + quint32(i);
        Mutator m(seed);
        int changed = 0;
        QStringList damaged = m.mutateOneLine(lines, &changed);
        if (m.chance(20))
            damaged = damaged.mid(0, m.below(int(damaged.size())));
        SCOPED_TRACE(caseTrace(seed, damaged.value(changed).toLatin1()) + ", line " +
                     std::to_string(changed));
        const QVector<QStringList> before = state.tables.memories.dataRows();
        const QVector<QStringList> pmsBefore = state.tables.pms.dataRows();
        DescriptionFile::apply(damaged, state, fallback);
        ASSERT_TRUE(state.tables.pms.dataRows() == pmsBefore);
        ASSERT_GE(state.descriptionColumnWidth, 0);
        ASSERT_LE(state.descriptionColumnWidth, 1000000);
        for (int row = 1; row <= state.tables.memories.rowCount(); ++row) {
            QStringList expected = before.at(row - 1);
            if (row < damaged.size())
                expected[Column::kDescription] = DescriptionFile::parseLine(damaged.at(row)).text;
            ASSERT_EQ(state.tables.memories.dataRows().at(row - 1), expected) << "row " << row;
        }
    }
    expectShapeAndFreqs(state.tables);
}

// Header identification and the two line routines on damaged headers and
// records: a field never holds the separator, a cleaned line never a quote,
// and the separator in force is one the program knows.
TEST_P(HostileFiles, CsvLinesNeverLeakSeparatorsOrQuotes)
{
    AppState state;
    loadSample(state.tables);
    YesPrompter prompter;
    MessageLog log;
    CsvHeader csv;
    const QStringList valid = CsvExport(state, prompter, log, csv, CsvExportOptions()).lines();
    ASSERT_GT(valid.size(), 10);
    for (int i = 0; i < 4000; ++i) {
        const quint32 seed = Mutator::kBaseSeed + quint32(i);
        Mutator m(seed);
        const QByteArray input =
            m.chance(10) ? m.randomBytes(120) : m.mutate(valid.at(m.below(8)).toLatin1());
        SCOPED_TRACE(caseTrace(seed, input));
        const QString line = QString::fromLatin1(input);

        CsvHeader header;
        const bool known = header.IdentifyHeader(header.CleanLine(line, true));
        ASSERT_EQ(known, header.headerType() != CsvHeader::Type::Unknown);
        const QChar sep = header.separator();
        ASSERT_TRUE(sep == QLatin1Char(',') || sep == QLatin1Char(';') || sep == QLatin1Char('\t'))
            << int(sep.unicode());

        const QString cleaned = header.CleanLine(line, false);
        ASSERT_FALSE(cleaned.contains(QLatin1Char('"')));
        ASSERT_FALSE(header.CleanLine(line, true).contains(QLatin1Char(' ')));
        for (int n = 1; n <= 14; ++n) {
            const QString raw = header.GetField(cleaned, n, false);
            ASSERT_FALSE(raw.contains(sep)) << "field " << n;
            // Converting adapts the decimal mark and nothing else.
            QString converted = header.GetField(cleaned, n, true);
            ASSERT_EQ(converted.size(), raw.size()) << "field " << n;
            converted.replace(QLatin1Char(','), QLatin1Char('.'));
            ASSERT_EQ(converted, QString(raw).replace(QLatin1Char(','), QLatin1Char('.'))) << "field " << n;
        }
    }
}

// Whole CSV files damaged in one record (or header): an import that is
// refused leaves both tables exactly as they were; one that goes through
// fills memories only, with well-formed frequencies inside the radio's range.
TEST_P(HostileFiles, ARefusedCsvImportLeavesTheTables)
{
    QTemporaryDir dir(scratchBase());
    ASSERT_TRUE(dir.isValid());
    AppState state;
    loadSample(state.tables);
    MessageLog log;
    CsvHeader csv;
    YesPrompter prompter;
    prompter.file = dir.filePath(QStringLiteral("in.CSV"));
    const QStringList valid = CsvExport(state, prompter, log, csv, CsvExportOptions()).lines();

    int imported = 0;
    const int cases = 600;
    for (int i = 0; i < cases; ++i) {
        const quint32 seed = Mutator::kBaseSeed + quint32(i);
        Mutator m(seed);
        int changed = 0;
        const QStringList damaged = m.mutateOneLine(valid, &changed);
        SCOPED_TRACE(caseTrace(seed, damaged.value(changed).toLatin1()) + ", line " +
                     std::to_string(changed));
        QFile file(prompter.file);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(damaged.join(QStringLiteral("\r\n")).toLatin1());
        file.close();

        loadSample(state.tables);
        if (m.chance(50)) // room for the records, or no room at all
            state.tables.memories.reset();
        CsvImportOptions options;
        options.useNumbers = m.chance(50);
        options.omitDuplicates = m.chance(30);
        const QVector<QStringList> before = state.tables.memories.dataRows();
        const QVector<QStringList> pmsBefore = state.tables.pms.dataRows();
        const CsvImport::Result result = CsvImport(state, prompter, log, csv, options).ImportCsv(false);
        log.clear();
        ASSERT_TRUE(state.tables.pms.dataRows() == pmsBefore);
        if (result != CsvImport::Result::Imported) {
            ASSERT_TRUE(state.tables.memories.dataRows() == before) << "result " << int(result);
            continue;
        }
        ++imported;
        expectShapeAndFreqs(state.tables);
        for (int row = 1; row <= ChannelMap::kMemoryRows; ++row) {
            if (state.tables.memories.isEmptyRow(row))
                continue;
            const std::optional<qint32> value = Frequency::parse(state.tables.memories.record(row).Freq);
            ASSERT_TRUE(value && *value >= Frequency::kRadioLow && *value <= Frequency::kRadioHigh)
                << "row " << row;
        }
    }
    EXPECT_GT(imported, cases / 10);
    EXPECT_LT(imported, cases);
}

QUAYSTONE_BOTH_DECIMAL_MARKS(HostileFiles);

} // namespace
