// SPDX-License-Identifier: GPL-3.0-or-later
#include "MainWindowFixture.h"

#include "gui/PrintCommands.h"
#include "gui/frmSelectPrintColumns.h"

#include <QApplication>
#include <QCheckBox>
#include <QProcess>
#include <QPushButton>
#include <QStandardPaths>
#include <QTabWidget>
#include <QTest>
#include <QTimer>

namespace {

// The first lines of a PDF's text, runs of spaces reduced to one.
QStringList pdfLines(const QString& path)
{
    QProcess reader;
    reader.start(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), path, QStringLiteral("-")});
    if (!reader.waitForFinished(30000))
        return {};
    QStringList lines;
    for (const QString& line : QString::fromUtf8(reader.readAllStandardOutput()).split(QLatin1Char('\n'))) {
        if (!line.trimmed().isEmpty())
            lines << line.simplified();
    }
    return lines;
}

} // namespace

TEST_F(MainWindowFixture, ExportPrintToPdfPrintsThePageInFront)
{
    if (QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty())
        GTEST_SKIP() << "pdftotext (poppler-utils) is not installed; the PDF is not read back";
    startQuietly();
    loadSample();
    const QString memoriesPdf = m_temp.filePath(QStringLiteral("memories.pdf"));
    m_prompter.reply(memoriesPdf);
    action("mnuExportPdf")->trigger();
    const QStringList memories = pdfLines(memoriesPdf);
    ASSERT_GT(memories.size(), 3);
    EXPECT_EQ(memories[0], QStringLiteral("Memory print of sample.950"));
    EXPECT_EQ(memories[1], QStringLiteral("RX Freq Mode Shift Decode Tone Description"));

    auto* pages = widget<QTabWidget>("tabPages");
    ASSERT_TRUE(pmsPageSelectable());
    pages->setCurrentIndex(1);
    const QString pmsPdf = m_temp.filePath(QStringLiteral("pms.pdf"));
    m_prompter.reply(pmsPdf);
    action("mnuExportPdf")->trigger();
    const QString pms = pdfLines(pmsPdf).join(QLatin1Char('\n'));
    EXPECT_TRUE(pms.contains(QStringLiteral("P1L"))) << pms.toStdString();
    EXPECT_FALSE(pms.contains(QStringLiteral("Memory print of")));
}

TEST_F(MainWindowFixture, PrintWithoutAPrinterSaysSo)
{
    startQuietly();
    loadSample();
    if (window().printerAvailable())
        GTEST_SKIP() << "this machine has a printer installed";
    const int before = m_prompter.prompts().size();
    action("mnuPrint")->trigger();
    ASSERT_EQ(m_prompter.prompts().size(), before + 1);
    EXPECT_EQ(m_prompter.prompts().last().text, QString::fromLatin1(PrintCommands::kNoPrinter));
}

TEST_F(MainWindowFixture, PrintOptionsWindowStoresWhatOkConfirms)
{
    startQuietly();
    bool seen = false;
    QTimer::singleShot(0, [&] {
        auto* options = qobject_cast<frmSelectPrintColumns*>(QApplication::activeModalWidget());
        if (!options)
            return;
        seen = true;
        auto* box = widget<QCheckBox>("chkColumn6", options);
        QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(6, box->height() / 2));
        widget<QPushButton>("cmdOK", options)->click();
    });
    action("mnuSelectPrintColumns")->trigger();
    EXPECT_TRUE(seen) << "the options window opened modally";
    EXPECT_EQ(window().settings().get(Keys::PrintCol[6]), QStringLiteral("0"));
}
