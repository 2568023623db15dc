#include "UndoSnapshot.h"

#include "ChannelTable.h"

#include <QDataStream>
#include <QDir>
#include <QTemporaryFile>

namespace {
constexpr quint32 kMagic = 0x51554e44; // "QUND"
}

UndoSnapshot::UndoSnapshot()
    : m_file(std::make_unique<QTemporaryFile>(QDir::tempPath() + QStringLiteral("/Quaystone-XXXXXX.undo")))
{
    // QTemporaryFile creates the file readable and writable by its owner only.
    m_file->open();
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
    m_available = false;
    if (!m_file->isOpen() && !m_file->open())
        return false;
    m_file->resize(0);
    m_file->seek(0);
    QDataStream out(m_file.get());
    out << kMagic << table.dataRows();
    m_file->flush();
    if (out.status() != QDataStream::Ok)
        return false;
    m_label = label;
    m_available = true;
    return true;
}

bool UndoSnapshot::restore(ChannelTable& table)
{
    if (!m_available || !m_file->seek(0))
        return false;
    QDataStream in(m_file.get());
    quint32 magic = 0;
    QVector<QStringList> rows;
    in >> magic >> rows;
    if (in.status() != QDataStream::Ok || magic != kMagic || rows.size() != table.rowCount())
        return false;
    table.setDataRows(rows);
    m_available = false;
    return true;
}
