// SPDX-License-Identifier: GPL-3.0-or-later
#include "WritePreviewDialog.h"

#include "state/GridLayout.h"

#include <QFont>
#include <QFontDatabase>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

WritePreviewDialog::WritePreviewDialog(const QVector<ChannelDifference>& differences, int refused, int unread,
                                       QWidget* parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("frmWritePreview"));
    setWindowTitle(title());
    setModal(true);

    auto* summary = new QLabel(summaryText(int(differences.size()), refused, unread), this);
    summary->setObjectName(QStringLiteral("lblSummary"));
    summary->setWordWrap(true);

    grdDifferences = new QTableWidget(int(differences.size()), 4, this);
    grdDifferences->setObjectName(QStringLiteral("grdDifferences"));
    grdDifferences->setHorizontalHeaderLabels({QStringLiteral("Slot"), QStringLiteral("In the radio"),
                                               QStringLiteral("In the table"), QStringLiteral("Differs in")});
    grdDifferences->verticalHeader()->hide();
    grdDifferences->setEditTriggers(QAbstractItemView::NoEditTriggers);
    grdDifferences->setSelectionBehavior(QAbstractItemView::SelectRows);
    // Channels side by side read best when their fields line up.
    grdDifferences->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    for (int row = 0; row < differences.size(); ++row) {
        const ChannelDifference& d = differences.at(row);
        const QStringList cells{d.label, d.left, d.right, d.fields.join(QStringLiteral(", "))};
        for (int column = 0; column < cells.size(); ++column)
            grdDifferences->setItem(row, column, new QTableWidgetItem(cells.at(column)));
    }
    grdDifferences->resizeColumnsToContents();
    grdDifferences->horizontalHeader()->setStretchLastSection(true);

    cmdWrite = new QPushButton(QStringLiteral("&Write these channels"), this);
    cmdWrite->setObjectName(QStringLiteral("cmdWrite"));
    cmdWrite->setEnabled(!differences.isEmpty());
    cmdClose = new QPushButton(QStringLiteral("&Close"), this);
    cmdClose->setObjectName(QStringLiteral("cmdClose"));
    // Nothing is sent unless asked for: Return closes.
    cmdClose->setDefault(true);
    connect(cmdWrite, &QPushButton::clicked, this, &QDialog::accept);
    connect(cmdClose, &QPushButton::clicked, this, &QDialog::reject);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(cmdWrite);
    buttons->addWidget(cmdClose);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(summary);
    layout->addWidget(grdDifferences, 1);
    layout->addLayout(buttons);
    resize(Twips::toPixels(12000), Twips::toPixels(6000));
}

QString WritePreviewDialog::title()
{
    return QStringLiteral("Preview write to radio");
}

QString WritePreviewDialog::summaryText(int differences, int refused, int unread)
{
    QString text =
        differences == 0
            ? QStringLiteral("The radio already holds every channel of the table; a write would send "
                             "nothing.")
        : differences == 1
            ? QStringLiteral("A write would send this channel; nothing has been sent yet.")
            : QStringLiteral("A write would send these %1 channels; nothing has been sent yet.")
                  .arg(differences);
    if (refused > 0)
        text += QStringLiteral(" %1 channels would be refused (see the message log).").arg(refused);
    if (unread > 0)
        text += QStringLiteral(" The radio did not answer for %1 channels; they would not be written.")
                    .arg(unread);
    return text;
}
