// SPDX-License-Identifier: GPL-3.0-or-later
// What the main window lets a person do in each state, and that one transfer
// at a time holds from the first click to the last message.
#include "MainWindowFixture.h"
#include "gui/ActionTable.h"
#include "state/RecentFiles.h"

#include "RadioSimulator.h"
#include "cat/PortDirectory.h"
#include "cat/RadioReader.h"
#include "files/FileTestSupport.h"
#include "files/MemoryFileOpener.h"
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
#include "support/DiskFull.h"
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
#include <QMimeData>
#include <QProgressBar>
#include <QPushButton>
#include <QRegularExpression>
#include <QTabBar>
#include <QTabWidget>
#include <QTest>
#include <QTimer>

#include <cmath>

namespace {

class WindowStateTest : public MainWindowFixture {
protected:
    // A command or a widget: both have the enabled property.
    bool usable(const char* name)
    {
        const QObject* object = widget<QObject>(name);
        return object && object->property("enabled").toBool();
    }

    bool grdMemoriesEditable() { return memories()->editTriggers() != QAbstractItemView::NoEditTriggers; }
};

// The access keys a window offers at its top level: its menu bar's menus,
// its page tabs and its buttons (a menu: its entries), each with the caption
// that holds it.
QMultiMap<QChar, QString> accessKeys(QWidget* window)
{
    QMultiMap<QChar, QString> keys;
    const auto add = [&keys](const QString& caption) {
        const int at = caption.indexOf(QRegularExpression(QStringLiteral("&[^&]")));
        if (at >= 0)
            keys.insert(caption.at(at + 1).toLower(), caption);
    };
    if (auto* menu = qobject_cast<QMenu*>(window)) {
        for (QAction* entry : menu->actions())
            add(entry->text());
        return keys;
    }
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
    {"cmdRead cmdLoadFile mnuOpen mnuFileSave mnuFileSaveAs mnuPrint mnuExportPdf mnuRecentFiles mnuExit "
     "mnuComPortIdentifier mnuComPort mnuComSpeed mnuDisableRTS mnuVerifyWrites mnuBandPlan "
     "mnuSelectPrintColumns mnuDataFiles mnuAbout mnuHelp mnuCheckForUpdates",
     {true, true, true, false}},
    {"cmdWriteRig cmdSaveToDisk cmdImportExport mnuPreviewWrite", {false, true, true, false}},
    {"mnuPUform", {true, true, false, true}},
    {"mnuInsertMemoryAbove mnuFillSelectionDown mnuRemoveMemory mnuDeleteMemory mnuCompact mnuSortFreq "
     "mnuFindDuplicates mnuFindText mnuFindNext mnuCopy mnuCutMemories",
     {false, true, false, false}},
    {"mnuUndo mnuRedo mnuPasteMemories", {false, false, false, false}},
    {"mnuSortDescription mnuMoveBlockUp mnuMoveBlockDown mnuHideEmptyMemories", {true, true, false, false}},
    {"mnuPMS mnuDeletePMS", {false, false, true, false}},
    // Tracing and the grids' look do not disturb a transfer.
    {"mnuLog mnuFontSize", {true, true, true, true}},
};

// Reads of a slow radio: the link set-up (before the busy state) and the
// slots refuse every other command and a second start; a close stops the read.
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
    // Every command of the window's enabling table has its row above.
    QStringList named;
    for (const auto& row : kEnabling)
        named << QString::fromLatin1(row.names).split(QLatin1Char(' '));
    for (const ActionTable::Rule& rule : window().actionTable().rules())
        EXPECT_TRUE(named.contains(rule.target->objectName())) << rule.target->objectName().toStdString();
    expectColumn(Nothing, "nothing loaded");
    EXPECT_FALSE(widget<QTabWidget>("tabPages")->isTabEnabled(1)); // the unused pages have no tab

