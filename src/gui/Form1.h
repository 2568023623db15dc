// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ActionTable.h"
#include "editing/TableEditing.h"
#include "files/CsvHeader.h"
#include "state/AppState.h"
#include "state/DesktopOpener.h"
#include "state/MessageLog.h"
#include "state/Settings.h"

#include <QMainWindow>
#include <QPointer>
#include <functional>
#include <memory>

class ChannelItemDelegate;
class FilePart;
class LogWindowPart;
class ChannelTableModel;
class ChannelTableView;
class GuiPrompter;
class MessageLogWindow;
class PrintCommands;
class ProgressWindow;
class Prompter;
class frmImportExport;
class QAction;
class QActionGroup;
class QLabel;
class QMenu;
class QPlainTextEdit;
class QPushButton;
class QStatusBar;
class QTabWidget;
class QTableWidget;
class QTimer;
class StartupDialogs;
class TableCommands;
class TablePage;
class TransferPart;

// What the command line hands the main window.
struct Form1Options {
    // Where the settings live; empty means the user's configuration folder.
    QString settingsFolder;
    // The memory file named on the command line, as given.
    QString startupFilePath;
    // A serial device to use for this run instead of the numbered port.
    QString devicePath;
};

// The main window: five buttons, the menu bar, the page strip with the two
// channel tables and the five-panel status bar. It owns the application
// state for the whole run and hands every command to the core function that
// carries it out.
class Form1 : public QMainWindow {
    Q_OBJECT
public:
    static constexpr QRgb kRadioColour = qRgb(204, 204, 255);
    static constexpr QRgb kFileColour = qRgb(250, 223, 173);
    // The window's designed size in twips, also where "Force windows onto the
    // primary desktop" puts it.
    static constexpr int kDesignHeight = 7410;
    static constexpr int kDesignWidth = 11700;

    // prompter and dialogs may be given by tests; the desktop's are used otherwise.
    explicit Form1(const Form1Options& options, Prompter* prompter = nullptr,
                   StartupDialogs* dialogs = nullptr, QWidget* parent = nullptr);
    ~Form1() override;

    // Runs the start-up steps once. False when the program has to end.
    bool startUp();

    static QString titleText();
    static QString nothingLoadedText();
    static QString exitQuestion();
    // The log's notice when the window is closed while a transfer runs.
    static QString closeDuringTransferText();
    // What F1 says when the desktop cannot open the guide at path.
    static QString guideNotOpenedText(const QString& path);
    // What a paste says when the clipboard gave no text.
    static QString clipboardUnreadText();

    AppState& state() { return m_state; }
    MessageLog& log() { return m_log; }
    Settings& settings() { return *m_settings; }
    Prompter& prompter() { return *m_prompter; }
    // Opens the user guide and the project's pages; tests put a recorder in.
    DesktopOpener& desktop() { return m_desktop; }
    ChannelTableModel* memoriesModel() const { return m_memoriesModel; }
    ChannelTableModel* pmsModel() const { return m_pmsModel; }
    MessageLogWindow* messageLogWindow() const;
    ProgressWindow* progressWindow() const;
    // What each command needs before it may be used; its test covers every rule.
    const ActionTable& actionTable() const { return m_actions; }
    bool printerAvailable() const { return m_printerAvailable; }
    QString gridSizeName() const { return m_gridSize; }
    int commPort() const { return m_commPort; }
    QString userCommSpeed() const { return m_userCommSpeed; }
    // The selection the block operations work on, as last captured.
    TableSelection selection() const { return m_selection; }
    // The Import/Export window while it is open.
    frmImportExport* importExportWindow() const;
    // The memories table picks whole rows for "Export only selected mems".
    bool rowPicking() const { return m_rowPicking; }

public slots:
    // The start-up timer's single tick: opens the start-up file.
    void deferredOpen();

