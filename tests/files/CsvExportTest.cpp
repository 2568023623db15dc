// SPDX-License-Identifier: GPL-3.0-or-later
#include "files/CsvExport.h"
#include "FileTestSupport.h"
#include "files/CsvHeader.h"
#include "model/CatCodec.h"
#include "model/Frequency.h"
#include "state/AppState.h"
#include "support/ScriptedPrompter.h"
#include "support/TestText.h"

#include <QRegularExpression>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace FileTestSupport;
using R = CsvExport::Result;

namespace {

class CsvExportTest : public DecimalMarkTest {
protected:
    void SetUp() override
    {
        DecimalMarkTest::SetUp();
        ASSERT_TRUE(m_dir.isValid());
        m_state.setDataFolder(m_dir.path());
        auto& m = m_state.tables().memories;
        m.setChannel(1, rec("7.07400|USB|Simplex||67.0|40 m FT8"));
        m.setChannel(4, rec("29.62000|FM|Minus| |67.0|Repeater"));
        m.setChannel(5, rec("29.64000|FM|Minus|CTCSS Enc|146.2|RH2, north"));
        m.setChannel(100, rec("50.12500|USB|Simplex|CTCSS Enc+Dec|100.0|"));
        setCell(m, 7, Column::kDescription, QStringLiteral("empty but described"));
    }
    QString path(const char* name) const { return m_dir.filePath(QString::fromLatin1(name)); }

    // Exports with `reply` as the dialog's answer and `answers` to its questions.
    R exportTo(const char* reply, const CsvExportOptions& options = {},
               QVector<Prompter::Answer> answers = {})
    {
        m_prompter.clear();
        m_log.clear();
        m_prompter.reply(*reply ? path(reply) : QString());
        for (Prompter::Answer a : answers)
            m_prompter.answer(a);
        return CsvExport(m_state, m_prompter, m_log, m_csv, options).ExportCsv(false);
    }

