// SPDX-License-Identifier: GPL-3.0-or-later
#include "RadioBackup.h"

#include "DescriptionFile.h"
#include "MemoryFile.h"
#include "io/SafeFileWriter.h"
#include "io/TextFileWriter.h"
#include "state/AppState.h"

#include <QDir>
#include <QFileInfo>

RadioBackup::RadioBackup(const QString& folder, int descriptionWidth, const QDateTime& when)
    : m_folder(folder.isEmpty() ? QDir::currentPath() : folder), m_descriptionWidth(descriptionWidth),
      m_when(when)
{
}

QString RadioBackup::fileNameFor(const QDateTime& when)
{
    return QStringLiteral("Radio backup ") + when.toString(QStringLiteral("yyyy-MM-dd HHmm")) +
           QLatin1String(MemoryFile::kExtension);
}

bool RadioBackup::add(const QString& reply)
{
    m_error.clear();
    if (m_path.isEmpty() && !create())
        return false;
    // A description file removed while the write runs is put back, so the
    // backup opens as a pair again.
    const QString descriptions = DescriptionFile::pathFor(m_path);
    if (!QFileInfo(descriptions).isFile() && !writeDescriptions(descriptions))
        return false;
    QString line = reply;
    if (line.size() >= 2)
        line[1] = QLatin1Char('W');
    m_lines << line;
    // A failed rewrite leaves the file as it was, with every channel backed
    // up so far; the caller then stops before replacing this one.
    if (writeFile(m_path, m_lines))
        return true;
    m_lines.removeLast();
    return false;
}

bool RadioBackup::writeDescriptions(const QString& path)
{
    AppState empty;
    empty.setDescriptionColumnWidth(m_descriptionWidth);
    return writeFile(path, DescriptionFile::compose(empty));
}

bool RadioBackup::create()
{
    if (!QDir().mkpath(m_folder)) {
        m_error = QStringLiteral("the folder ") + QDir::toNativeSeparators(m_folder) +
                  QStringLiteral(" cannot be made");
        return false;
    }
    // Two writes in one minute each keep their own backup: the second never
    // replaces the radio's older content the first one kept.
    const QDir folder(m_folder);
    const QString base = fileNameFor(m_when);
    QString path = folder.absoluteFilePath(base);
    for (int n = 2; QFileInfo::exists(path) || QFileInfo::exists(DescriptionFile::pathFor(path)); ++n)
        path =
            folder.absoluteFilePath(base.chopped(int(qstrlen(MemoryFile::kExtension))) +
                                    QStringLiteral(" (%1)").arg(n) + QLatin1String(MemoryFile::kExtension));

    if (!writeDescriptions(DescriptionFile::pathFor(path)))
        return false;
    m_path = path;
    return true;
}

bool RadioBackup::writeFile(const QString& path, const QStringList& lines)
{
    return SafeFileWriter::save(path, TextFileWriter::encode(lines), &m_error);
}
