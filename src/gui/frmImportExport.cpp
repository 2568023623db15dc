// SPDX-License-Identifier: GPL-3.0-or-later
#include "frmImportExport.h"

#include "ButtonReturnKey.h"
#include "state/AppState.h"
#include "state/GridLayout.h"
#include "state/Settings.h"

#include <QCheckBox>
#include <QCoreApplication>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace {
// Tooltips show their text with a space on either side.
QString tip(const char* text)
{
    return QLatin1Char(' ') + QString::fromLatin1(text) + QLatin1Char(' ');
}

template <typename T> T* named(T* widget, const char* name)
{
    widget->setObjectName(QString::fromLatin1(name));
    return widget;
}

QPushButton* button(const char* caption, const char* name, QWidget* parent)
{
    auto* b = named(new QPushButton(QString::fromLatin1(caption), parent), name);
    // No default button, so that Return in a cell or a box presses nothing;
    // on a focused button it presses that button.
    b->setAutoDefault(false);
    ButtonReturnKey::install(b);
    return b;
}

QCheckBox* checkBox(const char* caption, const char* name, const char* tooltip, QWidget* parent)
{
    auto* box = named(new QCheckBox(QString::fromLatin1(caption), parent), name);
    box->setToolTip(tip(tooltip));
    return box;
}
} // namespace

frmImportExport::frmImportExport(AppState& state, Prompter& prompter, MessageLog& log, CsvHeader& csv,
                                 Settings& settings, SelectedRows selectedRows, QWidget* parent)
    : QDialog(parent), m_state(state), m_prompter(prompter), m_log(log), m_csv(csv), m_settings(settings),
      m_selectedRows(std::move(selectedRows))
{
    setObjectName(QStringLiteral("frmImportExport"));
    setWindowTitle(QString::fromLatin1(kCaption));
    setModal(false);
    setFont(QFont(QStringLiteral("Tahoma"), 8));

    fraExport = named(new QGroupBox(QStringLiteral("Export"), this), "fraExport");
    chkExportSelected = checkBox("Export only se&lected mems", "chkExportSelected",
                                 "Export only those memories that are selected", fraExport);
    fraSeparator = named(new QGroupBox(QStringLiteral("Field separator"), fraExport), "fraSeparator");
    optComma = named(new QRadioButton(QStringLiteral("Co&mma"), fraSeparator), "optComma");
    optTab = named(new QRadioButton(QStringLiteral("&Tab"), fraSeparator), "optTab");
    optComma->setChecked(true);
    auto* separators = new QHBoxLayout(fraSeparator);
    separators->addWidget(optComma);
    separators->addWidget(optTab);
    separators->addStretch(1);
    chkKeepNumbers =
        checkBox("&Keep existing mem numbers", "chkKeepNumbers", "Export existing memory numbers", fraExport);
    chkOmitHeader = checkBox("Omit &header", "chkOmitHeader", "Do not write a header record", fraExport);
    chkCommonLayout =
        checkBox("Commo&n CSV layout", "chkCommonLayout",
                 "Write the Location,Name,Frequency,... layout other channel editors read", fraExport);
    cmdExport = button("&Export CSV", "cmdExport", fraExport);
    cmdPreviewExport = button("P&review Export", "cmdPreviewExport", fraExport);
    auto* exportButtons = new QHBoxLayout;
    exportButtons->addWidget(cmdExport);
    exportButtons->addWidget(cmdPreviewExport);
    auto* exportBox = new QVBoxLayout(fraExport);
    exportBox->addWidget(chkExportSelected);
    exportBox->addWidget(fraSeparator);
    exportBox->addWidget(chkKeepNumbers);
    exportBox->addWidget(chkOmitHeader);
    exportBox->addWidget(chkCommonLayout);
    exportBox->addStretch(1);
    exportBox->addLayout(exportButtons);

    fraImport = named(new QGroupBox(QStringLiteral("Import"), this), "fraImport");
    auto* startLabel = named(new QLabel(QStringLiteral("St&art at mem number"), fraImport), "lblStart");
    txtStart = named(new QLineEdit(QStringLiteral("1"), fraImport), "txtStart");
    txtStart->setToolTip(tip("Start import at this memory number"));
    txtStart->setMaxLength(3);
    txtStart->setFixedWidth(QFontMetrics(font()).horizontalAdvance(QStringLiteral("0000")) + 12);
    startLabel->setBuddy(txtStart);
    chkUseNumbers =
        checkBox("&Use imported mem numbers", "chkUseNumbers", "Use the imported memory numbers", fraImport);
    chkClearAll = checkBox("&Clear all before import", "chkClearAll",
                           "Clear all existing memories before importing", fraImport);
    chkOmitDuplicates = checkBox("Omit &duplicate frequencies", "chkOmitDuplicates",
                                 "Omit all frequencies already in memory", fraImport);
    cmdImport = button("&Import CSV", "cmdImport", fraImport);
    cmdPreviewImport = button("Pre&view Import", "cmdPreviewImport", fraImport);
    auto* startRow = new QHBoxLayout;
    startRow->addWidget(startLabel);
    startRow->addWidget(txtStart);
    startRow->addStretch(1);
    auto* importButtons = new QHBoxLayout;
    importButtons->addWidget(cmdImport);
    importButtons->addWidget(cmdPreviewImport);
    auto* importBox = new QVBoxLayout(fraImport);
    importBox->addLayout(startRow);
    importBox->addWidget(chkUseNumbers);
    importBox->addWidget(chkClearAll);
    importBox->addWidget(chkOmitDuplicates);
    importBox->addStretch(1);
    importBox->addLayout(importButtons);

    cmdSavePosition = button("&Save size and position", "cmdSavePosition", this);
    cmdClose = button("Cl&ose", "cmdClose", this);
    auto* windowButtons = new QHBoxLayout;
    windowButtons->addWidget(cmdSavePosition);
    windowButtons->addStretch(1);
    windowButtons->addWidget(cmdClose);

    auto* frames = new QHBoxLayout;
    frames->addWidget(fraExport);
    frames->addWidget(fraImport);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(frames);
    layout->addLayout(windowButtons);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    connect(chkExportSelected, &QCheckBox::toggled, this, &frmImportExport::rowPickingChanged);
    connect(chkUseNumbers, &QCheckBox::toggled, txtStart, &QWidget::setDisabled);
    // The common layout always separates with commas.
    connect(chkCommonLayout, &QCheckBox::toggled, fraSeparator, &QWidget::setDisabled);
    connect(cmdExport, &QPushButton::clicked, this, [this] { exportCsv(false); });
    connect(cmdPreviewExport, &QPushButton::clicked, this, [this] { exportCsv(true); });
    connect(cmdImport, &QPushButton::clicked, this, [this] { importCsv(false); });
    connect(cmdPreviewImport, &QPushButton::clicked, this, [this] { importCsv(true); });
    connect(cmdSavePosition, &QPushButton::clicked, this, &frmImportExport::savePosition);
    connect(cmdClose, &QPushButton::clicked, this, &QDialog::reject);
    // Nothing is exported or imported while a transfer of the radio runs.
    connect(&m_state, &AppState::busyChanged, this, &frmImportExport::setBusy);
    setBusy(m_state.busy());

    restorePosition();
}

