// SPDX-License-Identifier: GPL-3.0-or-later
#include "files/CsvImport.h"
#include "FileTestSupport.h"
#include "files/CsvExport.h"
#include "files/CsvHeader.h"
#include "io/TextFileWriter.h"
#include "model/CatCodec.h"
#include "model/Frequency.h"
#include "rules/RepeaterRule.h"
#include "state/AppState.h"
#include "support/ScriptedPrompter.h"
#include "support/TestText.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <iterator>
#include <memory>

using namespace FileTestSupport;
using R = CsvImport::Result;

namespace {

const QString kPreCheck =
    QStringLiteral("The pre-check of the import file has errors. Do you want to try and load it?");

// A CSV record in the export's layout from "memory|freq|mode|shift|encoding|tone|description",
// the frequency written with `mark`.
QString csvLine(const char* fields, QChar sep = QLatin1Char(','), QChar mark = QLatin1Char('.'))
{
    QStringList f = QString::fromUtf8(fields).split(QLatin1Char('|'));
    while (f.size() < 7)
        f << QString();
    f[1].replace(QLatin1Char('.'), mark);
    return QStringList{f[0], f[1], f[2], f[3], "", "", f[4], f[5], "", "", "", "", f[6]}.join(sep);
}

QStringList csvFile(const QStringList& records, QChar sep = QLatin1Char(','), QChar mark = QLatin1Char('.'))
{
    QStringList lines{CsvExport::headerLine(sep)};
    for (const QString& s : records)
        lines << csvLine(s.toUtf8().constData(), sep, mark);
    return lines;
}

class CsvImportTest : public DecimalMarkTest {
protected:
    void SetUp() override
    {
        DecimalMarkTest::SetUp();
        ASSERT_TRUE(m_dir.isValid());
        m_state.setDataFolder(m_dir.path());
    }
    QString path(const char* name) const { return m_dir.filePath(QString::fromLatin1(name)); }

    // Starts afresh (log, prompts, options) with `answers` scripted, then imports `lines`.
    R run(const QStringList& lines, const QVector<Prompter::Answer>& answers = {}, bool preview = false)
    {
        return runBytes(TextFileWriter::encode(lines), answers, preview);
    }
    R runBytes(const QByteArray& bytes, const QVector<Prompter::Answer>& answers = {}, bool preview = false)
    {
        m_log.clear();
        m_prompter.clear();
        for (Prompter::Answer a : answers)
            m_prompter.answer(a);
        writeBytes(path("in.CSV"), bytes);
        m_prompter.reply(path("in.CSV"));
        m_import = std::make_unique<CsvImport>(m_state, m_prompter, m_log, m_csv, m_options);
        return m_import->ImportCsv(preview);
    }
    void fillRows(int first, int last)
    {
        for (int row = first; row <= last; ++row) {
            Channel channel = rec("1.00000|LSB|Simplex||67.0");
            channel.hertz = (100000 + row * 1000) * 10;
            channel.description = QStringLiteral("old %1").arg(row);
            m_state.tables().memories.setChannel(row, channel);
        }
    }
    int usedRows() const
    {
        int used = 0;
        for (int row = 1; row <= 100; ++row)
            used += m_state.tables().memories.isEmptyRow(row) ? 0 : 1;
        return used;
    }

