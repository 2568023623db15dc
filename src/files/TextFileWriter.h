#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

class QIODevice;

// Writes the program's text files: every line ended by CR LF, the text in
// UTF-8 without a byte-order mark, which the reader takes back unchanged
// (plain ASCII files stay byte for byte what older files were).
class TextFileWriter {
public:
    static QByteArray encode(const QStringList& lines);

    // Writes all of bytes; false with errorText set when the device took
    // fewer bytes or failed.
    bool write(QIODevice& device, const QByteArray& bytes);
    QString errorText() const { return m_errorText; }

private:
    QString m_errorText;
};
