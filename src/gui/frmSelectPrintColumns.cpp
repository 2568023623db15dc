// SPDX-License-Identifier: GPL-3.0-or-later
#include "frmSelectPrintColumns.h"

#include "state/Settings.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace {

constexpr const char* kColumnCaptions[7] = {"",
                                            "&Frequency (10)",
                                            "&Mode (6)",
                                            "&Repeater shift (8)",
                                            "&Encoding method (9)",
                                            "CTCSS &tone (6)",
                                            "Descr&iption (15)"};

} // namespace

frmSelectPrintColumns::frmSelectPrintColumns(Settings& settings, QWidget* parent)
    : QDialog(parent), m_settings(settings)
{
    setObjectName(QStringLiteral("frmSelectPrintColumns"));
    setWindowTitle(QString::fromLatin1(kCaption));
    setFont(QFont(QStringLiteral("Tahoma"), 8));
    setModal(true);

    auto* columnsLabel = new QLabel(QStringLiteral("Memory column (print field width)"), this);
    columnsLabel->setObjectName(QStringLiteral("lblColumns"));
    auto* columnsBox = new QVBoxLayout;
    columnsBox->addWidget(columnsLabel);
    for (int column = PrintOptions::kFirstColumn; column <= PrintOptions::kLastColumn; ++column) {
        auto* box = new QCheckBox(columnCaption(column), this);
        box->setObjectName(QStringLiteral("chkColumn%1").arg(column));
        connect(box, &QCheckBox::clicked, this, &frmSelectPrintColumns::updateWidthLabel);
        columnsBox->addWidget(box);
        m_columns[column] = box;
    }
    m_widthLabel = new QLabel(this);
    m_widthLabel->setObjectName(QStringLiteral("lblWidth"));
    columnsBox->addWidget(m_widthLabel);
    columnsBox->addStretch();

    auto* orientation = new QGroupBox(QStringLiteral("Print orientation"), this);
    orientation->setObjectName(QStringLiteral("fraOrientation"));
    m_landscape = new QRadioButton(QStringLiteral("&Landscape"), orientation);
    m_landscape->setObjectName(QStringLiteral("optLandscape"));
    m_portrait = new QRadioButton(QStringLiteral("&Portrait"), orientation);
    m_portrait->setObjectName(QStringLiteral("optPortrait"));
    auto* orientationBox = new QVBoxLayout(orientation);
    orientationBox->addWidget(m_landscape);
    orientationBox->addWidget(m_portrait);

    m_duplex = new QCheckBox(QStringLiteral("Print d&uplex"), this);
    m_duplex->setObjectName(QStringLiteral("chkDuplex"));

    auto* marginLabel = new QLabel(QStringLiteral("Top mar&gin"), this);
    marginLabel->setObjectName(QStringLiteral("lblTopMargin"));
    m_topMargin = new QComboBox(this);
    m_topMargin->setObjectName(QStringLiteral("cboTopMargin"));
    m_topMargin->addItems(PrintOptions::marginCaptions());
    marginLabel->setBuddy(m_topMargin);

    auto* pageBox = new QVBoxLayout;
    pageBox->addWidget(orientation);
    pageBox->addWidget(m_duplex);
    pageBox->addWidget(marginLabel);
    pageBox->addWidget(m_topMargin);
    pageBox->addStretch();

    auto* buttons = new QDialogButtonBox(this);
    QPushButton* ok = buttons->addButton(QStringLiteral("&OK"), QDialogButtonBox::AcceptRole);
    ok->setObjectName(QStringLiteral("cmdOK"));
    ok->setDefault(true);
    QPushButton* cancel = buttons->addButton(QStringLiteral("&Cancel"), QDialogButtonBox::RejectRole);
    cancel->setObjectName(QStringLiteral("cmdCancel"));
    connect(buttons, &QDialogButtonBox::accepted, this, &frmSelectPrintColumns::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &frmSelectPrintColumns::reject);

    auto* body = new QHBoxLayout;
    body->addLayout(columnsBox);
    body->addSpacing(16);
    body->addLayout(pageBox);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(body);
    layout->addWidget(buttons);
    setFixedSize(sizeHint());

    loadOptions();
}

QString frmSelectPrintColumns::columnCaption(int column)
{
    return column >= PrintOptions::kFirstColumn && column <= PrintOptions::kLastColumn
               ? QString::fromLatin1(kColumnCaptions[column])
               : QString();
}

void frmSelectPrintColumns::loadOptions()
{
    showOptions(PrintOptions::load(m_settings));
}

void frmSelectPrintColumns::showOptions(const PrintOptions& options)
{
    for (int column = PrintOptions::kFirstColumn; column <= PrintOptions::kLastColumn; ++column)
        m_columns[column]->setChecked(options.columns[column]);
    m_landscape->setChecked(options.landscape);
    m_portrait->setChecked(!options.landscape);
    m_duplex->setChecked(options.duplex);
    // The list holds only its captions; a stored text that is none of them
    // prints as "1 inch", so the list shows that.
    int index = m_topMargin->findText(options.topMargin);
    if (index < 0)
        index = m_topMargin->findText(QStringLiteral("1 inch"));
    m_topMargin->setCurrentIndex(index);
    updateWidthLabel();
}

PrintOptions frmSelectPrintColumns::shownOptions() const
{
    PrintOptions options;
    for (int column = PrintOptions::kFirstColumn; column <= PrintOptions::kLastColumn; ++column)
        options.columns[column] = m_columns[column]->isChecked();
    options.landscape = m_landscape->isChecked();
    options.duplex = m_duplex->isChecked();
    options.topMargin = m_topMargin->currentText();
    return options;
}

void frmSelectPrintColumns::updateWidthLabel()
{
    m_widthLabel->setText(shownOptions().widthLabel());
}

void frmSelectPrintColumns::accept()
{
    shownOptions().save(m_settings);
    QDialog::accept();
}

void frmSelectPrintColumns::reject()
{
    loadOptions();
    QDialog::reject();
}
