// SPDX-License-Identifier: GPL-3.0-or-later
// What the main window lets a person do in each state, and that one transfer
// at a time holds from the first click to the last message.
#include "MainWindowFixture.h"

#include "RadioSimulator.h"
#include "cat/PortDirectory.h"
#include "gui/AboutWindow.h"
#include "gui/ChannelItemDelegate.h"
#include "gui/ChannelTableModel.h"
#include "gui/ChannelTableView.h"
#include "gui/ComPortDetector.h"
#include "gui/FirstUseWindow.h"
#include "gui/GuiPrompter.h"
#include "gui/MessageLogWindow.h"
#include "gui/ProgressWindow.h"
#include "gui/frmImportExport.h"
#include "gui/frmRepeaterRules.h"
#include "gui/frmSelectPrintColumns.h"
#include "rules/RuleSet.h"
#include "state/SettingsStore.h"
#include "support/TestText.h"

#include <QAbstractButton>
#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QProgressBar>
#include <QPushButton>
#include <QRegularExpression>
#include <QTabBar>
#include <QTabWidget>
#include <QTest>
#include <QTimer>

namespace {

class WindowStateTest : public MainWindowFixture {
protected:
    bool usable(const char* name)
    {
        QObject* object = widget<QObject>(name);
        if (auto* a = qobject_cast<QAction*>(object))
            return a->isEnabled();
        if (auto* w = qobject_cast<QWidget*>(object))
            return w->isEnabled();
        return false;
    }

