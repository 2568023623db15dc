// SPDX-License-Identifier: GPL-3.0-or-later
#include "ChannelTable.h"

namespace {
const char* const kHeaders[7][2] = {{"General", "Memories"},  {"Receive", "Frequency"}, {"Op", "Mode"},
                                    {"RPT", "Shift"},         {"Encoding", "Method"},   {"CTCSS", "Tone"},
                                    {"Memory", "Description"}};
}

ChannelTable::ChannelTable(TableKind kind, QObject* parent) : QObject(parent), m_kind(kind)
{
    m_rows.resize(rowCount());
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

Channel ChannelTable::channel(int row) const
{
    return row >= 1 && row <= rowCount() ? m_rows[row - 1] : Channel();
}

void ChannelTable::setChannel(int row, const Channel& channel)
{
    if (row < 1 || row > rowCount())
        return;
    Channel c = channel;
    if (m_kind == TableKind::Pms)
        c.description.clear();
    if (m_rows[row - 1] == c)
        return;
    m_rows[row - 1] = c;
    emit rowsChanged(row, row);
}

void ChannelTable::clearRow(int row)
{
    if (row < 1 || row > rowCount())
        return;
    m_rows[row - 1] = Channel();
    emit rowsChanged(row, row);
}

void ChannelTable::reset()
{
    m_rows.fill(Channel());
    emit rowsChanged(1, rowCount());
}

void ChannelTable::setChannels(const QVector<Channel>& channels)
{
    m_rows = channels;
    m_rows.resize(rowCount());
    if (m_kind == TableKind::Pms) {
        for (Channel& c : m_rows)
            c.description.clear();
    }
    emit rowsChanged(1, rowCount());
}
