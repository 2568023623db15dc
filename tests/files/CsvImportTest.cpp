#include "files/CsvImport.h"
#include "FileTestSupport.h"
#include "app/AppState.h"
#include "app/MessageLog.h"
#include "files/CsvExport.h"
#include "files/CsvHeader.h"
#include "files/TextFileWriter.h"
#include "model/Frequency.h"
#include "support/ScriptedPrompter.h"
#include "support/TestLocale.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <memory>

using namespace FileTestSupport;

namespace {

// One CSV record in the export's layout; numbers are written with ".".
struct Rec {
    const char* memory = "";
    const char* freq = "";
    const char* mode = "";
    const char* shift = "";
    const char* encoding = "";
    const char* tone = "";
    const char* description = "";

    QString line(QChar sep = QLatin1Char(','), QChar mark = QLatin1Char('.')) const
    {
        QString f = QString::fromLatin1(freq);
        f.replace(QLatin1Char('.'), mark);
        return QStringList{memory, f, mode, shift, "", "", encoding, tone, "", "", "", "", description}.join(
            sep);
    }
};

class CsvImportTest : public DecimalMarkTest {
protected:
    void SetUp() override
    {
        DecimalMarkTest::SetUp();
        ASSERT_TRUE(m_dir.isValid());
        m_state.dataFolder = m_dir.path();
    }

    QString path(const char* name) const { return m_dir.filePath(QString::fromLatin1(name)); }

    static QStringList file(const QVector<Rec>& records, QChar sep = QLatin1Char(','),
                            QChar mark = QLatin1Char('.'))
    {
        QStringList lines{CsvExport::headerLine(sep)};
        for (const Rec& r : records)
            lines << r.line(sep, mark);
        return lines;
    }

    CsvImport::Result run(const QStringList& lines, bool preview = false)
    {
        writeBytes(path("in.CSV"), TextFileWriter::encode(lines));
        m_prompter.reply(path("in.CSV"));
        m_import = std::make_unique<CsvImport>(m_state, m_prompter, m_log, m_csv, m_options);
        return m_import->ImportCsv(preview);
    }

    void fillRows(int first, int last)
    {
        for (int row = first; row <= last; ++row)
            m_state.tables.memories.setRecord(row, {Frequency::format(100000 + row * 1000), "LSB", "Simplex",
                                                    "", "67.0", QStringLiteral("old %1").arg(row)});
    }

    QStringList logLines() const { return m_log.text().split(QStringLiteral("\r\n"), Qt::SkipEmptyParts); }

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
        Rec record;
        bool useNumbers;
        const char* message; // "%1" stands for a frequency written with the user's mark
        const char* number;  // the frequency in "."
    };
    const Case cases[] = {
        {{"0", "7.0"}, false, "Record 1. Memory number of 0 is outside the range 1 to 100", nullptr},
        {{"101", "7.0"}, false, "Record 1. Memory number of 101 is outside the range 1 to 100", nullptr},
        {{"99999999999999999999", "7.0"},
         false,
         "Record 1. Memory number of 99999999999999999999 is outside the range 1 to 100",
         nullptr},
        {{"x1", "7.0"}, false, "Record 1. Memory number of x1 is not numeric", nullptr},
        {{"", "7.0"},
         true,
         "Record 1. Memory number is missing, but is required due to 'Use imported mem numbers'.",
         nullptr},
        {{"1", "abc"}, false, "Record 1. Frequency of 'abc' is not numeric.", nullptr},
        {{"1", ""}, false, "Record 1. Frequency of '' is not numeric.", nullptr},
        {{"1", "60.00000"},
         false,
         "Record 1. Frequency of '%1' is outside the range of the radio",
         "60.00000"},
        {{"1", "0.02"}, false, "Record 1. Frequency of '%1' is outside the range of the radio", "0.02"},
        {{"1", "7.0", "XYZ"},
         false,
         "Record 1. Mode of 'XYZ' is not recognised as a Plainsong mode",
         nullptr},
        {{"1", "7.0", "nfm"},
         false,
         "Record 1. Mode of 'NFM' is not recognised as a Plainsong mode",
         nullptr},
        {{"1", "7.0", "LSB", "Up"},
         false,
         "Record 1. Shift of 'UP' is not Simplex, Plus, Minus, Split or omitted",
         nullptr},
        {{"1", "7.0", "LSB", "", "TSQL"},
         false,
         "Record 1. Encoding state of 'TSQL' is not CTCSS Enc, CTCSS Enc/Dec, DCS or omitted",
         nullptr},
        {{"1", "7.0", "LSB", "", "CTCSS Enc", "88"},
         false,
         "Record 1. CTCSS tone of '88.0' is not valid. Will be set to 67.0",
         nullptr},
        {{"1", "7.0", "LSB", "", "ctcss enc+dec", "67.5"},
         false,
         "Record 1. CTCSS tone of '67.5' is not valid. Will be set to 67.0",
         nullptr},
    };
    fillRows(1, 2);
    const QVector<QStringList> before = m_state.tables.memories.dataRows();
    for (const Case& c : cases) {
        m_prompter.clear();
        m_log.clear();
        m_options = CsvImportOptions();
        m_options.useNumbers = c.useNumbers;
        m_prompter.answer(Prompter::Answer::No);
        EXPECT_EQ(run(file({Rec{"1", "14.2"}, c.record})), CsvImport::Result::Declined) << c.message;
        QString expected = QString::fromLatin1(c.message);
        if (c.number)
            expected = expected.arg(local(c.number));
        expected.replace(QStringLiteral("Record 1."), QStringLiteral("Record 2."));
        EXPECT_EQ(logLines(), QStringList({expected, CsvImport::underscoreLine()}));
        ASSERT_EQ(m_prompter.messages().size(), 1);
        EXPECT_EQ(
            m_prompter.messages().first(),
            QStringLiteral("The pre-check of the import file has errors. Do you want to try and load it?"));
        EXPECT_EQ(m_prompter.prompts().last().buttons, Prompter::Buttons::YesNo);
        EXPECT_EQ(m_state.tables.memories.dataRows(), before);
        EXPECT_FALSE(m_state.undo.available());
    }
}

