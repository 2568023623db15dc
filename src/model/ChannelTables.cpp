// SPDX-License-Identifier: GPL-3.0-or-later
#include "ChannelTables.h"

MemoryRecord ChannelTables::recordAt(int position) const
{
    const SlotInfo slot = ChannelMap::slotOf(position);
    return table(slot.table).record(slot.row);
}

void ChannelTables::setRecordAt(int position, const MemoryRecord& record)
{
    const SlotInfo slot = ChannelMap::slotOf(position);
    table(slot.table).setRecord(slot.row, record);
}

bool ChannelTables::isEmptyAt(int position) const
{
    const SlotInfo slot = ChannelMap::slotOf(position);
    return table(slot.table).isEmptyRow(slot.row);
}

void ChannelTables::makeEmptyAt(int position)
{
    const SlotInfo slot = ChannelMap::slotOf(position);
    table(slot.table).makeRowEmpty(slot.row);
}

void ChannelTables::reset()
{
    memories.reset();
    pms.reset();
}
