// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QString>

// Small helpers shared by the file tests.
namespace FileTestSupport {

inline QString dataPath(const char* name)
{
    return QDir(QStringLiteral(QUAYSTONE_TEST_DATA)).filePath(QString::fromLatin1(name));
}

inline QByteArray readBytes(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return QByteArray("<missing>");
    return file.readAll();
}

inline bool writeBytes(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

// The header line of the program's own CSV layout.
constexpr char kCsvHeader[] =
    "Memory,RX Freq,RX Mode,Shift,TX Shift/Freq,TX Mode,CTCSS/DCS,Tone/Code,Show,Name,Scan,"
    "Group,Description";

} // namespace FileTestSupport
