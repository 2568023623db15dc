// SPDX-License-Identifier: GPL-3.0-or-later
#include "Form1.h"
#include "FilePart.h"
#include "LogWindowPart.h"
#include "TransferPart.h"

#include "ActionTable.h"
#include "ButtonBar.h"
#include "ChannelTableModel.h"
#include "ChannelTableView.h"
#include "GuiPrompter.h"
#include "MessageLogWindow.h"
#include "PrintCommands.h"
#include "ProgressWindow.h"
#include "StartupDialogs.h"
#include "StatusPanels.h"
#include "TableCommands.h"
#include "TablePage.h"
#include "Version.h"
#include "WindowPlacement.h"
#include "files/InitialMemoryFile.h"
#include "frmImportExport.h"
#include "state/GridLayout.h"
#include "state/OutcomePresenter.h"
#include "state/RuleStore.h"
#include "state/SettingsStore.h"

#include <QAction>
#include <QCloseEvent>
#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QLabel>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPrinterInfo>
#include <QPushButton>
#include <QRegularExpression>
#include <QScreen>
#include <QTabWidget>
#include <QTableWidget>
#include <QTimer>
#include <QVBoxLayout>
#include <exception>

namespace {
enum Page { MemoriesPage = 0, PmsPage = 1 };

// Each access key of the window is used once: Alt+M and Alt+P open the
// menus of those names, so the two pages a person can choose take O and E.
const char* const kPageCaptions[] = {"Mem&ories", "PMS &edges"};

QTableWidget* emptyGrid(const char* name, int columns, QWidget* parent)
{
    auto* grid = new QTableWidget(0, columns, parent);
    grid->setObjectName(QString::fromLatin1(name));
    return grid;
}

// A start-up path on the floppy drives A: or B: is dropped: opening it
// would wait for a disk. Only a drive letter with its colon counts, so a
// file whose name merely begins with "A" or "B" still opens.
bool namesFloppyDrive(const QString& path)
{
    static const QRegularExpression floppy(QStringLiteral("^[AaBb]:"));
    return floppy.match(path).hasMatch();
}
} // namespace

Form1::Form1(const Form1Options& options, Prompter* prompter, StartupDialogs* dialogs, QWidget* parent)
    : QMainWindow(parent), m_options(options), m_settings(std::make_unique<Settings>(options.settingsFolder)),
      m_prompter(prompter), m_dialogs(dialogs)
{
    setObjectName(QStringLiteral("Form1"));
    if (!m_prompter) {
        m_guiPrompter = std::make_unique<GuiPrompter>(this);
        m_guiPrompter->setBeforeAsk([this] { m_logPart->bringForward(); });
        m_prompter = m_guiPrompter.get();
    }
    m_settings->setWriteFailureHandler([this](const QString& text) {
        m_log.notice(text);
        m_prompter->inform(text, Prompter::Icon::Exclamation);
    });
    if (!m_dialogs) {
        m_ownDialogs = std::make_unique<StartupDialogs>();
        m_dialogs = m_ownDialogs.get();
    }
    m_logPart = new LogWindowPart(m_log, *m_settings, this);
    m_transfer = new TransferPart(m_state, *m_prompter, m_log, *m_settings, m_options.devicePath, this);
    connect(m_transfer, &TransferPart::blockedChanged, this, &Form1::updateActions);
    connect(m_transfer, &TransferPart::memoriesPageWanted, this, &Form1::showMemoriesPage);
    connect(m_transfer, &TransferPart::positionReached, this,
            [this](int position) { m_panels[2]->setText(QString::number(position)); });
    connect(m_transfer, &TransferPart::channelsRead, this, [this] {
        m_memories->selectCell(1, Column::kFreq);
        memoriesSelectionChanged();
    });
    m_files = new FilePart(
        m_state, *m_prompter, m_log, *m_settings, [this] { return transferBlocked(); }, this);
    connect(m_files, &FilePart::memoriesPageWanted, this, &Form1::showMemoriesPage);
    connect(m_files, &FilePart::fileShown, this,
            [this](const QString& fileName) { showFilePanel(QStringLiteral(" ") + fileName); });
    connect(m_files, &FilePart::opened, this, [this](bool channels) {
        grdMemoriesL->setColumnWidth(Column::kDescription, Twips::toPixels(m_state.descriptionColumnWidth()));
        if (channels) {
            m_memories->selectCell(1, Column::kFreq);
            memoriesSelectionChanged();
        }
    });
    connect(m_files, &FilePart::csvDropped, this, [this](const QString& path) {
        openImportExport();
        if (m_importExport)
            m_importExport->importFile(path);
    });

    auto* central = new QWidget(this);
    auto* layout = new QVBoxLayout(central);
    layout->setContentsMargins(Twips::toPixels(90), Twips::toPixels(90), Twips::toPixels(90), 0);
    buildButtons(central);
    layout->addWidget(cmdRead->parentWidget());
    m_pages = new QTabWidget(central);
    m_pages->setObjectName(QStringLiteral("tabPages"));
    layout->addWidget(m_pages, 1);
    setCentralWidget(central);
    buildPages();
    buildStatusBar();
    buildMenus();
    m_memories->setContextMenu(mnuPUform);
    m_pms->setContextMenu(mnuPMS);
    declareActions();
    Timer1 = new QTimer(this);
    Timer1->setObjectName(QStringLiteral("Timer1"));
    Timer1->setSingleShot(true);
    Timer1->setInterval(100);
    connect(Timer1, &QTimer::timeout, this, &Form1::deferredOpen);

    connectState();
    resize(Twips::toPixels(kDesignWidth), Twips::toPixels(kDesignHeight));
}

