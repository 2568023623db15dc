// SPDX-License-Identifier: GPL-3.0-or-later
#include "TextFileWriter.h"

QByteArray TextFileWriter::encode(const QStringList& lines)
{
    QByteArray bytes;
    for (const QString& line : lines) {
        bytes += line.toUtf8();
        bytes += "\r\n";
    }
    return bytes;
}
