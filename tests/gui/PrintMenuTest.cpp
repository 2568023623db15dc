// SPDX-License-Identifier: GPL-3.0-or-later
#include "MainWindowFixture.h"

#include "gui/PrintCommands.h"
#include "gui/frmSelectPrintColumns.h"

#include <QCheckBox>
#include <QProcess>
#include <QPushButton>
#include <QStandardPaths>
#include <QTabWidget>
#include <QTest>

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
    loadSample();
    for (const int page : {0, 1}) {
        SCOPED_TRACE(page);
        widget<QTabWidget>("tabPages")->setCurrentIndex(page);
        const QString pdf = m_temp.filePath(QStringLiteral("page%1.pdf").arg(page));
        m_prompter.reply(pdf);
        action("mnuExportPdf")->trigger();
        const QString text = pdfLines(pdf).join(QLatin1Char('\n'));
        EXPECT_EQ(text.startsWith(QStringLiteral("Memory print of sample.950\n")), page == 0)
            << text.toStdString();
        EXPECT_EQ(text.contains(QStringLiteral("Memory print of")), page == 0);
        EXPECT_EQ(text.contains(QStringLiteral("P1L")), page == 1);
    }
}

TEST_F(MainWindowFixture, PrintWithoutAPrinterSaysSo)
{
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
    const bool seen = onModal<frmSelectPrintColumns>(action("mnuSelectPrintColumns"), [&](auto& options) {
        auto* box = widget<QCheckBox>("chkColumn6", &options);
        QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(6, box->height() / 2));
        widget<QPushButton>("cmdOK", &options)->click();
    });
    EXPECT_TRUE(seen) << "the options window opened modally";
    EXPECT_EQ(window().settings().get(Keys::PrintCol[6]), QStringLiteral("0"));
}