CsvExportOptions frmImportExport::exportOptions() const
{
    CsvExportOptions options;
    options.onlySelected = chkExportSelected->isChecked();
    options.tab = optTab->isChecked();
    options.keepNumbers = chkKeepNumbers->isChecked();
    options.omitHeader = chkOmitHeader->isChecked();
    options.common = chkCommonLayout->isChecked();
    if (options.onlySelected && m_selectedRows)
        options.selectedRows = m_selectedRows();
    return options;
}

CsvImportOptions frmImportExport::importOptions() const
{
    CsvImportOptions options;
    options.startText = txtStart->text();
    options.useNumbers = chkUseNumbers->isChecked();
    options.clearAll = chkClearAll->isChecked();
    options.omitDuplicates = chkOmitDuplicates->isChecked();
    options.path = m_chosenPath;
    return options;
}

CsvExport::Result frmImportExport::exportCsv(bool preview)
{
    CsvExport csvExport(m_state, m_prompter, m_log, m_csv, exportOptions());
    return csvExport.ExportCsv(preview);
}

CsvImport::Result frmImportExport::importCsv(bool preview)
{
    CsvImportOptions options = importOptions();
    CsvImport csvImport(m_state, m_prompter, m_log, m_csv, options);
    QWidget* main = parentWidget();
    // The windows repaint between records, but nothing the user does reaches
    // them until the import is over.
    csvImport.setYield([this, main] {
        if (main)
            main->setCursor(Qt::WaitCursor);
        setCursor(Qt::WaitCursor);
        QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    });
    const CsvImport::Result result = csvImport.ImportCsv(preview);
    if (main)
        main->unsetCursor();
    unsetCursor();
    // An empty start box has been read as 1, and says so now.
    txtStart->setText(options.startText);
    // What the import did to the memories is shown, placed or not.
    if (result == CsvImport::Result::Imported || result == CsvImport::Result::NoneImported)
        emit memoriesPageWanted();
    if (result == CsvImport::Result::Imported)
        emit imported();
    return result;
}

CsvImport::Result frmImportExport::importFile(const QString& path)
{
    m_chosenPath = path;
    const CsvImport::Result result = importCsv(false);
    m_chosenPath.clear();
    return result;
}

void frmImportExport::savePosition()
{
    Settings::Batch batch(m_settings);
    m_settings.setInt(Keys::ImportExportTop, Twips::fromPixels(pos().y()));
    m_settings.setInt(Keys::ImportExportLeft, Twips::fromPixels(pos().x()));
}

void frmImportExport::restorePosition()
{
    const std::optional<QString> top = m_settings.find(Keys::ImportExportTop);
    const std::optional<QString> left = m_settings.find(Keys::ImportExportLeft);
    if (!top && !left)
        return; // the window system places it over the main window
    QPoint at = parentWidget() ? parentWidget()->pos() : QPoint();
    if (top)
        at.setY(Twips::toPixels(m_settings.getInt(Keys::ImportExportTop, Twips::fromPixels(at.y()))));
    if (left)
        at.setX(Twips::toPixels(m_settings.getInt(Keys::ImportExportLeft, Twips::fromPixels(at.x()))));
    move(at);
}

void frmImportExport::setBusy(bool busy)
{
    for (QPushButton* b : {cmdExport, cmdPreviewExport, cmdImport, cmdPreviewImport})
        b->setEnabled(!busy);
}
