// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/ListingPrinter.h"
#include "files/FileTestSupport.h"
#include "gui/PmsGridPrinter.h"
#include "gui/PrintCommands.h"
#include "model/ChannelTable.h"
#include "state/AppState.h"
#include "state/Settings.h"
#include "support/ScriptedPrompter.h"
#include "support/TestText.h"

#include <QFontInfo>
#include <QPrinter>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

// Runs a poppler tool and returns its standard output.
QString runTool(const QString& tool, const QStringList& arguments)
{
    QProcess process;
    process.start(tool, arguments);
    if (!process.waitForFinished(30000) || process.exitCode() != 0)
        return QString();
    return QString::fromUtf8(process.readAllStandardOutput());
}

#define REQUIRE_POPPLER()                                                                                    \
    if (QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty() ||                             \
        QStandardPaths::findExecutable(QStringLiteral("pdfinfo")).isEmpty())                                 \
    GTEST_SKIP() << "pdftotext/pdfinfo (poppler-utils) are not installed; the PDF is not read back"

// Every page as its non-blank lines, with runs of spaces reduced to one (the PDF keeps positions,
// not space characters) and ligatures such as "ﬀ" read as their letters.
QVector<QStringList> simplifiedPages(const MemoryListing::Pages& pages)
{
    QVector<QStringList> result;
    for (const QStringList& page : pages) {
        QStringList lines;
        for (const QString& line : page) {
            if (!line.trimmed().isEmpty())
                lines << line.normalized(QString::NormalizationForm_KC).simplified();
        }
        result.append(lines);
    }
    return result;
}

// The text of a PDF's pages, simplified as above.
QVector<QStringList> pdfPages(const QString& path)
{
    QStringList pages =
        runTool(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), path, QStringLiteral("-")})
            .split('\f');
    if (!pages.isEmpty() && pages.last().trimmed().isEmpty())
        pages.removeLast();
    MemoryListing::Pages split;
    for (const QString& page : pages)
        split.append(page.split('\n'));
    return simplifiedPages(split);
}

// Width and height of the first page, in points.
QSizeF pdfPageSize(const QString& path)
{
    const QString info = runTool(QStringLiteral("pdfinfo"), {path});
    const QRegularExpressionMatch match =
        QRegularExpression(QStringLiteral("Page size:\\s+([\\d.]+) x ([\\d.]+) pts")).match(info);
    return match.hasMatch() ? QSizeF(match.captured(1).toDouble(), match.captured(2).toDouble()) : QSizeF();
}

// Top of the first word on the first page, in points from the page's top.
double firstWordTop(const QString& path)
{
    const QString html = runTool(QStringLiteral("pdftotext"),
                                 {QStringLiteral("-bbox"), QStringLiteral("-f"), QStringLiteral("1"),
                                  QStringLiteral("-l"), QStringLiteral("1"), path, QStringLiteral("-")});
    const QRegularExpressionMatch match =
        QRegularExpression(QStringLiteral("<word [^>]*yMin=\"([\\d.]+)\"")).match(html);
    return match.hasMatch() ? match.captured(1).toDouble() : -1;
}

void fillMemories(ChannelTable& table)
{
    for (int row = 1; row <= 100; ++row) {
        if (row % 7 == 3)
            continue; // a few single empty rows
        if (row > 60 && row < 70)
            continue; // and a run
        Channel record = rec(qPrintable(QString::number(row % 50 + 1) + ".12500|USB|Simplex|CTCSS Enc|67.0"));
        record.description = QStringLiteral("Channel %1").arg(row);
        if (row % 5 == 0)
            record.description = QStringLiteral("<Group %1>Channel %1").arg(row);
        if (row == 45)
            record.description = QStringLiteral("^Channel 45");
        table.setChannel(row, record);
    }
}