TEST_P(CsvImportTest, LoadRulesForModesShiftsTonesAndDescriptions)
{
    struct Case {
        Rec record;
        bool precheckError; // answered Yes to load anyway
        // expected row 1, or nullptr freq when the record is skipped
        const char* freq;
        const char* mode;
        const char* shift;
        const char* encDec;
        const char* tone;
        const char* description;
    };
    const QString longText(150, QLatin1Char('d'));
    const QByteArray longBytes = longText.toLatin1();
    const QByteArray firstHundred = longBytes.left(100);
    const Case cases[] = {
        {{"1", "14.25", "USB"}, false, "14.25000", "USB", "Simplex", " ", "67.0", ""},
        {{"1", "29.62", "PKT", "minus"}, false, "29.62000", "FM", "Minus", " ", "67.0", ""},
        {{"1", "29.62", "NFM", "PLUS"}, true, "29.62000", "FM", "Plus", " ", "67.0", ""},
        {{"1", "29.62", "FMN"}, false, "29.62000", "FM", "Simplex", " ", "67.0", ""},
        {{"1", "7.1", "WAM"}, false, "7.10000", "AM", "Simplex", " ", "67.0", ""},
        {{"1", "7.1", "CWRN"}, false, "7.10000", "CW", "Simplex", " ", "67.0", ""},
        {{"1", "7.1", "DIG"}, false, "7.10000", "LSB", "Simplex", " ", "67.0", ""},
        {{"1", "7.1", "RTYU"}, false, "7.10000", "USB", "Simplex", " ", "67.0", ""},
        {{"1", "7.1", "USRL"}, false, "7.10000", "USRL", "Simplex", " ", "67.0", ""},
        {{"1", "7.1", "fm"}, false, nullptr, "", "", "", "", ""}, // lower case: skipped quietly
        {{"1", "7.1", ""}, false, "7.10000", "LSB", "Simplex", " ", "67.0", ""}, // default mode by band
        {{"1", "29.68", ""}, false, "29.68000", "FMN", "Simplex", " ", "67.0", ""},
        {{"1", "14.25", "USB", "Split"}, false, "14.25000", "USB", "Split", " ", "67.0", ""},
        {{"1", "29.62", "FM", "Minus", "CTCSS ENC", "88.5"},
         false,
         "29.62000",
         "FM",
         "Minus",
         "CTCSS Enc",
         "88.5",
         ""},
        {{"1", "29.62", "FM", "Minus", "Ctcss Enc+Dec", "100"},
         false,
         "29.62000",
         "FM",
         "Minus",
         "CTCSS Enc+Dec",
         "100.0",
         ""},
        {{"1", "29.62", "FM", "Minus", "CTCSS Enc", "88"},
         true,
         "29.62000",
         "FM",
         "Minus",
         "CTCSS Enc",
         "67.0",
         ""},
        {{"1", "29.62", "FM", "Minus", "DCS", "88"}, false, "29.62000", "FM", "Minus", " ", "88.0", ""},
        {{"1", "29.62", "FM", "", "", "7"}, false, "29.62000", "FM", "Simplex", " ", "7", ""},
        {{"1", "14.25", "USB", "", "", "", "  padded text  "},
         false,
         "14.25000",
         "USB",
         "Simplex",
         " ",
         "67.0",
         "padded text"},
        {{"1", "14.25", "USB", "", "", "", longBytes.constData()},
         false,
         "14.25000",
         "USB",
         "Simplex",
         " ",
         "67.0",
         firstHundred.constData()},
        {{"1", "60", "USB"}, true, nullptr, "", "", "", "", ""}, // bad frequency: logged, skipped
    };
    for (const Case& c : cases) {
        m_state.tables.reset();
        m_prompter.clear();
        m_log.clear();
        if (c.precheckError)
            m_prompter.answer(Prompter::Answer::Yes);
        EXPECT_EQ(run(file({c.record})), CsvImport::Result::Imported) << c.record.mode << c.record.tone;
        EXPECT_EQ(m_prompter.messages().last(), QStringLiteral("Import completed"));
        EXPECT_TRUE(m_state.changed);
        const ChannelTable& m = m_state.tables.memories;
        if (!c.freq) {
            EXPECT_TRUE(m.isEmptyRow(1)) << c.record.mode;
            continue;
        }
        EXPECT_EQ(m.text(1, Column::kFreq), local(c.freq)) << c.record.freq;
        EXPECT_EQ(m.text(1, Column::kMode), QString::fromLatin1(c.mode)) << c.record.mode;
        EXPECT_EQ(m.text(1, Column::kShift), QString::fromLatin1(c.shift)) << c.record.shift;
        EXPECT_EQ(m.text(1, Column::kEncDec), QString::fromLatin1(c.encDec)) << c.record.encoding;
        EXPECT_EQ(m.text(1, Column::kTone), QString::fromLatin1(c.tone)) << c.record.tone;
        EXPECT_EQ(m.text(1, Column::kDescription), QString::fromLatin1(c.description));
        EXPECT_TRUE(m.isEmptyRow(2));
    }
}

