#include "FileTestSupport.h"

#include "support/CliRun.h"

#include <QFileInfo>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace FileTestSupport;

namespace {

// Runs quaystone-cli with its settings in a temporary folder and a "." locale.
class CliFiles : public ::testing::Test {
protected:
    using Run = CliRun;
    void SetUp() override { ASSERT_TRUE(m_dir.isValid()); }
    Run cli(const QStringList& args) { return runCli(m_dir.path(), args); }
    QString path(const char* name) const { return m_dir.filePath(QString::fromLatin1(name)); }

    QTemporaryDir m_dir;
};

TEST_F(CliFiles, ShowPrintsAllSlotsTabSeparated)
{
    const Run run = cli({"show", dataPath("sample.950")});
    ASSERT_EQ(run.status, 0) << run.err.toStdString();
    const QStringList lines = run.out.split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    ASSERT_EQ(lines.size(), 118);
    EXPECT_EQ(lines[0], QStringLiteral("0\t1.84000\tLSB\tSimplex\t\t67.0\t160 m digital"));
    EXPECT_EQ(lines[20], QStringLiteral("20\t29.62000\tFM\tMinus\tCTCSS Enc\t103.5\t10 m repeater RH1"));
    EXPECT_EQ(lines[99], QStringLiteral("99\tEmpty\t\t\t\t\t"));
    EXPECT_EQ(lines[100], QStringLiteral("P1L\t14.000000\tUSB\tSimplex\t\t67.0")); // no description column
    EXPECT_EQ(lines[117], QStringLiteral("P9U\tEmpty\t\t\t\t"));
}

TEST_F(CliFiles, ExitStatusForUsageFailureAndRefusal)
{
    struct Case {
        QStringList args;
        int status;
        const char* err; // part of stderr
    };
    writeBytes(path("taken.CSV"), "keep\r\n");
    const Case cases[] = {
        {{"show"}, 2, "Usage"},
        {{"show", path("missing.950")}, 1, "does not exist"},
        {{"export", dataPath("sample.950")}, 2, "--csv"},
        {{"export", dataPath("sample.950"), "--csv", path("taken")}, 1, "Do you wish to replace it?"},
        {{"import", path("taken.CSV")}, 2, "--into"},
        {{"import", path("taken.CSV"), "--into", path("new.950")}, 1, "Import aborted due to errors"},
        {{"import", path("none.CSV"), "--into", path("new.950"), "--bogus"}, 2, "unknown option"},
    };
    for (const Case& c : cases) {
        const Run run = cli(c.args);
        EXPECT_EQ(run.status, c.status) << c.args.join(' ').toStdString();
        EXPECT_TRUE(run.err.contains(QLatin1String(c.err))) << run.err.toStdString();
    }
    EXPECT_EQ(readBytes(path("taken.CSV")), QByteArray("keep\r\n"));
    EXPECT_FALSE(QFileInfo::exists(path("new.950")));
}

TEST_F(CliFiles, ExportThenImportIntoANewFileGivesTheSameMemories)
{
    ASSERT_EQ(cli({"export", dataPath("sample.950"), "--csv", path("out")}).status, 0);
    EXPECT_TRUE(readBytes(path("out.CSV")).startsWith("Memory,RX Freq,"));

    const Run preview = cli({"import", path("out.CSV"), "--into", path("copy.950"), "--preview"});
    EXPECT_EQ(preview.status, 0);
    EXPECT_TRUE(preview.err.contains(QStringLiteral("Header type identified as: Plainsong")));
    EXPECT_FALSE(QFileInfo::exists(path("copy.950")));

    const Run imported = cli({"import", path("out.CSV"), "--into", path("copy.950"), "--use-numbers"});
    ASSERT_EQ(imported.status, 0) << imported.err.toStdString();
    EXPECT_TRUE(imported.err.contains(QStringLiteral("Import completed")));
    const QStringList original =
        cli({"show", dataPath("sample.950")}).out.split(QLatin1Char('\n')).mid(0, 100);
    const QStringList copy = cli({"show", path("copy.950")}).out.split(QLatin1Char('\n')).mid(0, 100);
    EXPECT_EQ(copy, original);

    // Importing again with clear-all needs --yes; without it nothing changes.
    const QByteArray before = readBytes(path("copy.950"));
    EXPECT_EQ(cli({"import", path("out.CSV"), "--into", path("copy.950"), "--clear"}).status, 1);
    EXPECT_EQ(readBytes(path("copy.950")), before);
    EXPECT_EQ(cli({"import", path("out.CSV"), "--into", path("copy.950"), "--clear", "--yes"}).status, 0);
    EXPECT_EQ(readBytes(path("copy.950")), before);
}

TEST_F(CliFiles, ImportIntoAFileWithUnreadableLinesNeedsYes)
{
    writeBytes(path("broken.950"), readBytes(dataPath("broken.950")));
    ASSERT_EQ(cli({"export", dataPath("sample.950"), "--csv", path("out")}).status, 0);
    const Run refused = cli({"import", path("out.CSV"), "--into", path("broken.950")});
    EXPECT_EQ(refused.status, 1);
    EXPECT_TRUE(refused.err.contains(QStringLiteral("Line 2 of broken.950 skipped")));
    EXPECT_EQ(readBytes(path("broken.950")), readBytes(dataPath("broken.950")));
}

} // namespace