// The listing reads back as composed (landscape, so it breaks both at a "^" and at the bottom limit);
// the PMS grid prints every row on one page, across a landscape page.
TEST(PdfListing, ReadsBackAsComposedAndThePmsGridOnOnePage)
{
    REQUIRE_POPPLER();
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("listing.pdf")), pmsPath = dir.filePath("pms.pdf");
    ChannelTable table(TableKind::Memories);
    fillMemories(table);
    const PrintOptions options;
    const QString title = MemoryListing::title(2, QStringLiteral(" club.950"));
    ASSERT_TRUE(ListingPrinter::exportPdf(path, [&](QPrinter& printer) {
        return ListingPrinter::printMemories(printer, table, options, title, QStringLiteral("."));
    }));
    QPrinter printer(QPrinter::HighResolution); // laid out as exportPdf lays it out
    ListingPrinter::setPdfOutput(printer, QStringLiteral("unused.pdf"));
    const MemoryListing::Pages expected =
        ListingPrinter::layout(printer, table, options, title, QStringLiteral("."));
    ASSERT_GE(expected.size(), 3);
    EXPECT_EQ(pdfPages(path), simplifiedPages(expected));

    ChannelTable pms(TableKind::Pms);
    setRow(pms, 1, "14.00000|CW|Simplex||67.0");
    setRow(pms, 18, "29.70000|FM|Minus|CTCSS Enc|88.5");
    ASSERT_TRUE(ListingPrinter::exportPdf(pmsPath, [&](QPrinter& pmsPrinter) {
        PmsGridPrinter::preparePage(pmsPrinter);
        return PmsGridPrinter::print(pmsPrinter, pms, {1150, 1150, 1150, 1150, 1550, 1150}, 500,
                                     QFont(QStringLiteral("Tahoma"), 8));
    }));
    const QVector<QStringList> pages = pdfPages(pmsPath);
    ASSERT_EQ(pages.size(), 1);
    const QString text = pages[0].join(QLatin1Char('\n'));
    for (const char* shown :
         {"P1L", "P5U", "P9U", "14.00000 CW Simplex 67.0", "29.70000 FM Minus CTCSS Enc 88.5"})
        EXPECT_TRUE(text.contains(QString::fromLatin1(shown))) << shown << "\n" << text.toStdString();
    const QSizeF size = pdfPageSize(pmsPath);
    EXPECT_GT(size.width(), size.height());
}

TEST(PdfListing, TopMarginMovesTheFirstLineDown)
{
    REQUIRE_POPPLER();
    QTemporaryDir dir;
    ChannelTable table(TableKind::Memories);
    fillMemories(table);
    QMap<QString, double> tops;
    for (const QString& margin : PrintOptions::marginCaptions()) {
        PrintOptions options;
        options.topMargin = margin;
        const QString path = dir.filePath(margin.at(0) + QStringLiteral("%1.pdf").arg(tops.size()));
        ASSERT_TRUE(ListingPrinter::exportPdf(path, [&](QPrinter& printer) {
            return ListingPrinter::printMemories(printer, table, options, QStringLiteral("Title"),
                                                 QStringLiteral("."));
        }));
        tops[margin] = firstWordTop(path);
    }
    for (const QString& margin : PrintOptions::marginCaptions()) {
        const double points = PrintOptions::marginTwips(margin) / 20.0;
        EXPECT_NEAR(tops[margin] - tops[QStringLiteral("Minimum")], points, 0.5) << margin.toStdString();
    }
}

TEST(ListingPrinter, ListingFontIsFixedPitch)
{
    const QFontInfo info(ListingPrinter::listingFont());
    EXPECT_TRUE(info.fixedPitch()) << info.family().toStdString() << " would break the columns";
    EXPECT_EQ(info.pointSize(), 8);
}

TEST(ListingPrinter, FailedExportLeavesTheEarlierFile)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("list.pdf"));
    ASSERT_TRUE(FileTestSupport::writeBytes(path, "earlier"));
    EXPECT_FALSE(ListingPrinter::exportPdf(path, [](QPrinter&) { return false; }));
    EXPECT_EQ(FileTestSupport::readBytes(path), QByteArray("earlier"));
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{QStringLiteral("list.pdf")})
        << "no partial file left behind";
}