TEST_P(CsvImportTest, ABadFrequencyIsLoggedByTheLoadPass)
{
    m_prompter.answer(Prompter::Answer::Yes);
    EXPECT_EQ(run(file({Rec{"7", "60.5", "USB"}, Rec{"", "14.2", "USB"}})), CsvImport::Result::Imported);
    EXPECT_TRUE(logLines().contains(QStringLiteral("Record 1 memory 7. Skipped due to bad RX frequency of ") +
                                    local("60.5")));
    EXPECT_EQ(m_state.tables.memories.text(1, Column::kFreq), local("14.20000"));
}

TEST_P(CsvImportTest, DuplicatesAreOmittedAgainstTheTableAndInsideTheFile)
{
    m_state.tables.memories.setRecord(1, {local("7.07400"), "USB", "Simplex", "", "67.0", ""});
    m_options.omitDuplicates = true;
    EXPECT_EQ(run(file({Rec{"", "7.074", "USB"}, Rec{"", "14.074", "USB"}, Rec{"", "14.07400", "LSB"},
                        Rec{"", "21.074", "USB"}})),
              CsvImport::Result::Imported);
    EXPECT_EQ(m_import->recordsRead(), 4);
    EXPECT_EQ(m_import->duplicates(), 1); // the pre-check knows only the table
    const ChannelTable& m = m_state.tables.memories;
    EXPECT_EQ(m.text(2, Column::kFreq), local("14.07400"));
    EXPECT_EQ(m.text(2, Column::kMode), QStringLiteral("USB"));
    EXPECT_EQ(m.text(3, Column::kFreq), local("21.07400"));
    EXPECT_TRUE(m.isEmptyRow(4));

    // Without the option the same file fills four rows.
    m_state.tables.reset();
    m_state.tables.memories.setRecord(1, {local("7.07400"), "USB", "Simplex", "", "67.0", ""});
    m_options.omitDuplicates = false;
    m_prompter.clear();
    EXPECT_EQ(run(file({Rec{"", "7.074", "USB"}, Rec{"", "14.074", "USB"}, Rec{"", "14.07400", "LSB"},
                        Rec{"", "21.074", "USB"}})),
              CsvImport::Result::Imported);
    EXPECT_FALSE(m.isEmptyRow(5));
}

