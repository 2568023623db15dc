// SPDX-License-Identifier: GPL-3.0-or-later
#include "TextFileReader.h"

#include <QFileDevice>
#include <QIODevice>
#include <QStringDecoder>

namespace {
// Windows-1252 differs from Latin-1 only in 0x80..0x9F; the five unused
// codes there keep their Latin-1 (control) meaning.
constexpr char16_t kCp1252High[32] = {0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
                                      0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
                                      0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
                                      0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

QString fromCp1252(const QByteArray& bytes)
{
    QString text;
    text.reserve(bytes.size());
    for (const char byte : bytes) {
        const auto b = static_cast<unsigned char>(byte);
        text.append(b >= 0x80 && b <= 0x9F ? QChar(kCp1252High[b - 0x80]) : QChar(b));
    }
    return text;
}
} // namespace

QString TextFileReader::decode(const QByteArray& bytes)
{
    QByteArray data = bytes;
    if (data.startsWith("\xEF\xBB\xBF"))
        data.remove(0, 3);
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    const QString text = utf8.decode(data);
    if (!utf8.hasError())
        return text;
    return fromCp1252(data);
}

QStringList TextFileReader::splitLines(const QString& text)
{
    QStringList lines;
    int start = 0;
    const int size = int(text.size());
    for (int i = 0; i < size; ++i) {
        const QChar c = text.at(i);
        if (c != QLatin1Char('\r') && c != QLatin1Char('\n'))
            continue;
        lines << text.mid(start, i - start);
        if (c == QLatin1Char('\r') && i + 1 < size && text.at(i + 1) == QLatin1Char('\n'))
            ++i;
        start = i + 1;
    }
    if (start < size)
        lines << text.mid(start);
    return lines;
}

bool TextFileReader::refuse(const QString& why)
{
    m_lines.clear();
    m_tooLarge = true;
    m_errorNumber = -1;
    m_errorText = why;
    return false;
}

bool TextFileReader::read(QIODevice& device)
{
    m_lines.clear();
    m_errorNumber = 0;
    m_errorText.clear();
    m_tooLarge = false;
    const QString tooBig = QStringLiteral("it is larger than %1 KB, more than such a file can be")
                               .arg(kMaxFileBytes / 1024);
    if (!device.isOpen() && !device.open(QIODevice::ReadOnly)) {
        auto* file = qobject_cast<QFileDevice*>(&device);
        m_errorNumber = file ? int(file->error()) : -1;
        m_errorText = device.errorString();
        return false;
    }
    if (!device.isSequential() && device.size() - device.pos() > kMaxFileBytes)
        return refuse(tooBig);
    QByteArray bytes;
    for (;;) {
        const QByteArray chunk = device.read(64 * 1024);
        if (chunk.isEmpty()) {
            // An empty read is the end of the data, unless the device says
            // it failed.
            auto* file = qobject_cast<QFileDevice*>(&device);
            const bool failed = file ? file->error() != QFileDevice::NoError : !device.atEnd();
            if (failed) {
                m_errorNumber = file ? int(file->error()) : -1;
                m_errorText = device.errorString();
                return false;
            }
            break;
        }
        bytes += chunk;
        // A device that does not know its size (a pipe) is cut off here.
        if (bytes.size() > kMaxFileBytes)
            return refuse(tooBig);
    }
    const QStringList lines = splitLines(decode(bytes));
    for (int i = 0; i < lines.size(); ++i) {
        if (lines.at(i).size() > kMaxLineLength)
            return refuse(QStringLiteral("line %1 is longer than %2 characters, more than such a file has")
                              .arg(i + 1)
                              .arg(kMaxLineLength));
    }
    m_lines = lines;
    return true;
}
