// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QWidget>

class QLabel;
class QPushButton;

// The main window's row of five buttons, tinted by what they work on (the
// radio or a file), and the radio-type label after them. The window connects
// the buttons to its commands.
class ButtonBar : public QWidget {
    Q_OBJECT
public:
    explicit ButtonBar(QWidget* parent);

    QPushButton* read = nullptr;
    QPushButton* writeRig = nullptr;
    QPushButton* loadFile = nullptr;
    QPushButton* saveToDisk = nullptr;
    QPushButton* importExport = nullptr;
    QLabel* rigType = nullptr;
};