Form1::~Form1()
{
    // The parts use the log and the settings, which go before the window's children.
    delete m_files;
    delete m_transfer;
    delete m_logPart;
}

MessageLogWindow* Form1::messageLogWindow() const
{
    return m_logPart->window();
}

QString Form1::titleText()
{
    return QStringLiteral("Quaystone V") + QStringLiteral(QUAYSTONE_VERSION);
}

QString Form1::nothingLoadedText()
{
    return QStringLiteral(" Nothing loaded. Read the radio or a file from disk.");
}

QString Form1::closeDuringTransferText()
{
    return QStringLiteral("The radio is busy: the transfer is asked to stop. Close the window again once it "
                          "has stopped.");
}

QString Form1::exitQuestion()
{
    const QString br = QStringLiteral("\r\n");
    return QStringLiteral("Changes have been made but not yet saved to disk.") +
           QStringLiteral(" Do you want to save these changes before exit?") + br + br +
           QStringLiteral("   Yes - save the changes and exit,") + br +
           QStringLiteral("   No - ignore the changes and exit,") + br +
           QStringLiteral("   Cancel - do not exit.");
}

void Form1::buildButtons(QWidget* parent)
{
    auto* bar = new ButtonBar(parent);
    cmdRead = bar->read;
    cmdWriteRig = bar->writeRig;
    cmdLoadFile = bar->loadFile;
    cmdSaveToDisk = bar->saveToDisk;
    cmdImportExport = bar->importExport;
    lblRigType = bar->rigType;
    cmdWriteRig->setEnabled(false);
    cmdSaveToDisk->setEnabled(false);
    cmdImportExport->setEnabled(false);
    connect(cmdRead, &QPushButton::clicked, this, &Form1::readRadio);
    connect(cmdWriteRig, &QPushButton::clicked, this, &Form1::writeRadio);
    connect(cmdLoadFile, &QPushButton::clicked, this, &Form1::openMemoryFile);
    connect(cmdSaveToDisk, &QPushButton::clicked, this, &Form1::saveMemoryFile);
    connect(cmdImportExport, &QPushButton::clicked, this, &Form1::openImportExport);
}

