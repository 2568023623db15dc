#include "UndoSnapshot.h"

#include "ChannelTable.h"
#include "files/SafeFileWriter.h"

#include <QCoreApplication>
#include <QDataStream>
#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>
#include <QTemporaryFile>

#ifdef Q_OS_UNIX
#include <cerrno>
#include <signal.h>
#include <unistd.h>
#endif

namespace {
constexpr quint32 kMagic = 0x51554e44; // "QUND"
}

QString UndoSnapshot::fileTemplate(qint64 pid)
{
    // The process id in the name tells a later run whether the file is still in use.
    return QStringLiteral("Quaystone-%1-XXXXXX.undo").arg(pid);
}

int UndoSnapshot::removeStale(const QString& folder)
{
#ifdef Q_OS_UNIX
    static const QRegularExpression name(QStringLiteral("^Quaystone-(\\d+)-[^/]+\\.undo$"));
    int removed = 0;
    const QFileInfoList files =
        QDir(folder).entryInfoList({QStringLiteral("Quaystone-*.undo")}, QDir::Files | QDir::Hidden);
    for (const QFileInfo& info : files) {
        const QRegularExpressionMatch match = name.match(info.fileName());
        if (!match.hasMatch() || info.isSymLink() || info.ownerId() != uint(getuid()))
            continue;
        bool ok = false;
        const qint64 pid = match.captured(1).toLongLong(&ok);
        if (!ok || pid <= 0 || pid == QCoreApplication::applicationPid() || pid > qint64(INT32_MAX))
            continue;
        // Only a process that certainly no longer exists; EPERM means it does.
        if (kill(pid_t(pid), 0) == 0 || errno != ESRCH)
            continue;
        if (QFile::remove(info.absoluteFilePath()))
            ++removed;
    }
    return removed;
#else
    Q_UNUSED(folder)
    return 0;
#endif
}

UndoSnapshot::UndoSnapshot()
    : m_file(std::make_unique<QTemporaryFile>(QDir::tempPath() + QLatin1Char('/') +
                                              fileTemplate(QCoreApplication::applicationPid())))
{
    // QTemporaryFile creates the file readable and writable by its owner
    // only; it only reserves the name, each snapshot replaces it whole.
    if (m_file->open())
        m_file->close();
}

UndoSnapshot::~UndoSnapshot() = default;

QString UndoSnapshot::fileName() const
{
    return m_file->fileName();
}

QString UndoSnapshot::caption() const
{
    return QStringLiteral("Undo last ") + m_label;
}

bool UndoSnapshot::take(const ChannelTable& table, const QString& label)
{
    // The previous snapshot is of an older table: once this one fails, undoing
    // to it would undo more than the last change.
    m_available = false;
    m_error.clear();
    if (m_file->fileName().isEmpty()) {
        if (!m_file->open()) {
            m_error =
                QDir::toNativeSeparators(QDir::tempPath()) + QStringLiteral(": ") + m_file->errorString();
            return false;
        }
        m_file->close();
    }
    QByteArray bytes;
    QDataStream out(&bytes, QIODevice::WriteOnly);
    out << kMagic << table.dataRows();
    if (out.status() != QDataStream::Ok) {
        m_error = QStringLiteral("the table could not be copied");
        return false;
    }
    if (!SafeFileWriter::save(m_file->fileName(), bytes, &m_error))
        return false;
    m_label = label;
    m_available = true;
    return true;
}

bool UndoSnapshot::restore(ChannelTable& table)
{
    if (!m_available)
        return false;
    QFile file(m_file->fileName());
    if (!file.open(QIODevice::ReadOnly))
        return false;
    QDataStream in(&file);
    quint32 magic = 0;
    QVector<QStringList> rows;
    in >> magic >> rows;
    if (in.status() != QDataStream::Ok || magic != kMagic || rows.size() != table.rowCount())
        return false;
    table.setDataRows(rows);
    m_available = false;
    return true;
}
