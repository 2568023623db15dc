// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/ChannelMap.h"
#include "model/ChannelTables.h"
#include "support/TestText.h"

#include <gtest/gtest.h>

namespace {

TEST(ChannelMap, PositionMapsToTableRowLabelAndChannelAndBack)
{
    using T = TableKind;
    const std::tuple<int, T, int, const char*, const char*> cases[] = {
        {1, T::Memories, 1, "0", "000"},      {2, T::Memories, 2, "1", "001"},
        {100, T::Memories, 100, "99", "099"}, {101, T::Pms, 1, "P1L", "100"},
        {102, T::Pms, 2, "P1U", "101"},       {106, T::Pms, 6, "P3U", "105"},
        {117, T::Pms, 17, "P9L", "116"},      {118, T::Pms, 18, "P9U", "117"},
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

TEST(ChannelTable, SlotsHoldChannelsAndClearingAndResettingLeaveNone)
{
    ChannelTables tables;
    const Channel channel = rec("7.00000|LSB|Plus|CTCSS Enc|88.5|club");
    tables.setChannelAt(3, channel);
    tables.setChannelAt(110, channel);
    EXPECT_EQ(tables.channelAt(3), channel);
    EXPECT_TRUE(tables.channelAt(110).description.isEmpty()) << "PMS slots carry no description";

    tables.clearAt(3);
    EXPECT_EQ(ChannelText::rowFields(tables.memories, 3), (QStringList{"2", "Empty", "", "", "", "", ""}));

    tables.reset();
    const ChannelTables fresh;
    EXPECT_TRUE(tables.memories.channels() == fresh.memories.channels() &&
                tables.pms.channels() == fresh.pms.channels());
}

} // namespace