void Form1::buildPages()
{
    m_memories = new TablePage(m_state, TableKind::Memories, *m_prompter, QStringLiteral("grdMemoriesL"),
                               QStringLiteral("Memories"), m_pages);
    grdMemoriesL = m_memories->view();
    m_memoriesModel = m_memories->model();
    connect(m_memories, &TablePage::editingStarted, this, [this] {
        m_editorOpen = true;
        updateActions();
    });
    connect(m_memories, &TablePage::selectionChanged, this, &Form1::memoriesSelectionChanged);
    connect(m_memories, &TablePage::headingClicked, this, &Form1::sortByHeading);
    m_pms = new TablePage(m_state, TableKind::Pms, *m_prompter, QStringLiteral("grdMemoriesPMS"),
                          QStringLiteral("PMS edges"), m_pages);
    grdMemoriesPMS = m_pms->view();
    grdMemoriesPMS->setDeleteKeyReported(true);
    m_pmsModel = m_pms->model();

    grdMemoriesHome = emptyGrid("grdMemoriesHome", 24, m_pages);
    grdMemoriesVFO = emptyGrid("grdMemoriesVFO", 24, m_pages);
    grdBankScan = emptyGrid("grdBankScan", 3, m_pages);
    grdMenu = emptyGrid("grdMenu", 3, m_pages);
    txtDump = new QPlainTextEdit(m_pages);
    txtDump->setObjectName(QStringLiteral("txtDump"));
    txtDump->setReadOnly(true);

    QWidget* const pages[] = {grdMemoriesL, grdMemoriesPMS, grdMemoriesHome, grdMemoriesVFO,
                              grdBankScan,  grdMenu,        txtDump};
    for (int i = 0; i < 2; ++i)
        m_pages->addTab(pages[i], QString::fromLatin1(kPageCaptions[i]));
    // Pages 2 to 6 are built with the window but never offered. A hidden tab
    // is still listed to a screen reader, so they get no tab at all and are
    // kept as windows that are never shown, which no screen reader lists.
    for (int i = 2; i < 7; ++i)
        pages[i]->setParent(this, Qt::Window);
    m_pages->setTabEnabled(PmsPage, false);
    connect(m_pages, &QTabWidget::currentChanged, this, &Form1::pageChanged);

    connect(grdMemoriesPMS, &ChannelTableView::deleteKeyPressed, this, [this] {
        if (mnuDeletePMS->isEnabled())
            mnuDeletePMS->trigger();
    });
    m_commands = new TableCommands(
        m_state, *m_prompter, m_log, *m_memories, *m_pms, [this] { return m_selection; },
        [this] { return transferBlocked(); }, this);
    connect(m_commands, &TableCommands::selectionMoved, this, &Form1::memoriesSelectionChanged);
    connect(m_commands, &TableCommands::memoriesPageWanted, this, &Form1::showMemoriesPage);
    connect(m_commands, &TableCommands::clipboardOffered, this, &Form1::updateActions);
    for (ChannelTableView* view : {grdMemoriesL, grdMemoriesPMS})
        connect(view, &ChannelTableView::pasteKeyPressed, this,
                [this, view] { m_commands->pasteIntoCell(view); });
}

void Form1::buildStatusBar()
{
    auto* status = new StatusPanels(this);
    StatusBar1 = status->bar();
    m_panels = status->panels();
    connect(status, &StatusPanels::pathRequested, this, &Form1::showPanelPath);
}