// The print dialog stands in for the system's: it sends the job to a PDF
// file and, like a user, turns the page to portrait.
class PrintCommandsTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        setRow(m_state.tables().memories, 1, "7.05000|LSB|Minus|CTCSS Enc|67.0|Net");
        m_commands.setPrintDialog([this](QPrinter& printer, QWidget*) {
            ++m_dialogs;
            if (!m_accept)
                return false;
            m_shownLandscape = printer.pageLayout().orientation() == QPageLayout::Landscape;
            printer.setOutputFormat(QPrinter::PdfFormat);
            printer.setOutputFileName(m_pdf);
            printer.setPageOrientation(QPageLayout::Portrait);
            return true;
        });
    }

    QTemporaryDir m_dir;
    Settings m_settings{m_dir.path()};
    AppState m_state;
    ScriptedPrompter m_prompter;
    PrintCommands m_commands{m_state, m_settings, m_prompter};
    QString m_pdf = m_dir.filePath(QStringLiteral("printed.pdf"));
    int m_dialogs = 0;
    bool m_accept = true;
    bool m_shownLandscape = false;
};

// Printing and the PDF export follow the stored options: the stored
// landscape wins over the dialog, and the stored columns are the ones printed.
TEST_F(PrintCommandsTest, PrintAndExportFollowTheStoredOptions)
{
    REQUIRE_POPPLER();
    m_state.setDataSource(AppState::Radio);
    m_state.setCurrentFilePath(m_dir.filePath(QStringLiteral("club.950")));
    m_settings.set(Keys::PrintCol[2], QStringLiteral("0"));
    m_settings.set(Keys::PrintCol[5], QStringLiteral("0"));
    const QStringList body{"RX Freq Shift Decode Description", "1 7.05000 Minus Enc Net"};
    m_commands.print(false, true);
    EXPECT_EQ(m_dialogs, 1);
    EXPECT_TRUE(m_shownLandscape) << "the dialog opens on the stored orientation";
    const QSizeF size = pdfPageSize(m_pdf);
    EXPECT_GT(size.width(), size.height()) << "the stored landscape wins over the dialog";
    const QVector<QStringList> pages = pdfPages(m_pdf);
    ASSERT_EQ(pages.size(), 1);
    EXPECT_EQ(pages[0].value(0), QStringLiteral("Memory print of Radio"));
    EXPECT_EQ(pages[0].mid(1, 2), body);

    const QString path = m_dir.filePath(QStringLiteral("radio.pdf"));
    m_prompter.reply(path);
    ASSERT_TRUE(m_commands.exportPdf(false));
    ASSERT_EQ(m_prompter.prompts().size(), 1);
    EXPECT_EQ(m_prompter.prompts()[0].preset, QStringLiteral("club.pdf"));
}

// Nothing loaded: no dialog and no question (an unscripted one would fail).
// A cancelled dialog writes nothing; a missing folder is reported.
TEST_F(PrintCommandsTest, NothingIsWrittenWhenNothingIsLoadedOrTheUserCancels)
{
    m_commands.print(false, true);
    EXPECT_FALSE(m_commands.exportPdf(false));
    m_state.setDataSource(AppState::File);
    m_accept = false;
    m_commands.print(false, true);
    EXPECT_EQ(m_dialogs, 1) << "none while nothing is loaded";

    const QString path = m_dir.filePath(QStringLiteral("gone/list.pdf"));
    m_prompter.reply(QString()).reply(path);
    EXPECT_FALSE(m_commands.exportPdf(false));
    EXPECT_EQ(m_prompter.prompts().size(), 1);
    EXPECT_FALSE(m_commands.exportPdf(false));
    EXPECT_EQ(m_prompter.messages(), QStringList{QStringLiteral("The PDF file could not be written: ") +
                                                 QDir::toNativeSeparators(path)});
    EXPECT_TRUE(QDir(m_dir.path()).entryList({QStringLiteral("*.pdf")}, QDir::Files).isEmpty());
}

} // namespace
