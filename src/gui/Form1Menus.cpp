// SPDX-License-Identifier: GPL-3.0-or-later
// The menu bar of the main window and the commands of its "Settings" menu.
#include "ChannelTableView.h"
#include "FilePart.h"
#include "Form1.h"
#include "PrintCommands.h"
#include "StartupDialogs.h"
#include "TableCommands.h"
#include "cat/PortDirectory.h"
#include "state/Prompter.h"

#include <QAction>
#include <QClipboard>
#include <QFileInfo>
#include <QGuiApplication>
#include <QMenu>
#include <QMenuBar>
#include <QShortcut>
#include <QTabWidget>

QAction* Form1::addAction(QMenu* menu, const char* name, const QString& caption, const QKeySequence& shortcut)
{
    auto* action = new QAction(caption, this);
    action->setObjectName(QString::fromLatin1(name));
    if (!shortcut.isEmpty())
        action->setShortcut(shortcut);
    menu->addAction(action);
    return action;
}

void Form1::buildMenus()
{
    QMenuBar* bar = menuBar();
    bar->setObjectName(QStringLiteral("MenuBar"));

    mnuFile = bar->addMenu(QStringLiteral("&File"));
    mnuFile->setObjectName(QStringLiteral("mnuFile"));
    mnuOpen = addAction(mnuFile, "mnuOpen", QStringLiteral("&Open"), QKeySequence(Qt::CTRL | Qt::Key_O));
    mnuFile->addSeparator();
    mnuFileSave =
        addAction(mnuFile, "mnuFileSave", QStringLiteral("&Save"), QKeySequence(Qt::CTRL | Qt::Key_S));
    mnuFileSaveAs = addAction(mnuFile, "mnuFileSaveAs", QStringLiteral("Save &As"));
    mnuFile->addSeparator();
    mnuPrint = addAction(mnuFile, "mnuPrint", QStringLiteral("&Print"), QKeySequence(Qt::CTRL | Qt::Key_P));
    mnuExportPdf = addAction(mnuFile, "mnuExportPdf", QStringLiteral("&Export print to PDF..."));
    mnuFile->addSeparator();
    mnuPreviewWrite = addAction(mnuFile, "mnuPreviewWrite", QStringLiteral("Pre&view write to radio..."));
    connect(mnuPreviewWrite, &QAction::triggered, this, &Form1::previewWrite);
    // Filled each time it opens, so a file removed since is never offered.
    mnuRecentFiles = mnuFile->addMenu(QStringLiteral("Recent &files"));
    mnuRecentFiles->setObjectName(QStringLiteral("mnuRecentFiles"));
    connect(mnuRecentFiles, &QMenu::aboutToShow, this, [this] { m_files->fillRecentFiles(mnuRecentFiles); });
    mnuFile->addSeparator();
    mnuExit = addAction(mnuFile, "mnuExit", QStringLiteral("E&xit"));
    connect(mnuOpen, &QAction::triggered, this, &Form1::openMemoryFile);
    connect(mnuFileSave, &QAction::triggered, this, &Form1::saveFromMenu);
    connect(mnuFileSaveAs, &QAction::triggered, this, &Form1::saveMemoryFileAs);
    m_print = std::make_unique<PrintCommands>(m_state, *m_settings, *m_prompter, this);
    connect(mnuPrint, &QAction::triggered, this,
            [this] { m_print->print(m_pages->currentWidget() == grdMemoriesPMS, m_printerAvailable); });
    connect(mnuExportPdf, &QAction::triggered, this,
            [this] { m_print->exportPdf(m_pages->currentWidget() == grdMemoriesPMS); });
    connect(mnuExit, &QAction::triggered, this, &QWidget::close);

    mnuPUform = bar->addMenu(QStringLiteral("&Memories"));
    mnuPUform->setObjectName(QStringLiteral("mnuPUform"));
    QMenu* m = mnuPUform;
    mnuUndo = addAction(m, "mnuUndo", QStringLiteral("&Undo"), QKeySequence(Qt::CTRL | Qt::Key_Z));
    mnuRedo = addAction(m, "mnuRedo", QStringLiteral("R&edo"));
    mnuRedo->setShortcuts(
        {QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z), QKeySequence(Qt::CTRL | Qt::Key_Y)});
    addActions({mnuUndo, mnuRedo}); // both tables' steps: the keys work on either page
    m->addSeparator();
    mnuCopy =
        addAction(m, "mnuCopy", QStringLiteral("&Copy (and memories)"), QKeySequence(Qt::CTRL | Qt::Key_C));
    mnuCutMemories =
        addAction(m, "mnuCutMemories", QStringLiteral("Cu&t memories"), QKeySequence(Qt::CTRL | Qt::Key_X));
    mnuPasteMemories = addAction(m, "mnuPasteMemories", QStringLiteral("&Paste memories"),
                                 QKeySequence(Qt::CTRL | Qt::Key_V));
    m->addSeparator();
    mnuInsertMemoryAbove = addAction(m, "mnuInsertMemoryAbove", QStringLiteral("Insert memory &Above"),
                                     QKeySequence(Qt::CTRL | Qt::Key_I));
    mnuMoveBlockUp = addAction(m, "mnuMoveBlockUp", QStringLiteral("Move selected memories Up"),
                               QKeySequence(Qt::Key_F11));
    mnuMoveBlockDown = addAction(m, "mnuMoveBlockDown", QStringLiteral("Move selected memories Down"),
                                 QKeySequence(Qt::Key_F12));
    mnuFillSelectionDown = addAction(m, "mnuFillSelectionDown", QStringLiteral("Fill selection Do&wnwards"),
                                     QKeySequence(Qt::CTRL | Qt::Key_D));
    m->addSeparator();
    mnuRemoveMemory = addAction(m, "mnuRemoveMemory", QStringLiteral("&Remove memory"),
                                QKeySequence(Qt::SHIFT | Qt::Key_Delete));
    mnuDeleteMemory =
        addAction(m, "mnuDeleteMemory", QStringLiteral("&Delete memory"), QKeySequence(Qt::Key_Delete));
    mnuCompact = addAction(m, "mnuCompact", QStringLiteral("Co&mpact empty memories"));
    mnuHideEmptyMemories = addAction(m, "mnuHideEmptyMemories", QStringLiteral("&Hide empty memories"),
                                     QKeySequence(Qt::CTRL | Qt::Key_H));
    mnuHideEmptyMemories->setCheckable(true);
    m->addSeparator();
    mnuSortFreq = addAction(m, "mnuSortFreq", QStringLiteral("Sort by &Frequency"));
    mnuSortDescription = addAction(m, "mnuSortDescription", QStringLiteral("&Sort by Description"));
    m->addSeparator();
    // Alt+D is "&Delete memory"'s; the fill and the list take other letters.
    mnuFindDuplicates = addAction(m, "mnuFindDuplicates", QStringLiteral("&List duplicate frequencies"));
    m->addSeparator();
    mnuFindText =
        addAction(m, "mnuFindText", QStringLiteral("Find te&xt"), QKeySequence(Qt::CTRL | Qt::Key_F));
    mnuFindNext = addAction(m, "mnuFindNext", QStringLiteral("Find next"), QKeySequence(Qt::Key_F3));
    for (QAction* a : {mnuUndo, mnuRedo, mnuCopy, mnuCutMemories, mnuPasteMemories})
        a->setEnabled(false);
    connect(mnuUndo, &QAction::triggered, this, [this] { m_commands->undo(false); });
    connect(mnuRedo, &QAction::triggered, this, [this] { m_commands->undo(true); });
    connect(QGuiApplication::clipboard(), &QClipboard::dataChanged, m_commands,
            &TableCommands::clipboardChanged);
    setAcceptDrops(true);
    connect(mnuCopy, &QAction::triggered, this, [this] { m_commands->copyMemories(false); });
    connect(mnuCutMemories, &QAction::triggered, this, [this] { m_commands->copyMemories(true); });
    connect(mnuPasteMemories, &QAction::triggered, m_commands, &TableCommands::pasteMemories);
    connect(mnuInsertMemoryAbove, &QAction::triggered, m_commands, &TableCommands::insertMemoryAbove);
    connect(mnuMoveBlockUp, &QAction::triggered, this, [this] { m_commands->moveBlock(false); });
    connect(mnuMoveBlockDown, &QAction::triggered, this, [this] { m_commands->moveBlock(true); });
    connect(mnuFillSelectionDown, &QAction::triggered, m_commands, &TableCommands::fillSelectionDown);
    connect(mnuRemoveMemory, &QAction::triggered, m_commands, &TableCommands::removeMemory);
    connect(mnuDeleteMemory, &QAction::triggered, m_commands, &TableCommands::deleteMemory);
    connect(mnuCompact, &QAction::triggered, m_commands, &TableCommands::compact);
    connect(mnuHideEmptyMemories, &QAction::triggered, this, [this](bool on) { m_state.setHideEmpty(on); });
    connect(mnuSortFreq, &QAction::triggered, this, [this] { m_commands->sortBy(true); });
    connect(mnuSortDescription, &QAction::triggered, this, [this] { m_commands->sortBy(false); });
    connect(mnuFindDuplicates, &QAction::triggered, m_commands, &TableCommands::findDuplicates);
    connect(mnuFindText, &QAction::triggered, this, [this] { m_commands->findText(false); });
    connect(mnuFindNext, &QAction::triggered, this, [this] { m_commands->findText(true); });

    mnuPMS = bar->addMenu(QStringLiteral("&PMS"));
    mnuPMS->setObjectName(QStringLiteral("mnuPMS"));
    mnuPMS->setEnabled(false);
    mnuPMS->addActions({mnuUndo, mnuRedo});
    mnuPMS->addSeparator();
    mnuDeletePMS = addAction(mnuPMS, "mnuDeletePMS", QStringLiteral("&Delete PMS memory pair"));
    connect(mnuDeletePMS, &QAction::triggered, m_commands, &TableCommands::deletePmsPair);

    mnuSettings = bar->addMenu(QStringLiteral("&Settings"));
    mnuSettings->setObjectName(QStringLiteral("mnuSettings"));
    QMenu* s = mnuSettings;
    mnuComPortIdentifier = addAction(s, "mnuComPortIdentifier", QStringLiteral("Com port &Identifier"));
    QMenu* ports = mnuComPort = s->addMenu(QStringLiteral("&Com port"));
    ports->setObjectName(QStringLiteral("mnuComPort"));
    const PortDirectory directory(*m_settings);
    for (int n = 1; n <= 16; ++n) {
        const QByteArray name = "mnuCom" + QByteArray::number(n);
        QString caption = QStringLiteral("COM") + QString::number(n);
#ifndef Q_OS_WIN
        // Elsewhere a number stands for a device; the menu says which.
        caption += QLatin1Char('\t') + directory.device(n);
#endif
        mnuCom[n] = addAction(ports, name.constData(), caption);
        mnuCom[n]->setCheckable(true);
        connect(mnuCom[n], &QAction::triggered, this, [this, n] { chooseComPort(n); });
    }
    QMenu* speeds = mnuComSpeed = s->addMenu(QStringLiteral("Com &speed"));
    speeds->setObjectName(QStringLiteral("mnuComSpeed"));
    mnuComSpeed4800 = addAction(speeds, "mnuComSpeed4800", QStringLiteral("4800"));
    mnuComSpeed9600 = addAction(speeds, "mnuComSpeed9600", QStringLiteral("9600"));
    mnuComSpeed19200 = addAction(speeds, "mnuComSpeed19200", QStringLiteral("19200"));
    mnuComSpeed38400 = addAction(speeds, "mnuComSpeed38400", QStringLiteral("38400"));
    for (QAction* speed : {mnuComSpeed4800, mnuComSpeed9600, mnuComSpeed19200, mnuComSpeed38400}) {
        speed->setCheckable(true);
        connect(speed, &QAction::triggered, this,
                [this, speed] { chooseComSpeed(speed->text() + QStringLiteral(",N,8,2")); });
    }
    mnuLog = addAction(s, "mnuLog", QStringLiteral("&Log read/write to rig"));
    mnuDisableRTS = addAction(s, "mnuDisableRTS", QStringLiteral("&Do not use RTS"));
    s->addSeparator();
    mnuAutosize = addAction(s, "mnuAutosize", QStringLiteral("Enable &Autosize of column widths"));
    mnuUserChosenColumnWidths =
        addAction(s, "mnuUserChosenColumnWidths", QStringLiteral("Enable &User chosen column widths"));
    QMenu* fonts = s->addMenu(QStringLiteral("&Font size of grids"));
    fonts->setObjectName(QStringLiteral("mnuFontSize"));
    mnuFontNormal = addAction(fonts, "mnuFontNormal", QStringLiteral("Normal"));
    mnuFontLarger = addAction(fonts, "mnuFontLarger", QStringLiteral("Larger"));
    mnuFontLargest = addAction(fonts, "mnuFontLargest", QStringLiteral("Largest"));
    for (QAction* size : {mnuFontNormal, mnuFontLarger, mnuFontLargest}) {
        size->setCheckable(true);
        connect(size, &QAction::triggered, this, [this, size] { setGridSize(size->text()); });
    }
    s->addSeparator();
    mnuBandPlan = addAction(s, "mnuBandPlan", QStringLiteral("Define &Repeater rules..."));
    mnuBandPlan->setCheckable(true);
    connect(mnuBandPlan, &QAction::triggered, this, &Form1::openRepeaterRules);
    s->addSeparator();
    mnuSelectPrintColumns = addAction(s, "mnuSelectPrintColumns", QStringLiteral("Select &Print options..."));
    mnuDataFiles =
        addAction(s, "mnuDataFiles", QStringLiteral("Choose a folder for &memory and .CSV files..."));
    s->addSeparator();
    QMenu* window = s->addMenu(QStringLiteral("&Window Position and Column Widths"));
    window->setObjectName(QStringLiteral("mnuWindowPosition"));
    mnuSetDefaultWindowPosition =
        addAction(window, "mnuSetDefaultWindowPosition", QStringLiteral("&Save size and position"));
    mnuForceWindowsOntoDesktop = addAction(window, "mnuForceWindowsOntoDesktop",
                                           QStringLiteral("&Force windows onto the primary desktop"),
                                           QKeySequence(Qt::SHIFT | Qt::CTRL | Qt::Key_F1));
    for (QAction* check : {mnuLog, mnuDisableRTS, mnuAutosize, mnuUserChosenColumnWidths})
        check->setCheckable(true);
    connect(mnuLog, &QAction::triggered, this, [this] {
        toggleSetting(mnuLog, Keys::Log);
        m_log.setTraceEnabled(mnuLog->isChecked());
    });
    connect(mnuDisableRTS, &QAction::triggered, this, [this] { toggleSetting(mnuDisableRTS, Keys::RTS); });
    // Read back each channel a write sends; a transfer takes the choice when it starts.
    QAction* verify = mnuVerifyWrites = new QAction(QStringLiteral("&Verify each channel written"), this);
    verify->setObjectName(QStringLiteral("mnuVerifyWrites"));
    verify->setCheckable(true);
    verify->setChecked(m_settings->getBool(Keys::VerifyWrites));
    // Placed after "&Do not use RTS", with the other link choices.
    s->insertAction(s->actions().value(s->actions().indexOf(mnuDisableRTS) + 1), verify);
    connect(verify, &QAction::triggered, this, [this, verify] { toggleSetting(verify, Keys::VerifyWrites); });
    connect(mnuAutosize, &QAction::triggered, this, [this] {
        toggleSetting(mnuAutosize, Keys::Autosize);
        applyColumnWidths();
    });
    connect(mnuUserChosenColumnWidths, &QAction::triggered, this, [this] {
        toggleSetting(mnuUserChosenColumnWidths, Keys::UserChosenColumnWidths);
        applyColumnWidths();
    });
    connect(mnuDataFiles, &QAction::triggered, this, &Form1::chooseDataFolder);
    connect(mnuSelectPrintColumns, &QAction::triggered, this, [this] { m_print->selectOptions(); });
    connect(mnuSetDefaultWindowPosition, &QAction::triggered, this, &Form1::saveSizeAndPosition);
    connect(mnuForceWindowsOntoDesktop, &QAction::triggered, this, &Form1::forceWindowsOntoDesktop);

    mnuHelpMenu = bar->addMenu(QStringLiteral("&Help"));
    mnuHelpMenu->setObjectName(QStringLiteral("mnuHelpMenu"));
    // The caption carries the key itself, as the help key works anywhere in the window.
    mnuHelp = addAction(mnuHelpMenu, "mnuHelp", QStringLiteral("&Contents                    F1"));
    mnuCheckForUpdates =
        addAction(mnuHelpMenu, "mnuCheckForUpdates", QStringLiteral("Check &Download page for updates"));
    mnuAbout = addAction(mnuHelpMenu, "mnuAbout", QStringLiteral("&About Quaystone..."));
    auto* helpKey = new QShortcut(QKeySequence(Qt::Key_F1), this);
    connect(helpKey, &QShortcut::activated, mnuHelp, &QAction::trigger);
    connectShellWindows();
}

void Form1::toggleSetting(QAction* action, const SettingKey& key)
{
    // The action has already reversed its check mark.
    m_settings->setBool(key, action->isChecked());
}

void Form1::chooseComPort(int port)
{
    m_commPort = port;
    m_settings->setInt(Keys::CommPort, port);
    for (int n = 1; n <= 16; ++n)
        mnuCom[n]->setChecked(n == port);
}

void Form1::chooseComSpeed(const QString& speed)
{
    m_userCommSpeed = speed;
    m_settings->set(Keys::UserCommSpeed, speed);
    for (QAction* item : {mnuComSpeed4800, mnuComSpeed9600, mnuComSpeed19200, mnuComSpeed38400})
        item->setChecked(speed.startsWith(item->text() + QLatin1Char(',')));
}

void Form1::chooseDataFolder()
{
    const QString folder = m_dialogs->chooseDataFolder(this, *m_settings, *m_prompter, m_state.dataFolder());
    if (!folder.isEmpty())
        m_state.setDataFolder(folder);
}