void Form1::connectState()
{
    // Each change updates what it affects; nothing is written to disk here.
    connect(&m_state, &AppState::dataSourceChanged, this, &Form1::showOrigin);
    connect(&m_state, &AppState::changedFlagChanged, this, &Form1::showChanged);
    connect(&m_state, &AppState::busyChanged, this, [this] {
        showChanged();
        updateActions();
    });
    // Autosized columns follow the content, which may just have changed.
    connect(&m_state, &AppState::memoryStatusChanged, this, [this] {
        if (mnuAutosize->isChecked())
            applyColumnWidths();
    });
    connect(&m_state, &AppState::undoChanged, this, &Form1::updateUndoAction);
    connect(&m_state, &AppState::clipboardChanged, this, &Form1::updateActions);
    connect(&m_state, &AppState::hideSettingChanged, this, &Form1::applyHideSetting);
    // Tables emptied for a read, or holding one, are no file's: the file
    // panel is blank until a save names one.
    connect(&m_state, &AppState::dataSourceChanged, this, [this] {
        if (m_state.dataSource() != AppState::File)
            showFilePanel(QString());
    });
}

bool Form1::startUp()
{
    if (m_started)
        return true;
    m_started = true;
    int step = 1;
    try {
        // The command-line path is taken as the desktop hands it over; only
        // surrounding quotes are removed, when they are there.
        QString path = m_options.startupFilePath;
        if (path.size() >= 2 && path.startsWith(QLatin1Char('"')) && path.endsWith(QLatin1Char('"')))
            path = path.mid(1, path.size() - 2);
        m_startupFile = path;

        step = 3;
        m_state.setCurrentFilePath(QString());
        m_state.setDataFolder(m_settings->get(Keys::HomeDir));
        if (!m_state.dataFolder().isEmpty() && !QDir(m_state.dataFolder()).exists())
            m_state.setDataFolder(QString());
        bool portOk = false;
        m_commPort = m_settings->get(Keys::CommPort).trimmed().toInt(&portOk);
        if (!portOk || m_commPort < 1 || m_commPort > 16)
            m_commPort = 1;
        for (int n = 1; n <= 16; ++n)
            mnuCom[n]->setChecked(n == m_commPort);
        mnuAutosize->setChecked(m_settings->getBool(Keys::Autosize));
        mnuUserChosenColumnWidths->setChecked(m_settings->getBool(Keys::UserChosenColumnWidths));
        mnuLog->setChecked(m_settings->getBool(Keys::Log));
        m_log.setTraceEnabled(mnuLog->isChecked());
        mnuDisableRTS->setChecked(m_settings->getBool(Keys::RTS));
        m_printerAvailable = !QPrinterInfo::availablePrinterNames().isEmpty();
        m_gridSize = m_settings->get(Keys::GridSize);
        SettingsStore shared(QString::fromLatin1(RuleSet::kApplication), m_options.settingsFolder);
        OutcomePresenter::show(*m_prompter, RuleStore::load(m_state.rules(), shared));
        mnuBandPlan->setChecked(m_state.rules().rulesActive());

        step = 5;
        WindowPlacement::restore(*this, *m_settings);
        setWindowTitle(titleText());
        setFont(QFont(QStringLiteral("Tahoma"), 8));

        step = 9;
        lblRigType->clear();
        m_state.setDataSource(AppState::Nothing);
        showFilePanel(nothingLoadedText());

        step = 10;
        m_state.setInitialising(true);
        m_state.tables().reset();
        m_pages->setCurrentIndex(MemoriesPage);
        m_memories->selectCell(1, Column::kFreq);
        m_state.setInitialising(false);

        step = 14;
        // What the clipboard offers is learnt once here, then on each change.
        m_commands->clipboardChanged();
        cmdImportExport->setEnabled(false);
        setGridSize(m_gridSize);

        step = 17;
        m_userCommSpeed = m_settings->get(Keys::UserCommSpeed);
        for (QAction* speed : {mnuComSpeed4800, mnuComSpeed9600, mnuComSpeed19200, mnuComSpeed38400})
            speed->setChecked(m_userCommSpeed.startsWith(speed->text() + QLatin1Char(',')));

        step = 18;
        if (m_settings->getInt(Keys::FirstTime, 0) == 0)
            m_dialogs->showFirstUse(this, *m_settings);

        step = 19;
        if (m_state.dataFolder().isEmpty())
            m_state.setDataFolder(m_dialogs->chooseDataFolder(this, *m_settings, *m_prompter, QString()));
        if (m_state.dataFolder().isEmpty())
            m_state.setDataFolder(QDir::toNativeSeparators(QDir::currentPath()));

        step = 20;
        if (m_startupFile.isEmpty())
            m_startupFile = m_settings->get(Keys::LastOpened);
        if (namesFloppyDrive(m_startupFile)) {
            m_startupFile.clear();
            return true;
        }
        step = 22;
        if (m_startupFile.isEmpty())
            m_startupFile = InitialMemoryFile::create(m_state.dataFolder(), *m_settings, m_log);
        Timer1->start();
        return true;
    } catch (const std::exception& e) {
        m_prompter->inform(QStringLiteral("Error 0 (") + QString::fromLocal8Bit(e.what()) +
                           QStringLiteral(") in line ") + QString::number(step) +
                           QStringLiteral(" of procedure Form_Load of Form Form1"));
        return false;
    }
}

