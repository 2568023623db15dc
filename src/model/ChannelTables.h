// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ChannelTable.h"

// Both tables together, addressed by sequence position as the channel map says.
class ChannelTables {
public:
    ChannelTables() = default;
    ChannelTables(const ChannelTables&) = delete;
    ChannelTables& operator=(const ChannelTables&) = delete;

    ChannelTable memories{TableKind::Memories};
    ChannelTable pms{TableKind::Pms};

    ChannelTable& table(TableKind kind) { return kind == TableKind::Memories ? memories : pms; }
    const ChannelTable& table(TableKind kind) const { return kind == TableKind::Memories ? memories : pms; }

    // Channel of a sequence position 1..118.
    Channel channelAt(int position) const;
    void setChannelAt(int position, const Channel& channel);
    bool isEmptyAt(int position) const;
    void clearAt(int position);

    // Resetting the tables: no channel in any slot.
    void reset();
};
