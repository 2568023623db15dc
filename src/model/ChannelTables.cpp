// SPDX-License-Identifier: GPL-3.0-or-later
#include "ChannelTables.h"

Channel ChannelTables::channelAt(int position) const
{
    const SlotInfo slot = ChannelMap::slotOf(position);
    return table(slot.table).channel(slot.row);
}

void ChannelTables::setChannelAt(int position, const Channel& channel)
{
    const SlotInfo slot = ChannelMap::slotOf(position);
    table(slot.table).setChannel(slot.row, channel);
}

bool ChannelTables::isEmptyAt(int position) const
{
    const SlotInfo slot = ChannelMap::slotOf(position);
    return table(slot.table).isEmptyRow(slot.row);
}

void ChannelTables::clearAt(int position)
{
    const SlotInfo slot = ChannelMap::slotOf(position);
    table(slot.table).clearRow(slot.row);
}

void ChannelTables::reset()
{
    memories.reset();
    pms.reset();
}
