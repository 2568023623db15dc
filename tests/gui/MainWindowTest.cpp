// SPDX-License-Identifier: GPL-3.0-or-later
#include "MainWindowFixture.h"

#include "RadioSimulator.h"
#include "Version.h"
#include "editing/CellEntry.h"
#include "files/CsvExport.h"
#include "files/FileTestSupport.h"
#include "files/InterruptedSave.h"
#include "files/MemoryFileOpener.h"
#include "gui/ChannelItemDelegate.h"
#include "gui/ChannelTableModel.h"
#include "gui/ChannelTableView.h"
#include "gui/FilePart.h"
#include "gui/MessageLogWindow.h"
#include "gui/PrintCommands.h"
#include "gui/ProgressWindow.h"
#include "gui/WritePreviewDialog.h"
#include "gui/frmSelectPrintColumns.h"
#include "io/SafeFileWriter.h"
#include "state/MessageLog.h"
#include "support/PromptText.h"

#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QHeaderView>
#include <QLabel>
#include <QMenu>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QProcess>
#include <QPushButton>
#include <QRegularExpression>
#include <QScreen>
#include <QScrollBar>
#include <QStandardPaths>
#include <QTabWidget>
#include <QTableWidget>
#include <QTest>

// The command-line path and "LastOpened" as the start-up sees them; with
// neither, the initial memory file (made in the data folder). A pair
// whose last save ended between its two files is told and the previous pair
// offered; Yes shows it, not yet saved as the file's own.
TEST_F(MainWindowFixture, StartUpFileIsTakenAsGivenAndOnlyFloppyDrivesAreDropped)
{
    struct Case {
        const char* commandLine;
        const char* lastOpened;
        const char* opened; // file name shown in panel 1; empty: nothing opened
        bool interrupted;
    };
    const Case cases[] = {
        {"\"Bands.950\"", "sample.950", "Bands.950", false}, // quoted: quotes removed, wins over LastOpened
        {"Bands.950", "", "Bands.950", false},               // unquoted, and it begins with "B"
        {"", "Bands.950", "Bands.950", false},               // from LastOpened
        {"", "A:\\memories.950", "", false},                 // floppy drive A:
        {"b:memories.950", "", "", false},                   // floppy drive B:, either case
        {"", "", "Initial memory file.950", false},
        {"Bands.950", "", "Bands.950", true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.commandLine);
        m_prompter.clear();
        for (const QString name : {"Bands.950", "sample.950", "Bands.950dsc"})
            QFile::copy(QStringLiteral(QUAYSTONE_TEST_DATA "/sample.950") + name.mid(name.indexOf('.') + 4),
                        QDir(dataFolder()).filePath(name));
        if (c.interrupted) {
            const QString path = QDir(dataFolder()).filePath(QStringLiteral("Bands.950"));
            const QByteArray newMemory = "MW00007050000+000000200000;\r\n";
            MessageLog log;
            InterruptedSave saving(path, log);
            ASSERT_TRUE(saving.begin(newMemory, "0,\"3450\"\r\n"));
            ASSERT_TRUE(
                SafeFileWriter::save(path, newMemory)); // the memory file is replaced, the save ends here
            m_prompter.answer(Prompter::Answer::Yes);
        }
        Form1Options options;
        options.startupFilePath = QString::fromLatin1(c.commandLine);
        startQuietly(options, QString::fromLatin1(c.lastOpened));
        const QString opened = QString::fromLatin1(c.opened);
        EXPECT_EQ(panel(1)->text(),
                  opened.isEmpty() ? Form1::nothingLoadedText() : QLatin1Char(' ') + opened);
        EXPECT_EQ(window().windowTitle(), opened.isEmpty()
                                              ? QStringLiteral("Quaystone V" QUAYSTONE_VERSION)
                                              : opened + QStringLiteral("[*] - ") + Form1::titleText());
        // Yes to the offer (its texts: InterruptedSave) opens the previous pair, which is not yet the file's.
        EXPECT_EQ(m_prompter.prompts().size(), c.interrupted ? 1 : 0)
            << m_prompter.messages().join(QLatin1Char('|')).toStdString();
        EXPECT_EQ(state().changed(), c.interrupted);
        m_window.reset();
    }
}

