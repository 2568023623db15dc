// SPDX-License-Identifier: GPL-3.0-or-later
#include "InitialMemoryFile.h"

#include "MemoryFile.h"
#include "io/SafeFileWriter.h"
#include "io/TextFileWriter.h"
#include "state/MessageLog.h"
#include "state/Settings.h"

#include <QDir>
#include <QFileInfo>

namespace InitialMemoryFile {

QString pathIn(const QString& folder)
{
    return QDir(folder.isEmpty() ? QDir::currentPath() : folder)
        .filePath(QLatin1String(MemoryFile::kInitialFileName));
}

QString create(const QString& dataFolder, Settings& settings, MessageLog& log)
{
    QString folder = dataFolder;
    if (folder.isEmpty())
        folder = settings.get(Keys::HomeDir);
    const QString path = pathIn(folder);
    // An empty file is what a failed creation used to leave: it is made afresh.
    const QFileInfo info(path);
    if (!info.isFile() || info.size() == 0) {
        QString why;
        if (SafeFileWriter::save(
                path, TextFileWriter::encode({QString::fromLatin1(MemoryFile::kInitialLine)}), &why)) {
            settings.set(Keys::LastOpened, path);
        } else {
            log.notice(QStringLiteral("The initial memory file could not be created (") + why +
                       QStringLiteral("); it will be made at the next start."));
        }
    }
    return path;
}

} // namespace InitialMemoryFile