TEST_P(CsvImportTest, NothingToImportWhenEveryRecordIsADuplicateOrThereAreNone)
{
    m_state.tables.memories.setRecord(1, {local("7.07400"), "USB", "Simplex", "", "67.0", ""});
    m_options.omitDuplicates = true;
    for (const int count : {2, 0}) {
        m_log.clear();
        m_prompter.clear();
        EXPECT_EQ(run(file(QVector<Rec>(count, Rec{"", "7.074"}))), CsvImport::Result::NothingToImport);
        EXPECT_EQ(m_log.text(),
                  QStringLiteral("Every one of the%1 records is a duplicate frequency.\r\nNothing to "
                                 "import\r\n")
                      .arg(count));
        EXPECT_EQ(m_prompter.messages(), QStringList());
    }
}

TEST_P(CsvImportTest, StartRowAndImportedNumbersChooseTheRows)
{
    struct Case {
        const char* start;
        bool useNumbers;
        QVector<Rec> records;
        QVector<int> rows; // rows that receive the records, in order; 0 for none
        bool noRoom;
    };
    const Case cases[] = {
        {"1", false, {Rec{"9", "7.10000"}, Rec{"", "7.20000"}}, {1, 2}, false},
        {"", false, {Rec{"9", "7.10000"}}, {1}, false},
        {"30", false, {Rec{"9", "7.10000"}, Rec{"2", "7.20000"}}, {30, 31}, false},
        {"1", true, {Rec{"9", "7.10000"}, Rec{"2", "7.20000"}}, {9, 2}, false},
        {"5",
         true,
         {Rec{"9", "7.10000"}, Rec{"", "7.20000"}},
         {9, 5},
         true /* the empty number fails the pre-check */},
        // Rows below the start are never used, even when the rows from it on run out.
        {"99", false, {Rec{"", "7.10000"}, Rec{"", "7.20000"}, Rec{"", "7.30000"}}, {99, 100, 0}, false},
    };
    for (const Case& c : cases) {
        m_state.tables.reset();
        m_prompter.clear();
        m_options = CsvImportOptions();
        m_options.startText = QString::fromLatin1(c.start);
        m_options.useNumbers = c.useNumbers;
        if (c.noRoom)
            m_prompter.answer(Prompter::Answer::Yes);
        EXPECT_EQ(run(file(c.records)), CsvImport::Result::Imported) << c.start;
        EXPECT_FALSE(m_options.startText.isEmpty());
        int filled = 0;
        for (int i = 0; i < c.rows.size(); ++i) {
            if (c.rows[i] == 0)
                continue;
            ++filled;
            EXPECT_EQ(m_state.tables.memories.text(c.rows[i], Column::kFreq), local(c.records[i].freq))
                << c.start;
        }
        int used = 0;
        for (int row = 1; row <= 100; ++row)
            used += m_state.tables.memories.isEmptyRow(row) ? 0 : 1;
        EXPECT_EQ(used, filled) << c.start;
    }
    // The last case ran out of rows after 100.
    EXPECT_TRUE(
        m_prompter.messages().contains(QStringLiteral("Cannot find an empty slot to use for importing")));
    EXPECT_EQ(m_prompter.messages().last(), QStringLiteral("Import completed"));
}

TEST_P(CsvImportTest, AStartNumberOutsideItsRangeStopsBeforeTheDialog)
{
    for (const char* start : {"0", "101", "abc", "5.5", "-3"}) {
        m_prompter.clear();
        m_options.startText = QString::fromLatin1(start);
        CsvImport import(m_state, m_prompter, m_log, m_csv, m_options);
        EXPECT_EQ(import.ImportCsv(false), CsvImport::Result::BadStart) << start;
        EXPECT_EQ(m_prompter.messages(), QStringList{CsvImport::startRangeText()});
        EXPECT_EQ(m_prompter.prompts().size(), 1) << "no file dialog";
    }
}

