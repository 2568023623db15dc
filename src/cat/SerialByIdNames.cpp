// SPDX-License-Identifier: GPL-3.0-or-later
#include "SerialByIdNames.h"

#include <QDir>
#include <QFileInfo>

QString SerialByIdNames::defaultFolder()
{
    return QStringLiteral("/dev/serial/by-id");
}

QString SerialByIdNames::stableName(const QString& device, const QString& folder)
{
    if (device.isEmpty() || folder.isEmpty())
        return {};
    const QString target = QFileInfo(device).canonicalFilePath();
    if (target.isEmpty())
        return {};
    const QDir dir(folder);
    const QString canonicalFolder = QFileInfo(folder).canonicalFilePath();
    // A device already given by its stable name needs no second one.
    if (!canonicalFolder.isEmpty() &&
        QFileInfo(QFileInfo(device).absolutePath()).canonicalFilePath() == canonicalFolder)
        return {};
    // The devices are character files, hence System.
    const QFileInfoList entries =
        dir.entryInfoList(QDir::AllEntries | QDir::System | QDir::NoDotAndDotDot, QDir::Name);
    for (const QFileInfo& entry : entries) {
        if (entry.isSymLink() && entry.canonicalFilePath() == target)
            return dir.path() + QLatin1Char('/') + entry.fileName();
    }
    return {};
}
