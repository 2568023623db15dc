// SPDX-License-Identifier: GPL-3.0-or-later
#include "ChannelTable.h"

#include "Vocabulary.h"

namespace {
const char* const kHeaders[7][2] = {{"General", "Memories"},  {"Receive", "Frequency"}, {"Op", "Mode"},
                                    {"RPT", "Shift"},         {"Encoding", "Method"},   {"CTCSS", "Tone"},
                                    {"Memory", "Description"}};
}

ChannelTable::ChannelTable(TableKind kind, QObject* parent) : QObject(parent), m_kind(kind)
{
    m_rows.resize(rowCount());
    for (int row = 1; row <= rowCount(); ++row)
        m_rows[row - 1] = emptyRow(row);
}

QString ChannelTable::headerText(TableKind kind, int column)
{
    if (column < 0 || column >= ChannelMap::columnCount(kind))
        return {};
    if (column == Column::kLabel && kind == TableKind::Pms)
        return QStringLiteral("PMS\nMemories");
    return QString::fromLatin1(kHeaders[column][0]) + QLatin1Char('\n') +
           QString::fromLatin1(kHeaders[column][1]);
}

bool ChannelTable::isCell(int row, int column) const
{
    return row >= 1 && row <= rowCount() && column >= 0 && column < columnCount();
}

QString ChannelTable::text(int row, int column) const
{
    if (row == 0)
        return headerText(m_kind, column);
    if (!isCell(row, column))
        return {};
    return m_rows[row - 1][column];
}

void ChannelTable::setText(int row, int column, const QString& text)
{
    if (!isCell(row, column) || m_rows[row - 1][column] == text)
        return;
    m_rows[row - 1][column] = text;
    emit rowsChanged(row, row);
}

bool ChannelTable::isEmptyRow(int row) const
{
    return text(row, Column::kFreq) == QLatin1String(Vocabulary::kEmptyMarker);
}

QStringList ChannelTable::emptyRow(int row) const
{
    QStringList cells;
    cells << ChannelMap::slotLabel(m_kind, row) << QString::fromLatin1(Vocabulary::kEmptyMarker);
    while (cells.size() <= keptIndex())
        cells << QString();
    return cells;
}

void ChannelTable::makeRowEmpty(int row)
{
    if (!isCell(row, Column::kFreq))
        return;
    QStringList& cells = m_rows[row - 1];
    for (int column = Column::kFreq; column < cells.size(); ++column)
        cells[column].clear();
    cells[Column::kFreq] = QString::fromLatin1(Vocabulary::kEmptyMarker);
    emit rowsChanged(row, row);
}

void ChannelTable::reset()
{
    for (int row = 1; row <= rowCount(); ++row)
        m_rows[row - 1] = emptyRow(row);
    emit rowsChanged(1, rowCount());
}

void ChannelTable::renumber()
{
    for (int row = 1; row <= rowCount(); ++row)
        m_rows[row - 1][Column::kLabel] = ChannelMap::slotLabel(m_kind, row);
    emit rowsChanged(1, rowCount());
}

QStringList ChannelTable::rowFields(int row) const
{
    return row >= 1 && row <= rowCount() ? m_rows[row - 1].mid(0, columnCount()) : QStringList();
}

QString ChannelTable::kept(int row) const
{
    return row >= 1 && row <= rowCount() ? m_rows[row - 1][keptIndex()] : QString();
}

void ChannelTable::setKept(int row, const QString& kept)
{
    if (row >= 1 && row <= rowCount())
        m_rows[row - 1][keptIndex()] = kept; // nothing visible changes
}

MemoryRecord ChannelTable::record(int row) const
{
    MemoryRecord r;
    r.Freq = text(row, Column::kFreq);
    r.Mode = text(row, Column::kMode);
    r.Shift = text(row, Column::kShift);
    r.EncDec = text(row, Column::kEncDec);
    r.Tone = text(row, Column::kTone);
    r.Description = text(row, Column::kDescription);
    r.Kept = kept(row);
    return r;
}

void ChannelTable::setRecord(int row, const MemoryRecord& r)
{
    if (!isCell(row, Column::kFreq))
        return;
    QStringList& cells = m_rows[row - 1];
    cells[Column::kFreq] = r.Freq;
    cells[Column::kMode] = r.Mode;
    cells[Column::kShift] = r.Shift;
    cells[Column::kEncDec] = r.EncDec;
    cells[Column::kTone] = r.Tone;
    if (m_kind == TableKind::Memories)
        cells[Column::kDescription] = r.Description;
    cells[keptIndex()] = r.Kept;
    emit rowsChanged(row, row);
}

void ChannelTable::setDataRows(const QVector<QStringList>& rows)
{
    for (int row = 1; row <= rowCount(); ++row) {
        QStringList cells = row <= rows.size() ? rows[row - 1] : emptyRow(row);
        while (cells.size() <= keptIndex())
            cells << QString();
        while (cells.size() > keptIndex() + 1)
            cells.removeLast();
        m_rows[row - 1] = cells;
    }
    emit rowsChanged(1, rowCount());
}