TEST_F(MainWindowFixture, BlockCommandsWorkOnTheGatheredSelectionAndUndoKeysWalkTheSteps)
{
    loadSample();
    selectMemories(3, Column::kFreq, 4, Column::kTone);
    EXPECT_EQ(panel(3)->text() + '|' + panel(4)->text(), QStringLiteral(" 3| 4"));
    const QString fifth = cell(5, Column::kFreq);

    m_prompter.answer(Prompter::Answer::Ok);
    action("mnuDeleteMemory")->trigger();
    EXPECT_EQ(cell(3, Column::kFreq) + ' ' + cell(4, Column::kFreq) + ' ' + cell(5, Column::kFreq),
              "Empty Empty " + fifth);

    // Hide empty memories shows the first row of each empty run only; Undo
    // shows them all again (what an undo puts back and clears: TableEditingTest).
    action("mnuHideEmptyMemories")->trigger();
    EXPECT_TRUE(!memories()->isRowHidden(2) && memories()->isRowHidden(3));
    action("mnuUndo")->trigger();
    EXPECT_FALSE(action("mnuHideEmptyMemories")->isChecked());
    EXPECT_FALSE(memories()->isRowHidden(3));

    // Ctrl+Z, Ctrl+Shift+Z and Ctrl+Y walk through the steps from either page
    // (the changed flag each step leaves: TableEditingTest, UndoHistoryTest).
    window().activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window()));
    const QString first = cell(1, Column::kDescription);
    const QString second = cell(2, Column::kDescription);
    typeInto(1, Column::kDescription, QStringLiteral("one"));
    typeInto(2, Column::kDescription, QStringLiteral("two"));
    struct Step {
        Qt::KeyboardModifiers modifiers;
        Qt::Key key;
        QString row1, row2;
    };
    const Step steps[] = {
        {Qt::ControlModifier, Qt::Key_Z, "one", second},
        {Qt::ControlModifier, Qt::Key_Z, first, second},
        {Qt::ControlModifier | Qt::ShiftModifier, Qt::Key_Z, "one", second},
        {Qt::ControlModifier, Qt::Key_Y, "one", "two"},
    };
    for (const Step& s : steps) {
        QTest::keyClick(memories(), s.key, s.modifiers);
        EXPECT_EQ(cell(1, Column::kDescription) + '|' + cell(2, Column::kDescription), s.row1 + '|' + s.row2);
    }
    // The menu follows the keys (the captions themselves are UndoHistory's).
    EXPECT_EQ(action("mnuUndo")->text(), QStringLiteral("&Undo Cell entry"));
    EXPECT_EQ(action("mnuRedo")->text(), QStringLiteral("R&edo"));
    widget<QTabWidget>("tabPages")->setCurrentIndex(1);
    QTest::keyClick(&window(), Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(cell(2, Column::kDescription), second) << "the keys work on the PMS page too";

    // Saved, the history reads as saved from there (where later steps leave
    // it: UndoHistoryTest; the panel and the title follow the flag: the
    // interrupted-transfer test).
    m_prompter.reply(state().currentFilePath());
    action("mnuFileSave")->trigger();
    EXPECT_FALSE(state().changed()) << "saved";
}