    // Each read is stopped once its tenth slot is on its way: by closing the
    // window, by a click on the progress message, or by closing the progress
    // window (Alt+F4), which stays until the read has stopped.
    enum Stop { CloseWindow, Click, CloseProgress };
    ProgressWindow* progress = window().progressWindow();
    auto* bar = widget<QProgressBar>("ProgressBar1", progress);
    for (const Stop stop : {CloseWindow, Click, CloseProgress}) {
        SCOPED_TRACE(int(stop));
        radio.clearTraffic();
        m_prompter.clear();
        bool triedDuringSetUp = false;
        int stoppedAt = 0;
        QTimer watcher;
        QObject::connect(&watcher, &QTimer::timeout, [&] {
            if (!triedDuringSetUp && !state().busy() && !progress->isVisible()) {
                triedDuringSetUp = true;
                expectColumn(Transfer, "link set-up");
                EXPECT_FALSE(grdMemoriesEditable());
                // A shortcut or a queued click reaching the commands themselves
                // (a close here: AnInterruptedTransferOrSave...).
                window().readRadio();
                window().writeRadio();
            }
            if (stoppedAt == 0 && progress->isVisible() && bar->value() >= 10) {
                stoppedAt = bar->value();
                expectColumn(Transfer, "reading");
                EXPECT_FALSE(grdMemoriesEditable());
                if (stop == Click)
                    QTest::mouseClick(widget<QLabel>("lblInstructions", progress), Qt::LeftButton);
                else
                    EXPECT_FALSE(stop == CloseWindow ? window().close() : progress->close());
                EXPECT_TRUE(progress->isVisible());
            }
        });
        watcher.start(1);
        m_prompter.answer(Prompter::Answer::Ok);
        QTest::mouseClick(widget<QPushButton>("cmdRead"), Qt::LeftButton);
        watcher.stop();

        ASSERT_TRUE(triedDuringSetUp);
        ASSERT_GE(stoppedAt, 10);
        // One read question (a second would go unanswered and fail the test), and the stop ended the
        // one read where it was asked for (what the read then says: RadioLinkTest's ShortReads).
        const int queries = sent(radio, "MR").size();
        EXPECT_TRUE(queries == stoppedAt || queries == stoppedAt + 1) << queries;
        // Rows the read never reached are not shown as the radio's empty slots.
        EXPECT_EQ(window().memoriesModel()->cell(100, Column::kFreq).data().toString(),
                  QStringLiteral("Not read"));
        EXPECT_NE(window().memoriesModel()->cell(1, Column::kFreq).data().toString(),
                  QStringLiteral("Not read"));
        EXPECT_FALSE(progress->isVisible());
        EXPECT_TRUE(grdMemoriesEditable());
    }
    EXPECT_TRUE(window().log().text().contains(Form1::closeDuringTransferText()));

    loadSample();
    expectColumn(Memories, "memories page");
    EXPECT_TRUE(widget<QTabWidget>("tabPages")->isTabEnabled(1));
    EXPECT_EQ(window().memoriesModel()->tint(), QColor(Form1::kFileColour));
    widget<QTabWidget>("tabPages")->setCurrentIndex(1);
    expectColumn(Pms, "PMS page");
    // Once the transfer is over, the window closes as usual.
    EXPECT_TRUE(window().close());
}

// WCAG 2 contrast of two colours, from their relative luminance.
double contrast(const QColor& a, const QColor& b)
{
    const auto lum = [](const QColor& c) {
        const auto f = [](double v) { return v <= 0.03928 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4); };
        return 0.2126 * f(c.redF()) + 0.7152 * f(c.greenF()) + 0.0722 * f(c.blueF()) + 0.05;
    };
    return qMax(lum(a), lum(b)) / qMin(lum(a), lum(b));
}

// Text on every colour the window sets keeps 4.5 : 1 (WCAG AA) in the light
// palette and in a dark one, whose text is light; disabled buttons look it.
TEST_F(WindowStateTest, TintsAndColouredButtonsKeepTheirTextReadableInLightAndDarkPalettes)
{
    loadSample();
    const QPalette light = window().palette();
    QPalette dark = light;
    for (const auto role : {QPalette::Window, QPalette::Base, QPalette::Button})
        dark.setColor(role, QColor(45, 45, 45));
    for (const auto role : {QPalette::WindowText, QPalette::Text, QPalette::ButtonText})
        dark.setColor(role, QColor(240, 240, 240));
    for (const QPalette& palette : {light, dark}) {
        window().setPalette(palette);
        for (const int source : {AppState::File, AppState::Radio, AppState::Nothing}) {
            state().setDataSource(source);
            for (const int row : {1, 21}) { // a plain row and a shaded one
                const QModelIndex cell = window().memoriesModel()->cell(row, 1);
                const QVariant fore = cell.data(Qt::ForegroundRole);
                const QColor text =
                    fore.isValid() ? fore.value<QColor>() : memories()->palette().color(QPalette::Text);
                EXPECT_GE(contrast(cell.data(Qt::BackgroundRole).value<QColor>(), text), 4.5)
                    << source << " " << row;
            }
        }
        for (const char* name : {"cmdRead", "cmdWriteRig", "cmdLoadFile", "cmdSaveToDisk"}) {
            QPalette p = widget<QPushButton>(name)->palette();
            p.setCurrentColorGroup(QPalette::Active); // a disabled button needs no contrast
            EXPECT_GE(contrast(p.color(QPalette::Button), p.color(QPalette::ButtonText)), 4.5) << name;
            for (const QPalette::ColorRole role : {QPalette::ButtonText, QPalette::Button})
                EXPECT_NE(p.color(QPalette::Disabled, role), p.color(QPalette::Active, role)) << name;
        }
    }
}

