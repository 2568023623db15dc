// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDialog>

class DesktopOpener;
class QLabel;
class QPushButton;

// "About Quaystone": title, version, what the program is for, its licence and
// a link to the project's home page.
class AboutWindow : public QDialog {
    Q_OBJECT
public:
    static QString versionText();
    static QString descriptionText();
    static QString licenceText();

    explicit AboutWindow(const DesktopOpener& opener, QWidget* parent = nullptr);

private:
    QLabel* lblTitle = nullptr;
    QLabel* lblVersion = nullptr;
    QLabel* lblDescription = nullptr;
    QLabel* lblLicence = nullptr;
    QLabel* lblLink = nullptr;
    QPushButton* cmdOK = nullptr;
};
