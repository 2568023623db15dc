// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDialog>

class QCheckBox;
class QLabel;
class QPushButton;
class Settings;

// "First time use": the welcome shown at start-up until the user asks not to
// see it again. Closing it, by its button or the close box, stores the
// choice as "FirstTime".
class FirstUseWindow : public QDialog {
    Q_OBJECT
public:
    static QString welcomeText();
    static QString adviceText();

    explicit FirstUseWindow(Settings& settings, QWidget* parent = nullptr);

    void done(int result) override;

private:
    QLabel* lblWelcome = nullptr;
    QLabel* lblAdvice = nullptr;
    QCheckBox* chkDontShow = nullptr;
    QPushButton* cmdClose = nullptr;
    Settings& m_settings;
};
