#include "InitialMemoryFile.h"

#include "MemoryFile.h"
#include "TextFileWriter.h"
#include "app/AppState.h"
#include "app/MessageLog.h"
#include "app/Settings.h"

#include <QDir>
#include <QFileInfo>
#include <QSaveFile>

namespace InitialMemoryFile {

QString pathIn(const QString& folder)
{
    return QDir(folder.isEmpty() ? QDir::currentPath() : folder)
        .filePath(QLatin1String(MemoryFile::kInitialFileName));
}

bool create(AppState& state, Settings& settings, MessageLog& log)
{
    QString folder = state.dataFolder;
    if (folder.isEmpty())
        folder = settings.get(Keys::HomeDir);
    const QString path = pathIn(folder);
    bool exists = QFileInfo(path).isFile();
    if (!exists) {
        QSaveFile file(path);
        TextFileWriter writer;
        if (file.open(QIODevice::WriteOnly) &&
            writer.write(file, TextFileWriter::encode({QString::fromLatin1(MemoryFile::kInitialLine)})) &&
            file.commit()) {
            settings.set(Keys::LastOpened, path);
            exists = true;
        } else {
            log.notice(QStringLiteral("The initial memory file ") + path +
                       QStringLiteral(" could not be created: ") + file.errorString());
        }
    }
    state.startupFilePath = path;
    return exists;
}

} // namespace InitialMemoryFile