    void readRadio();
    void writeRadio();
    // Reads the radio and shows what a write would change; the user may go on to write.
    void previewWrite();
    void openMemoryFile();
    void saveMemoryFile();
    void saveMemoryFileAs();
    void saveFromMenu();

    void setGridSize(const QString& name);
    void applyColumnWidths();
    void saveSizeAndPosition();
    void forceWindowsOntoDesktop();
    void showPanelPath();
    // "&Import/Export" (not modal) and "Define &Repeater rules..." (modal).
    void openImportExport();
    void openRepeaterRules();

protected:
    void closeEvent(QCloseEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    // Building the window (Form1.cpp, Form1Menus.cpp).
    void buildButtons(QWidget* bar);
    void buildPages();
    void buildStatusBar();
    void buildMenus();
    QAction* addAction(QMenu* menu, const char* name, const QString& caption,
                       const QKeySequence& shortcut = QKeySequence());
    void connectState();
    void restoreWindow();

    // Status and enabling.
    // Where the channels came from: tints, the PMS page, then showChanged and the enabling.
    void showOrigin();
    // The changed panel and the title.
    void showChanged();
    void declareActions();
    void updateActions();
    void applyHideSetting(bool hide);
    void updateUndoAction();
    void pageChanged(int index);
    void showMemoriesPage();
    // Status bar panel 1: the file the tables are; the listing's title repeats it.
    void showFilePanel(const QString& text);
    void memoriesSelectionChanged();
    bool exitRequest();
    bool transferBlocked() const;
    // Runs a command that yields to the event loop (a transfer, an import)
    // with every other command refused from its start to its last message.
    void runExclusive(const std::function<void()>& command);

    // A click on a column heading of the memories table.
    void sortByHeading(int column);

    // Settings menu.
    void chooseComPort(int port);
    void chooseComSpeed(const QString& speed);
    void toggleSetting(QAction* action, const SettingKey& key);
    void chooseDataFolder();

    // The Import/Export window and the rule editor (Form1ImportRules.cpp).
    void setRowPicking(bool on);
    void importDone();

    // Help menu and the port detector (Form1Shell.cpp).
    void connectShellWindows();
    void showComPortDetector();

    Form1Options m_options;
    std::unique_ptr<Settings> m_settings;
    std::unique_ptr<GuiPrompter> m_guiPrompter;
    std::unique_ptr<StartupDialogs> m_ownDialogs;
    Prompter* m_prompter;
    StartupDialogs* m_dialogs;
    AppState m_state;
    MessageLog m_log;
    // The parts of the window; deleted by the window before its members go.
    LogWindowPart* m_logPart = nullptr;
    TransferPart* m_transfer = nullptr;
    FilePart* m_files = nullptr;
    TablePage* m_memories = nullptr;
    TablePage* m_pms = nullptr;
    TableCommands* m_commands = nullptr;
    DesktopOpener m_desktop;
    QString m_helpFile;

    QString m_gridSize = QStringLiteral("Normal");
    int m_commPort = 1;
    QString m_userCommSpeed = QStringLiteral("38400,N,8,2");
    bool m_printerAvailable = false;
    // File > "&Print", "Export print to PDF..." and the print options window.
    std::unique_ptr<PrintCommands> m_print;
    bool m_started = false;
    bool m_deferredOpenDone = false;
    // The file the start-up opens: the command line's, the last one opened or the initial file.
    QString m_startupFile;
    bool m_copyEnabled = false;
    bool m_editorOpen = false;
    bool m_closing = false;
    // What each command needs before it may be used.
    ActionTable m_actions;
    TableSelection m_selection;
    // The field separator and header type of CSV files, for the whole run.
    CsvHeader m_csv;
    QPointer<frmImportExport> m_importExport;
    bool m_rowPicking = false;
    QString m_undoCaption;

    ChannelTableModel* m_memoriesModel = nullptr;
    ChannelTableModel* m_pmsModel = nullptr;
    QTabWidget* m_pages = nullptr;
    QList<QLabel*> m_panels;

    // Widgets and commands, named as the program names them (also their objectName).
    QPushButton* cmdRead = nullptr;
    QPushButton* cmdWriteRig = nullptr;
    QPushButton* cmdLoadFile = nullptr;
    QPushButton* cmdSaveToDisk = nullptr;
    QPushButton* cmdImportExport = nullptr;
    QLabel* lblRigType = nullptr;
    QStatusBar* StatusBar1 = nullptr;
    ChannelTableView* grdMemoriesL = nullptr;
    ChannelTableView* grdMemoriesPMS = nullptr;
    QTableWidget* grdMemoriesHome = nullptr;
    QTableWidget* grdMemoriesVFO = nullptr;
    QTableWidget* grdBankScan = nullptr;
    QTableWidget* grdMenu = nullptr;
    QPlainTextEdit* txtDump = nullptr;
    QTimer* Timer1 = nullptr;

    QMenu* mnuFile = nullptr;
    QMenu* mnuPUform = nullptr;
    QMenu* mnuPMS = nullptr;
    QMenu* mnuSettings = nullptr;
    QMenu* mnuHelpMenu = nullptr;
    QAction* mnuOpen = nullptr;
    QAction* mnuFileSave = nullptr;
    QAction* mnuFileSaveAs = nullptr;
    QAction* mnuPrint = nullptr;
    QAction* mnuExportPdf = nullptr;
    QAction* mnuPreviewWrite = nullptr;
    QMenu* mnuRecentFiles = nullptr;
    QAction* mnuExit = nullptr;
    QAction* mnuUndo = nullptr;
    QAction* mnuRedo = nullptr;
    QAction* mnuCopy = nullptr;
    QAction* mnuCutMemories = nullptr;
    QAction* mnuPasteMemories = nullptr;
    QAction* mnuInsertMemoryAbove = nullptr;
    QAction* mnuMoveBlockUp = nullptr;
    QAction* mnuMoveBlockDown = nullptr;
    QAction* mnuFillSelectionDown = nullptr;
    QAction* mnuRemoveMemory = nullptr;
    QAction* mnuDeleteMemory = nullptr;
    QAction* mnuCompact = nullptr;
    QAction* mnuHideEmptyMemories = nullptr;
    QAction* mnuSortFreq = nullptr;
    QAction* mnuSortDescription = nullptr;
    QAction* mnuFindDuplicates = nullptr;
    QAction* mnuFindText = nullptr;
    QAction* mnuFindNext = nullptr;
    QAction* mnuDeletePMS = nullptr;
    QAction* mnuComPortIdentifier = nullptr;
    QMenu* mnuComPort = nullptr;
    QAction* mnuCom[17] = {}; // mnuCom1..mnuCom16; index 0 unused
    QMenu* mnuComSpeed = nullptr;
    QAction* mnuComSpeed4800 = nullptr;
    QAction* mnuComSpeed9600 = nullptr;
    QAction* mnuComSpeed19200 = nullptr;
    QAction* mnuComSpeed38400 = nullptr;
    QAction* mnuLog = nullptr;
    QAction* mnuDisableRTS = nullptr;
    QAction* mnuVerifyWrites = nullptr;
    QAction* mnuAutosize = nullptr;
    QAction* mnuUserChosenColumnWidths = nullptr;
    QAction* mnuFontNormal = nullptr;
    QAction* mnuFontLarger = nullptr;
    QAction* mnuFontLargest = nullptr;
    QAction* mnuBandPlan = nullptr;
    QAction* mnuSelectPrintColumns = nullptr;
    QAction* mnuDataFiles = nullptr;
    QAction* mnuSetDefaultWindowPosition = nullptr;
    QAction* mnuForceWindowsOntoDesktop = nullptr;
    QAction* mnuHelp = nullptr;
    QAction* mnuCheckForUpdates = nullptr;
    QAction* mnuAbout = nullptr;
};
