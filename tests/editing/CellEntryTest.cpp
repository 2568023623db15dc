// SPDX-License-Identifier: GPL-3.0-or-later
#include "editing/CellEntry.h"
#include "model/Frequency.h"
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

    // Turns on a regional set as the rule editor's OK would leave it.
    void activateRules(const char* setName)
    {
        QVector<RepeaterRule> rules;
        for (const RuleSet::RuleTexts& row : RegionalRuleSets::rows(QString::fromLatin1(setName))) {
            RepeaterRule rule;
            rule.Low = *Frequency::parse(row[0]);
            rule.High = *Frequency::parse(row[1]);
            rule.Direction = row[2];
            rule.Amount = row[3];
            rule.Step = row[4];
            rules << rule;
        }
        state.rules().setRules(rules);
        state.rules().setRulesActive(true);
    }

    bool commit(TableKind table, int row, int column, const QString& text)
    {
        return CellEntry::commit(state, table, row, column, text, prompter);
    }

    AppState state;
    ScriptedPrompter prompter;
};

TEST_P(CellEntryTest, TypingAFrequencyIntoAnEmptyRowGivesItsDefaults)
{
    // The band table itself is checked edge by edge with the frequency reader.
    const std::pair<const char*, const char*> cases[] = {
        {"", "7.00000|LSB"}, {"29.68", "29.68000|FMN"}, {"7.12345678", "7.12345|LSB"}};
    for (TableKind table : {TableKind::Memories, TableKind::Pms}) {
        for (const auto& [typed, row] : cases) {
            state.tables().table(table).clearRow(4);
            state.setChanged(false);
            ASSERT_TRUE(commit(table, 4, Column::kFreq, local(typed)));
            const QString got = rowText(state.tables().table(table), 4);
            EXPECT_EQ(got.section('|', 0, 2) + '|' + got.section('|', 4, 4),
                      recText(rec(row)).section('|', 0, 1) + "|Simplex|67.0")
                << typed;
            EXPECT_TRUE(state.changed());
        }
    }
    // Existing fields are kept when the frequency changes.
    state.tables().memories.setChannel(3, rec("7.00000|CW|Plus|CTCSS Enc|88.5|net"));
    ASSERT_TRUE(commit(TableKind::Memories, 3, Column::kFreq, local("3.6")));
    EXPECT_EQ(rowText(state.tables().memories, 3), recText(rec("3.60000|CW|Plus|CTCSS Enc|88.5|net")));
    // A frequency typed as it shows keeps the radio's hertz; another one is sent as typed.
    ASSERT_FALSE(CatCodec::decodeInto(state.tables(), QStringLiteral("MR00007050003+000000100000;"), 1));
    const int steps = state.history().count();
    for (const auto& [typed, sent] :
         {std::pair{"7.05", "07050003"}, {"7.06", "07060000"}, {"7.05", "07050003"}}) {
        ASSERT_TRUE(commit(TableKind::Memories, 1, Column::kFreq, local(typed)));
        EXPECT_EQ(CatCodec::encodeSlot(state.tables(), 1).command.mid(5, 8), QLatin1String(sent)) << typed;
    }
    EXPECT_EQ(state.history().count(), steps + 2) << "typing what the cell shows changes nothing";
}

TEST_P(CellEntryTest, ARefusedFrequencyLeavesTheCellAndTheChangedFlag)
{
    struct Refusal {
        const char* typed;
        const char* message;
    };
    // The range edges are the frequency reader's; here one refusal of each kind.
    const Refusal cases[] = {{"145.6", "Frequency is outside the range of the radio"},
                             {"abc", "Not a numeric value"},
                             {"99999999", "Error converting from string 99999999"}};
    for (TableKind table : {TableKind::Memories, TableKind::Pms}) {
        for (const Refusal& c : cases) {
            SCOPED_TRACE(c.typed);
            prompter.clear();
            state.setChanged(false);
            setRow(state.tables().table(table), 2, "14.20000|USB|Simplex||67.0");
            EXPECT_FALSE(commit(table, 2, Column::kFreq, local(c.typed)));
            EXPECT_EQ(cellText(state.tables().table(table), 2, Column::kFreq), local("14.20000"));
            EXPECT_FALSE(state.changed() || state.history().canUndo()) << "a refused edit is no undo step";
            EXPECT_EQ(promptTexts(prompter),
                      QStringList{promptText(QString::fromLatin1(c.message), Prompter::Buttons::Ok,
                                             Prompter::Icon::Exclamation)});
        }
    }
}