    QTemporaryDir m_dir;
    AppState m_state;
    ScriptedPrompter m_prompter;
    MessageLog m_log;
    CsvHeader m_csv;
};

// A record line from "number|freq|mode|shift|encdec|tone|description", the frequency with ".".
QString line(const char* fields, QChar sep)
{
    const QStringList f = QString::fromLatin1(fields).split(QLatin1Char('|'));
    return QStringList{f[0], local(f[1].toLatin1()), f[2], f[3], "", "", f[4], f[5], "", "", "", "", f[6]}
        .join(sep);
}

// The field separator a "." locale and a "," locale give.
QChar expectedSeparator(const char* mark)
{
    return QLatin1Char(*mark == '.' ? ',' : ';');
}

TEST_P(CsvExportTest, LinesForEachOption)
{
    const QChar sep = expectedSeparator(GetParam());
    const QChar tab(QLatin1Char('\t'));
    EXPECT_EQ(CsvExport::headerLine(QLatin1Char(',')), QLatin1String(kCsvHeader));
    // Numbers kept in this program's layout: CsvImportTest's round trip.
    CsvExportOptions plain, selected, tabbed, common;
    common.common = common.keepNumbers = common.tab = true; // tab does not apply to it
    selected.onlySelected = selected.omitHeader = true;
    selected.selectedRows = {4, 7, 100, 50};
    tabbed.tab = tabbed.onlySelected = true;
    tabbed.selectedRows = {5};
    const std::pair<CsvExportOptions, QStringList> cases[] = {
        {plain,
         {CsvExport::headerLine(sep), line("1|7.07400|USB|Simplex||67.0|40 m FT8", sep),
          line("2|29.62000|FM|Minus| |67.0|Repeater", sep),
          line("3|29.64000|FM|Minus|CTCSS Enc|146.2|RH2, north", sep),
          line("4|50.12500|USB|Simplex|CTCSS Enc+Dec|100.0|", sep)}},
        // An empty row never appears, selected or not.
        {selected,
         {line("1|29.62000|FM|Minus| |67.0|Repeater", sep),
          line("2|50.12500|USB|Simplex|CTCSS Enc+Dec|100.0|", sep)}},
        // Tab keeps the locale's decimal mark, in the header too.
        {tabbed, {CsvExport::headerLine(tab), line("1|29.64000|FM|Minus|CTCSS Enc|146.2|RH2, north", tab)}},
        // The common layout of other editors: "." and "," whatever the locale,
        // the repeater rule's offset and step, quotes where a field needs them.
        {common,
         {"Location,Name,Frequency,Duplex,Offset,Tone,rToneFreq,cToneFreq,DtcsCode,DtcsPolarity,Mode,TStep,"
          "Skip,Comment",
          "0,40 m FT8,7.074000,,0.000000,,67.0,67.0,023,NN,USB,5.00,,",
          "3,Repeater,29.620000,-,0.100000,,67.0,67.0,023,NN,FM,10.00,,",
          "4,\"RH2, north\",29.640000,-,0.100000,Tone,146.2,146.2,023,NN,FM,10.00,,",
          "99,,50.125000,,0.000000,TSQL,100.0,100.0,023,NN,USB,5.00,,"}},
    };
    m_state.rules().setRules({{2960000, 2970000, "Minus", Frequency::formatAmount(10000), "10.0 K"}});
    m_state.rules().setRulesActive(true);
    for (const auto& [options, lines] : cases) {
        m_log.clear();
        m_csv.setSeparator(QLatin1Char('x')); // every export resets what an import left behind
        EXPECT_EQ(CsvExport(m_state, m_prompter, m_log, m_csv, options).ExportCsv(true), R::Previewed);
        EXPECT_EQ(logLines(m_log), lines);
        EXPECT_EQ(m_csv.separator(), options.common ? QLatin1Char(',') : options.tab ? tab : sep);
    }
    EXPECT_TRUE(m_prompter.prompts().isEmpty());
}

// A read-only file is refused before any question (even for root, who could
// write it); full disks and odd targets are in DiskFailureTest.
TEST_P(CsvExportTest, FileNamesQuestionsAndCompletion)
{
    writeBytes(path("old.CSV"), "old contents\r\n");
    writeBytes(path("keep.CSV"), "precious\r\n");
    QFile::setPermissions(path("keep.CSV"), QFileDevice::ReadOwner | QFileDevice::ReadGroup);
    struct Case {
        const char* reply;
        const char* written; // file expected afterwards, nullptr for none
        std::optional<Prompter::Answer> replace;
        R result;
    };
    const Case cases[] = {
        {"list", "list.CSV", std::nullopt, R::Exported},
        {"list2.csv", "list2.csv", std::nullopt, R::Exported},
        {"old", nullptr, Prompter::Answer::No, R::Declined},
        {"", nullptr, std::nullopt, R::Cancelled},
        {"old.CSV", "old.CSV", Prompter::Answer::Yes, R::Exported},
        {"keep", nullptr, std::nullopt, R::Failed},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(exportTo(c.reply, {},
                           c.replace ? QVector<Prompter::Answer>{*c.replace} : QVector<Prompter::Answer>{}),
                  c.result)
            << c.reply;
        QStringList expected;
        if (c.replace)
            expected << CsvExport::replaceText(QStringLiteral("OLD.CSV"));
        if (c.result == R::Exported)
            expected << QStringLiteral("Export completed");
        if (c.result == R::Failed)
            expected << CsvExport::readOnlyText(QStringLiteral("keep.CSV"));
        EXPECT_EQ(m_prompter.messages(), expected) << c.reply;
        // After the file dialog, the question: Return keeps the old file.
        EXPECT_TRUE(!c.replace || m_prompter.prompts().at(1).safe == Prompter::Answer::No) << c.reply;
        // The header and the four channels, as the preview composes them (LinesForEachOption).
        if (c.written) {
            EXPECT_EQ(readBytes(path(c.written)).count("\r\n"), 5) << c.reply;
        }
        EXPECT_TRUE(m_log.text().isEmpty());
    }
    EXPECT_EQ(readBytes(path("keep.CSV")), QByteArray("precious\r\n"));
    // A folder that does not exist fails at creation.
    EXPECT_EQ(exportTo("no/such/folder/list"), R::Failed);
    EXPECT_TRUE(m_prompter.messages().last().contains(QStringLiteral(") in line 1\r\n")));

    // An empty table without a header gives an empty file and still completes.
    m_state.tables().reset();
    CsvExportOptions omitHeader;
    omitHeader.omitHeader = true;
    EXPECT_EQ(exportTo("none", omitHeader), R::Exported);
    EXPECT_EQ(readBytes(path("none.CSV")), QByteArray());
    EXPECT_EQ(m_prompter.messages(), QStringList{"Export completed"});
    EXPECT_EQ(m_prompter.prompts().last().icon, Prompter::Icon::Information);
}

// Megahertz as other channel editors read them, a plain decimal number, in
// hertz; -1 for anything else.
qint64 decimalHertz(const QString& text)
{
    static const QRegularExpression decimal(QStringLiteral("^([0-9]+)(\\.([0-9]{1,6}))?$"));
    const QRegularExpressionMatch m = decimal.match(text);
    return m.hasMatch()
               ? m.captured(1).toLongLong() * 1000000 + (m.captured(3) + "000000").left(6).toLongLong()
               : -1;
}

// How other channel editors load a row of the common layout (no quoted
// fields here): a row whose mode, duplex, frequency or offset they do not
// take is lost; the others transmit at Frequency plus or minus Offset.
// Returns the receive and transmit hertz, or nothing for a lost row.
std::optional<std::pair<qint64, qint64>> loadElsewhere(const QStringList& names, const QString& line)
{
    static const QStringList modes =
        QStringLiteral("WFM FM NFM AM NAM DV USB LSB CW RTTY DIG PKT NCW NCWR CWR "
                       "P25 Auto RTTYR FSK FSKR DMR DN NXDN")
            .split(QLatin1Char(' '));
    const QStringList fields = line.split(QLatin1Char(','));
    const auto field = [&](const char* name) { return fields.value(names.indexOf(QLatin1String(name))); };
    const QString duplex = field("Duplex");
    const qint64 rx = decimalHertz(field("Frequency"));
    const qint64 offset = decimalHertz(field("Offset"));
    if (!modes.contains(field("Mode")) || !QStringList{"", "+", "-", "split", "off"}.contains(duplex) ||
        rx < 0 || offset < 0)
        return std::nullopt;
    return std::pair{rx, duplex == "+" ? rx + offset : duplex == "-" ? rx - offset : rx};
}

// Each row loads in other channel editors and transmits where the radio
// does: shifted by the active rule's offset, else by the one the regional
// sets agree on; what cannot be carried is left out and named. (Read back:
// CsvImportTest.)
TEST_P(CsvExportTest, CommonLayoutLoadsElsewhereAndTransmitsWhereTheRadioDoes)
{
    struct Case {
        const char* reply; // the radio's memory reply
        qint64 shift;      // transmit minus receive, hertz
        const char* loss;  // what the log names, "" for nothing
    };
    const Case cases[] = {
        {"MR00029620000+000000402082;", -100000, ""}, // no rule covers it; every regional set says 0.1
        {"MR00129300000+000000400002;", -200000, ""}, // the active rule's offset
        {"MR00250810000+000000400001;", 500000, ""},
        {"MR00451850000+000000400002;", 0, "shift Minus left out: no repeater rule gives the radio's offset"},
        {"MR00621200000+000000200009;", 0, ""}, // a shift code outside the vocabulary
        {"MR00714100000+000000C00000;", 0, "mode USRU exported as USB"},
        {"MR00807040000+000000800000;", 0, "mode USRL exported as LSB"},
        {"MR00914080000+000000600000;", 0, ""},
        {"MR01014085000+000000900000;", 0, ""},
        {"MR01107000005+000000100000;", 0, ""}, // exact hertz, shown as 7.00001
        {"MR01203573000+000000700000;", 0, ""},
    };
    AppState source;
    source.rules().setRules({{2920000, 2940000, "Minus", Frequency::formatAmount(20000), "10.0 K"}});
    source.rules().setRulesActive(true);
    ChannelTable& memories = source.tables().memories;
    for (int i = 0; i < int(std::size(cases)); ++i) {
        Channel channel;
        ASSERT_FALSE(CatCodec::decode(QString::fromLatin1(cases[i].reply), channel)) << cases[i].reply;
        memories.setChannel(i + 1, channel);
    }
    CsvExportOptions common;
    common.common = common.keepNumbers = true;
    m_prompter.reply(path("common"));
    ASSERT_EQ(CsvExport(source, m_prompter, m_log, m_csv, common).ExportCsv(false), R::Exported);
    const QStringList lines =
        QString::fromLatin1(readBytes(path("common.CSV"))).split(QStringLiteral("\r\n"));
    const QStringList names = lines.value(0).split(QLatin1Char(','));
    int losses = 0;
    for (int i = 0; i < int(std::size(cases)); ++i) {
        const Case& c = cases[i];
        SCOPED_TRACE(c.reply);
        const std::optional<std::pair<qint64, qint64>> loaded = loadElsewhere(names, lines.value(i + 1));
        ASSERT_TRUE(loaded) << lines.value(i + 1).toStdString();
        EXPECT_EQ(loaded->first, CatCodec::exactHertz(memories.channel(i + 1), i + 1));
        EXPECT_EQ(loaded->second - loaded->first, c.shift);
        const QStringList named = logLines(m_log).filter(QStringLiteral("Memory %1 (").arg(i));
        EXPECT_EQ(named.size(), *c.loss ? 1 : 0);
        if (*c.loss) {
            ++losses;
            EXPECT_TRUE(named.value(0).contains(QLatin1String(c.loss))) << named.value(0).toStdString();
        }
    }
    EXPECT_EQ(m_prompter.messages(), QStringList{CsvExport::completedText(losses)});
}

QUAYSTONE_BOTH_DECIMAL_MARKS(CsvExportTest);

} // namespace
