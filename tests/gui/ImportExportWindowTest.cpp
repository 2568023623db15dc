// SPDX-License-Identifier: GPL-3.0-or-later
#include "MainWindowFixture.h"
#include "files/FileTestSupport.h"

#include "gui/ChannelTableModel.h"
#include "gui/ChannelTableView.h"
#include "gui/frmImportExport.h"

#include <QCheckBox>
#include <QFile>
#include <QGroupBox>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QTest>

namespace {

// Each test starts with the sample loaded and the window open.
class ImportExportWindowTest : public MainWindowFixture {
protected:
    void SetUp() override
    {
        loadSample();
        w = open();
        ASSERT_NE(w, nullptr);
    }
    frmImportExport* open()
    {
        widget<QPushButton>("cmdImportExport")->click();
        return window().importExportWindow();
    }
    QVector<int> usedRows()
    {
        QVector<int> rows;
        for (int row = 1; row <= 100; ++row) {
            if (!state().tables().memories.isEmptyRow(row))
                rows << row;
        }
        return rows;
    }
    frmImportExport* w = nullptr;
};

// Each box and the picked rows reach the options the export is given, and the
// button exports with them (what each option writes: CsvExportTest).
TEST_F(ImportExportWindowTest, ExportOptionsReachTheFile)
{
    const QVector<int> used = usedRows();
    ASSERT_GE(used.size(), 4);
    // Two rows picked apart, and an empty one that is never written.
    for (int row : {used[1], used[3], 99})
        memories()->selectionModel()->select(window().memoriesModel()->cell(row, 1),
                                             QItemSelectionModel::Select | QItemSelectionModel::Rows);
    const QVector<bool> cases[] = {
        // tab, omit header, keep numbers, only selected, common layout
        {true, true, false, false, false},
        {true, false, false, false, true},
        {false, false, true, true, false},
    };
    for (const QVector<bool>& c : cases) {
        widget<QRadioButton>(c[0] ? "optTab" : "optComma", w)->setChecked(true);
        widget<QCheckBox>("chkOmitHeader", w)->setChecked(c[1]);
        widget<QCheckBox>("chkKeepNumbers", w)->setChecked(c[2]);
        widget<QCheckBox>("chkExportSelected", w)->setChecked(c[3]);
        widget<QCheckBox>("chkCommonLayout", w)->setChecked(c[4]);
        EXPECT_EQ(widget<QGroupBox>("fraSeparator", w)->isEnabled(), !c[4]);
        const CsvExportOptions o = w->exportOptions();
        EXPECT_EQ(QVector<bool>({o.tab, o.omitHeader, o.keepNumbers, o.onlySelected, o.common}), c);
        EXPECT_EQ(o.selectedRows, c[3] ? QSet<int>({used[1], used[3], 99}) : QSet<int>());
    }
    // The button exports with them: the header and the two picked rows.
    const QString path = QDir(dataFolder()).filePath(QStringLiteral("picked"));
    m_prompter.reply(path);
    widget<QPushButton>("cmdExport", w)->click();
    EXPECT_EQ(FileTestSupport::readBytes(path + QStringLiteral(".CSV")).count('\n'), 3);
}

TEST_F(ImportExportWindowTest, ImportOptionsReachTheTableAsOneUndoStep)
{
    const QString path = QDir(dataFolder()).filePath(QStringLiteral("round.CSV"));
    m_prompter.reply(path);
    widget<QPushButton>("cmdExport", w)->click();

    widget<QCheckBox>("chkOmitDuplicates", w)->setChecked(true);
    m_prompter.reply(path);
    EXPECT_EQ(w->importCsv(false), CsvImport::Result::NothingToImport);

    // Cleared first (asked, and answered) and placed by their numbers (where
    // the records go: CsvImportTest's StartRowAndImportedNumbersChooseTheRows).
    widget<QCheckBox>("chkOmitDuplicates", w)->setChecked(false);
    widget<QCheckBox>("chkClearAll", w)->setChecked(true);
    widget<QCheckBox>("chkUseNumbers", w)->setChecked(true);
    EXPECT_FALSE(widget<QLineEdit>("txtStart", w)->isEnabled());
    m_prompter.reply(path).answer(Prompter::Answer::Yes);
    EXPECT_EQ(w->importCsv(false), CsvImport::Result::Imported);
    EXPECT_TRUE(m_prompter.allAnswersUsed());
    EXPECT_TRUE(action("mnuUndo")->isEnabled() &&
                action("mnuUndo")->text().contains(QStringLiteral("Import")));
    EXPECT_EQ(memories()->currentIndex().row(), 0);

    // An empty start box is read as 1 and then shows it.
    widget<QCheckBox>("chkUseNumbers", w)->setChecked(false);
    widget<QLineEdit>("txtStart", w)->clear();
    m_prompter.reply(QString());
    EXPECT_EQ(w->importCsv(false), CsvImport::Result::Cancelled);
    EXPECT_EQ(widget<QLineEdit>("txtStart", w)->text(), QStringLiteral("1"));
}

// The window leaves the main window usable but for its own button and, while rows are picked, the
// commands that would move them. Return and Enter press the focused button and nothing else (there is
// no default button); the window opens again where "Save size and position" put it.
TEST_F(ImportExportWindowTest, HoldsTheMainWindowUntilClosedAndOpensWhereSaved)
{
    auto* pages = widget<QTabWidget>("tabPages");
    QMenu* menu = widget<QMenu>("mnuPUform");
    EXPECT_FALSE(w->isModal());
    // A transfer locks the window's commands (its end frees them: the export below), and its end does
    // not offer the main button again.
    state().setBusy(true);
    EXPECT_FALSE(widget<QPushButton>("cmdImport", w)->isEnabled());
    state().setBusy(false);
    EXPECT_FALSE(widget<QPushButton>("cmdImportExport")->isEnabled());

    const auto picking = [&] { return memories()->selectionBehavior() == QAbstractItemView::SelectRows; };
    widget<QCheckBox>("chkExportSelected", w)->setChecked(true);
    EXPECT_TRUE(picking());
    EXPECT_FALSE(action("mnuSortFreq")->isEnabled());
    pages->setCurrentIndex(1);
    pages->setCurrentIndex(0);
    EXPECT_FALSE(menu->isEnabled());
    widget<QCheckBox>("chkExportSelected", w)->setChecked(false);
    EXPECT_FALSE(picking());
    EXPECT_TRUE(menu->isEnabled());

    QTest::keyClick(widget<QLineEdit>("txtStart", w), Qt::Key_Return);
    // A button pressed here would ask for a file, which the prompter refuses unscripted.
    QTest::keyClick(widget<QCheckBox>("chkOmitHeader", w), Qt::Key_Enter, Qt::KeypadModifier);
    const QString path = QDir(dataFolder()).filePath(QStringLiteral("keys"));
    m_prompter.reply(path);
    QTest::keyClick(widget<QPushButton>("cmdExport", w), Qt::Key_Return);
    EXPECT_TRUE(QFile::exists(path + QStringLiteral(".CSV")));
    w->move(300, 150);
    QTest::keyClick(widget<QPushButton>("cmdSavePosition", w), Qt::Key_Enter, Qt::KeypadModifier);
    EXPECT_EQ(window().settings().getInt(Keys::ImportExportLeft), 4500);
    EXPECT_EQ(window().settings().getInt(Keys::ImportExportTop), 2250);

    // Closing ends the picking; the menu comes back only with its page in front.
    widget<QCheckBox>("chkExportSelected", w)->setChecked(true);
    pages->setCurrentIndex(1);
    QTest::keyClick(widget<QPushButton>("cmdClose", w), Qt::Key_Return);
    EXPECT_FALSE(picking());
    EXPECT_FALSE(menu->isEnabled());
    EXPECT_TRUE(widget<QPushButton>("cmdImportExport")->isEnabled());
    EXPECT_EQ(window().importExportWindow(), nullptr);
    pages->setCurrentIndex(0);
    EXPECT_TRUE(menu->isEnabled());
    w = open();
    ASSERT_NE(w, nullptr);
    EXPECT_EQ(w->pos(), QPoint(300, 150));
}

} // namespace
