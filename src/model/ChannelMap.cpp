// SPDX-License-Identifier: GPL-3.0-or-later
#include "ChannelMap.h"

namespace ChannelMap {

bool isValidPosition(int position)
{
    return position >= 1 && position <= kSlotCount;
}

int rowCount(TableKind table)
{
    return table == TableKind::Memories ? kMemoryRows : kPmsRows;
}

int columnCount(TableKind table)
{
    return table == TableKind::Memories ? 7 : 6;
}

QString slotLabel(TableKind table, int row)
{
    if (table == TableKind::Memories)
        return QString::number(row - 1);
    // Pair n occupies rows 2n-1 (lower edge) and 2n (upper edge).
    const int pair = (row + 1) / 2;
    return QStringLiteral("P%1%2").arg(pair).arg(row % 2 == 1 ? QLatin1Char('L') : QLatin1Char('U'));
}

SlotInfo slotOf(int position)
{
    SlotInfo slot;
    if (position <= kMemoryRows) {
        slot.table = TableKind::Memories;
        slot.row = position;
    } else {
        slot.table = TableKind::Pms;
        slot.row = position - kMemoryRows;
    }
    slot.label = slotLabel(slot.table, slot.row);
    slot.catChannel = QStringLiteral("%1").arg(position - 1, 3, 10, QLatin1Char('0'));
    return slot;
}

int positionOf(TableKind table, int row)
{
    if (row < 1 || row > rowCount(table))
        return 0;
    return table == TableKind::Memories ? row : row + kMemoryRows;
}

} // namespace ChannelMap