void Form1::showOrigin()
{
    QColor tint = palette().color(QPalette::Button);
    // The tint says where the channels came from; the tables' descriptions say it in words.
    QString origin = QStringLiteral("No channels: read the radio or open a memory file");
    if (m_state.dataSource() == AppState::Radio) {
        tint = QColor(kRadioColour);
        origin = QStringLiteral("Channels read from the radio");
    } else if (m_state.dataSource() == AppState::File) {
        tint = QColor(kFileColour);
        origin = QStringLiteral("Channels from a memory file");
    }
    for (TablePage* page : {m_memories, m_pms})
        page->showOrigin(tint, origin);
    m_pages->setTabEnabled(PmsPage, m_state.holdsChannels());
    showChanged();
    updateActions();
}

void Form1::showChanged()
{
    m_panels[1]->setText(m_state.changed() ? QStringLiteral("Memories changed")
                                           : QStringLiteral("Memories unchanged"));
    // The title names what the tables hold, with a "*" while they differ from what was saved.
    QString source;
    if (m_state.holdsChannels() && !m_state.currentFilePath().isEmpty())
        source = QFileInfo(m_state.currentFilePath()).fileName();
    else if (m_state.dataSource() == AppState::Radio)
        source = QStringLiteral("Radio");
    setWindowTitle(source.isEmpty() ? titleText() : source + QStringLiteral("[*] - ") + titleText());
    setWindowModified(m_state.changed() && m_state.holdsChannels());
}

