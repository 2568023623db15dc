#include "MainWindowFixture.h"

#include "app/ChannelTableModel.h"
#include "app/ChannelTableView.h"
#include "app/frmImportExport.h"
#include "files/TextFileReader.h"
#include "model/ChannelMap.h"

#include <QCheckBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>

namespace {

class ImportExportWindowTest : public MainWindowFixture {
protected:
    frmImportExport* open()
    {
        window().cmdImportExport->click();
        return window().importExportWindow();
    }
    QStringList fileLines(const QString& path)
    {
        QFile file(path);
        TextFileReader reader;
        EXPECT_TRUE(file.open(QIODevice::ReadOnly) && reader.read(file)) << path.toStdString();
        return reader.lines();
    }
    // The memory rows that hold a channel.
    QVector<int> usedRows()
    {
        QVector<int> rows;
        for (int row = 1; row <= 100; ++row) {
            if (!state().tables.memories.isEmptyRow(row))
                rows << row;
        }
        return rows;
    }
};

TEST_F(ImportExportWindowTest, OpensBesideTheMainWindowWhichWaitsForItToClose)
{
    Settings(configFolder()).setInt(Keys::ImportExportTop, 1500);
    Settings(configFolder()).setInt(Keys::ImportExportLeft, 3000);
    startQuietly();
    loadSample();
    ASSERT_TRUE(window().cmdImportExport->isEnabled());
    frmImportExport* w = open();
    ASSERT_NE(w, nullptr);
    EXPECT_FALSE(w->isModal());
    EXPECT_EQ(w->pos(), QPoint(200, 100));
    EXPECT_FALSE(window().cmdImportExport->isEnabled());
    // A transfer ending while the window is open does not offer the button again.
    state().setBusy(true);
    EXPECT_FALSE(w->cmdExport->isEnabled());
    state().setBusy(false);
    EXPECT_FALSE(window().cmdImportExport->isEnabled());
    EXPECT_TRUE(w->cmdExport->isEnabled());
    w->move(300, 150);
    w->cmdSavePosition->click();
    EXPECT_EQ(Settings(configFolder()).getInt(Keys::ImportExportLeft), 4500);
    EXPECT_EQ(Settings(configFolder()).getInt(Keys::ImportExportTop), 2250);
    w->cmdClose->click();
    EXPECT_TRUE(window().cmdImportExport->isEnabled());
    EXPECT_EQ(window().importExportWindow(), nullptr);
}

TEST_F(ImportExportWindowTest, ExportOptionsReachTheFile)
{
    startQuietly();
    loadSample();
    const QVector<int> used = usedRows();
    ASSERT_GE(used.size(), 4);
    struct Case {
        const char* name;
        std::function<void(frmImportExport&)> set;
        QVector<int> rows; // table rows expected in the file, in order
        bool header;
        QChar separator;
        bool slotNumbers;
    };
    const Case cases[] = {
        {"designed state", [](frmImportExport&) {}, used, true, QLatin1Char(','), false},
        {"tab", [](frmImportExport& w) { w.optTab->setChecked(true); }, used, true, QLatin1Char('\t'), false},
        {"omit header", [](frmImportExport& w) { w.chkOmitHeader->setChecked(true); }, used, false,
         QLatin1Char(','), false},
        {"keep numbers", [](frmImportExport& w) { w.chkKeepNumbers->setChecked(true); }, used, true,
         QLatin1Char(','), true},
        {"only selected",
         [&](frmImportExport& w) {
             w.chkExportSelected->setChecked(true);
             // Two picked rows apart, and an empty one that is never written.
             QItemSelectionModel* picked = memories()->selectionModel();
             picked->clearSelection();
             for (int row : {used[1], used[3], 99})
                 picked->select(window().memoriesModel()->cell(row, 1),
                                QItemSelectionModel::Select | QItemSelectionModel::Rows);
         },
         {used[1], used[3]},
         true,
         QLatin1Char(','),
         false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        frmImportExport* w = open();
        ASSERT_NE(w, nullptr);
        c.set(*w);
        const QString path = QDir(dataFolder()).filePath(QString::fromLatin1(c.name));
        m_prompter.reply(path);
        w->cmdExport->click();
        EXPECT_EQ(m_prompter.messages().value(0), QStringLiteral("Export completed"));
        m_prompter.clear();
        QStringList lines = fileLines(path + QStringLiteral(".CSV"));
        ASSERT_EQ(lines.size(), c.rows.size() + (c.header ? 1 : 0));
        if (c.header) {
            EXPECT_TRUE(lines.takeFirst().startsWith(QStringLiteral("Memory") + c.separator + "RX Freq"));
        }
        for (int i = 0; i < c.rows.size(); ++i) {
            const QStringList fields = lines[i].split(c.separator);
            ASSERT_EQ(fields.size(), 13) << lines[i].toStdString();
            EXPECT_EQ(fields[0], c.slotNumbers ? ChannelMap::slotLabel(TableKind::Memories, c.rows[i])
                                               : QString::number(i + 1));
            EXPECT_EQ(fields[1], cell(c.rows[i], Column::kFreq));
        }
        w->cmdClose->click();
    }
}

TEST_F(ImportExportWindowTest, ImportOptionsReachTheTableAsOneUndoStep)
{
    startQuietly();
    loadSample();
    const QVector<int> used = usedRows();
    frmImportExport* w = open();
    ASSERT_NE(w, nullptr);
    const QString path = QDir(dataFolder()).filePath(QStringLiteral("round.CSV"));
    m_prompter.reply(path);
    w->cmdExport->click();
    m_prompter.clear();

    // Every record is already in the table.
    w->chkOmitDuplicates->setChecked(true);
    m_prompter.reply(path);
    EXPECT_EQ(w->importCsv(false), CsvImport::Result::NothingToImport);
    EXPECT_FALSE(state().changed);

    // Cleared first and read back into the rows the numbers name: the same table.
    const QVector<QStringList> before = state().tables.memories.dataRows();
    w->chkOmitDuplicates->setChecked(false);
    w->chkClearAll->setChecked(true);
    w->chkUseNumbers->setChecked(true);
    EXPECT_FALSE(w->txtStart->isEnabled());
    m_prompter.reply(path).answer(Prompter::Answer::Yes);
    EXPECT_EQ(w->importCsv(false), CsvImport::Result::Imported);
    // Written without kept numbers, the records fill rows 1, 2, 3 ...
    for (int i = 0; i < used.size(); ++i)
        EXPECT_EQ(cell(i + 1, Column::kFreq), before[used[i] - 1][Column::kFreq]);
    EXPECT_TRUE(state().changed);
    EXPECT_EQ(panel(2)->text(), QStringLiteral("Memories changed"));
    EXPECT_TRUE(action("mnuUndo")->isEnabled());
    EXPECT_TRUE(action("mnuUndo")->text().contains(QStringLiteral("Import")));
    EXPECT_EQ(memories()->currentIndex().row(), 0);

    // An empty start box is read as 1 and shows it.
    w->chkUseNumbers->setChecked(false);
    w->chkClearAll->setChecked(false);
    w->txtStart->clear();
    m_prompter.reply(QString());
    EXPECT_EQ(w->importCsv(false), CsvImport::Result::Cancelled);
    EXPECT_EQ(w->txtStart->text(), QStringLiteral("1"));
}

TEST_F(ImportExportWindowTest, ExportOnlySelectedPicksRowsAndHoldsTheMemoriesMenu)
{
    startQuietly();
    loadSample();
    auto* pages = widget<QTabWidget>("tabPages");
    QMenu* menu = window().mnuPUform;
    frmImportExport* w = open();
    ASSERT_NE(w, nullptr);
    const auto picking = [&] { return memories()->selectionBehavior() == QAbstractItemView::SelectRows; };

    w->chkExportSelected->setChecked(true);
    EXPECT_TRUE(picking());
    EXPECT_FALSE(menu->isEnabled());
    EXPECT_FALSE(action("mnuSortFreq")->isEnabled());
    // Leaving the page and coming back keeps the menu held.
    pages->setCurrentIndex(1);
    pages->setCurrentIndex(0);
    EXPECT_FALSE(menu->isEnabled());

    w->chkExportSelected->setChecked(false);
    EXPECT_FALSE(picking());
    EXPECT_TRUE(menu->isEnabled());
    EXPECT_TRUE(action("mnuSortFreq")->isEnabled());

    // Closing the window ends the mode, but the menu stays with the page in front.
    w->chkExportSelected->setChecked(true);
    pages->setCurrentIndex(1);
    w->cmdClose->click();
    EXPECT_FALSE(picking());
    EXPECT_FALSE(menu->isEnabled());
    pages->setCurrentIndex(0);
    EXPECT_TRUE(menu->isEnabled());
}

} // namespace