// The real message box: Return gives the default answer, which is the safe
// one where another answer would throw work away; a short text leaves the
// title whole.
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
            // A short text leaves room for the title beside the frame's buttons.
            EXPECT_GE(box->width(), box->fontMetrics().horizontalAdvance(box->windowTitle()) + 100);
            QTest::keyClick(box, Qt::Key_Return, modifiers);
            pressed = !box->isVisible();
            if (!pressed)
                box->done(0); // no hanging test: the check below fails instead
        });
        const A answer =
            c.safe ? prompter.askSafely(QStringLiteral("Question?"), c.buttons, Prompter::Icon::None, *c.safe)
                   : prompter.ask(QStringLiteral("Question?"), c.buttons, Prompter::Icon::None);
        EXPECT_TRUE(pressed) << "Return with modifiers " << int(modifiers);
        EXPECT_EQ(answer, c.onReturn) << int(c.buttons);
    }
}

TEST_F(WindowStateTest, TheTablesUseTheWindowCtrlTabLeavesThemAndRefusedCellsKeepTheirKeys)
{
    loadSample();
    window().resize(1400, 700);
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
    for (const auto& [key, modifiers, stays] :
         {std::tuple{Qt::Key_Tab, Qt::KeyboardModifiers(), true},
          {Qt::Key_Tab, Qt::KeyboardModifiers(Qt::ControlModifier), false},
          {Qt::Key_Backtab, Qt::ControlModifier | Qt::ShiftModifier, false}}) {
        view->setFocus();
        QTest::keyClick(view, key, modifiers);
        EXPECT_EQ(view->hasFocus(), stays) << key << " " << modifiers;
    }

    // Keys on a cell that refuses editing (an empty row's mode; rows above hold
    // CW and USB channels) stay on it.
    const QModelIndex start = window().memoriesModel()->index(99, Column::kMode);
    view->setCurrentIndex(start);
    view->setFocus();
    const QVector<Channel> before = state().tables().memories.channels();
    for (const char key : {'c', 'u', 'f'}) {
        QTest::keyClick(view, key);
        EXPECT_EQ(view->currentIndex(), start) << key;
        EXPECT_FALSE(view->isEditing()) << key;
    }
    QTest::keyClick(view, Qt::Key_Return);
    EXPECT_EQ(state().tables().memories.channels(), before);
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
        {widget<QMenu>("mnuFile"), 7},
        {widget<QMenu>("mnuPUform"), 13},
        {widget<QMenu>("mnuSettings"), 11},
        {widget<QMenu>("mnuHelpMenu"), 2},
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
    EXPECT_EQ(recent->actions()[0]->text() + '|' + recent->actions()[1]->text(),
              "&1 other.950|&2 sample.950");
    recent->actions()[1]->trigger();
    EXPECT_EQ(QFileInfo(state().currentFilePath()).fileName(), QStringLiteral("sample.950"));
    // Only an open or a save writes the list: an edit and its undo leave it as it is.
    RecentFiles::add(window().settings(), other);
    window().memoriesModel()->setData(window().memoriesModel()->cell(2, Column::kFreq),
                                      QStringLiteral("7.1"));
    ASSERT_TRUE(state().changed());
    action("mnuUndo")->trigger();
    ASSERT_FALSE(state().changed());
    EXPECT_EQ(RecentFiles::list(window().settings()).value(0), other);
    // A file deleted while the menu was open: said, not silently ignored.
    ASSERT_TRUE(QFile::remove(other));
    m_prompter.clear();
    recent->actions()[0]->trigger();
    EXPECT_EQ(m_prompter.messages(), QStringList{MemoryFileOpener::doesNotExistText(other)});
    emit recent->aboutToShow();
    ASSERT_EQ(recent->actions().size(), 1);
    EXPECT_EQ(recent->actions()[0]->text(), QStringLiteral("&1 sample.950"));
}

// Clipboard data that counts how often its contents are read.
struct WatchedClipboardData : QMimeData {
    mutable int reads = 0;
    QVariant retrieveData(const QString& format, QMetaType type) const override
    {
        ++reads;
        return QMimeData::retrieveData(format, type);
    }
};

