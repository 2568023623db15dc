// SPDX-License-Identifier: GPL-3.0-or-later
#include "files/MemoryFile.h"
#include "files/DescriptionFile.h"
#include "model/ChannelTables.h"
#include "state/AppState.h"
#include "state/MessageLog.h"
#include "support/TestText.h"

#include <gtest/gtest.h>

namespace {

class MemoryFileLines : public DecimalMarkTest {};

TEST_P(MemoryFileLines, EachLineFillsTheSlotItsChannelNames)
{
    struct Case {
        const char* lines;
        int position;
        const char* record;
    };
    const Case cases[] = {
        {"MR00007000000+000000100000;", 1, "7.00000|LSB|Simplex||67.0"}, // reply shape
        {"MW09929620000+000000402232;", 100, "29.62000|FM|Minus|CTCSS Enc|146.2"},
        {"MW11729700000+000000200000;", 118, "29.700000|USB|Simplex||67.0"},
        {"MW00507000000+000000100000;\nMW00514250000+000000200000;", 6, "14.25000|USB|Simplex||67.0"},
    };
    for (const Case& c : cases) {
        ChannelTables tables;
        MessageLog log;
        EXPECT_EQ(MemoryFile::load(QString::fromLatin1(c.lines).split('\n'), tables, log, "t.950"), 0)
            << c.lines;
        const TableKind table = ChannelMap::slotOf(c.position).table;
        EXPECT_EQ(recText(tables.channelAt(c.position), table), recText(rec(c.record), table)) << c.lines;
        for (int p = 1; p <= ChannelMap::kSlotCount; ++p)
            EXPECT_TRUE(p == c.position || tables.isEmptyAt(p)) << c.lines << " touched " << p;
        EXPECT_TRUE(log.text().isEmpty());
    }
}

TEST_P(MemoryFileLines, ABadLineIsNamedInTheLogAndSkippedAndTheRestLoads)
{
    struct BadCase {
        const char* line;
        const char* reason; // the whole reason the log gives
    };
    const BadCase cases[] = {
        {"MW001018400", "the line is too short"},
        {"MW11807000000+000000100000;", "channel 118 is above 117"},
        {"MW0020700A000+000000100000;", "the frequency is not a number"},
        {"MW00307000000+000000100500;", "tone number 50 is outside 00 to 49"},
        {"MW00307000000+0000001009x0;", "the tone number '9x' is not a number"},
        // Anything but three digits in the channel field names no slot, not memory 0.
        {" MR00507000000+000000100000;", "the channel number 'R00' is not three digits"},
        {"MR-0507000000+000000100000;", "the channel number '-05' is not three digits"},
        {"MR0x507000000+000000100000;", "the channel number '0x5' is not three digits"},
        {"MR0 507000000+000000100000;", "the channel number '0 5' is not three digits"},
    };
    for (const BadCase& c : cases) {
        ChannelTables tables;
        MessageLog log;
        const QStringList lines{"MW00001840000+000000100000;", QString::fromLatin1(c.line), "",
                                "MR10514250000+000000200000;"};
        EXPECT_EQ(MemoryFile::load(lines, tables, log, QStringLiteral("bad.950")), 1) << c.line;
        EXPECT_EQ(cellText(tables.memories, 1, Column::kFreq), local("1.84000"));
        EXPECT_EQ(cellText(tables.pms, 6, Column::kFreq), local("14.250000"));
        EXPECT_EQ(logLines(log), QStringList{QStringLiteral("Line 2 of bad.950 skipped, %1: %2")
                                                 .arg(QLatin1String(c.reason), QLatin1String(c.line))});
    }
}

// Memories first, then PMS, empty slots left out; a slot the radio cannot take is reported, not dropped.
TEST_P(MemoryFileLines, ComposeWritesWhatTheRadioCanTakeAndReportsTheRest)
{
    ChannelTables tables;
    MessageLog log;
    EXPECT_TRUE(MemoryFile::compose(tables, log, nullptr).isEmpty());
    tables.setChannelAt(110, rec("14.000000|USB|Simplex||67.0"));
    tables.setChannelAt(50, rec("29.62000|FM|Minus|CTCSS Enc|146.2|RH1"));
    tables.setChannelAt(3, rec("7.07400|USB|Simplex| |67.0"));
    tables.setChannelAt(8, rec("7.10000|?? |Simplex||67.0"));
    tables.setChannelAt(9, rec("7.20000||Simplex||67.0"));
    tables.setChannelAt(103, rec("100.00000|USB|Simplex||67.0"));
    QStringList refused;
    EXPECT_EQ(MemoryFile::compose(tables, log, &refused),
              QStringList({"MW00207074000+000000200000;", "MW04929620000+000000402232;",
                           "MW10914000000+000000200000;"}));
    EXPECT_EQ(refused, QStringList({"7", "8", "P2L"}));
    EXPECT_EQ(logLines(log), QStringList({"Channel 7 not saved: the mode '?? ' is not a mode of the radio",
                                          "Channel 8 not saved: the mode '' is not a mode of the radio",
                                          "Channel P2L not saved: the frequency '" + local("100.00000") +
                                              "' does not fit the radio's memory"}));
}

QUAYSTONE_BOTH_DECIMAL_MARKS(MemoryFileLines);

TEST(DescriptionFileLine, ReadsQuotedTextWithCommasAndToleratesOddLines)
{
    struct Case {
        const char* line;
        const char* number;
        const char* text;
    };
    const Case cases[] = {
        // Quoted text, with commas too, and empty text: the sample's byte-for-byte
        // save (MemoryFileProcedures) and DescriptionFileContents.
        {" 5 , \"spaced\" ", "5", "spaced"},
        {"6,plain text,more", "6", "plain text"},
        {"7", "7", ""},
        {"8,\"unterminated, text", "8", "unterminated, text"},
        {"", "", ""},
    };
    for (const Case& c : cases) {
        const DescriptionFile::Line fields = DescriptionFile::parseLine(QString::fromLatin1(c.line));
        EXPECT_EQ(fields.number, QString::fromLatin1(c.number)) << c.line;
        EXPECT_EQ(fields.text, QString::fromLatin1(c.text)) << c.line;
    }
}

TEST(DescriptionFileLine, WidthIsAWholeNumberOrTheFallback)
{
    struct Case {
        const char* text;
        int width;
    };
    const Case cases[] = {{"3450", 3450}, {" 4000 ", 4000}, {"3450.6", 3451}, {"0", 0},     {"", 999},
                          {"wide", 999},  {"-20", 999},     {"1e99", 999},    {"12ab", 999}};
    for (const Case& c : cases)
        EXPECT_EQ(DescriptionFile::widthOf(QString::fromLatin1(c.text), 999), c.width) << c.text;
}

TEST(DescriptionFileContents, ComposeWrites101LinesThatReadBackTheSame)
{
    AppState state;
    state.setDescriptionColumnWidth(4100);
    setCell(state.tables().memories, 1, Column::kDescription, QStringLiteral("Top band"));
    setCell(state.tables().memories, 100, Column::kDescription, QStringLiteral("a, b; c"));
    setCell(state.tables().memories, 50, Column::kDescription, QStringLiteral("say \"hi\"\r\nnow"));
    const QStringList lines = DescriptionFile::compose(state);
    ASSERT_EQ(lines.size(), 101); // their layout: the memory file tests' byte-for-byte save

    AppState copy;
    setCell(copy.tables().memories, 3, Column::kDescription, QStringLiteral("kept"));
    // Lines fill rows in file order whatever their numbers and stop quietly at the file's end (a
    // width that is no number takes the fallback: MemoryFileProcedures' description file).
    DescriptionFile::apply({"0,\"wide\"", "9,\"first, row\""}, copy, 3540);
    EXPECT_EQ(cellText(copy.tables().memories, 1, Column::kDescription), QStringLiteral("first, row"));
    EXPECT_EQ(cellText(copy.tables().memories, 3, Column::kDescription), QStringLiteral("kept"));
    DescriptionFile::apply(lines, copy, 1);
    EXPECT_EQ(copy.descriptionColumnWidth(), 4100);
    EXPECT_EQ(cellText(copy.tables().memories, 3, Column::kDescription), QString());
    EXPECT_EQ(cellText(copy.tables().memories, 100, Column::kDescription), QStringLiteral("a, b; c"));
    // A quote or line break cannot survive the format; the rest of the text does.
    EXPECT_EQ(cellText(copy.tables().memories, 50, Column::kDescription), QStringLiteral("say  hi   now"));
}

} // namespace
