// SPDX-License-Identifier: GPL-3.0-or-later
#include "StartupDialogs.h"

#include "FirstUseWindow.h"
#include "state/Prompter.h"
#include "state/Settings.h"

#include <QDir>
#include <QStandardPaths>

void StartupDialogs::showFirstUse(QWidget* parent, Settings& settings)
{
    FirstUseWindow window(settings, parent);
    window.exec();
}

QString StartupDialogs::chooseDataFolder(QWidget*, Settings& settings, Prompter& prompter,
                                         const QString& currentFolder)
{
    // The browser starts at the desktop unless a folder is already chosen.
    QString start = currentFolder;
    if (start.isEmpty())
        start = QStandardPaths::writableLocation(QStandardPaths::DesktopLocation);
    // Many Linux desktops have no desktop folder; the home folder is the next best start.
    if (!QDir(start).exists())
        start = QDir::homePath();
    const QString folder = prompter.chooseFolder(QString::fromLatin1(kFolderTitle), start);
    if (folder.isEmpty())
        return {};
    const QString native = QDir::toNativeSeparators(folder);
    settings.set(Keys::HomeDir, native);
    return native;
}
