// SPDX-License-Identifier: GPL-3.0-or-later
#include "MainWindowFixture.h"

#include "gui/ChannelTableModel.h"
#include "gui/ChannelTableView.h"
#include "gui/frmImportExport.h"
#include "io/TextFileReader.h"
#include "model/ChannelMap.h"

#include <QCheckBox>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QTest>

namespace {

class ImportExportWindowTest : public MainWindowFixture {
protected:
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
};

TEST_F(ImportExportWindowTest, ExportOptionsReachTheFile)
{
    startQuietly();
    loadSample();
    const QVector<int> used = usedRows();
    ASSERT_GE(used.size(), 4);
    struct Case {
        bool tab, omitHeader, keepNumbers, onlySelected, common = false;
    };
    // The designed state is the import test's export.
    const Case cases[] = {{true, true, false, false},
                          {false, false, true, false},
                          {false, false, false, true},
                          {true, false, false, false, true}}; // the common layout ignores Tab
    int n = 0;
    for (const Case& c : cases) {
        SCOPED_TRACE(n);
        frmImportExport* w = open();
        ASSERT_NE(w, nullptr);
        widget<QRadioButton>("optTab", w)->setChecked(c.tab);
        widget<QCheckBox>("chkOmitHeader", w)->setChecked(c.omitHeader);
        widget<QCheckBox>("chkKeepNumbers", w)->setChecked(c.keepNumbers);
        widget<QCheckBox>("chkExportSelected", w)->setChecked(c.onlySelected);
        widget<QCheckBox>("chkCommonLayout", w)->setChecked(c.common);
        EXPECT_EQ(widget<QGroupBox>("fraSeparator", w)->isEnabled(), !c.common);
        // Two rows picked apart, and an empty one that is never written.
        const QVector<int> rows = c.onlySelected ? QVector<int>{used[1], used[3]} : used;
        for (int row : {used[1], used[3], 99})
            memories()->selectionModel()->select(window().memoriesModel()->cell(row, 1),
                                                 QItemSelectionModel::Select | QItemSelectionModel::Rows);
        const QString path = QDir(dataFolder()).filePath(QStringLiteral("export%1").arg(n++));
        m_prompter.reply(path);
        widget<QPushButton>("cmdExport", w)->click();
        widget<QPushButton>("cmdClose", w)->click();

        QFile file(path + QStringLiteral(".CSV"));
        TextFileReader reader;
        ASSERT_TRUE(file.open(QIODevice::ReadOnly) && reader.read(file));
        QStringList lines = reader.lines();
        const QChar separator = QLatin1Char(c.tab && !c.common ? '\t' : ',');
        ASSERT_EQ(lines.size(), rows.size() + (c.omitHeader ? 0 : 1));
        if (!c.omitHeader) {
            EXPECT_EQ(lines.takeFirst().section(separator, 0, 1),
                      c.common ? QStringLiteral("Location,Name")
                               : QStringLiteral("Memory") + separator + "RX Freq");
        }
        for (int i = 0; i < rows.size(); ++i) {
            const QStringList fields = lines[i].split(separator);
            ASSERT_EQ(fields.size(), c.common ? 14 : 13) << lines[i].toStdString();
            EXPECT_EQ(fields[0], c.keepNumbers ? ChannelMap::slotLabel(TableKind::Memories, rows[i])
                                               : QString::number(c.common ? i : i + 1));
            // The common layout gives megahertz with six decimals.
            EXPECT_EQ(fields[c.common ? 2 : 1], cell(rows[i], Column::kFreq) + (c.common ? "0" : ""));
        }
    }
}

TEST_F(ImportExportWindowTest, ImportOptionsReachTheTableAsOneUndoStep)
{
    startQuietly();
    loadSample();
    const QVector<int> used = usedRows();
    const QVector<QStringList> before = state().tables().memories.dataRows();
    frmImportExport* w = open();
    ASSERT_NE(w, nullptr);
    const QString path = QDir(dataFolder()).filePath(QStringLiteral("round.CSV"));
    m_prompter.reply(path);
    widget<QPushButton>("cmdExport", w)->click();

    widget<QCheckBox>("chkOmitDuplicates", w)->setChecked(true);
    m_prompter.reply(path);
    EXPECT_EQ(w->importCsv(false), CsvImport::Result::NothingToImport);
    EXPECT_FALSE(state().changed());

    // Cleared first and placed by their numbers, the records fill rows 1, 2, 3 ...
    widget<QCheckBox>("chkOmitDuplicates", w)->setChecked(false);
    widget<QCheckBox>("chkClearAll", w)->setChecked(true);
    widget<QCheckBox>("chkUseNumbers", w)->setChecked(true);
    EXPECT_FALSE(widget<QLineEdit>("txtStart", w)->isEnabled());
    m_prompter.reply(path).answer(Prompter::Answer::Yes);
    EXPECT_EQ(w->importCsv(false), CsvImport::Result::Imported);
    for (int i = 0; i < used.size(); ++i)
        EXPECT_EQ(cell(i + 1, Column::kFreq), before[used[i] - 1][Column::kFreq]);
    EXPECT_EQ(panel(2)->text(), QStringLiteral("Memories changed"));
    EXPECT_TRUE(action("mnuUndo")->isEnabled());
    EXPECT_TRUE(action("mnuUndo")->text().contains(QStringLiteral("Import")));
    EXPECT_EQ(memories()->currentIndex().row(), 0);

    // An empty start box is read as 1 and then shows it.
    widget<QCheckBox>("chkUseNumbers", w)->setChecked(false);
    widget<QLineEdit>("txtStart", w)->clear();
    m_prompter.reply(QString());
    EXPECT_EQ(w->importCsv(false), CsvImport::Result::Cancelled);
    EXPECT_EQ(widget<QLineEdit>("txtStart", w)->text(), QStringLiteral("1"));
}

TEST_F(ImportExportWindowTest, ReturnAndEnterPressTheFocusedButtonAndNothingElse)
{
    startQuietly();
    loadSample();
    frmImportExport* w = open();
    ASSERT_NE(w, nullptr);
    // There is no default button: the keys on the other controls press nothing.
    QTest::keyClick(widget<QLineEdit>("txtStart", w), Qt::Key_Return);
    QTest::keyClick(widget<QCheckBox>("chkOmitHeader", w), Qt::Key_Enter, Qt::KeypadModifier);
    EXPECT_TRUE(m_prompter.prompts().isEmpty());

    const QString path = QDir(dataFolder()).filePath(QStringLiteral("keys"));
    m_prompter.reply(path);
    QTest::keyClick(widget<QPushButton>("cmdExport", w), Qt::Key_Return);
    EXPECT_TRUE(QFile::exists(path + QStringLiteral(".CSV")));
    w->move(300, 150);
    QTest::keyClick(widget<QPushButton>("cmdSavePosition", w), Qt::Key_Enter, Qt::KeypadModifier);
    EXPECT_EQ(window().settings().getInt(Keys::ImportExportLeft), 4500);
    QTest::keyClick(widget<QPushButton>("cmdClose", w), Qt::Key_Return);
    EXPECT_EQ(window().importExportWindow(), nullptr);
}

TEST_F(ImportExportWindowTest, OpensWhereSavedPicksRowsAndHoldsTheMainWindowUntilClosed)
{
    setSetting(Keys::ImportExportTop, QStringLiteral("1500"));
    setSetting(Keys::ImportExportLeft, QStringLiteral("3000"));
    startQuietly();
    loadSample();
    auto* pages = widget<QTabWidget>("tabPages");
    QMenu* menu = widget<QMenu>("mnuPUform");
    frmImportExport* w = open();
    ASSERT_NE(w, nullptr);
    EXPECT_FALSE(w->isModal());
    EXPECT_EQ(w->pos(), QPoint(200, 100));
    EXPECT_FALSE(widget<QPushButton>("cmdImportExport")->isEnabled());
    // A transfer locks the window's commands, and its end does not offer the main button again.
    state().setBusy(true);
    EXPECT_FALSE(widget<QPushButton>("cmdImport", w)->isEnabled());
    state().setBusy(false);
    EXPECT_TRUE(widget<QPushButton>("cmdImport", w)->isEnabled());
    EXPECT_FALSE(widget<QPushButton>("cmdImportExport")->isEnabled());
    w->move(300, 150);
    widget<QPushButton>("cmdSavePosition", w)->click();
    EXPECT_EQ(window().settings().getInt(Keys::ImportExportLeft), 4500);
    EXPECT_EQ(window().settings().getInt(Keys::ImportExportTop), 2250);

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

    // Closing ends the mode; the menu comes back only with its page in front.
    widget<QCheckBox>("chkExportSelected", w)->setChecked(true);
    pages->setCurrentIndex(1);
    widget<QPushButton>("cmdClose", w)->click();
    EXPECT_FALSE(picking());
    EXPECT_FALSE(menu->isEnabled());
    EXPECT_TRUE(widget<QPushButton>("cmdImportExport")->isEnabled());
    EXPECT_EQ(window().importExportWindow(), nullptr);
    pages->setCurrentIndex(0);
    EXPECT_TRUE(menu->isEnabled());
}

} // namespace
