// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "files/CsvExport.h"
#include "files/CsvImport.h"

#include <QDialog>
#include <functional>

class AppState;
class CsvHeader;
class MessageLog;
class Prompter;
class QCheckBox;
class QGroupBox;
class QLineEdit;
class QPushButton;
class QRadioButton;
class Settings;

// The Import/Export window: the CSV export of the memories table and the CSV
// import into it, each with its options, plus a preview of either in the
// message log. It is not modal; its options start afresh each time it opens.
class frmImportExport : public QDialog {
    Q_OBJECT
public:
    static constexpr char kCaption[] = "Import/Export";

    // Memories-table rows (1..100) the user has picked in the main window.
    using SelectedRows = std::function<QSet<int>()>;

    // csv: the program's one separator and header state, shared by every
    // export and import of the run.
    frmImportExport(AppState& state, Prompter& prompter, MessageLog& log, CsvHeader& csv, Settings& settings,
                    SelectedRows selectedRows, QWidget* parent = nullptr);

    // The options as the window shows them.
    CsvExportOptions exportOptions() const;
    CsvImportOptions importOptions() const;

public slots:
    CsvExport::Result exportCsv(bool preview);
    CsvImport::Result importCsv(bool preview);
    // Imports a file chosen elsewhere (dropped on the main window) with the options shown.
    CsvImport::Result importFile(const QString& path);
    // "&Save size and position": the window's top and left.
    void savePosition();

signals:
    // "Export only selected mems" was ticked or cleared: the memories table
    // picks whole rows while it is ticked.
    void rowPickingChanged(bool on);
    // An import placed records in the memories table.
    void imported();
    // An import ended with the memories table to show: it placed records, or none.
    void memoriesPageWanted();

private:
    void restorePosition();
    void setBusy(bool busy);

    AppState& m_state;
    Prompter& m_prompter;
    MessageLog& m_log;
    CsvHeader& m_csv;
    Settings& m_settings;
    SelectedRows m_selectedRows;
    QString m_chosenPath;

    // Named widgets (also their objectName).
    QGroupBox* fraExport = nullptr;
    QCheckBox* chkExportSelected = nullptr;
    QGroupBox* fraSeparator = nullptr;
    QRadioButton* optComma = nullptr;
    QRadioButton* optTab = nullptr;
    QCheckBox* chkKeepNumbers = nullptr;
    QCheckBox* chkOmitHeader = nullptr;
    QCheckBox* chkCommonLayout = nullptr;
    QPushButton* cmdExport = nullptr;
    QPushButton* cmdPreviewExport = nullptr;
    QGroupBox* fraImport = nullptr;
    QLineEdit* txtStart = nullptr;
    QCheckBox* chkUseNumbers = nullptr;
    QCheckBox* chkClearAll = nullptr;
    QCheckBox* chkOmitDuplicates = nullptr;
    QPushButton* cmdImport = nullptr;
    QPushButton* cmdPreviewImport = nullptr;
    QPushButton* cmdSavePosition = nullptr;
    QPushButton* cmdClose = nullptr;
};