    bool grdMemoriesEditable() { return memories()->editTriggers() != QAbstractItemView::NoEditTriggers; }
};

// The access keys a window offers at its top level: its menu bar's menus,
// its page tabs and its buttons, each with the caption that holds it.
QMultiMap<QChar, QString> accessKeys(QWidget* window)
{
    QMultiMap<QChar, QString> keys;
    const auto add = [&keys](const QString& caption) {
        const int at = caption.indexOf(QRegularExpression(QStringLiteral("&[^&]")));
        if (at >= 0)
            keys.insert(caption.at(at + 1).toLower(), caption);
    };
    if (auto* main = qobject_cast<QMainWindow*>(window))
        for (QAction* menu : main->menuBar()->actions())
            add(menu->text());
    for (QTabBar* bar : window->findChildren<QTabBar*>())
        for (int i = 0; i < bar->count(); ++i)
            add(bar->tabText(i));
    for (QAbstractButton* button : window->findChildren<QAbstractButton*>()) {
        if (button->window() == window)
            add(button->text());
    }
    for (QLabel* label : window->findChildren<QLabel*>()) {
        if (label->window() == window && label->buddy())
            add(label->text());
    }
    return keys;
}

enum State { Nothing, Memories, Pms, Transfer };

// Which commands may be used: with nothing loaded, with a file on the
// memories page, on the PMS page, and while the radio is read.
const struct {
    const char* names;
    bool state[4];
} kEnabling[] = {
    {"cmdRead cmdLoadFile mnuOpen mnuFileSave mnuPrint mnuExit mnuComPortIdentifier mnuComPort mnuComSpeed "
     "mnuDisableRTS mnuBandPlan mnuSelectPrintColumns mnuDataFiles mnuAbout mnuHelp",
     {true, true, true, false}},
    {"cmdWriteRig cmdSaveToDisk cmdImportExport", {false, true, true, false}},
    {"mnuPUform", {true, true, false, true}},
    {"mnuInsertMemoryAbove mnuFillSelectionDown mnuRemoveMemory mnuDeleteMemory mnuCompact mnuSortFreq "
     "mnuFindDuplicates mnuFindText mnuFindNext mnuCopy mnuCutMemories",
     {false, true, false, false}},
    {"mnuUndo mnuRedo mnuPasteMemories", {false, false, false, false}},
    {"mnuSortDescription", {true, true, false, false}},
    {"mnuPMS mnuDeletePMS", {false, false, true, false}},
    // Tracing and the grids' look do not disturb a transfer.
    {"mnuLog mnuFontSize", {true, true, true, true}},
};

// One read of a slow radio: the link set-up (before the busy state) and the
// slots refuse every other command, a second start and a close.
TEST_F(WindowStateTest, EachCommandIsUsableOnlyInTheStatesItsRuleAllowsAndOneTransferRunsAtATime)
{
    // Paste also takes text from other programs: none here.
    QGuiApplication::clipboard()->clear();
    RadioSimulator radio(slowRadio());
    startWithRadio(radio);
    const auto expectColumn = [this](State state, const char* where) {
        for (const auto& row : kEnabling) {
            for (const QString& name : QString::fromLatin1(row.names).split(QLatin1Char(' ')))
                EXPECT_EQ(usable(name.toLatin1().constData()), row.state[state])
                    << name.toStdString() << " " << where;
        }
    };
    expectColumn(Nothing, "nothing loaded");
    EXPECT_FALSE(pmsPageSelectable());
    // The coloured buttons, cmdWriteRig disabled among them, look disabled.
    for (const char* name : {"cmdRead", "cmdWriteRig", "cmdLoadFile", "cmdSaveToDisk"}) {
        const QPalette palette = widget<QPushButton>(name)->palette();
        for (const QPalette::ColorRole role : {QPalette::ButtonText, QPalette::Button})
            EXPECT_NE(palette.color(QPalette::Disabled, role), palette.color(QPalette::Active, role)) << name;
    }

    bool triedDuringSetUp = false;
    bool closedWhileReading = false;
    QTimer watcher;
    QObject::connect(&watcher, &QTimer::timeout, [&] {
        if (!triedDuringSetUp && !state().busy() && !window().progressWindow()->isVisible()) {
            triedDuringSetUp = true;
            expectColumn(Transfer, "link set-up");
            EXPECT_FALSE(grdMemoriesEditable());
            // A shortcut or a queued click reaching the commands themselves.
            window().readRadio();
            window().writeRadio();
            EXPECT_FALSE(window().close());
        }
        if (!closedWhileReading &&
            widget<QProgressBar>("ProgressBar1", window().progressWindow())->value() >= 10) {
            closedWhileReading = true;
            expectColumn(Transfer, "reading");
            EXPECT_FALSE(grdMemoriesEditable());
            EXPECT_FALSE(window().close());
        }
    });
    watcher.start(1);
    m_prompter.answer(Prompter::Answer::Ok);
    QTest::mouseClick(widget<QPushButton>("cmdRead"), Qt::LeftButton);
    watcher.stop();

    ASSERT_TRUE(triedDuringSetUp);
    ASSERT_TRUE(closedWhileReading);
    EXPECT_TRUE(window().isVisible());
    // One read question, and the close stopped the one read.
    EXPECT_EQ(m_prompter.messages()
                  .filter(QRegularExpression(QStringLiteral("^You are about to read the Radio\\.")))
                  .size(),
              1);
    EXPECT_LT(sent(radio, "MR").size(), 118);
    EXPECT_TRUE(window().log().text().contains(Form1::closeDuringTransferText()));
    EXPECT_TRUE(grdMemoriesEditable());

    loadSample();
    expectColumn(Memories, "memories page");
    EXPECT_TRUE(pmsPageSelectable());
    EXPECT_EQ(window().memoriesModel()->tint(), QColor(Form1::kFileColour));
    widget<QTabWidget>("tabPages")->setCurrentIndex(1);
    expectColumn(Pms, "PMS page");
    // Once the transfer is over, the window closes as usual.
    EXPECT_TRUE(window().close());
}

TEST_F(WindowStateTest, KeysOnACellThatRefusesEditingStayOnIt)
{
    loadSample();
    ChannelTableView* view = memories();
    // An empty row's mode cannot be typed into; rows above hold CW and USB channels.
    int emptyRow = 0;
    for (int row = 100; row >= 1 && emptyRow == 0; --row)
        emptyRow = state().tables().memories.isEmptyRow(row) ? row : 0;
    ASSERT_GT(emptyRow, 0);
    const QModelIndex start = window().memoriesModel()->index(emptyRow - 1, 2);
    view->setCurrentIndex(start);
    view->setFocus();
    const QVector<QStringList> before = state().tables().memories.dataRows();
    for (const char key : {'c', 'u', 'f'}) {
        QTest::keyClick(view, key);
        EXPECT_EQ(view->currentIndex(), start) << key;
        EXPECT_FALSE(view->isEditing()) << key;
    }
    QTest::keyClick(view, Qt::Key_Return);
    EXPECT_EQ(state().tables().memories.dataRows(), before);
}

// The real message box: Return gives the default answer, which is the safe
// one where another answer would throw work away.
TEST_F(WindowStateTest, ReturnGivesTheSafeAnswerWhereAnotherDiscardsWork)
{
    startQuietly();
    GuiPrompter prompter(&window());
    using A = Prompter::Answer;
    using B = Prompter::Buttons;
    const struct {
        B buttons;
        std::optional<A> safe;
        A onReturn;
    } cases[] = {
        {B::YesNo, std::nullopt, A::Yes},       {B::YesNo, A::No, A::No},
        {B::YesNoCancel, A::Cancel, A::Cancel}, {B::OkCancel, A::Cancel, A::Cancel},
        {B::OkCancel, std::nullopt, A::Ok},     {B::Ok, std::nullopt, A::Ok},
    };
    // Return is taken also while a stray Alt (left from the access key that
    // started the command) or a keyboard group switch is down, as keypad
    // Enter always was.
    const Qt::KeyboardModifiers held[] = {Qt::NoModifier, Qt::AltModifier, Qt::GroupSwitchModifier};
    int n = 0;
    for (const auto& c : cases) {
        bool pressed = false;
        const Qt::KeyboardModifiers modifiers = held[n++ % 3];
        QTimer::singleShot(0, [&] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            ASSERT_NE(box, nullptr);
            QTest::keyClick(box, Qt::Key_Return, modifiers);
            pressed = !box->isVisible();
            if (!pressed)
                box->done(0); // no hanging test: the check below fails instead
        });
        const A answer = c.safe
                             ? prompter.askSafely(QStringLiteral("Question?"), c.buttons,
                                                  Prompter::Icon::Question, *c.safe)
                             : prompter.ask(QStringLiteral("Question?"), c.buttons, Prompter::Icon::Question);
        EXPECT_TRUE(pressed) << "Return with modifiers " << int(modifiers);
        EXPECT_EQ(answer, c.onReturn) << int(c.buttons);
    }
}