TEST_P(CellEntryTest, ActiveRulesSetTheShiftAndTheDefaultMode)
{
    activateRules("United Kingdom");
    struct RuleCase {
        const char* typed;
        const char* shift;
        const char* mode;
    };
    const RuleCase cases[] = {
        {"29.68", "Minus", "FMN"}, {"50.8", "Plus", "FMN"}, {"29.70", "Simplex", "USB"}};
    for (TableKind table : {TableKind::Memories, TableKind::Pms}) {
        for (const RuleCase& c : cases) {
            SCOPED_TRACE(c.typed);
            state.tables().table(table).clearRow(1);
            ASSERT_TRUE(commit(table, 1, Column::kFreq, local(c.typed)));
            EXPECT_EQ(cellText(state.tables().table(table), 1, Column::kShift) + ' ' +
                          cellText(state.tables().table(table), 1, Column::kMode),
                      QString::fromLatin1(c.shift) + ' ' + c.mode);
        }
    }
    // Rules override an existing shift, but only while active.
    setRow(state.tables().memories, 1, "14.20000|USB|Plus||67.0");
    ASSERT_TRUE(commit(TableKind::Memories, 1, Column::kFreq, local("14.2")));
    EXPECT_EQ(cellText(state.tables().memories, 1, Column::kShift), QStringLiteral("Simplex"));

    state.rules().setRulesActive(false);
    state.tables().memories.clearRow(2);
    ASSERT_TRUE(commit(TableKind::Memories, 2, Column::kFreq, local("29.65")));
    EXPECT_EQ(rowText(state.tables().memories, 2), recText(rec("29.65000|USB|Simplex||67.0")));
}

TEST_P(CellEntryTest, ListColumnsAcceptOnlyTheirChoices)
{
    struct ListCase {
        int column;
        const char* text;
        bool accepted;
    };
    const ListCase cases[] = {{Column::kMode, "FMN", true},    {Column::kMode, "", false},
                              {Column::kMode, "?? ", false},   {Column::kMode, "fm", false},
                              {Column::kShift, "Minus", true}, {Column::kShift, "", false},
                              {Column::kTone, "254.1", true},  {Column::kTone, "", false},
                              {Column::kTone, "100", false},   {Column::kEncDec, "CTCSS Enc", true},
                              {Column::kEncDec, "", false},    {Column::kEncDec, "DCS", false}};
    for (TableKind table : {TableKind::Memories, TableKind::Pms}) {
        for (const ListCase& c : cases) {
            SCOPED_TRACE(std::to_string(c.column) + " '" + c.text + "'");
            setRow(state.tables().table(table), 6, "7.00000|LSB|Simplex||67.0");
            state.setChanged(false);
            const QString before = cellText(state.tables().table(table), 6, c.column);
            const int steps = state.history().count();
            EXPECT_EQ(commit(table, 6, c.column, QString::fromLatin1(c.text)), c.accepted);
            EXPECT_EQ(cellText(state.tables().table(table), 6, c.column),
                      c.accepted ? QString::fromLatin1(c.text) : before);
            EXPECT_EQ(state.changed(), c.accepted);
            EXPECT_EQ(state.history().count(), steps + (c.accepted ? 1 : 0));
        }
    }
    EXPECT_TRUE(prompter.prompts().isEmpty()) << "list refusals are silent";
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
    EXPECT_FALSE(CellEntry::isEditable(state, TableKind::Memories, 1, Column::kFreq)) << "nothing loaded";
    state.setDataSource(AppState::Radio);
    EXPECT_TRUE(CellEntry::isEditable(state, TableKind::Memories, 1, Column::kFreq));
    EXPECT_FALSE(CellEntry::isEditable(state, TableKind::Memories, 1, Column::kMode));
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
