#include "state/Settings.h"
#include "support/TestText.h"

#include "support/CliRun.h"
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

QString samplePath()
{
    return QStringLiteral(QUAYSTONE_TEST_DATA "/sample.950");
}

// Runs the real quaystone-cli with its settings in a temporary folder.
class CliPrint : public ::testing::Test {
protected:
    using Run = CliRun;
    void SetUp() override { ASSERT_TRUE(m_dir.isValid()); }
    // The program's store as the command sees it.
    Settings settings() const { return Settings(m_dir.filePath(QStringLiteral("config/Quaystone"))); }
    Run cli(const QStringList& args, const char* locale = "C") { return runCli(m_dir.path(), args, locale); }

    QTemporaryDir m_dir;
};

TEST_F(CliPrint, TextFollowsTheStoredOptionsUnderEitherDecimalMark)
{
    {
        Settings stored = settings();
        stored.set(Keys::PrintCol[2], QStringLiteral("0"));
        stored.setBool(Keys::Landscape, false);
        stored.set(Keys::LastOpened, QStringLiteral("/home/op/club.950"));
    }
    const struct {
        const char* locale;
        const char* row21;
    } cases[] = {
        {"C", "        21     29.62000 Minus   Enc     103.5 10 m repeater RH1"},
        {"de_DE.UTF-8", "        21     29,62000 Minus   Enc     103.5 10 m repeater RH1"},
    };
    for (const auto& c : cases) {
        const Run run = cli({QStringLiteral("print"), samplePath(), QStringLiteral("--text")}, c.locale);
        ASSERT_EQ(run.status, 0) << run.err.toStdString();
        const QStringList pages = run.out.split(QLatin1Char('\f'));
        const QStringList lines = pages.first().split(QLatin1Char('\n'));
        ASSERT_GT(lines.size(), 25) << c.locale;
        EXPECT_EQ(lines[0], QStringLiteral("              Memory print of   sample.950"));
        EXPECT_EQ(lines[1], QString());
        EXPECT_EQ(lines[2], QStringLiteral("              RX Freq   Shift   Decode  Tone  Description    "));
        EXPECT_TRUE(lines.contains(QString::fromLatin1(c.row21))) << c.locale << run.out.toStdString();
        // Every later page opens with the page header.
        for (int page = 1; page < pages.size(); ++page)
            EXPECT_EQ(pages[page].section(QLatin1Char('\n'), 0, 0), lines[2]) << "page " << page;
    }
    // Printing leaves the file to open next alone.
    EXPECT_EQ(settings().get(Keys::LastOpened), QStringLiteral("/home/op/club.950"));
}

TEST_F(CliPrint, ExitStatusForUsageFailureAndSuccess)
{
    const std::pair<const char*, int> cases[] = {
        {"", 2},
        {"S", 2},
        {"S --text --pdf x.pdf", 2},
        {"S --pdf", 2},
        {"S --text --wide", 2},
        {"missing.950 --text", 1},
        {"S --pdf no/such/dir/x.pdf", 1},
        {"S --pdf list.pdf", 0},
    };
    for (const auto& [args, status] : cases) {
        QStringList list{QStringLiteral("print")};
        list << QString::fromLatin1(args).replace('S', samplePath()).split(' ', Qt::SkipEmptyParts);
        const Run run = cli(list);
        EXPECT_EQ(run.status, status) << args << "\n" << run.err;
        EXPECT_TRUE(run.out.isEmpty()) << "nothing on stdout without --text";
    }
    EXPECT_FALSE(QFile::exists(m_dir.filePath(QStringLiteral("x.pdf"))));
    EXPECT_GT(QFileInfo(m_dir.filePath(QStringLiteral("list.pdf"))).size(), 0);
}

} // namespace