TEST_F(WindowStateTest, TheTablesUseTheWindowAndCtrlTabLeavesThem)
{
    loadSample();
    window().resize(1400, 700);
    window().show();
    window().activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window()));
    ChannelTableView* view = memories();
    // The description column takes the width the others leave free.
    EXPECT_GE(view->horizontalHeader()->length(), view->viewport()->width());

    // The tone list scrolls instead of covering the screen.
    const QModelIndex tone = window().memoriesModel()->index(0, Column::kTone);
    view->setCurrentIndex(tone);
    view->edit(tone);
    auto* combo = view->findChild<QComboBox*>();
    ASSERT_NE(combo, nullptr);
    combo->showPopup();
    const int rowHeight = combo->view()->sizeHintForRow(0);
    ASSERT_GT(rowHeight, 0);
    EXPECT_LE(combo->view()->height(), rowHeight * (ChannelItemDelegate::kVisibleChoices + 1));
    combo->hidePopup();
    view->closePersistentEditor(tone);
    QTest::keyClick(combo, Qt::Key_Escape);

    // Tab stays in the table; Ctrl+Tab and Ctrl+Shift+Tab leave it.
    view->setFocus();
    ASSERT_TRUE(view->hasFocus());
    QTest::keyClick(view, Qt::Key_Tab);
    EXPECT_TRUE(view->hasFocus());
    QTest::keyClick(view, Qt::Key_Tab, Qt::ControlModifier);
    EXPECT_FALSE(view->hasFocus());
    view->setFocus();
    QTest::keyClick(view, Qt::Key_Backtab, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_FALSE(view->hasFocus());
}

