// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "cat/ChannelComparison.h"

#include <QDialog>
#include <QVector>

class QPushButton;
class QTableWidget;

// What a write would change in the radio, slot by slot: the radio's channel
// beside the table's and what differs. Nothing has been sent; "Write these
// channels" accepts the dialog and the window then runs the write itself.
class WritePreviewDialog : public QDialog {
    Q_OBJECT
public:
    WritePreviewDialog(const QVector<ChannelDifference>& differences, int refused, int unread,
                       QWidget* parent = nullptr);

    static QString title();
    // The line above the list: how many channels a write would send.
    static QString summaryText(int differences, int refused, int unread);

private:
    QTableWidget* grdDifferences = nullptr;
    QPushButton* cmdWrite = nullptr;
    QPushButton* cmdClose = nullptr;
};