TEST_P(CsvImportTest, ATooHighImportedNumberIsLoggedAndLeftOut)
{
    m_options.useNumbers = true;
    m_prompter.answer(Prompter::Answer::Yes);
    EXPECT_EQ(run(file({Rec{"150", "7.1"}, Rec{"3", "7.2"}})), CsvImport::Result::Imported);
    EXPECT_TRUE(logLines().contains(
        QStringLiteral("Requested memory number of 150 is too high - the memory was not added")));
    EXPECT_EQ(m_state.tables.memories.text(3, Column::kFreq), local("7.20000"));
}

TEST_P(CsvImportTest, ClearAllAsksAndCancelLeavesTheTable)
{
    fillRows(1, 10);
    m_state.tables.pms.setRecord(1, {local("14.000000"), "USB", "Simplex", "", "67.0", ""});
    const QVector<QStringList> before = m_state.tables.memories.dataRows();
    m_options.clearAll = true;
    m_prompter.answer(Prompter::Answer::Cancel);
    EXPECT_EQ(run(file({Rec{"", "7.1"}})), CsvImport::Result::ClearRefused);
    EXPECT_EQ(m_prompter.messages(),
              QStringList{"Are you sure you want to clear ALL memories before importing?"});
    EXPECT_EQ(m_prompter.prompts().last().buttons, Prompter::Buttons::YesNoCancel);
    EXPECT_EQ(m_state.tables.memories.dataRows(), before);
    EXPECT_TRUE(m_state.undo.available());
    EXPECT_EQ(m_state.undo.label(), QStringLiteral("Import"));

    m_prompter.clear();
    m_prompter.answer(Prompter::Answer::Yes);
    EXPECT_EQ(run(file({Rec{"", "7.1"}})), CsvImport::Result::Imported);
    EXPECT_EQ(m_state.tables.memories.text(1, Column::kFreq), local("7.10000"));
    for (int row = 2; row <= 100; ++row)
        EXPECT_TRUE(m_state.tables.memories.isEmptyRow(row)) << row;
    EXPECT_EQ(m_state.tables.memories.text(2, Column::kDescription), QString());
    EXPECT_EQ(m_state.tables.pms.text(1, Column::kFreq), local("14.000000"));

    // The whole import is one undo step.
    ASSERT_TRUE(m_state.undo.restore(m_state.tables.memories));
    EXPECT_EQ(m_state.tables.memories.dataRows(), before);
}

TEST_P(CsvImportTest, NotEnoughSpaceIsAPreCheckError)
{
    struct Case {
        int used;
        int records;
        bool fullMessage;
    };
    for (const Case& c : {Case{95, 10, false}, Case{100, 1, true}}) {
        m_state.tables.reset();
        fillRows(1, c.used);
        m_prompter.clear();
        m_log.clear();
        QVector<Rec> records(c.records, Rec{"", "3.5"});
        m_prompter.answer(Prompter::Answer::No);
        EXPECT_EQ(run(file(records)), CsvImport::Result::Declined);
        EXPECT_EQ(
            logLines(),
            QStringList({QStringLiteral("You have%1 memories and there is not enough space to add%2 more.")
                             .arg(c.used)
                             .arg(c.records),
                         CsvImport::underscoreLine()}));
        QStringList messages;
        if (c.fullMessage)
            messages << QStringLiteral("Memory is full. Delete some memories to make space");
        messages << QStringLiteral(
            "The pre-check of the import file has errors. Do you want to try and load it?");
        EXPECT_EQ(m_prompter.messages(), messages);
    }
}

