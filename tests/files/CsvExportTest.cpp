#include "files/CsvExport.h"
#include "FileTestSupport.h"
#include "app/AppState.h"
#include "app/MessageLog.h"
#include "files/CsvHeader.h"
#include "model/Frequency.h"
#include "support/FailingDevice.h"
#include "support/ScriptedPrompter.h"
#include "support/TestLocale.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace FileTestSupport;

namespace {

class CsvExportTest : public DecimalMarkTest {
protected:
    void SetUp() override
    {
        DecimalMarkTest::SetUp();
        ASSERT_TRUE(m_dir.isValid());
        m_state.dataFolder = m_dir.path();
        auto& m = m_state.tables.memories;
        m.setRecord(1, {local("7.07400"), "USB", "Simplex", "", "67.0", "40 m FT8"});
        m.setRecord(4, {local("29.62000"), "FM", "Minus", " ", "67.0", "Repeater"});
        m.setRecord(5, {local("29.64000"), "FM", "Minus", "CTCSS Enc", "146.2", "RH2, north"});
        m.setRecord(100, {local("50.12500"), "USB", "Simplex", "CTCSS Enc+Dec", "100.0", ""});
        m.setText(7, Column::kDescription, QStringLiteral("empty but described"));
    }

    QString path(const char* name) const { return m_dir.filePath(QString::fromLatin1(name)); }

    QStringList previewLines(const CsvExportOptions& options)
    {
        MessageLog log;
        CsvHeader csv;
        CsvExport exporter(m_state, m_prompter, log, csv, options);
        EXPECT_EQ(exporter.ExportCsv(true), CsvExport::Result::Previewed);
        return log.text().split(QStringLiteral("\r\n"), Qt::SkipEmptyParts);
    }

