// SPDX-License-Identifier: GPL-3.0-or-later
#include "editing/CellEntry.h"
#include "rules/RegionalRuleSets.h"
#include "state/AppState.h"
#include "support/PromptText.h"
#include "support/TestText.h"

#include <gtest/gtest.h>

namespace {

class CellEntryTest : public DecimalMarkTest {
protected:
    void SetUp() override
    {
        DecimalMarkTest::SetUp();
        state.setDataSource(AppState::File);
    }

    bool commit(TableKind table, int row, int column, const QString& text)
    {
        return CellEntry::commit(state, table, row, column, text, prompter);
    }

    AppState state;
    ScriptedPrompter prompter;
};

// A frequency typed into a row (before, as rec() reads it; "": an empty row)
// fills an empty row from the band table or, while active, the regional
// rules, and keeps the other fields of a channel; the list columns take only
// their choices. A refusal leaves the row and the changed flag; a refused
// frequency says why, a refused choice nothing. The band table itself is
// checked edge by edge with the frequency reader, its range edges there too.
TEST_P(CellEntryTest, TypedCellsFillTheRowByBandAndRulesOrAreRefused)
{
    const char* kept = "14.20000|USB|Simplex||67.0";
    const char* lsb = "7.00000|LSB|Simplex||67.0";
    const int kFreq = Column::kFreq, kMode = Column::kMode, kShift = Column::kShift, kTone = Column::kTone,
              kEncDec = Column::kEncDec;
    const struct {
        const char* before;
        int column;
        const char* typed; // a frequency written with "."
        bool rules;
        const char* after;   // nullptr: refused
        const char* message; // the refusal's box
    } cases[] = {
        {"", kFreq, "", false, lsb, nullptr},
        {"", kFreq, "29.68", false, "29.68000|FMN|Simplex||67.0", nullptr},
        {"7.00000|CW|Plus|CTCSS Enc|88.5|net", kFreq, "3.6", false, "3.60000|CW|Plus|CTCSS Enc|88.5|net",
         nullptr},
        {"14.20000|USB|Plus||67.0", kFreq, "14.2", true, kept, nullptr}, // the rules override a shift
        {kept, kFreq, "145.6", false, nullptr, "Frequency is outside the range of the radio"},
        {kept, kFreq, "abc", false, nullptr, "Not a numeric value"},
        {kept, kFreq, "99999999", false, nullptr, "Error converting from string 99999999"},
        {lsb, kMode, "FMN", false, "7.00000|FMN|Simplex||67.0", nullptr},
        {lsb, kMode, "fm", false, nullptr, nullptr},
        {lsb, kShift, "Minus", false, "7.00000|LSB|Minus||67.0", nullptr},
        {lsb, kShift, "", false, nullptr, nullptr},
        {lsb, kTone, "254.1", false, "7.00000|LSB|Simplex||254.1", nullptr},
        {lsb, kTone, "100", false, nullptr, nullptr},
        {lsb, kEncDec, "CTCSS Enc", false, "7.00000|LSB|Simplex|CTCSS Enc|67.0", nullptr},
        {lsb, kEncDec, "DCS", false, nullptr, nullptr},
    };
    // A regional set turned on, as the rule editor's OK leaves it.
    ASSERT_TRUE(state.rules()
                    .LoadRules(RegionalRuleSets::rows(QStringLiteral("United Kingdom")), true, false)
                    .isEmpty());
    for (TableKind table : {TableKind::Memories, TableKind::Pms}) {
        ChannelTable& rows = state.tables().table(table);
        for (const auto& c : cases) {
            SCOPED_TRACE(std::string(c.typed) + " in column " + std::to_string(c.column) + " of '" +
                         c.before + "'");
            rows.clearRow(2);
            if (*c.before)
                setRow(rows, 2, c.before);
            state.rules().setRulesActive(c.rules);
            state.setChanged(false);
            prompter.clear();
            const QString before = rowText(rows, 2);
            const QString typed = c.column == kFreq ? local(c.typed) : QString::fromLatin1(c.typed);
            EXPECT_EQ(commit(table, 2, c.column, typed), c.after != nullptr);
            Channel after = c.after ? rec(c.after) : Channel();
            if (table == TableKind::Pms)
                after.description.clear(); // a PMS row keeps none
            EXPECT_EQ(rowText(rows, 2), c.after ? recText(after, table) : before);
            EXPECT_EQ(state.changed(), c.after != nullptr);
            EXPECT_EQ(promptTexts(prompter),
                      c.message ? QStringList{promptText(QString::fromLatin1(c.message),
                                                         Prompter::Buttons::Ok, Prompter::Icon::Exclamation)}
                                : QStringList());
        }
    }
    // A frequency typed as it shows keeps the radio's hertz; another one is sent as typed.
    state.rules().setRulesActive(false);
    ASSERT_FALSE(CatCodec::decodeInto(state.tables(), QStringLiteral("MR00007050003+000000100000;"), 1));
    const int steps = state.history().count();
    for (const auto& [typed, sent] :
         {std::pair{"7.05", "07050003"}, {"7.06", "07060000"}, {"7.05", "07050003"}}) {
        ASSERT_TRUE(commit(TableKind::Memories, 1, Column::kFreq, local(typed)));
        EXPECT_EQ(CatCodec::encodeSlot(state.tables(), 1).command.mid(5, 8), QLatin1String(sent)) << typed;
    }
    EXPECT_EQ(state.history().count(), steps + 2) << "typing what the cell shows changes nothing";
}

TEST_P(CellEntryTest, BlankEncodingEmptiesTheToneOnlyInMemoriesAndDescriptionsAreCleaned)
{
    const Channel toned = rec("29.62000|FM|Minus|CTCSS Enc|88.5");
    state.tables().memories.setChannel(1, toned);
    state.tables().pms.setChannel(1, toned);
    ASSERT_TRUE(commit(TableKind::Memories, 1, Column::kEncDec, QStringLiteral(" ")));
    ASSERT_TRUE(commit(TableKind::Pms, 1, Column::kEncDec, QStringLiteral(" ")));
    EXPECT_EQ(rowText(state.tables().memories, 1), recText(rec("29.62000|FM|Minus| ||")));
    EXPECT_EQ(rowText(state.tables().pms, 1), recText(rec("29.62000|FM|Minus| |88.5")));
    // Descriptions lose separators and are cut to 100.
    ASSERT_TRUE(commit(TableKind::Memories, 1, Column::kDescription, QStringLiteral("a, b; \"c\"")));
    EXPECT_EQ(state.tables().memories.channel(1).description, QStringLiteral("a  b   c "));
    ASSERT_TRUE(commit(TableKind::Memories, 1, Column::kDescription, QString(150, QLatin1Char('x'))));
    EXPECT_EQ(state.tables().memories.channel(1).description, QString(100, QLatin1Char('x')));
}

QUAYSTONE_BOTH_DECIMAL_MARKS(CellEntryTest);

TEST(CellEditability, OnlyFrequenciesOpenOnEmptyRowsAndNothingWhileIdle)
{
    AppState state;
    state.setDataSource(AppState::Radio);
    EXPECT_TRUE(CellEntry::isEditable(state, TableKind::Memories, 1, Column::kFreq));
    EXPECT_FALSE(CellEntry::isEditable(state, TableKind::Memories, 1, Column::kLabel));
    EXPECT_FALSE(CellEntry::isEditable(state, TableKind::Memories, 0, Column::kFreq)) << "header";
    setRow(state.tables().memories, 1, "7.00000|LSB");
    EXPECT_TRUE(CellEntry::isEditable(state, TableKind::Memories, 1, Column::kDescription));
    EXPECT_FALSE(CellEntry::isEditable(state, TableKind::Pms, 1, Column::kDescription))
        << "PMS has no description";
    state.setUndoInProgress(true);
    EXPECT_FALSE(CellEntry::isEditable(state, TableKind::Memories, 1, Column::kFreq));
    EXPECT_TRUE(CellEntry::isEditable(state, TableKind::Pms, 1, Column::kFreq));
    state.setInitialising(true);
    EXPECT_FALSE(CellEntry::isEditable(state, TableKind::Pms, 1, Column::kFreq));
}

} // namespace