TEST_F(WindowStateTest, EveryAccessKeyOfEachWindowIsUsedOnce)
{
    loadSample();
    window().openImportExport();
    window().log().notice(QStringLiteral("a line opens the log"));
    SettingsStore shared(QString::fromLatin1(RuleSet::kApplication), configFolder());
    frmRepeaterRules rules(state().rules(), shared, m_prompter, &window());
    frmSelectPrintColumns printOptions(window().settings(), &window());
    AboutWindow about(window().desktop(), &window());
    FirstUseWindow firstUse(window().settings(), &window());
    ComPortDetector detector(PortDirectory(), 38400, false, {}, window().desktop(), &window());
    const struct {
        QWidget* window;
        int atLeast; // access keys the window offers
    } windows[] = {
        {&window(), 12}, // five menus, two pages, five buttons
        {window().importExportWindow(), 15},
        {window().messageLogWindow(), 4},
        {&rules, 15},
        {&printOptions, 12},
        {&about, 1},
        {&firstUse, 2},
        {&detector, 2},
    };
    for (const auto& w : windows) {
        ASSERT_NE(w.window, nullptr);
        const QMultiMap<QChar, QString> keys = accessKeys(w.window);
        EXPECT_GE(keys.size(), w.atLeast) << w.window->objectName().toStdString();
        for (const QChar key : keys.uniqueKeys())
            EXPECT_EQ(keys.count(key), 1)
                << w.window->objectName().toStdString() << " Alt+" << QString(key).toStdString() << ": "
                << QStringList(keys.values(key)).join(", ").toStdString();
    }
}

TEST_F(WindowStateTest, TitleRecentFilesReturnAndHeadingsWorkAsInOtherEditors)
{
    loadSample();
    const QString title = QStringLiteral("sample.950[*] - ") + Form1::titleText();
    EXPECT_EQ(window().windowTitle(), title);
    EXPECT_FALSE(window().isWindowModified());

    // Return commits a cell and moves down; a refused text stays put.
    ChannelTableView* view = memories();
    view->setCurrentIndex(window().memoriesModel()->cell(2, Column::kFreq));
    for (const char* text : {"7.1", "99"}) {
        // The first key opens the editor; the rest go into it.
        QTest::keyClick(view, text[0]);
        auto* editor = view->viewport()->findChild<QLineEdit*>();
        ASSERT_NE(editor, nullptr) << text;
        QTest::keyClicks(editor, QString::fromLatin1(text + 1));
        QTest::keyClick(editor, Qt::Key_Return);
        QCoreApplication::processEvents();
    }
    EXPECT_EQ(cell(2, Column::kFreq), local("7.10000"));
    EXPECT_EQ(view->currentIndex().row() + 1, 3) << "moved down once, then kept for the refused 99";
    EXPECT_TRUE(window().isWindowModified());
    m_prompter.clear();

    // A click on the frequency heading sorts every memory by frequency (the order: TableSorting).
    view->horizontalHeader()->sectionClicked(Column::kFreq);
    EXPECT_EQ(state().history().undoName(), QStringLiteral("Sort by frequency"));

    // Recent files: newest first, a removed file left out, a click opens one.
    state().setChanged(false);
    const QString other = QDir(dataFolder()).filePath(QStringLiteral("other.950"));
    ASSERT_TRUE(QFile::copy(QStringLiteral(QUAYSTONE_TEST_DATA "/sample.950"), other));
    m_prompter.reply(other);
    action("mnuOpen")->trigger();
    auto* recent = widget<QMenu>("mnuRecentFiles");
    emit recent->aboutToShow();
    ASSERT_EQ(recent->actions().size(), 2);
    EXPECT_EQ(recent->actions()[0]->text(), QStringLiteral("&1 other.950"));
    recent->actions()[1]->trigger();
    EXPECT_EQ(QFileInfo(state().currentFilePath()).fileName(), QStringLiteral("sample.950"));
    ASSERT_TRUE(QFile::remove(other));
    emit recent->aboutToShow();
    ASSERT_EQ(recent->actions().size(), 1);
    EXPECT_EQ(recent->actions()[0]->text(), QStringLiteral("&1 sample.950"));
}

// The settings folder turns into a file while the window runs (a vanished
// folder, a full or read-only disk all look the same to the program): the
// first failed change is said once, in a box and in the log, and later
// changes say nothing more.
TEST_F(WindowStateTest, AnUnwritableSettingsFileIsSaidOnceNotOnEveryChange)
{
    startQuietly();
    const QString ini = window().settings().store().fileName();
    ASSERT_TRUE(QDir(configFolder()).removeRecursively());
    QFile blocker(configFolder());
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    m_prompter.clear();

    for (const char* name : {"mnuAutosize", "mnuDisableRTS", "mnuAutosize"})
        action(name)->trigger();

    const QString text = Settings::cannotSaveText(ini);
    EXPECT_EQ(m_prompter.messages(), QStringList{text});
    EXPECT_EQ(window().log().text().count(text), 1);
}

} // namespace