// The clipboard's owner may be slow or hung: its text is read only to paste
// (Paste follows the offered formats). Paste and Shift+Insert (into the
// cell's editor) take it as typed; a paste that gets no text says so.
TEST_F(WindowStateTest, TheClipboardIsReadOnlyToPaste)
{
    auto* data = new WatchedClipboardData; // the clipboard owns it
    data->setText(QStringLiteral("10.1"));
    QGuiApplication::clipboard()->setMimeData(data);
    loadSample();
    typeInto(3, Column::kFreq, QStringLiteral("7.1"));
    selectMemories(5, Column::kFreq, 5, Column::kFreq);
    EXPECT_EQ(data->reads, 0) << "read while starting, opening a file or editing";
    ASSERT_TRUE(action("mnuPasteMemories")->isEnabled()) << "text offered by another program";
    action("mnuPasteMemories")->trigger();
    EXPECT_EQ(cell(5, Column::kFreq), QStringLiteral("10.10000"));

    for (const bool withText : {true, false}) {
        if (!withText)
            QGuiApplication::clipboard()->setMimeData(new QMimeData);
        memories()->setCurrentIndex(window().memoriesModel()->cell(6, Column::kFreq));
        QTest::keyClick(memories(), Qt::Key_Insert, Qt::ShiftModifier);
        if (auto* editor = memories()->viewport()->findChild<QLineEdit*>())
            QTest::keyClick(editor, Qt::Key_Return);
        EXPECT_TRUE(waitFor([this] { return !memories()->isEditing(); }));
    }
    EXPECT_EQ(cell(6, Column::kFreq), QStringLiteral("10.10000"));
    EXPECT_FALSE(action("mnuPasteMemories")->isEnabled());
    EXPECT_EQ(m_prompter.messages(), QStringList{Form1::clipboardUnreadText()});
}

// Whatever stops a read or write before its first slot, or a save that does
// not happen, leaves the edited tables, their file and their "*" as they were:
// the title, the changed panel and the exit question agree.
TEST_F(WindowStateTest, AnInterruptedTransferOrSaveKeepsTheTablesTheirFileAndTheirStar)
{
    RadioSimulator radio(slowRadio());
    const QString refusing = QDir(dataFolder()).filePath(QStringLiteral("refusing"));
    ASSERT_TRUE(QDir().mkpath(refusing));
    // Root writes through permissions: for root the folder is a read-only
    // mount, or where mounting is refused, a file stands in its place.
    std::unique_ptr<ReadOnlyBind> readOnly;
    if (geteuid() != 0) {
        QFile::setPermissions(refusing, QFile::ReadOwner | QFile::ExeOwner);
    } else if (!(readOnly = std::make_unique<ReadOnlyBind>(refusing))->mounted()) {
        ASSERT_TRUE(QDir().rmdir(refusing));
        QFile file(refusing);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    }
    // Closes the window once the set-up that a button starts talks to the radio.
    const auto closeDuringSetUp = [&](const char* button) {
        QTimer closer;
        QObject::connect(&closer, &QTimer::timeout, [&] {
            if (!radio.commands().isEmpty() && closer.isActive()) {
                closer.stop();
                EXPECT_FALSE(window().close());
            }
        });
        closer.start(1);
        widget<QPushButton>(button)->click();
    };
    // (Cancel at the read question leaves the state as it was: RadioLinkTest's
    // Reading; the window then takes the path the close below takes.)
    const std::function<void()> cases[] = {
        [&] { // the window closed during the read's link set-up
            m_prompter.answer(Prompter::Answer::Yes);
            closeDuringSetUp("cmdRead");
            EXPECT_TRUE(window().log().text().contains(RadioReader::stoppedBeforeReadText()));
        },
        [&] { // ... and during the write's: no question, nothing sent
            closeDuringSetUp("cmdWriteRig");
        },
        [this, &refusing] { // a save the folder refuses, then Cancel in the dialog
            m_prompter.reply(QDir(refusing).filePath(QStringLiteral("x.950"))).reply(QString());
            // Both replies used: the folder refused the save (its text: MemoryFileProceduresTest).
            action("mnuFileSaveAs")->trigger();
        },
    };
    startWithRadio(radio);
    for (const auto& interrupt : cases) {
        SCOPED_TRACE(&interrupt - cases);
        state().setChanged(false);
        loadSample();
        typeInto(1, Column::kDescription, QStringLiteral("mine"));
        radio.clearTraffic();
        m_prompter.clear();
        interrupt();
        // No transfer question came: it would go unanswered and fail the test.
        EXPECT_TRUE(m_prompter.allAnswersUsed());
        EXPECT_TRUE(sent(radio, "MR").isEmpty() && sent(radio, "MW").isEmpty());
        EXPECT_EQ(QStringList({cell(1, Column::kDescription), panel(2)->text(), window().windowTitle()}),
                  QStringList({"mine", "Memories changed", "sample.950[*] - " + Form1::titleText()}));
        EXPECT_TRUE(state().changed() && window().isWindowModified());
    }
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
    ASSERT_TRUE(FileTestSupport::writeBytes(configFolder(), QByteArray()));
    m_prompter.clear();

    for (const char* name : {"mnuAutosize", "mnuDisableRTS", "mnuAutosize"})
        action(name)->trigger();

    const QString text = Settings::cannotSaveText(ini);
    EXPECT_EQ(m_prompter.messages(), QStringList{text});
    EXPECT_EQ(window().log().text().count(text), 1);
}

} // namespace