// Which command may be used in which state. Everything that opens a window,
// talks to the port or changes the tables needs Idle, since a transfer runs
// inside the event loop and a modal window would stop it.
void Form1::declareActions()
{
    using A = ActionTable;
    m_actions = ActionTable({
        {cmdRead, A::Idle},
        {cmdLoadFile, A::Idle},
        {cmdWriteRig, A::Idle | A::Channels},
        {cmdSaveToDisk, A::Idle | A::Channels},
        {cmdImportExport, A::Idle | A::Channels | A::NoImportWindow},
        {mnuOpen, A::Idle},
        {mnuFileSave, A::Idle},
        {mnuFileSaveAs, A::Idle},
        {mnuPrint, A::Idle},
        {mnuExportPdf, A::Idle},
        {mnuPreviewWrite, A::Idle | A::Channels},
        {mnuRecentFiles, A::Idle},
        {mnuExit, A::Idle},
        {mnuPUform, A::MemoriesShown},
        {mnuUndo, A::Idle | A::UndoStep},
        {mnuRedo, A::Idle | A::RedoStep},
        {mnuCopy, A::Idle | A::MemoriesShown | A::Channels | A::Selection},
        {mnuCutMemories, A::Idle | A::MemoriesShown | A::Channels | A::Selection},
        {mnuPasteMemories, A::Idle | A::MemoriesShown | A::Channels | A::Clipboard},
        {mnuInsertMemoryAbove, A::Idle | A::MemoriesShown | A::Channels},
        {mnuMoveBlockUp, A::Idle | A::MemoriesShown},
        {mnuMoveBlockDown, A::Idle | A::MemoriesShown},
        {mnuFillSelectionDown, A::Idle | A::MemoriesShown | A::Channels},
        {mnuRemoveMemory, A::Idle | A::MemoriesShown | A::Channels},
        {mnuDeleteMemory, A::Idle | A::MemoriesShown | A::Channels | A::NoEditor},
        {mnuCompact, A::Idle | A::MemoriesShown | A::Channels},
        {mnuHideEmptyMemories, A::Idle | A::MemoriesShown},
        {mnuSortFreq, A::Idle | A::MemoriesShown | A::Channels},
        {mnuSortDescription, A::Idle | A::MemoriesShown},
        {mnuFindDuplicates, A::Idle | A::MemoriesShown | A::Channels},
        {mnuFindText, A::Idle | A::MemoriesShown | A::Channels},
        {mnuFindNext, A::Idle | A::MemoriesShown | A::Channels},
        {mnuPMS, A::PmsShown},
        {mnuDeletePMS, A::Idle | A::PmsShown | A::Channels},
        {mnuComPortIdentifier, A::Idle},
        {mnuComPort, A::Idle},
        {mnuComSpeed, A::Idle},
        {mnuDisableRTS, A::Idle},
        {mnuVerifyWrites, A::Idle},
        {mnuBandPlan, A::Idle},
        {mnuSelectPrintColumns, A::Idle},
        {mnuDataFiles, A::Idle},
        {mnuHelp, A::Idle},
        {mnuCheckForUpdates, A::Idle},
        {mnuAbout, A::Idle},
    });
}

// One place decides what may be used, from the table above.
void Form1::updateActions()
{
    if (m_actions.isEmpty())
        return;
    const bool idle = !transferBlocked();
    unsigned have = 0;
    using A = ActionTable;
    const auto add = [&have](bool condition, unsigned need) {
        if (condition)
            have |= need;
    };
    add(idle, A::Idle);
    add(m_state.holdsChannels(), A::Channels);
    add(m_pages->currentIndex() == MemoriesPage && !m_rowPicking, A::MemoriesShown);
    add(m_pages->currentIndex() == PmsPage, A::PmsShown);
    add(m_state.history().canUndo(), A::UndoStep);
    add(m_state.history().canRedo(), A::RedoStep);
    add(m_copyEnabled, A::Selection);
    // The clipboard itself is never asked here: its owner may be slow or hung.
    add(m_state.clipboard().hasRows() || m_commands->clipboardOffersText(), A::Clipboard);
    add(!m_editorOpen, A::NoEditor);
    add(!importExportWindow(), A::NoImportWindow);
    m_actions.apply(have);

    // Nothing is typed into the tables while a transfer fills or sends them,
    // and the Import/Export window waits too.
    for (ChannelTableView* view : {grdMemoriesL, grdMemoriesPMS})
        view->setEditTriggers(idle ? ChannelTableView::kEditTriggers : QAbstractItemView::NoEditTriggers);
    if (m_importExport)
        m_importExport->setEnabled(idle);
}

void Form1::updateUndoAction()
{
    mnuUndo->setText(TableEditing::undoCaption(m_state));
    mnuRedo->setText(TableEditing::redoCaption(m_state));
    updateActions();
}

void Form1::applyHideSetting(bool hide)
{
    mnuHideEmptyMemories->setChecked(hide);
    m_memories->hideEmptyRows(hide);
}

void Form1::pageChanged(int index)
{
    updateActions();
    if (index == MemoriesPage) {
        grdMemoriesL->setFocus();
        memoriesSelectionChanged();
    } else if (index == PmsPage) {
        grdMemoriesPMS->setFocus();
    }
}

