// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

// The bytes of the program's text files: every line ended by CR LF, the
// text in UTF-8 without a byte-order mark, which the reader takes back
// unchanged (plain ASCII files stay byte for byte what older files were).
// SafeFileWriter puts them on disk.
class TextFileWriter {
public:
    static QByteArray encode(const QStringList& lines);
};
