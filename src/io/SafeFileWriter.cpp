// SPDX-License-Identifier: GPL-3.0-or-later
#include "SafeFileWriter.h"

#include <QDir>
#include <QFileInfo>

SafeFileWriter::SafeFileWriter(const QString& path) : m_path(path), m_file(path) {}

SafeFileWriter::~SafeFileWriter()
{
    if (m_file.isOpen())
        m_file.cancelWriting();
}

QString SafeFileWriter::pathProblem(const QString& path)
{
    if (path.contains(QChar(QChar::ReplacementCharacter)))
        return QStringLiteral("the file name is not valid UTF-8 text, so it cannot be named exactly");
    const QFileInfo info(path);
    // stat() only: a FIFO is never opened, so nothing can hang on it.
    if (info.exists() && !info.isFile())
        return info.isDir() ? QStringLiteral("it is a folder, not a file")
                            : QStringLiteral("it is not a regular file");
    return QString();
}

bool SafeFileWriter::isReadOnly(const QFileInfo& info)
{
    return !info.isWritable() || !(info.permissions() & QFileDevice::WriteOwner);
}

bool SafeFileWriter::fail(Step step, int number, const QString& text)
{
    m_step = step;
    m_number = number;
    m_text = text.isEmpty() || text == QLatin1String("Unknown error")
                 ? QStringLiteral("Not all of the data could be written")
                 : text;
    if (m_file.isOpen())
        m_file.cancelWriting();
    return false;
}

bool SafeFileWriter::write(const QByteArray& bytes)
{
    m_step = Step::None;
    const QString problem = pathProblem(m_path);
    if (!problem.isEmpty())
        return fail(Step::Create, int(QFileDevice::OpenError), problem);
    if (!m_file.open(QIODevice::WriteOnly))
        return fail(Step::Create, int(m_file.error()), m_file.errorString());
    qint64 done = 0;
    while (done < bytes.size()) {
        const qint64 n = m_file.write(bytes.constData() + done, bytes.size() - done);
        if (n <= 0)
            return fail(Step::Write, int(QFileDevice::WriteError), m_file.errorString());
        done += n;
    }
    // The bytes may still sit in the buffer; only a good flush puts them on disk.
    if (!m_file.flush() || m_file.error() != QFileDevice::NoError)
        return fail(Step::Write, int(QFileDevice::WriteError), m_file.errorString());
    return true;
}

bool SafeFileWriter::commit()
{
    if (!m_file.isOpen())
        return fail(Step::Replace, int(QFileDevice::WriteError), m_text);
    if (!m_file.flush())
        return fail(Step::Write, int(QFileDevice::WriteError), m_file.errorString());
    if (!m_file.commit()) {
        m_step = Step::Replace;
        m_number = int(m_file.error() != QFileDevice::NoError ? m_file.error() : QFileDevice::RenameError);
        m_text = m_file.errorString();
        return false;
    }
    return true;
}

void SafeFileWriter::cancel()
{
    if (m_file.isOpen())
        m_file.cancelWriting();
}

bool SafeFileWriter::save(const QString& path, const QByteArray& bytes, QString* why)
{
    SafeFileWriter writer(path);
    if (writer.write(bytes) && writer.commit())
        return true;
    if (why)
        *why = QDir::toNativeSeparators(path) + QStringLiteral(": ") + writer.errorText();
    return false;
}
