// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/CatCodec.h"
#include "model/ChannelMap.h"
#include "model/ChannelTables.h"
#include "support/TestText.h"

#include <gtest/gtest.h>

namespace {

class CatCodecTest : public DecimalMarkTest {};

TEST_P(CatCodecTest, DecodesRepliesIntoChannelsOrFailsAndLeavesTheChannel)
{
    const struct {
        const char* reply;
        int position;
        const char* expected; // as the slot's table shows it; nullptr: broken, the channel is left as it was
    } cases[] = {
        {"MR11700136000+000000501492;", 118, "0.136000|AM|Minus|CTCSS Enc+Dec|254.1|kept"},
        // Codes outside the tables show question marks; the tone is always decoded.
        {"MR00507000000+000000A09003;", 6, "7.00000|?? |??|??|67.0|kept"},
        {"MW00014250005+123456100000;", 1, "14.25001|LSB|Simplex||67.0|kept"},
        {"MR000070x0000+000000100000;", 1, nullptr},
        {"MR00007000000+000000100500;", 1, nullptr},
        {"", 1, nullptr},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.reply);
        const Channel before = rec("1.00000|CW|Plus||67.0|kept");
        Channel channel = before;
        const auto error = CatCodec::decode(QString::fromLatin1(c.reply), channel);
        EXPECT_EQ(error.has_value(), !c.expected);
        // A broken reply is numbered and described, and leaves the channel whole.
        EXPECT_TRUE(!error || (error->number > 0 && !error->description.isEmpty() && channel == before));
        const TableKind table = ChannelMap::slotOf(c.position).table;
        EXPECT_EQ(recText(channel, table), recText(c.expected ? rec(c.expected) : before, table));
    }
}

TEST_P(CatCodecTest, EncodesChannelsIntoMemoryWriteCommandsOrRefusesThem)
{
    const struct {
        const char* channel;
        int position;
        const char* command; // nullptr: the radio cannot take the channel and it is refused, not changed
    } cases[] = {
        {"0.13600|AM|Plus|CTCSS Enc+Dec|254.1", 100, "MW09900136000+000000501491;"},
        {"7.0001234|USRU|| |", 101, "MW10007000123+000000C00000;"},
        {"14.250000|FMN|??|??|100.0", 118, "MW11714250000+000000B00120;"},
        {"56.00000|CWR|Plus||67.0", 50, "MW04956000000+000000700001;"},
        {"Empty|LSB|Simplex||67.0", 1, nullptr},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.channel);
        const CatCodec::EncodeResult result = CatCodec::encode(rec(c.channel), c.position);
        EXPECT_EQ(result.ok(), c.command != nullptr) << result.problem.toStdString();
        EXPECT_EQ(result.command, QString::fromLatin1(c.command));
    }
}

// What the radio gave a channel goes back unchanged (the fields the tables do
// not show, the exact hertz, codes outside the tables); an edited field
// replaces only its own part of it.
TEST_P(CatCodecTest, AChannelGoesBackAsTheRadioGaveItButForAnEditedField)
{
    const struct {
        const char* reply;
        int position;
        int column = 0;                // 0: no edit
        const char* text = nullptr;    // a frequency written with "."
        const char* command = nullptr; // nullptr: the reply as a write
    } cases[] = {
        {"MR00007000005-000500211122;", 1},   // every kind at once, in a memory: 10 Hz steps shown
        {"MR11756123456+9Z0001A79493;", 118}, // every kind at once, in a PMS slot: whole hertz
        {"MR00007000005-000500211122;", 1, Column::kFreq, "7.10000", "MW00007100000-000500211122;"},
        {"MR00007000005-000500211122;", 1, Column::kMode, "LSB", "MW00007000005-000500111122;"},
        {"MR00007000005-000500211122;", 1, Column::kShift, "Simplex", "MW00007000005-000500211120;"},
        {"MR00007000005-000500211122;", 1, Column::kEncDec, " ", "MW00007000005-000500210122;"},
        {"MR00007000005-000500211122;", 1, Column::kTone, "88.5", "MW00007000005-000500211082;"},
        {"MR00007000000+000000A09003;", 1, Column::kMode, "FM", "MW00007000000+000000409003;"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.reply) + " column " + std::to_string(c.column));
        ChannelTables tables;
        const QString reply = QString::fromLatin1(c.reply);
        ASSERT_FALSE(CatCodec::decodeInto(tables, reply, c.position).has_value());
        if (c.column)
            setCell(tables.memories, 1, c.column, QString::fromLatin1(c.text));
        const CatCodec::EncodeResult written = CatCodec::encodeSlot(tables, c.position);
        EXPECT_EQ(written.command, c.command ? QString::fromLatin1(c.command) : "MW" + reply.mid(2));
    }
}

QUAYSTONE_BOTH_DECIMAL_MARKS(CatCodecTest);

} // namespace