    QTemporaryDir m_dir;
    AppState m_state;
    ScriptedPrompter m_prompter;
};

TEST_P(CsvExportTest, LinesForEachOption)
{
    const QChar sep = CsvHeader::defaultSeparator();
    // A record from its memory number and the table's row fields; "." is the decimal mark.
    const auto record = [](const char* number, const char* freq, const char* mode, const char* shift,
                           const char* encDec, const char* tone, const char* description, QChar separator) {
        return QStringList{number, local(freq), mode, shift, "", "",         encDec,
                           tone,   "",          "",   "",    "", description}
            .join(separator);
    };
    struct Case {
        CsvExportOptions options;
        QStringList lines;
    };
    CsvExportOptions plain;
    CsvExportOptions keep;
    keep.keepNumbers = true;
    keep.omitHeader = true;
    CsvExportOptions selected;
    selected.onlySelected = true;
    selected.omitHeader = true;
    selected.selectedRows = {4, 7, 100, 50};
    CsvExportOptions tab;
    tab.tab = true;
    tab.onlySelected = true;
    tab.selectedRows = {5};
    const QChar t(QLatin1Char('\t'));

    const Case cases[] = {
        {plain,
         {CsvExport::headerLine(sep), record("1", "7.07400", "USB", "Simplex", "", "67.0", "40 m FT8", sep),
          record("2", "29.62000", "FM", "Minus", " ", "67.0", "Repeater", sep),
          record("3", "29.64000", "FM", "Minus", "CTCSS Enc", "146.2", "RH2, north", sep),
          record("4", "50.12500", "USB", "Simplex", "CTCSS Enc+Dec", "100.0", "", sep)}},
        {keep,
         {record("0", "7.07400", "USB", "Simplex", "", "67.0", "40 m FT8", sep),
          record("3", "29.62000", "FM", "Minus", " ", "67.0", "Repeater", sep),
          record("4", "29.64000", "FM", "Minus", "CTCSS Enc", "146.2", "RH2, north", sep),
          record("99", "50.12500", "USB", "Simplex", "CTCSS Enc+Dec", "100.0", "", sep)}},
        // An empty row never appears, selected or not.
        {selected,
         {record("1", "29.62000", "FM", "Minus", " ", "67.0", "Repeater", sep),
          record("2", "50.12500", "USB", "Simplex", "CTCSS Enc+Dec", "100.0", "", sep)}},
        // Tab keeps the locale's decimal mark, in the header too.
        {tab,
         {CsvExport::headerLine(t),
          record("1", "29.64000", "FM", "Minus", "CTCSS Enc", "146.2", "RH2, north", t)}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(previewLines(c.options), c.lines);
    EXPECT_TRUE(m_prompter.prompts().isEmpty());
}

TEST(CsvExportExample, TheCommaLocaleLine)
{
    ScopedDecimalMark comma(QStringLiteral(","));
    AppState state;
    state.tables.memories.setRecord(4, {QStringLiteral("29,62000"), "FM", "Minus", " ", "67.0", "Repeater"});
    CsvExportOptions options;
    options.omitHeader = true;
    MessageLog log;
    ScriptedPrompter prompter;
    CsvHeader csv;
    EXPECT_EQ(CsvExport(state, prompter, log, csv, options).ExportCsv(true), CsvExport::Result::Previewed);
    EXPECT_EQ(log.text(), QStringLiteral("1;29,62000;FM;Minus;;; ;67.0;;;;;Repeater\r\n"));
}

TEST_P(CsvExportTest, HeaderLineWithEachSeparator)
{
    EXPECT_EQ(CsvExport::headerLine(QLatin1Char(',')),
              QStringLiteral(
                  "Memory,RX Freq,RX Mode,Shift,TX Shift/Freq,TX Mode,CTCSS/DCS,Tone/Code,Show,Name,Scan,"
                  "Group,Description"));
    EXPECT_EQ(CsvExport::headerLine(QLatin1Char('\t')).count(QLatin1Char('\t')), 12);
}

TEST_P(CsvExportTest, FileNamesQuestionsAndCompletion)
{
    writeBytes(path("old.CSV"), "old contents\r\n");
    struct Case {
        const char* reply;
        const char* written; // file expected afterwards, nullptr for none
        std::optional<Prompter::Answer> replace;
        CsvExport::Result result;
    };
    const Case cases[] = {
        {"list", "list.CSV", std::nullopt, CsvExport::Result::Exported},
        {"list2.csv", "list2.csv", std::nullopt, CsvExport::Result::Exported},
        {"old", nullptr, Prompter::Answer::No, CsvExport::Result::Declined},
        {"", nullptr, std::nullopt, CsvExport::Result::Cancelled},
        {"old.CSV", "old.CSV", Prompter::Answer::Yes, CsvExport::Result::Exported},
    };
    for (const Case& c : cases) {
        m_prompter.clear();
        MessageLog log;
        CsvHeader csv;
        CsvExport exporter(m_state, m_prompter, log, csv, CsvExportOptions());
        m_prompter.reply(*c.reply ? path(c.reply) : QString());
        if (c.replace)
            m_prompter.answer(*c.replace);
        EXPECT_EQ(exporter.ExportCsv(false), c.result) << c.reply;
        QStringList expected;
        if (c.replace)
            expected << CsvExport::replaceText(QStringLiteral("OLD.CSV"));
        if (c.result == CsvExport::Result::Exported)
            expected << QStringLiteral("Export completed");
        EXPECT_EQ(m_prompter.messages(), expected) << c.reply;
        if (c.written) {
            const QByteArray bytes = readBytes(path(c.written));
            EXPECT_TRUE(
                bytes.startsWith("Memory" + QByteArray(1, char(CsvHeader::defaultSeparator().unicode()))))
                << c.reply;
            EXPECT_EQ(bytes.count("\r\n"), 5);
        }
        EXPECT_TRUE(log.text().isEmpty());
    }
    EXPECT_EQ(readBytes(path("old.CSV")).count("\r\n"), 5);
    EXPECT_FALSE(QFileInfo::exists(path("list.CSV.CSV")));
}

TEST_P(CsvExportTest, AnEmptyTableWithoutHeaderGivesAnEmptyFileAndStillCompletes)
{
    m_state.tables.reset();
    CsvExportOptions options;
    options.omitHeader = true;
    MessageLog log;
    CsvHeader csv;
    CsvExport exporter(m_state, m_prompter, log, csv, options);
    m_prompter.reply(path("none"));
    EXPECT_EQ(exporter.ExportCsv(false), CsvExport::Result::Exported);
    EXPECT_EQ(readBytes(path("none.CSV")), QByteArray());
    EXPECT_EQ(m_prompter.messages(), QStringList{"Export completed"});
    EXPECT_EQ(m_prompter.prompts().last().icon, Prompter::Icon::Information);
}

TEST_P(CsvExportTest, AFailedExportShowsTheErrorAndLeavesAnExistingFile)
{
    writeBytes(path("keep.CSV"), "precious\r\n");
    for (const qint64 after : {qint64(0), qint64(40)}) {
        m_prompter.clear();
        MessageLog log;
        CsvHeader csv;
        CsvExport exporter(m_state, m_prompter, log, csv, CsvExportOptions());
        exporter.setDeviceWrapper(
            [after](QIODevice& file) { return std::unique_ptr<QIODevice>(new FailingDevice(&file, after)); });
        m_prompter.reply(path("keep")).answer(Prompter::Answer::Yes);
        EXPECT_EQ(exporter.ExportCsv(false), CsvExport::Result::Failed);
        EXPECT_EQ(readBytes(path("keep.CSV")), QByteArray("precious\r\n"));
        ASSERT_EQ(m_prompter.messages().size(), 2);
        const QString message = m_prompter.messages().last();
        EXPECT_TRUE(
            message.startsWith(QStringLiteral("An error has been encountered when trying to export the "
                                              "file.\r\nError number ")));
        EXPECT_TRUE(message.endsWith(QStringLiteral(
            ") in line 2\r\n\r\nCannot export the file here - please try an alternative location")));
    }
    // A folder that does not exist fails at creation.
    m_prompter.clear();
    MessageLog log;
    CsvHeader csv;
    CsvExport exporter(m_state, m_prompter, log, csv, CsvExportOptions());
    m_prompter.reply(path("no/such/folder/list"));
    EXPECT_EQ(exporter.ExportCsv(false), CsvExport::Result::Failed);
    EXPECT_TRUE(m_prompter.messages().last().contains(QStringLiteral(") in line 1\r\n")));
}

TEST_P(CsvExportTest, EveryExportResetsTheSeparatorAnImportLeftBehind)
{
    MessageLog log;
    CsvHeader csv;
    csv.setSeparator(QLatin1Char('\t'));
    CsvExportOptions options;
    CsvExport exporter(m_state, m_prompter, log, csv, options);
    exporter.ExportCsv(true);
    EXPECT_EQ(csv.separator(), CsvHeader::defaultSeparator());
    EXPECT_TRUE(log.text().startsWith(CsvExport::headerLine(CsvHeader::defaultSeparator())));
}

QUAYSTONE_BOTH_DECIMAL_MARKS(CsvExportTest);

} // namespace