TEST_P(CsvImportTest, MoreThanAHundredRecordsMustBeReduced)
{
    m_options.clearAll = true;
    QVector<Rec> records(101, Rec{"", "3.5"});
    m_prompter.answer(Prompter::Answer::No);
    EXPECT_EQ(run(file(records)), CsvImport::Result::Declined);
    ASSERT_EQ(logLines().size(), 3);
    EXPECT_TRUE(logLines().first().contains(QStringLiteral("101")));
    EXPECT_TRUE(logLines().first().contains(QStringLiteral("reduced")));
    // Clearing first leaves no memories in use, and still too little room.
    EXPECT_EQ(logLines()[1],
              QStringLiteral("You have0 memories and there is not enough space to add101 more."));
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
        {"",
         {"Filename: %1", "First record is not recognised as a header record"},
         {"Import aborted due to errors"}},
        {"#,Freq,Mode", {"Header looks like one from Coldharbour. Import aborted"}, {}},
        {"\"Channel Number\",\"Frequency\"", {"Header looks like one from Glenholm. Import aborted"}, {}},
        {"Bank,Channel", {"Header looks like one from Farrowby. Import aborted"}, {}},
    };
    for (const Case& c : cases) {
        m_log.clear();
        m_prompter.clear();
        EXPECT_EQ(run({QString::fromLatin1(c.header), Rec{"1", "7.0"}.line()}),
                  CsvImport::Result::NotImportable);
        QStringList expected;
        for (const QString& line : c.log)
            expected << (line.contains(QLatin1String("%1")) ? line.arg(path("in.CSV")) : line);
        EXPECT_EQ(logLines(), expected) << c.header;
        EXPECT_EQ(m_prompter.messages(), c.messages) << c.header;
        if (!c.messages.isEmpty()) {
            EXPECT_EQ(m_prompter.prompts().last().icon, Prompter::Icon::Exclamation);
        }
        EXPECT_TRUE(m_state.tables.memories.isEmptyRow(1));
    }
}

TEST_P(CsvImportTest, PreviewListsTheFileAndChangesNothing)
{
    const QStringList lines = file({Rec{"1", "7.1", "LSB", "", "", "", "\"quoted, text\""}, Rec{"x", "bad"}});
    EXPECT_EQ(run(lines, true), CsvImport::Result::Previewed);
    EXPECT_EQ(
        logLines(),
        QStringList({"Header type identified as: Plainsong",
                     "Memory,RXFreq,RXMode,Shift,TXShift/Freq,TXMode,CTCSS/DCS,Tone/Code,Show,Name,"
                     "Scan,Group,Description",
                     "1,7.1,LSB,,,,,,,,,, quoted  text ", "x,bad,,,,,,,,,,,", CsvImport::underscoreLine()}));
    EXPECT_EQ(m_prompter.prompts().size(), 1); // the file dialog only
    EXPECT_TRUE(m_state.tables.memories.isEmptyRow(1));
    EXPECT_FALSE(m_state.changed);
    EXPECT_FALSE(m_state.undo.available());
}

TEST_P(CsvImportTest, FileNamesAndAMissingFile)
{
    struct Case {
        const char* write; // file put in the folder
        const char* reply; // dialog answer
        CsvImport::Result result;
        const char* missing; // the path named by the message
    };
    const Case cases[] = {
        {"list.CSV", "list", CsvImport::Result::Imported, nullptr},
        {"list.csv", "list.csv", CsvImport::Result::Imported, nullptr},
        {"list.egp", "list.egp", CsvImport::Result::Imported, nullptr},
        {nullptr, "gone", CsvImport::Result::Missing, "gone.CSV"},
        {nullptr, "", CsvImport::Result::Cancelled, nullptr},
    };
    for (const Case& c : cases) {
        m_state.tables.reset();
        m_prompter.clear();
        if (c.write)
            writeBytes(path(c.write), TextFileWriter::encode(file({Rec{"", "7.1"}})));
        m_prompter.reply(*c.reply ? path(c.reply) : QString());
        CsvImport import(m_state, m_prompter, m_log, m_csv, m_options);
        EXPECT_EQ(import.ImportCsv(false), c.result) << c.reply;
        if (c.missing) {
            EXPECT_EQ(m_prompter.messages(),
                      QStringList{QStringLiteral("Filename %1 does not exist").arg(path(c.missing))});
            EXPECT_EQ(m_prompter.prompts().last().icon, Prompter::Icon::Exclamation);
        }
    }
}

TEST_P(CsvImportTest, SeparatorAndDecimalFormsOfOtherComputersImport)
{
    struct Case {
        char separator;
        char mark;
    };
    // A Tab file keeps its numbers as written, so it needs the user's own mark.
    const QChar own = Frequency::decimalMark().at(0);
    for (const Case& c : {Case{',', '.'}, Case{';', ','}, Case{'\t', char(own.unicode())}}) {
        m_state.tables.reset();
        m_prompter.clear();
        EXPECT_EQ(run(file({Rec{"", "14.25", "USB", "", "", "", "twenty"}}, QLatin1Char(c.separator),
                           QLatin1Char(c.mark))),
                  CsvImport::Result::Imported)
            << c.separator << c.mark;
        EXPECT_EQ(m_state.tables.memories.text(1, Column::kFreq), local("14.25000")) << c.separator << c.mark;
        EXPECT_EQ(m_state.tables.memories.text(1, Column::kDescription), QStringLiteral("twenty"));
        EXPECT_EQ(m_csv.separator(), QLatin1Char(c.separator)); // stays in force after the import
    }
}