void Form1::showMemoriesPage()
{
    m_pages->setCurrentIndex(MemoriesPage);
    grdMemoriesL->setFocus();
}

void Form1::memoriesSelectionChanged()
{
    if (!m_state.holdsChannels())
        return;
    m_copyEnabled = true;
    m_editorOpen = false;
    m_selection = m_memories->selection();
    if (!m_state.busy()) {
        m_panels[2]->setText(TableEditing::rowNumberText(m_selection.firstRow));
        m_panels[3]->setText(TableEditing::rowNumberText(m_selection.lastRow));
    }
    updateActions();
}

void Form1::setGridSize(const QString& name)
{
    const GridLayout::GridSize size = GridLayout::gridSize(name);
    m_gridSize = name;
    m_settings->set(Keys::GridSize, name);
    mnuFontNormal->setChecked(size.name == QLatin1String("Normal"));
    mnuFontLarger->setChecked(size.name == QLatin1String("Larger"));
    mnuFontLargest->setChecked(size.name == QLatin1String("Largest"));
    for (TablePage* page : {m_memories, m_pms})
        page->setGridSize(size, font());
    applyColumnWidths();
}

void Form1::applyColumnWidths()
{
    const GridLayout::ColumnWidths widths = GridLayout::columnWidths(
        m_gridSize, mnuAutosize->isChecked(), mnuUserChosenColumnWidths->isChecked(), *m_settings);
    if (widths.autosize) {
        m_memories->autosize(true);
        m_pms->autosize(false);
        return;
    }
    // The designed widths suit the designed font; where the platform's
    // substitute is wider, a column still shows its longest choice whole.
    // Widths the user chose are kept as they are.
    const bool fit = !mnuUserChosenColumnWidths->isChecked();
    m_memories->placeColumns(widths.memories, fit);
    m_pms->placeColumns(widths.pms, fit);
    if (widths.memories.size() > Column::kDescription && widths.memories[Column::kDescription] >= 0)
        m_state.setDescriptionColumnWidth(widths.memories[Column::kDescription]);
}

void Form1::saveSizeAndPosition()
{
    WindowPlacement::save(*this, *grdMemoriesL, *m_settings);
}

void Form1::forceWindowsOntoDesktop()
{
    showNormal();
    resize(Twips::toPixels(kDesignWidth), Twips::toPixels(kDesignHeight));
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        const QRect area = screen->geometry();
        move(area.left() + (area.width() - frameGeometry().width()) / 2,
             area.top() + (area.height() - frameGeometry().height()) / 2);
    }
    m_logPart->forceOntoPrimaryScreen();
}

void Form1::showPanelPath()
{
    const QString panel = m_panels[0]->text();
    if (!panel.isEmpty() && panel != nothingLoadedText() && !m_state.currentFilePath().isEmpty())
        m_prompter->inform(m_state.currentFilePath());
    else
        m_prompter->inform(QStringLiteral("No file is currently loaded"));
}

bool Form1::exitRequest()
{
    if (m_state.changed()) {
        switch (m_prompter->ask(exitQuestion(), Prompter::Buttons::YesNoCancel, Prompter::Icon::Question)) {
        case Prompter::Answer::Yes:
            if (!m_files->save(MemoryFileSaver::Kind::Save))
                return false;
            break;
        case Prompter::Answer::No:
            break;
        default:
            return false;
        }
    }
    m_transfer->closePort();
    return true;
}

void Form1::closeEvent(QCloseEvent* event)
{
    // A transfer in progress is running inside this window's event handling,
    // from its link set-up to its last message: closing asks it to stop (as a
    // click on its message does) and the window stays until it has.
    if (transferBlocked()) {
        m_transfer->progress()->requestStop();
        m_log.notice(closeDuringTransferText());
        event->ignore();
        return;
    }
    if (m_closing || exitRequest()) {
        m_closing = true;
        m_logPart->close();
        event->accept();
        return;
    }
    event->ignore();
}