    QTemporaryDir m_dir;
    AppState m_state;
    MessageLog m_log;
    ScriptedPrompter m_prompter;
    CsvHeader m_csv;
    CsvImportOptions m_options;
    std::unique_ptr<CsvImport> m_import;
};

TEST_P(CsvImportTest, PreCheckReportsEachProblemAndNoLeavesTheTableAlone)
{
    struct Case {
        const char* record; // the file's second record
        bool useNumbers;
        const char* message; // "%1" is the record's frequency with the user's mark
    };
    const Case cases[] = {
        {"0|7.0", false, "Record 2. Memory number of 0 is outside the range 1 to 100"},
        {"101|7.0", false, "Record 2. Memory number of 101 is outside the range 1 to 100"},
        {"99999999999999999999|7.0", false,
         "Record 2. Memory number of 99999999999999999999 is outside the range 1 to 100"},
        {"x1|7.0", false, "Record 2. Memory number of x1 is not numeric"},
        {"|7.0", true,
         "Record 2. Memory number is missing, but is required due to 'Use imported mem numbers'."},
        {"1|abc", false, "Record 2. Frequency of 'abc' is not numeric."},
        {"1|0.02", false, "Record 2. Frequency of '%1' is outside the range of the radio"},
        {"1|7.0|LSB||||say \"hi\"", false, "Record 2. Double quotes were replaced by blanks"},
    };
    fillRows(1, 2);
    const QVector<Channel> before = m_state.tables().memories.channels();
    for (const Case& c : cases) {
        m_options.useNumbers = c.useNumbers;
        EXPECT_EQ(run(csvFile({"1|14.2", c.record}), {Prompter::Answer::No}), R::Declined) << c.message;
        const QString freq = csvLine(c.record).section(QLatin1Char(','), 1, 1);
        QString message = QString::fromLatin1(c.message);
        message.replace(QStringLiteral("%1"), local(freq.toLatin1()));
        EXPECT_EQ(logLines(m_log), QStringList({message, CsvImport::underscoreLine()}));
        EXPECT_EQ(m_prompter.messages(), QStringList{kPreCheck});
        EXPECT_EQ(m_prompter.prompts().last().buttons, Prompter::Buttons::YesNo);
        EXPECT_EQ(m_prompter.prompts().last().safe, Prompter::Answer::No) << "Return loads nothing";
        EXPECT_EQ(m_state.tables().memories.channels(), before);
    }
}

// Each word goes through one normalisation: what the pre-check says of a
// record is what the placement does with it, and every cell placed is a word
// of the radio's vocabularies.
TEST_P(CsvImportTest, ThePreCheckSaysWhatThePlacementDoes)
{
    struct Case {
        QString record;
        QStringList check; // the pre-check's lines without "Record 1. "; answered Yes to load anyway
        QString row;       // row 1 afterwards; "" when the record is left out
    };
    const QString longText(150, QLatin1Char('d'));
    const QString dcs =
        "Encoding state of 'DCS' is not one the radio can hold. Will be imported without encoding";
    const Case cases[] = {
        {"1|29.62|PKT|minus", {}, "29.62000|FM|Minus| |67.0|"},
        {"1|29.62|nfm|PLUS",
         {"Mode of 'NFM' is not recognised as a Plainsong mode. Will be set to FM"},
         "29.62000|FM|Plus| |67.0|"},
        {"1|7.1|XYZ", {"Mode of 'XYZ' is not recognised as a Plainsong mode"}, ""},
        {"1|7.1|", {}, "7.10000|LSB|Simplex| |67.0|"}, // default mode by band
        {"1|29.68|", {}, "29.68000|FMN|Simplex| |67.0|"},
        {"1|7.1|LSB|Up",
         {"Shift of 'UP' is not Simplex, Plus, Minus, Split or omitted. Will be set to Simplex"},
         "7.10000|LSB|Simplex| |67.0|"},
        {"1|14.25|USB|split",
         {"Shift of 'SPLIT' is not a shift the radio can hold. Will be set to Simplex"},
         "14.25000|USB|Simplex| |67.0|"},
        {"1|29.62|FM|Minus|Ctcss Enc+Dec|100", {}, "29.62000|FM|Minus|CTCSS Enc+Dec|100.0|"},
        {"1|21.3|AM||dcs|023|dcs",
         {dcs, "CTCSS tone of '023.0' is not valid. Will be set to 67.0"},
         "21.30000|AM|Simplex| |67.0|dcs"},
        {"1|7.1|LSB||TSQL",
         {"Encoding state of 'TSQL' is not CTCSS Enc, CTCSS Enc/Dec, DCS or omitted. Will be imported "
          "without encoding"},
         "7.10000|LSB|Simplex| |67.0|"},
        {"1|29.62|FM|||7",
         {"CTCSS tone of '7' is not valid. Will be set to 67.0"},
         "29.62000|FM|Simplex| |67.0|"},
        {"1|14.25|USB||||  " + longText, {}, "14.25000|USB|Simplex| |67.0|" + longText.left(100)},
        {"1|60|USB", {"Frequency of '60' is outside the range of the radio"}, ""},
    };
    for (const Case& c : cases) {
        m_state.tables().reset();
        m_state.setChanged(false);
        const QVector<Prompter::Answer> yes{Prompter::Answer::Yes};
        // A file whose only record is left out imported nothing, and says so.
        const bool placed = !c.row.isEmpty();
        EXPECT_EQ(run(csvFile({c.record}), c.check.isEmpty() ? QVector<Prompter::Answer>() : yes),
                  placed ? R::Imported : R::NoneImported)
            << c.record;
        QStringList check;
        for (const QString& line : c.check)
            check << QStringLiteral("Record 1. ") + line;
        EXPECT_EQ(logLines(m_log).filter(QStringLiteral("Record 1. ")), check) << c.record;
        EXPECT_EQ(m_state.changed(), placed);
        // A record the pre-check named and that was placed counts as changed.
        EXPECT_EQ(
            logLines(m_log).last(),
            CsvImport::summaryText({placed ? 1 : 0, placed && !check.isEmpty() ? 1 : 0, placed ? 0 : 1, 0}))
            << c.record;
        if (c.row.isEmpty())
            EXPECT_TRUE(m_state.tables().memories.isEmptyRow(1)) << c.record;
        else
            EXPECT_EQ(rowText(m_state.tables().memories, 1), recText(rec(c.row.toUtf8()))) << c.record;
    }
    // The placement names what it leaves out.
    EXPECT_TRUE(logLines(m_log).contains(
        QStringLiteral("Record 1 memory 1. Skipped due to bad RX frequency of ") + local("60")));
}

TEST_P(CsvImportTest, DuplicatesAreOmittedAgainstTheTableAndInsideTheFile)
{
    const QStringList records = csvFile({"|7.074|USB", "|14.074|USB", "|14.07400|LSB", "|21.074|USB"});
    for (const bool omit : {true, false}) {
        m_state.tables().reset();
        // The last memory (99) is compared too.
        m_state.tables().memories.setChannel(100, rec("7.07400|USB|Simplex||67.0"));
        m_options.omitDuplicates = omit;
        EXPECT_EQ(run(records), R::Imported);
        EXPECT_EQ(usedRows(), omit ? 3 : 5);
        EXPECT_EQ(logLines(m_log).last(), CsvImport::summaryText({omit ? 2 : 4, 0, 0, omit ? 2 : 0}));
        if (omit) {
            EXPECT_EQ(m_import->duplicates(), 1); // the pre-check knows only the table
            EXPECT_EQ(rowText(m_state.tables().memories, 1), recText(rec("14.07400|USB|Simplex| |67.0")));
            EXPECT_EQ(rowText(m_state.tables().memories, 2), recText(rec("21.07400|USB|Simplex| |67.0")));
        }
    }
    // Every record a duplicate, or no records at all: nothing to import, and no message box.
    m_options.omitDuplicates = true;
    for (const int count : {2, 0}) {
        EXPECT_EQ(run(csvFile(QStringList(count, QStringLiteral("|7.074")))), R::NothingToImport);
        EXPECT_EQ(
            m_log.text(),
            QStringLiteral("Every one of the%1 records is a duplicate frequency.\r\nNothing to import\r\n")
                .arg(count));
        EXPECT_EQ(m_prompter.messages(), QStringList());
    }
}

TEST_P(CsvImportTest, StartRowAndImportedNumbersChooseTheRows)
{
    struct Case {
        const char* start;
        bool useNumbers;
        QStringList records;
        QVector<int> rows; // rows that receive the records, in order; 0 for none
        bool precheckError;
        bool labels = false;  // the numbers are read as the memories' own labels
        bool tooHigh = false; // a number names no memory
    };
    const Case cases[] = {
        {"", false, {"9|7.1"}, {1}, false},
        {"30", false, {"9|7.1", "2|7.2"}, {30, 31}, false},
        // A running count 1, 2, 3 ... names rows; any other numbering names the
        // memories' own labels 0 to 99, as an export that keeps them writes.
        {"1", true, {"1|7.1", "2|7.2", "3|7.3"}, {1, 2, 3}, false},
        {"1", true, {"0|7.1", "5|7.2", "99|7.3"}, {1, 6, 100}, false, true},
        {"5", true, {"9|7.1", "|7.2"}, {10, 5}, true, true}, // the empty number fails the pre-check
        {"1", true, {"1|7.1", "100|7.2"}, {2, 0}, true, true, true},
        // A number the pre-check calls not numeric leaves its record out; of
        // two records for one memory the first is placed.
        {"50", true, {"1|7.1", "0x10|7.2", "2|7.3"}, {1, 0, 2}, true},
        {"1", false, {"1e2|7.1", "|7.2"}, {0, 1}, true},
        {"1", true, {"1|7.1", "2|7.2", "2|7.3"}, {2, 3, 0}, true, true},
        {"1", true, {"|7.1", "0|7.2"}, {1, 0}, true, true}, // the first went to memory 0 already
        // Rows below the start are never used, even when the rows from it on run out.
        {"99", false, {"|7.1", "|7.2", "|7.3"}, {99, 100, 0}, false},
    };
    for (const Case& c : cases) {
        m_state.tables().reset();
        m_options.startText = QString::fromLatin1(c.start);
        m_options.useNumbers = c.useNumbers;
        const QVector<Prompter::Answer> yes{Prompter::Answer::Yes};
        EXPECT_EQ(run(csvFile(c.records), c.precheckError ? yes : QVector<Prompter::Answer>()), R::Imported)
            << c.start;
        EXPECT_EQ(logLines(m_log).contains(CsvImport::labelNumbersText()), c.labels)
            << c.records.join(' ').toStdString();
        EXPECT_EQ(logLines(m_log).filter(QStringLiteral(" is too high - the memory was not added")).size(),
                  c.tooHigh ? 1 : 0);
        int filled = 0;
        for (int i = 0; i < c.rows.size(); ++i) {
            if (c.rows[i] == 0)
                continue;
            ++filled;
            EXPECT_EQ(cellText(m_state.tables().memories, c.rows[i], Column::kFreq),
                      local(c.records[i].section(QLatin1Char('|'), 1, 1).toLatin1() + "0000"))
                << c.start;
        }
        EXPECT_EQ(usedRows(), filled) << c.start;
        EXPECT_EQ(m_import->counts().imported, filled);
        EXPECT_EQ(m_import->counts().leftOut, int(c.records.size()) - filled);
    }
    EXPECT_EQ(m_prompter.messages(),
              QStringList({"Cannot find an empty slot to use for importing", "Import completed"}));

    // A start number outside its range stops before the file dialog.
    for (const char* start : {"0", "101", "abc", "5.5", "-3"}) {
        m_prompter.clear();
        m_options.startText = QString::fromLatin1(start);
        EXPECT_EQ(CsvImport(m_state, m_prompter, m_log, m_csv, m_options).ImportCsv(false), R::BadStart);
        EXPECT_EQ(m_prompter.messages(), QStringList{CsvImport::startRangeText()});
        EXPECT_EQ(m_prompter.prompts().size(), 1) << "no file dialog";
    }
}

TEST_P(CsvImportTest, ClearAllAsksAndCancelLeavesTheTable)
{
    fillRows(1, 10);
    m_state.tables().pms.setChannel(1, rec("14.000000|USB|Simplex||67.0"));
    const QVector<Channel> before = m_state.tables().memories.channels();
    m_options.clearAll = true;
    EXPECT_EQ(run(csvFile({"|7.1"}), {Prompter::Answer::Cancel}), R::ClearRefused);
    EXPECT_EQ(m_prompter.messages(),
              QStringList{"Are you sure you want to clear ALL memories before importing?"});
    EXPECT_EQ(m_prompter.prompts().last().buttons, Prompter::Buttons::YesNoCancel);
    EXPECT_EQ(m_prompter.prompts().last().safe, Prompter::Answer::Cancel) << "Return clears nothing";
    EXPECT_EQ(m_state.tables().memories.channels(), before);

    EXPECT_EQ(run(csvFile({"|7.1"}), {Prompter::Answer::Yes}), R::Imported);
    EXPECT_EQ(cellText(m_state.tables().memories, 1, Column::kFreq), local("7.10000"));
    EXPECT_EQ(usedRows(), 1);
    EXPECT_EQ(cellText(m_state.tables().memories, 2, Column::kDescription), QString());
    EXPECT_EQ(cellText(m_state.tables().pms, 1, Column::kFreq), local("14.000000"));
    // The whole import is one undo step (named "Import": ImportExportWindowTest).
    ASSERT_TRUE(m_state.undoStep());
    EXPECT_EQ(m_state.tables().memories.channels(), before);
}

TEST_P(CsvImportTest, NotEnoughSpaceIsAPreCheckError)
{
    struct Case {
        int used, records;
        bool clearAll;
        QStringList messages;
    };
    const Case cases[] = {
        {95, 10, false, {kPreCheck}},
        {100, 1, false, {"Memory is full. Delete some memories to make space", kPreCheck}},
        {0, 101, true, {kPreCheck}},          // clearing first still leaves too little room
        {97, 3, false, {"Import completed"}}, // exactly the free memories: all placed
    };
    for (const Case& c : cases) {
        m_state.tables().reset();
        fillRows(1, c.used);
        m_options.clearAll = c.clearAll;
        const bool fits = c.used + c.records <= 100;
        EXPECT_EQ(run(csvFile(QStringList(c.records, QStringLiteral("|3.5"))), {Prompter::Answer::No}),
                  fits ? R::Imported : R::Declined);
        EXPECT_EQ(m_prompter.messages(), c.messages);
        EXPECT_EQ(usedRows(), fits ? 100 : c.used);
        if (fits)
            continue;
        const QString space =
            QStringLiteral("You have%1 memories and there is not enough space to add%2 more.")
                .arg(c.used)
                .arg(c.records);
        QStringList log{space, CsvImport::underscoreLine()};
        if (c.clearAll)
            log.prepend(
                QStringLiteral("The import file holds 101 records, more than the 100 memories can take. "
                               "The file must be reduced"));
        EXPECT_EQ(logLines(m_log), log);
    }
}

TEST_P(CsvImportTest, HeadersThatAreNotOursStopTheImport)
{
    struct Case {
        const char* header;
        QStringList log; // "%1" is the file's path
        QStringList messages;
    };
    const Case cases[] = {
        {"1,7.00000,LSB,Simplex,,,,67.0,,,,,",
         {"Filename: %1", "1,7.00000,LSB,Simplex,,,,67.0,,,,,",
          "First record is not recognised as a header record"},
         {"Import aborted due to errors"}},
        {"#,Freq,Mode", {"Header looks like one from Coldharbour. Import aborted"}, {}},
        {"\"Channel Number\",\"Frequency\"", {"Header looks like one from Glenholm. Import aborted"}, {}},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(run({QString::fromLatin1(c.header), csvLine("1|7.0")}), R::NotImportable);
        QStringList expected;
        for (const QString& line : c.log)
            expected << QString(line).replace(QStringLiteral("%1"), path("in.CSV"));
        EXPECT_EQ(logLines(m_log), expected) << c.header;
        EXPECT_EQ(m_prompter.messages(), c.messages) << c.header;
        EXPECT_EQ(m_prompter.prompts().last().icon,
                  c.messages.isEmpty() ? Prompter::Icon::None : Prompter::Icon::Exclamation);
    }
}

TEST_P(CsvImportTest, FileNamesAndAMissingFile)
{
    struct Case {
        const char* write; // file put in the folder
        const char* reply; // dialog answer
        R result;
        const char* missing; // the path named by the message
    };
    const Case cases[] = {
        {"list.CSV", "list", R::Imported, nullptr},     {"list.csv", "list.csv", R::Imported, nullptr},
        {"list.egp", "list.egp", R::Imported, nullptr}, {nullptr, "gone", R::Missing, "gone.CSV"},
        {nullptr, "", R::Cancelled, nullptr},
    };
    for (const Case& c : cases) {
        m_prompter.clear();
        if (c.write)
            writeBytes(path(c.write), TextFileWriter::encode(csvFile({"|7.1"})));
        m_prompter.reply(*c.reply ? path(c.reply) : QString());
        EXPECT_EQ(CsvImport(m_state, m_prompter, m_log, m_csv, m_options).ImportCsv(false), c.result)
            << c.reply;
        const QStringList missing{
            QStringLiteral("Filename %1 does not exist").arg(path(c.missing ? c.missing : ""))};
        EXPECT_EQ(m_prompter.messages(), c.missing ? missing
                                         : c.write ? QStringList{"Import completed"}
                                                   : QStringList{});
    }
}

// An imported channel is a new one: nothing the radio gave the row's old channel stays.
TEST_P(CsvImportTest, AChannelImportedOverARadioChannelStartsAfresh)
{
    m_state.tables().reset();
    ASSERT_FALSE(CatCodec::decodeInto(m_state.tables(), QStringLiteral("MR00807000005-000500210000;"), 9));
    m_options.useNumbers = true;
    EXPECT_EQ(run(csvFile({"8|7.1|USB"})), R::Imported); // memory 8 is row 9
    EXPECT_EQ(CatCodec::encodeSlot(m_state.tables(), 9).command,
              QStringLiteral("MW00807100000+000000200000;"));
}

TEST_P(CsvImportTest, ExportThenImportRestoresTheTable)
{
    // Every mode of the table, both encodings, and memory 0 itself.
    const char* records[] = {"1.84000|LSB|Simplex| |67.0|Top band",
                             "7.03000|CW|Simplex| |67.0|",
                             "29.62000|FM|Minus|CTCSS Enc|103.5|RH1 repeater",
                             "29.66000|FMN|Minus|CTCSS Enc+Dec|156.7|RH3",
                             "53.05000|FM|Plus| |67.0|6 m",
                             "10.00000|AM|Simplex| |67.0|time signal",
                             "14.10000|USRU|Simplex| |67.0|data",
                             "14.08000|RTYL|Simplex| |67.0|",
                             "14.08500|RTYU|Simplex| |67.0|",
                             "7.02000|CWR|Simplex| |67.0|",
                             "3.58000|USRL|Simplex| |67.0|",
                             "21.20000|USB|Simplex| |67.0|"};
    const int rows[] = {1, 2, 5, 6, 50, 99, 100, 3, 4, 7, 8, 9};
    constexpr int count = int(std::size(rows));
    // This program's layout with either separator, and the common layout of other editors.
    for (const char* layout : {"comma", "tab", "common"}) {
        const bool tab = layout[0] == 't';
        for (const bool keepNumbers : {false, true}) {
            SCOPED_TRACE(std::string(layout) + (keepNumbers ? ", kept numbers" : ""));
            AppState source;
            for (int i = 0; i < count; ++i)
                source.tables().memories.setChannel(rows[i], rec(records[i]));
            CsvExportOptions exportOptions;
            exportOptions.tab = tab;
            exportOptions.keepNumbers = keepNumbers;
            exportOptions.common = layout[1] == 'o';
            CsvHeader csv;
            ScriptedPrompter prompter;
            const QString name = QStringLiteral("round-%1-%2").arg(layout).arg(int(keepNumbers));
            prompter.reply(m_dir.filePath(name));
            ASSERT_EQ(CsvExport(source, prompter, m_log, csv, exportOptions).ExportCsv(false),
                      CsvExport::Result::Exported);
            // Numbered 1, 2, 3 ... the records fill the rows from the first on;
            // numbered with their labels, each goes back to its own row.
            m_state.tables().reset();
            m_options.useNumbers = true;
            ASSERT_EQ(runBytes(readBytes(m_dir.filePath(name + QStringLiteral(".CSV")))), R::Imported);
            // The common layout has no user modes: they come back as their sidebands.
            for (int row : {8, 100}) {
                ChannelTable& memories = source.tables().memories;
                if (exportOptions.common)
                    setCell(memories, row, Column::kMode,
                            cellText(memories, row, Column::kMode).right(1) + "SB");
            }
            QVector<Channel> expected = source.tables().memories.channels();
            if (!keepNumbers) {
                expected.removeIf([](const Channel& c) { return !c.present; });
                expected.resize(100);
            }
            EXPECT_EQ(m_state.tables().memories.channels(), expected);
        }
    }
}

// Files as other channel editors write them: several header versions, their
// own column order, quoted fields with commas, LF or CR LF and a byte-order mark.
TEST_P(CsvImportTest, CommonLayoutOfOtherEditors)
{
    const char* headers[] = {
        "Location,Name,Frequency,Duplex,Offset,Tone,rToneFreq,cToneFreq,DtcsCode,DtcsPolarity,Mode,TStep,"
        "Skip,Comment,URCALL,RPT1CALL,RPT2CALL,DVCODE",
        "Location,Name,Frequency,Duplex,Offset,Tone,rToneFreq,cToneFreq,DtcsCode,DtcsPolarity,RxDtcsCode,"
        "CrossMode,Mode,TStep,Skip,Power,Comment",
        "Name,Frequency,Mode,Comment,Tone,rToneFreq,Location,Duplex,Offset,cToneFreq",
    };
    struct Case {
        int header;
        const char* fields; // "Column=value|...", values as the file holds them
        const char* row;    // memory "Location + 1" afterwards; "" when nothing is placed
        QStringList log;    // the pre-check's lines without "Record 1. " ("%1" the frequency field, "%2" the
                            // rule's offset)
    };
    const Case cases[] = {
        {0,
         "Location=0|Name=GB3RH|Frequency=29.620000|Duplex=-|Offset=0.100000|Tone=Tone|rToneFreq=88.5|"
         "Mode=FM|Comment=\"Weston, 10 m\"",
         "29.62000|FM|Minus|CTCSS Enc|88.5|GB3RH - Weston, 10 m",
         {}},
        {1,
         "Location=42|Frequency=29.650000|Duplex=+|Offset=0.100000|Tone=TSQL|rToneFreq=88.5|"
         "cToneFreq=100|Mode=NFM|Comment=\"say \"\"73\"\", all\"",
         "29.65000|FMN|Plus|CTCSS Enc+Dec|100.0|say  73 , all",
         {"Double quotes were replaced by blanks"}},
        {2,
         "Location=99|Name=\"6 m, north\"|Frequency=50.810000|Duplex=-|Tone=TSQL|rToneFreq=103.5|Mode=FM",
         "50.81000|FM|Simplex|CTCSS Enc+Dec|103.5|6 m, north",
         {"Offset of '' is not a number. Will be set to Simplex"}}, // cTone falls back
        // No rule covers 50.81 MHz; the regional sets agree on 0.5 MHz.
        {0, "Location=1|Frequency=50.810000|Duplex=+|Offset=0.5|Mode=FM", "50.81000|FM|Plus| |88.5|", {}},
        {0, "Location=1|Frequency=7.000005|Mode=LSB", "7.00001|LSB|Simplex| |88.5|", {}},
        {0, "Location=1|Frequency=7.100000|Mode=Auto", "7.10000|LSB|Simplex| |88.5|", {}},
        {0,
         "Location=1|Frequency=14.200000|Duplex=+|Offset=0.600000|Mode=USB",
         "14.20000|USB|Simplex| |88.5|",
         {"Offset of 0.600000 MHz cannot be checked: no repeater rule gives the radio's offset here. Will be "
          "set "
          "to Simplex"}},
        {2,
         "Location=1|Frequency=29.620000|Duplex=-|Offset=-100|Mode=FM",
         "29.62000|FM|Simplex| |88.5|",
         {"Offset of -100 MHz is not the repeater rule's %2 MHz. Will be set to Simplex"}},
        {0,
         "Location=1|Frequency=29.620000|Duplex=+|Offset=1e308|Mode=FM",
         "29.62000|FM|Simplex| |88.5|",
         {"Offset of '1e308' is not a number. Will be set to Simplex"}},
        // Out of range: only the frequency is named, not what the record would have lost besides.
        {2,
         "Location=1|Frequency=146.520000|Tone=DTCS|Mode=FM",
         "",
         {"Frequency of '%1' is outside the range of the radio"}},
        {1,
         "Location=1|Frequency=21.200000|Duplex=split|Offset=21.300000|Mode=USB",
         "21.20000|USB|Simplex| |88.5|",
         {"Duplex of 'split' is not +, - or blank. Will be set to Simplex"}},
        {0,
         "Location=1|Frequency=29.620000|Tone=DTCS|rToneFreq=88.5|DtcsCode=023|Mode=FM",
         "29.62000|FM|Simplex| |88.5|",
         {"Tone mode of 'DTCS' is not Tone or TSQL. Will be imported without encoding"}},
        {0,
         "Location=1|Frequency=14.200000|Mode=DV",
         "",
         {"Mode of 'DV' is not a mode of the radio. The record will be skipped"}},
        {0,
         "Location=150|Frequency=7.100000|Mode=LSB",
         "",
         {"Memory number of 150 is outside the range 0 to 99"}},
    };
    // One rule for the 10 m repeaters: 100 kHz down.
    RepeaterRule rule{2960000, 2970000, "Minus", Frequency::formatAmount(10000), "10.0 K"};
    m_state.rules().setRules({rule});
    m_state.rules().setRulesActive(true);
    m_options.useNumbers = true;
    int index = 0;
    for (const Case& c : cases) {
        const QStringList columns = QString::fromLatin1(headers[c.header]).split(QLatin1Char(','));
        QMap<QString, QString> values{{"rToneFreq", "88.5"}};
        for (const QString& pair : QString::fromLatin1(c.fields).split(QLatin1Char('|')))
            values.insert(pair.section(QLatin1Char('='), 0, 0), pair.section(QLatin1Char('='), 1));
        QStringList record;
        for (const QString& column : columns)
            record << values.value(column);
        const QByteArray end = index % 2 ? "\n" : "\r\n";
        const QByteArray bom = index++ % 3 ? "" : "\xEF\xBB\xBF";
        const QByteArray bytes = bom + headers[c.header] + end + record.join(QLatin1Char(',')).toUtf8() + end;

        m_state.tables().reset();
        const R result = runBytes(bytes, {Prompter::Answer::Yes});
        EXPECT_EQ(result, *c.row ? R::Imported : R::NoneImported) << c.fields;
        QStringList log;
        for (const QString& line : c.log)
            log << QStringLiteral("Record 1. ") +
                       QString(line)
                           .replace(QStringLiteral("%1"), local(values.value("Frequency").toLatin1()))
                           .replace(QStringLiteral("%2"), local("0.10000"));
        if (!log.isEmpty())
            log << CsvImport::underscoreLine();
        EXPECT_EQ(logLines(m_log).mid(0, log.size()), log) << c.fields;
        const int row = values.value("Location").toInt() + 1;
        if (*c.row) {
            EXPECT_EQ(rowText(m_state.tables().memories, row), recText(rec(c.row))) << c.fields;
            // The radio's exact hertz, not only the table's ten-hertz text.
            EXPECT_EQ(CatCodec::exactHertz(m_state.tables().memories.channel(row), row),
                      CatCodec::hertzOf(values.value("Frequency")).value_or(0));
        }
        EXPECT_EQ(usedRows(), *c.row ? 1 : 0) << c.fields;
    }
}

QUAYSTONE_BOTH_DECIMAL_MARKS(CsvImportTest);

} // namespace
