// SPDX-License-Identifier: GPL-3.0-or-later
#include "RecentFiles.h"

#include "Settings.h"

#include <QFileInfo>

namespace RecentFiles {

namespace {
QStringList stored(const Settings& settings)
{
    QStringList paths;
    for (const SettingKey& key : Keys::RecentFile) {
        const QString path = settings.get(key);
        if (!path.isEmpty())
            paths << path;
    }
    return paths;
}
} // namespace

QStringList list(const Settings& settings)
{
    QStringList paths;
    for (const QString& path : stored(settings)) {
        if (QFileInfo(path).isFile())
            paths << path;
    }
    return paths;
}

void add(Settings& settings, const QString& path)
{
    if (path.isEmpty())
        return;
    const QString full = QFileInfo(path).absoluteFilePath();
    QStringList paths = stored(settings);
    if (!paths.isEmpty() && paths.first() == full)
        return; // nothing to write
    paths.removeAll(full);
    paths.prepend(full);
    Settings::Batch batch(settings);
    for (int i = 0; i < kLimit; ++i)
        settings.set(Keys::RecentFile[i], paths.value(i));
}

} // namespace RecentFiles
