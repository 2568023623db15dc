// SPDX-License-Identifier: GPL-3.0-or-later
#include "LeftoverUndoFiles.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>

#ifdef Q_OS_UNIX
#include <cerrno>
#include <signal.h>
#include <unistd.h>
#endif

namespace LeftoverUndoFiles {

int remove(const QString& folder)
{
#ifdef Q_OS_UNIX
    static const QRegularExpression name(QStringLiteral("^Quaystone-(\\d+)-[^/]+\\.undo$"));
    int removed = 0;
    const QFileInfoList files =
        QDir(folder).entryInfoList({QStringLiteral("Quaystone-*.undo")}, QDir::Files | QDir::Hidden);
    for (const QFileInfo& info : files) {
        const QRegularExpressionMatch match = name.match(info.fileName());
        if (!match.hasMatch() || info.isSymLink() || info.ownerId() != uint(getuid()))
            continue;
        bool ok = false;
        const qint64 pid = match.captured(1).toLongLong(&ok);
        if (!ok || pid <= 0 || pid == QCoreApplication::applicationPid() || pid > qint64(INT32_MAX))
            continue;
        // Only a process that certainly no longer exists; EPERM means it does.
        if (kill(pid_t(pid), 0) == 0 || errno != ESRCH)
            continue;
        if (QFile::remove(info.absoluteFilePath()))
            ++removed;
    }
    return removed;
#else
    Q_UNUSED(folder)
    return 0;
#endif
}

} // namespace LeftoverUndoFiles
