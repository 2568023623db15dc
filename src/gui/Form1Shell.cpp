// SPDX-License-Identifier: GPL-3.0-or-later
// The main window's help menu and its port detector.
#include "AboutWindow.h"
#include "ComPortDetector.h"
#include "Form1.h"
#include "state/Prompter.h"
#include "cat/CatLink.h"
#include "cat/PortDirectory.h"

#include <QAction>
#include <QCoreApplication>
#include <QDesktopServices>
#include <QDir>

void Form1::connectShellWindows()
{
    m_desktop.setHook([](const QUrl& url) { return QDesktopServices::openUrl(url); });
    m_helpFile = DesktopOpener::userGuidePath(QCoreApplication::applicationDirPath());

    connect(mnuComPortIdentifier, &QAction::triggered, this, &Form1::showComPortDetector);
    connect(mnuHelp, &QAction::triggered, this, [this] {
        // With no program for HTML on this desktop, say where the guide is.
        if (!m_desktop.openFile(m_helpFile))
            m_prompter->inform(guideNotOpenedText(m_helpFile), Prompter::Icon::Information);
    });
    connect(mnuCheckForUpdates, &QAction::triggered, this,
            [this] { m_desktop.open(QUrl(QString::fromLatin1(DesktopOpener::kDownloadPage))); });
    connect(mnuAbout, &QAction::triggered, this, [this] {
        AboutWindow about(m_desktop, this);
        about.exec();
    });
}

QString Form1::guideNotOpenedText(const QString& path)
{
    return QStringLiteral("The user guide could not be opened: this desktop has no program to show it.") +
           QStringLiteral("\r\n\r\nOpen it in a web browser yourself:\r\n") + QDir::toNativeSeparators(path) +
           QStringLiteral("\r\n\r\nor read it on the web at ") +
           QString::fromLatin1(DesktopOpener::kHomePage);
}

void Form1::showComPortDetector()
{
    // The ports are tried with the line settings the CAT link would use.
    const CatLink::Options link = CatLink::Options::fromSettings(*m_settings);
    int baud = CatLink::baudOf(link.userSpeed);
    if (baud == 0)
        baud = CatLink::baudOf(QString::fromLatin1(CatLink::kDefaultSpeed));
    QList<QAction*> items;
    for (int n = 1; n <= 16; ++n)
        items.append(mnuCom[n]);
    ComPortDetector detector(PortDirectory(*m_settings), baud, !link.noRts, items, m_desktop, this);
    detector.exec();
}
