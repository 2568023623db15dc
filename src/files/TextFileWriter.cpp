#include "TextFileWriter.h"

#include <QIODevice>

QByteArray TextFileWriter::encode(const QStringList& lines)
{
    QByteArray bytes;
    for (const QString& line : lines) {
        bytes += line.toUtf8();
        bytes += "\r\n";
    }
    return bytes;
}

bool TextFileWriter::write(QIODevice& device, const QByteArray& bytes)
{
    m_errorText.clear();
    qint64 done = 0;
    while (done < bytes.size()) {
        const qint64 n = device.write(bytes.constData() + done, bytes.size() - done);
        if (n <= 0) {
            m_errorText = device.errorString();
            if (m_errorText.isEmpty() || m_errorText == QLatin1String("Unknown error"))
                m_errorText = QStringLiteral("Not all of the data could be written");
            return false;
        }
        done += n;
    }
    return true;
}
