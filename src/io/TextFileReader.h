// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

class QIODevice;

// Reads the program's text files (memory, description and CSV files) as
// lines. Files come from other computers and programs, so the bytes are
// taken as UTF-8 when they are valid UTF-8 and as Windows-1252 otherwise;
// lines may end in CR LF, LF or CR.
class TextFileReader {
public:
    // The largest file and the longest line any of these files may have. A
    // full memory file is about 3.5 KB and a CSV file of 100 records about
    // 10 KB, so anything near these limits is not one of our files; it is
    // refused before it is read whole or split into lines.
    static constexpr qint64 kMaxFileBytes = 1024 * 1024;
    static constexpr int kMaxLineLength = 4096;

    // Reads the whole device. False (with errorNumber and errorText set) when
    // the device cannot be read or is beyond the limits above (tooLarge());
    // lines then stays empty.
    bool read(QIODevice& device);

    const QStringList& lines() const { return m_lines; }
    int errorNumber() const { return m_errorNumber; }
    QString errorText() const { return m_errorText; }
    bool tooLarge() const { return m_tooLarge; }

    // The text of a file's bytes, by the rule above (a UTF-8 byte-order mark
    // is dropped).
    static QString decode(const QByteArray& bytes);
    // The lines of a text; a final line end does not start another line.
    static QStringList splitLines(const QString& text);

private:
    bool refuse(const QString& why);

    QStringList m_lines;
    bool m_tooLarge = false;
    int m_errorNumber = 0;
    QString m_errorText;
};