// A memory file dropped on the window opens after the unsaved-changes
// question; a CSV file goes through the import; other files are refused.
TEST_F(MainWindowFixture, DroppedFilesOpenOrImport)
{
    loadSample();
    const QString memoryFile = QDir(dataFolder()).filePath(QStringLiteral("dropped.950"));
    ASSERT_TRUE(QFile::copy(QStringLiteral(QUAYSTONE_TEST_DATA "/sample.950"), memoryFile));
    const QString csvFile = QDir(dataFolder()).filePath(QStringLiteral("dropped.csv"));
    ASSERT_TRUE(FileTestSupport::writeBytes(
        csvFile,
        (CsvExport::headerLine(QLatin1Char(',')) + "\r\n1,7.12300,LSB,Simplex,,,,,,,,,a drop\r\n").toUtf8()));
    const auto drop = [this](const QString& path) {
        QMimeData data;
        data.setUrls({QUrl::fromLocalFile(path)});
        QDragEnterEvent enter(QPoint(5, 5), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(&window(), &enter);
        if (!enter.isAccepted())
            return false;
        QDropEvent dropped(QPointF(5, 5), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(&window(), &dropped);
        return true;
    };
    EXPECT_FALSE(drop(QDir(dataFolder()).filePath(QStringLiteral("notes.txt"))));

    // What No leaves is the opener's (MemoryFileProcedures).
    typeInto(1, Column::kDescription, QStringLiteral("unsaved"));
    m_prompter.clear();
    m_prompter.answer(Prompter::Answer::Yes);
    ASSERT_TRUE(drop(memoryFile));
    EXPECT_EQ(m_prompter.messages(), QStringList{MemoryFileOpener::unsavedChangesText()});
    EXPECT_EQ(state().currentFilePath(), memoryFile);
    // A double-click on the status bar shows its path (with none: ReadRadioThenWriteBack...).
    m_prompter.clear();
    QTest::mouseDClick(panel(2), Qt::LeftButton);
    EXPECT_EQ(promptTexts(m_prompter), QStringList{promptText(QDir::toNativeSeparators(memoryFile),
                                                              Prompter::Buttons::Ok, Prompter::Icon::None)});

    m_prompter.clear();
    // The dropped file is imported without a dialog (a dialog would get no
    // reply here and import nothing; what the import places and says: CsvImportTest).
    ASSERT_TRUE(drop(csvFile));
    EXPECT_TRUE(state().changed());
}

TEST_F(MainWindowFixture, ReadRadioThenWriteBackOnlyTheChangedChannel)
{
    RadioSimulator radio;
    startWithRadio(radio);

    m_prompter.answer(Prompter::Answer::Ok); // the instructions
    QTest::mouseClick(widget<QPushButton>("cmdRead"), Qt::LeftButton);
    // The instructions and the completion (their texts: RadioLinkTest).
    ASSERT_EQ(m_prompter.messages().size(), 2) << m_prompter.messages().join(QLatin1Char('|')).toStdString();
    // The rate that answered is kept for the next search; the tint says the channels are the radio's.
    EXPECT_EQ(window().settings().get(Keys::LastCommSpeed), QStringLiteral("38400,N,8,2"));
    EXPECT_EQ(window().memoriesModel()->tint(), QColor(Form1::kRadioColour));
    // A read is not a file.
    QTest::mouseDClick(panel(1), Qt::LeftButton);
    EXPECT_EQ(m_prompter.messages().constLast(), QStringLiteral("No file is currently loaded"));

    typeInto(2, Column::kFreq, QStringLiteral("1.95"));
    // Previewed, the change is listed; closed, nothing is written.
    QStringList shown;
    ASSERT_TRUE(onModal<WritePreviewDialog>(action("mnuPreviewWrite"), [&](auto& dialog) {
        auto* grid = widget<QTableWidget>("grdDifferences", &dialog);
        for (int row = 0; row < grid->rowCount(); ++row)
            shown << grid->item(row, 0)->text() + QLatin1Char(' ') + grid->item(row, 3)->text();
        widget<QPushButton>("cmdClose", &dialog)->click();
    }));
    EXPECT_EQ(shown, QStringList{QStringLiteral("1 Frequency")});
    EXPECT_TRUE(sent(radio, "MW").isEmpty());
    m_prompter.answer(Prompter::Answer::Ok); // the instructions
    // Written from the preview: only the changed channel (the summary, the
    // backup and the skipped identical ones: RadioLinkTest's Writing).
    ASSERT_TRUE(onModal<WritePreviewDialog>(
        action("mnuPreviewWrite"), [&](auto& dialog) { widget<QPushButton>("cmdWrite", &dialog)->click(); }));
    const QStringList writes = sent(radio, "MW");
    ASSERT_EQ(writes.size(), 1) << radio.commands().join(QLatin1Char(' ')).toStdString();
    EXPECT_TRUE(writes[0].startsWith(QStringLiteral("MW001")));

    // Saved with Save As, the read is that file from then on: Recent files
    // offers it (the title and panel a save sets: AStoppedReadIsSaved...; what
    // a read gives survives a file: CliRadio's backup and restore).
    EXPECT_EQ(window().windowTitle(), QStringLiteral("Radio[*] - ") + Form1::titleText());
    m_prompter.reply(QDir(dataFolder()).filePath(QStringLiteral("backup.950")));
    action("mnuFileSaveAs")->trigger();
    auto* recent = widget<QMenu>("mnuRecentFiles");
    emit recent->aboutToShow();
    ASSERT_FALSE(recent->actions().isEmpty());
    EXPECT_EQ(recent->actions()[0]->text(), QStringLiteral("&1 backup.950"));
}

// A read stopped part-way is saved as the command line saves one: never over
// the name chosen, but beside it under the first free partial name (here the
// second); the user is told where, the title and the file panel name that
// file, and a later save onto it replaces it in place (the files passed
// over stay as they were: CliRadioTest).
TEST_F(MainWindowFixture, AStoppedReadIsSavedBesideTheChosenNameAsAPartialRead)
{
    RadioSimulator radio;
    startWithRadio(radio);
    ProgressWindow* progress = window().progressWindow();
    QObject::connect(progress, &ProgressWindow::positionChanged, [progress](int position) {
        if (position == 10)
            progress->requestStop();
    });
    m_prompter.answer(Prompter::Answer::Ok); // the instructions
    QTest::mouseClick(widget<QPushButton>("cmdRead"), Qt::LeftButton);
    ASSERT_GT(state().unreadCount(), 0);

    const QDir data(dataFolder());
    const QString chosen = copySample(QStringLiteral("sample.950"));
    const QString partial = data.filePath(QStringLiteral("sample (partial read 2).950"));
    ASSERT_TRUE(QFile::copy(chosen, data.filePath(QStringLiteral("sample (partial read).950"))));
    // Saved, then saved again onto the file it went to.
    for (const QString& reply : {chosen, partial}) {
        m_prompter.clear();
        m_prompter.reply(reply);
        QTest::mouseClick(widget<QPushButton>("cmdSaveToDisk"), Qt::LeftButton);
        EXPECT_EQ(m_prompter.messages(),
                  reply == chosen ? QStringList{FilePart::partialReadText(partial, chosen)} : QStringList());
        EXPECT_EQ(panel(1)->text() + '|' + window().windowTitle(),
                  " sample (partial read 2).950|sample (partial read 2).950[*] - " + Form1::titleText());
    }
}

TEST_F(MainWindowFixture, ExitWithUnsavedChangesAsksFirst)
{
    struct Case {
        const char* name;
        std::optional<Prompter::Answer> answer; // none: nothing changed, nothing asked
        bool cancelSaveDialog;
        bool keepsRunning;
    };
    const Case cases[] = {
        {"Cancel", Prompter::Answer::Cancel, false, true},
        {"Yes then Cancel in the save dialog", Prompter::Answer::Yes, true, true},
        {"No", Prompter::Answer::No, false, false},
        {"unchanged: closes at once", std::nullopt, false, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        loadSample();
        if (c.answer)
            typeInto(1, Column::kFreq, QStringLiteral("7.2"));
        m_prompter.clear();
        if (c.answer)
            m_prompter.answer(*c.answer);
        if (c.cancelSaveDialog)
            m_prompter.reply(QString());
        action("mnuExit")->trigger();
        EXPECT_EQ(promptTexts(m_prompter).mid(0, 1),
                  c.answer ? QStringList{promptText(Form1::exitQuestion(), Prompter::Buttons::YesNoCancel,
                                                    Prompter::Icon::Question)}
                           : QStringList());
        EXPECT_EQ(window().isVisible(), c.keepsRunning);
        EXPECT_TRUE(!c.keepsRunning || state().changed());
        EXPECT_TRUE(m_prompter.allAnswersUsed());
        m_window.reset();
    }
}

TEST_F(MainWindowFixture, MessageLogWindowOpensOnTheFirstLineAndStartsAfreshWhenClosed)
{
    startQuietly();
    // The main window reaching below the screen: the log still opens whole on it.
    const QRect area = window().screen()->availableGeometry();
    window().move(area.left(), area.bottom() - 200);
    EXPECT_EQ(window().messageLogWindow(), nullptr);
    window().log().notice(QStringLiteral("first"));
    window().log().notice(QStringLiteral("second"));
    MessageLogWindow* logWindow = window().messageLogWindow();
    ASSERT_NE(logWindow, nullptr);
    EXPECT_TRUE(area.contains(logWindow->frameGeometry()));
    EXPECT_EQ(logWindow->windowTitle(), QStringLiteral("Quaystone Messages"));
    auto* text = widget<QPlainTextEdit>("txtErrorList", logWindow);
    EXPECT_EQ(text->toPlainText(), QStringLiteral("first\nsecond"));
    // Each line shows from its start.
    logWindow->resize(300, 200);
    window().log().notice(QString(400, QLatin1Char('x')));
    window().log().notice(QStringLiteral("short"));
    EXPECT_GT(text->horizontalScrollBar()->maximum(), 0);
    EXPECT_EQ(text->horizontalScrollBar()->value(), 0);
    // Put out of sight, it comes back with the next line.
    logWindow->hide();
    window().log().notice(QStringLiteral("again"));
    EXPECT_TRUE(logWindow->isVisible());

    // The log's own access keys, not the main window's pages (Alt+O) and menus (Alt+S).
    logWindow->activateWindow();
    ASSERT_TRUE(waitFor([logWindow] { return QApplication::activeWindow() == logWindow; }));
    QTest::keyClick(logWindow, Qt::Key_O, Qt::AltModifier);
    // An access key presses its button after a short animation.
    waitFor([] { return !QGuiApplication::clipboard()->text().isEmpty(); });
    const QString copied = QGuiApplication::clipboard()->text();
    EXPECT_TRUE(copied.startsWith(QStringLiteral("first\r\nsecond\r\n")) &&
                copied.contains(QStringLiteral("\r\nagain\r\nCopied to Clipboard ")))
        << copied.toStdString();
    EXPECT_TRUE(copied.endsWith(QStringLiteral(" Quaystone V" QUAYSTONE_VERSION "\r\n\r\n")))
        << copied.toStdString();

    // The log's own Alt+S saves its size and position; each window's (4 and
    // 12 keys) is one rewrite of the settings file.
    const int saves = window().settings().store().saves();
    QTest::keyClick(logWindow, Qt::Key_S, Qt::AltModifier);
    EXPECT_TRUE(waitFor([this] { return Settings(configFolder()).find(Keys::ErrorListWidth).has_value(); }));
    action("mnuSetDefaultWindowPosition")->trigger();
    EXPECT_EQ(window().settings().store().saves(), saves + 2);

    widget<QPushButton>("cmdClose", logWindow)->click();
    EXPECT_TRUE(waitFor([this] { return window().messageLogWindow() == nullptr; }));
    window().log().notice(QStringLiteral("third"));
    ASSERT_NE(window().messageLogWindow(), nullptr);
    EXPECT_EQ(widget<QPlainTextEdit>("txtErrorList", window().messageLogWindow())->toPlainText(),
              QStringLiteral("third"));
}

TEST_F(MainWindowFixture, EveryGridSizeShowsHeadersAndChoicesWhole)
{
    loadSample();
    for (const char* size : {"mnuFontNormal", "mnuFontLarger", "mnuFontLargest"}) {
        SCOPED_TRACE(size);
        action(size)->trigger();
        EXPECT_EQ(Settings(configFolder()).get(Keys::GridSize), action(size)->text());
        for (const char* name : {"grdMemoriesL", "grdMemoriesPMS"}) {
            auto* view = widget<ChannelTableView>(name);
            const auto* model = static_cast<ChannelTableModel*>(view->model());
            const QFontMetrics metrics(view->font());
            EXPECT_GE(view->horizontalHeader()->height(), 2 * metrics.lineSpacing()) << name;
            for (int column = Column::kMode; column <= Column::kTone; ++column) {
                int widest = 0;
                for (const QString& choice :
                     ChannelItemDelegate::choices(CellEntry::choiceList(model->kind(), column)))
                    widest = qMax(widest, metrics.horizontalAdvance(choice));
                EXPECT_GT(view->columnWidth(column), widest) << name << " column " << column;
            }
        }
    }
}

namespace {

// The first lines of a PDF's text, runs of spaces reduced to one.
QStringList pdfLines(const QString& path)
{
    QProcess reader;
    reader.start(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), path, QStringLiteral("-")});
    reader.waitForFinished(30000);
    QStringList lines = QString::fromUtf8(reader.readAllStandardOutput()).split(QLatin1Char('\n'));
    for (QString& line : lines)
        line = line.simplified();
    return lines.filter(QRegularExpression(QStringLiteral(".")));
}

} // namespace

// Without a printer File > "&Print" says so; the print options window opens
// modally and stores what OK confirms; "Export print to PDF..." prints the page in front.
TEST_F(MainWindowFixture, PrintCommandsSayWhatTheyCannotDoAndPrintThePageInFront)
{
    loadSample();
    if (!window().printerAvailable()) {
        m_prompter.clear();
        action("mnuPrint")->trigger();
        EXPECT_EQ(m_prompter.messages(), QStringList{QString::fromLatin1(PrintCommands::kNoPrinter)});
    }
    EXPECT_TRUE(onModal<frmSelectPrintColumns>(action("mnuSelectPrintColumns"), [&](auto& options) {
        auto* box = widget<QCheckBox>("chkColumn6", &options);
        QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(6, box->height() / 2));
        widget<QPushButton>("cmdOK", &options)->click();
    }));
    EXPECT_EQ(window().settings().get(Keys::PrintCol[6]), QStringLiteral("0"));
    if (QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty())
        GTEST_SKIP() << "pdftotext (poppler-utils) is not installed; the PDF is not read back";
    for (const int page : {0, 1}) {
        SCOPED_TRACE(page);
        widget<QTabWidget>("tabPages")->setCurrentIndex(page);
        const QString pdf = m_temp.filePath(QStringLiteral("page%1.pdf").arg(page));
        m_prompter.reply(pdf);
        action("mnuExportPdf")->trigger();
        const QString text = pdfLines(pdf).join(QLatin1Char('\n'));
        EXPECT_EQ(text.startsWith(QStringLiteral("Memory print of sample.950\n")), page == 0)
            << text.toStdString();
        EXPECT_EQ(text.contains(QStringLiteral("P1L")), page == 1);
    }
}
