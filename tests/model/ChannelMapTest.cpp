// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/ChannelMap.h"

#include <QVector>
#include <gtest/gtest.h>

namespace {

TEST(ChannelMap, PositionMapsToTableRowLabelAndChannelAndBack)
{
    using T = TableKind;
    const std::tuple<int, T, int, const char*, const char*> cases[] = {
        {1, T::Memories, 1, "0", "000"}, {100, T::Memories, 100, "99", "099"},
        {101, T::Pms, 1, "P1L", "100"},  {102, T::Pms, 2, "P1U", "101"},
        {117, T::Pms, 17, "P9L", "116"}, {118, T::Pms, 18, "P9U", "117"},
    };
    for (const auto& [position, table, row, label, channel] : cases) {
        const SlotInfo slot = ChannelMap::slotOf(position);
        EXPECT_TRUE(slot.table == table && slot.row == row && slot.label == label &&
                    slot.catChannel == channel)
            << position << " gave " << slot.row << " " << slot.label.toStdString() << " "
            << slot.catChannel.toStdString();
        EXPECT_EQ(ChannelMap::positionOf(table, row), position);
    }
    // Rows and positions outside the tables.
    EXPECT_EQ(QVector<int>({ChannelMap::positionOf(T::Memories, 0), ChannelMap::positionOf(T::Memories, 101),
                            ChannelMap::positionOf(T::Pms, 19)}),
              QVector<int>({0, 0, 0}));
    EXPECT_FALSE(ChannelMap::isValidPosition(0) || ChannelMap::isValidPosition(119));
}

} // namespace
