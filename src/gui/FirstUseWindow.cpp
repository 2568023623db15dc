// SPDX-License-Identifier: GPL-3.0-or-later
#include "FirstUseWindow.h"

#include "state/GridLayout.h"
#include "state/Settings.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

QString FirstUseWindow::welcomeText()
{
    return QStringLiteral("Welcome to Quaystone.");
}

QString FirstUseWindow::adviceText()
{
    return QStringLiteral(
        "You are encouraged to look through the Help file to become familiar with the procedures "
        "for using the program. You can show the Help file by pressing F1 from the main program "
        "window.");
}

FirstUseWindow::FirstUseWindow(Settings& settings, QWidget* parent) : QDialog(parent), m_settings(settings)
{
    setObjectName(QStringLiteral("frmFirstUse"));
    setWindowTitle(QStringLiteral("First time use"));
    setFont(QFont(QStringLiteral("Tahoma"), 8));

    lblWelcome = new QLabel(welcomeText(), this);
    lblWelcome->setObjectName(QStringLiteral("lblWelcome"));
    QFont big = lblWelcome->font();
    big.setPointSize(12);
    big.setBold(true);
    lblWelcome->setFont(big);
    lblAdvice = new QLabel(adviceText(), this);
    lblAdvice->setObjectName(QStringLiteral("lblAdvice"));
    lblAdvice->setWordWrap(true);
    lblAdvice->setMinimumWidth(Twips::toPixels(5400));
    chkDontShow = new QCheckBox(QStringLiteral("&Don't show this screen again"), this);
    chkDontShow->setObjectName(QStringLiteral("chkDontShow"));
    cmdClose = new QPushButton(QStringLiteral("&Close this window"), this);
    cmdClose->setObjectName(QStringLiteral("cmdClose"));
    cmdClose->setDefault(true);
    connect(cmdClose, &QPushButton::clicked, this, &QDialog::accept);

    auto* bottom = new QHBoxLayout;
    bottom->addWidget(chkDontShow);
    bottom->addStretch(1);
    bottom->addWidget(cmdClose);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(lblWelcome);
    layout->addSpacing(Twips::toPixels(120));
    layout->addWidget(lblAdvice);
    layout->addSpacing(Twips::toPixels(240));
    layout->addLayout(bottom);
}

void FirstUseWindow::done(int result)
{
    // The close box counts as "Close this window": the check box decides either way.
    m_settings.set(Keys::FirstTime, chkDontShow->isChecked() ? QStringLiteral("1") : QStringLiteral("0"));
    QDialog::done(result);
}