TEST_P(CsvImportTest, ExportThenImportRestoresTheTable)
{
    const MemoryRecord records[] = {
        {local("1.84000"), "LSB", "Simplex", " ", "67.0", "Top band"},
        {local("7.03000"), "CW", "Simplex", " ", "67.0", ""},
        {local("29.62000"), "FM", "Minus", "CTCSS Enc", "103.5", "RH1 repeater"},
        {local("29.66000"), "FM", "Minus", "CTCSS Enc+Dec", "156.7", "RH3"},
        {local("53.05000"), "FM", "Plus", " ", "67.0", "6 m"},
        {local("10.00000"), "AM", "Simplex", " ", "67.0", "time signal"},
        {local("14.10000"), "USRU", "Simplex", " ", "67.0", "data"},
    };
    const int rows[] = {1, 2, 5, 6, 50, 99, 100};
    for (const bool tab : {false, true}) {
        AppState source;
        for (int i = 0; i < 7; ++i)
            source.tables.memories.setRecord(rows[i], records[i]);
        CsvExportOptions exportOptions;
        exportOptions.tab = tab;
        CsvHeader csv;
        MessageLog log;
        ScriptedPrompter prompter;
        prompter.reply(path(tab ? "round-tab" : "round"));
        CsvExport exporter(source, prompter, log, csv, exportOptions);
        ASSERT_EQ(exporter.ExportCsv(false), CsvExport::Result::Exported);

        // Numbered 1..7 on export, the records land in rows 1..7.
        m_state.tables.reset();
        m_prompter.clear();
        m_options.useNumbers = true;
        m_prompter.reply(path(tab ? "round-tab.CSV" : "round.CSV"));
        CsvImport import(m_state, m_prompter, m_log, m_csv, m_options);
        ASSERT_EQ(import.ImportCsv(false), CsvImport::Result::Imported);
        for (int i = 0; i < 7; ++i)
            EXPECT_EQ(m_state.tables.memories.record(i + 1), records[i]) << tab << " row " << i + 1;
        EXPECT_TRUE(m_state.tables.memories.isEmptyRow(8));
    }
}

TEST_P(CsvImportTest, KeptNumbersImportedAsNumbersMoveEachRecordUpOneRow)
{
    AppState source;
    source.tables.memories.setRecord(1, {local("7.10000"), "LSB", "Simplex", " ", "67.0", "first"});
    source.tables.memories.setRecord(10, {local("14.20000"), "USB", "Simplex", " ", "67.0", "tenth"});
    source.tables.memories.setRecord(11, {local("21.20000"), "USB", "Simplex", " ", "67.0", "eleventh"});
    CsvExportOptions keep;
    keep.keepNumbers = true;
    CsvHeader csv;
    MessageLog log;
    ScriptedPrompter prompter;
    prompter.reply(path("kept"));
    ASSERT_EQ(CsvExport(source, prompter, log, csv, keep).ExportCsv(false), CsvExport::Result::Exported);

    m_options.useNumbers = true;
    m_prompter.reply(path("kept.CSV")).answer(Prompter::Answer::Yes);
    CsvImport import(m_state, m_prompter, m_log, m_csv, m_options);
    ASSERT_EQ(import.ImportCsv(false), CsvImport::Result::Imported);
    EXPECT_EQ(logLines().first(),
              QStringLiteral("Record 1. Memory number of 0 is outside the range 1 to 100"));
    const ChannelTable& m = m_state.tables.memories;
    EXPECT_EQ(m.text(9, Column::kDescription), QStringLiteral("tenth"));
    EXPECT_EQ(m.text(10, Column::kDescription), QStringLiteral("eleventh"));
    EXPECT_EQ(m.text(1, Column::kDescription), QStringLiteral("first")); // number 0: the first free row
}

QUAYSTONE_BOTH_DECIMAL_MARKS(CsvImportTest);

} // namespace
