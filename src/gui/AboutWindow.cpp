// SPDX-License-Identifier: GPL-3.0-or-later
#include "AboutWindow.h"

#include "Version.h"
#include "state/DesktopOpener.h"
#include "state/GridLayout.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QUrl>
#include <QVBoxLayout>

QString AboutWindow::versionText()
{
    return QStringLiteral("Version %1.%2.%3")
        .arg(QUAYSTONE_VERSION_MAJOR)
        .arg(QUAYSTONE_VERSION_MINOR)
        .arg(QUAYSTONE_VERSION_PATCH);
}

QString AboutWindow::descriptionText()
{
    return QStringLiteral("Reads, edits, stores and writes back the memory channels of your HF transceiver.");
}

QString AboutWindow::licenceText()
{
    return QStringLiteral("Licensed under the GNU General Public License, version 3 or later.");
}

AboutWindow::AboutWindow(const DesktopOpener& opener, QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("frmAbout"));
    setWindowTitle(QStringLiteral("About Quaystone"));
    setFont(QFont(QStringLiteral("Tahoma"), 8));

    lblTitle = new QLabel(QStringLiteral("Quaystone"), this);
    lblTitle->setObjectName(QStringLiteral("lblTitle"));
    QFont big = lblTitle->font();
    big.setPointSize(14);
    big.setBold(true);
    lblTitle->setFont(big);
    lblVersion = new QLabel(versionText(), this);
    lblVersion->setObjectName(QStringLiteral("lblVersion"));
    lblDescription = new QLabel(descriptionText(), this);
    lblDescription->setObjectName(QStringLiteral("lblDescription"));
    lblLicence = new QLabel(licenceText(), this);
    lblLicence->setObjectName(QStringLiteral("lblLicence"));
    lblLink = new QLabel(this);
    lblLink->setObjectName(QStringLiteral("lblLink"));
    const QString address = QString::fromLatin1(DesktopOpener::kHomePage);
    lblLink->setText(QStringLiteral("<a href=\"%1\">%1</a>").arg(address.toHtmlEscaped()));
    lblLink->setTextFormat(Qt::RichText);
    lblLink->setTextInteractionFlags(Qt::LinksAccessibleByMouse | Qt::LinksAccessibleByKeyboard);
    lblLink->setCursor(Qt::PointingHandCursor);
    connect(lblLink, &QLabel::linkActivated, this,
            [&opener](const QString& link) { opener.open(QUrl(link)); });
    cmdOK = new QPushButton(QStringLiteral("&OK"), this);
    cmdOK->setObjectName(QStringLiteral("cmdOK"));
    cmdOK->setDefault(true);
    connect(cmdOK, &QPushButton::clicked, this, &QDialog::accept);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(cmdOK);
    auto* layout = new QVBoxLayout(this);
    layout->setSpacing(Twips::toPixels(90));
    layout->addWidget(lblTitle);
    layout->addWidget(lblVersion);
    layout->addWidget(lblDescription);
    layout->addWidget(lblLicence);
    layout->addWidget(lblLink);
    layout->addSpacing(Twips::toPixels(120));
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}
