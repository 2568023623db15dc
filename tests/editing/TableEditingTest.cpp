// SPDX-License-Identifier: GPL-3.0-or-later
#include "editing/TableEditing.h"
#include "editing/CellEntry.h"
#include "editing/SpreadsheetText.h"
#include "state/AppState.h"
#include "state/MessageLog.h"
#include "support/PromptText.h"
#include "support/TestText.h"

#include <QSignalSpy>
#include <gtest/gtest.h>
#include <initializer_list>

namespace {

using Answer = Prompter::Answer;
namespace TE = TableEditing;

// Channel number id sits in a row: its description is "ch<id>" and its
// frequency 7 MHz + id kHz, and what the radio gave it "k<id>", so every move
// can be traced.
void putChannel(ChannelTable& table, int row, int id)
{
    Channel channel = rec("7.00000|USB|Simplex||67.0");
    channel.hertz = 7000000 + id * 1000;
    channel.description = QStringLiteral("ch%1").arg(id);
    channel.radioRecord = QStringLiteral("k%1").arg(id);
    table.setChannel(row, channel);
}

// Changes one row's channel in place.
template <typename Change> void edit(ChannelTable& table, int row, Change change)
{
    Channel channel = table.channel(row);
    change(channel);
    table.setChannel(row, channel);
}

// Memories rows first..last as channel numbers, "-" for an empty slot; with
// records, the numbers in what the radio gave the rows ("k<number>"), "-" for none.
QString layout(const ChannelTable& table, int first, int last, bool records = false)
{
    QStringList ids;
    for (int row = first; row <= last; ++row) {
        const Channel& c = table.channel(row);
        if (records)
            ids << (c.radioRecord.isEmpty() ? QStringLiteral("-") : c.radioRecord.mid(1));
        else
            ids << (table.isEmptyRow(row) ? QStringLiteral("-") : c.description.mid(2));
    }
    return ids.join(QLatin1Char(' '));
}

// A loaded state; every row holds its own channel unless listed as empty.
struct Loaded {
    AppState state;
    explicit Loaded(std::initializer_list<int> emptyRows = {}, bool onlyListed = false)
    {
        state.setDataSource(AppState::File);
        ChannelTable& table = state.tables().memories;
        for (int row = 1; row <= table.rowCount(); ++row) {
            const bool listed = std::find(emptyRows.begin(), emptyRows.end(), row) != emptyRows.end();
            if (listed != onlyListed)
                table.clearRow(row);
            else
                putChannel(table, row, row);
        }
    }
    ChannelTable& memories() { return state.tables().memories; }
};

struct PasteCase {
    const char* name;
    int first, last;
    bool cut;
    int target;
    int written;
    int showFirst, showLast;
    const char* expected;
};

TEST(TableEditing, PasteCopiesOrMovesRowsWithoutOverlapDamageAndDropsRowsPastTheEnd)
{
    const PasteCase cases[] = {
        {"copy onto itself going down", 5, 7, false, 6, 3, 4, 9, "4 5 5 6 7 9"},
        {"copy onto itself going up", 5, 7, false, 4, 3, 3, 8, "3 5 6 7 7 8"},
        {"cut onto itself going down", 5, 7, true, 6, 3, 4, 9, "4 - 5 6 7 9"},
        {"cut onto itself going up", 5, 7, true, 4, 3, 3, 8, "3 5 6 7 - 8"},
        {"cut far away", 5, 7, true, 20, 3, 4, 8, "4 - - - 8"},
        {"copy at 99 drops the third row", 5, 7, false, 99, 2, 98, 100, "98 5 6"},
        {"cut at 99 keeps the dropped row", 5, 7, true, 99, 2, 5, 7, "- - 7"},
        {"cut down onto itself at the end", 98, 100, true, 99, 2, 97, 100, "97 - 98 99"},
        {"paste onto its own first row", 5, 7, false, 5, 0, 4, 8, "4 5 6 7 8"},
        {"header row as target", 5, 7, false, 0, 0, 4, 8, "4 5 6 7 8"},
        {"nothing copied", 0, 0, false, 10, 0, 9, 11, "9 10 11"},
    };
    for (const PasteCase& c : cases) {
        SCOPED_TRACE(c.name);
        Loaded t;
        if (c.first > 0)
            TE::copyRows(t.state, {c.first, 1, c.last, 6}, c.cut);
        EXPECT_EQ(TE::paste(t.state, c.target), c.written);
        EXPECT_EQ(layout(t.memories(), c.showFirst, c.showLast), QLatin1String(c.expected));
        EXPECT_EQ(t.state.changed(), c.written > 0);
    }
}

TEST(TableEditing, CutThenPasteTwiceCopiesTheRowsAsTheyAreThen)
{
    Loaded t;
    QSignalSpy clipboardSpy(&t.state, &AppState::clipboardChanged);
    TE::copyRows(t.state, {7, 2, 5, 1}, true); // selection dragged upwards
    EXPECT_EQ(clipboardSpy.count(), 1);
    EXPECT_EQ(TE::paste(t.state, 20), 3);
    EXPECT_EQ(TE::paste(t.state, 30), 3);
    EXPECT_EQ(layout(t.memories(), 4, 8) + " | " + layout(t.memories(), 20, 22) + " | " +
                  layout(t.memories(), 30, 32),
              QStringLiteral("4 - - - 8 | 5 6 7 | - - -"));
}

TEST(TableEditing, InsertAboveUsesTheFirstFreeRowBelowOrDropsTheLastAfterAsking)
{
    struct Case {
        std::initializer_list<int> emptyRows;
        int current, selectionFirst;
        bool asks;
        Answer answer;
        int selectAfter, showFirst, showLast;
        const char* expected; // rows showFirst to showLast / 98 to 100
    };
    const Case cases[] = {
        {{15, 40}, 10, 10, false, Answer::Ok, 11, 9, 17, "9 - 10 11 12 13 14 16 17 / 98 99 100"},
        {{15}, 10, 8, false, Answer::Ok, 9, 7, 16, "7 - 8 9 10 11 12 13 14 16 / 98 99 100"}, // selection
                                                                                             // above
        {{5}, 10, 10, true, Answer::No, 0, 9, 11, "9 10 11 / 98 99 100"}, // free row only above
        {{}, 10, 10, true, Answer::Yes, 11, 9, 12, "9 - 10 11 / 97 98 99"},
        {{}, 100, 100, true, Answer::Yes, 100, 99, 100, "99 - / 98 99 -"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.expected);
        Loaded t(c.emptyRows);
        ScriptedPrompter prompter;
        if (c.asks)
            prompter.answer(c.answer);
        EXPECT_EQ(TE::insertAbove(t.state, c.current, c.selectionFirst, prompter), c.selectAfter);
        EXPECT_EQ(layout(t.memories(), c.showFirst, c.showLast) + " / " + layout(t.memories(), 98, 100),
                  QLatin1String(c.expected));
        const QString question = QStringLiteral("No empty memory slot is available after memory "
                                                "%1\r\nIs it OK to drop the last memory?")
                                     .arg(c.current);
        // Return keeps the last memory.
        EXPECT_EQ(promptTexts(prompter), c.asks ? QStringList{promptText(question, Prompter::Buttons::YesNo,
                                                                         Prompter::Icon::None, Answer::No)}
                                                : QStringList());
        EXPECT_EQ(t.state.changed(), c.selectAfter > 0);
    }
}

// Remove closes the gap, delete empties in place, and Delete PMS memory pair
// empties both rows of the pair: each only after Ok (Return keeps a PMS pair).
TEST(TableEditing, RemoveDeleteAndDeletePmsPairActOnlyAfterOk)
{
    enum Command { Remove, Delete, DeletePms };
    struct Case {
        Command command;
        TableSelection selection; // DeletePms: its row
        Answer answer;
        const char* what; // named in the question
        const char* rows; // memories 1 to 8 / 98 to 100, or PMS 1 to 18 (what the radio gave them)
    };
    const Case cases[] = {
        {Remove, {3, 1, 4, 6}, Answer::Ok, "memories 3 to 4", "1 2 5 6 7 8 9 10 / 100 - -"},
        {Remove, {5, 2, 5, 2}, Answer::Ok, "memory 5", "1 2 3 4 6 7 8 9 / 99 100 -"},
        {Remove, {3, 1, 4, 6}, Answer::Cancel, "memories 3 to 4", "1 2 3 4 5 6 7 8 / 98 99 100"},
        {Delete, {4, 1, 3, 1}, Answer::Ok, "memories 3 to 4", "1 2 - - 5 6 7 8 / 98 99 100"}, // upwards
        {Delete, {3, 1, 4, 6}, Answer::Cancel, "memories 3 to 4", "1 2 3 4 5 6 7 8 / 98 99 100"},
        {DeletePms, {1}, Answer::Ok, "PMS memory pair 1", "- - 3 4 5 6 7 8 9 10 11 12 13 14 15 16 17 18"},
        {DeletePms, {4}, Answer::Ok, "PMS memory pair 2", "1 2 - - 5 6 7 8 9 10 11 12 13 14 15 16 17 18"},
        {DeletePms,
         {18},
         Answer::Cancel,
         "PMS memory pair 9",
         "1 2 3 4 5 6 7 8 9 10 11 12 13 14 15 16 17 18"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.rows);
        Loaded t;
        ChannelTable& pms = t.state.tables().pms;
        for (int row = 1; row <= 18; ++row)
            putChannel(pms, row, row);
        ScriptedPrompter prompter;
        prompter.answer(c.answer);
        const bool done = c.command == Remove   ? TE::removeRows(t.state, c.selection, prompter)
                          : c.command == Delete ? TE::deleteRows(t.state, c.selection, prompter)
                                                : TE::deletePmsPair(t.state, c.selection.firstRow, prompter);
        EXPECT_EQ(done, c.answer == Answer::Ok);
        const QString question = QStringLiteral("Are you sure you want to %1 %2")
                                     .arg(c.command == Remove ? "remove" : "delete", c.what);
        const std::optional<Answer> safe =
            c.command == DeletePms ? std::optional(Answer::Cancel) : std::nullopt;
        EXPECT_EQ(promptTexts(prompter), QStringList{promptText(question, Prompter::Buttons::OkCancel,
                                                                Prompter::Icon::Question, safe)});
        EXPECT_EQ(c.command == DeletePms ? layout(pms, 1, 18, true)
                                         : layout(t.memories(), 1, 8) + " / " + layout(t.memories(), 98, 100),
                  QLatin1String(c.rows));
        EXPECT_EQ(t.state.changed(), done);
    }
}

TEST(TableEditing, CompactClosesChannelsUpInTheirOrderAndShowsEveryRow)
{
    Loaded t({2, 50, 100}, true);
    t.state.setHideEmpty(true);
    EXPECT_TRUE(TE::compact(t.state));
    EXPECT_EQ(layout(t.memories(), 1, 5), QStringLiteral("2 50 100 - -"));
    EXPECT_EQ(layout(t.memories(), 4, 100).count(QLatin1Char('-')), 97);
    EXPECT_FALSE(t.state.hideEmpty());
}

struct MoveCase {
    const char* name;
    bool down;
    int first, last;
    bool moved;
    TableSelection after;
    const char* rows1to7;
};

TEST(TableEditing, MovesShiftTheBlockByOneExceptAtTheEnds)
{
    const MoveCase cases[] = {
        {"down", true, 3, 5, true, {4, 1, 6, 6}, "1 2 6 3 4 5 7"},
        {"up", false, 3, 5, true, {2, 1, 4, 6}, "1 3 4 5 2 6 7"},
        {"up from the top", false, 1, 2, false, {1, 1, 2, 6}, "1 2 3 4 5 6 7"},
        {"down at the bottom", true, 99, 100, false, {99, 1, 100, 6}, "1 2 3 4 5 6 7"},
    };
    for (const MoveCase& c : cases) {
        SCOPED_TRACE(c.name);
        Loaded t;
        const TableSelection selection{c.first, 2, c.last, 3};
        const MoveResult r = c.down ? TE::moveDown(t.state, selection) : TE::moveUp(t.state, selection);
        EXPECT_EQ(r.moved, c.moved);
        EXPECT_EQ(r.selection, c.after);
        EXPECT_EQ(layout(t.memories(), 1, 7) + " / " + layout(t.memories(), 98, 100),
                  QLatin1String(c.rows1to7) + " / 98 99 100");
        EXPECT_EQ(t.state.changed(), c.moved);
        EXPECT_EQ(t.state.history().canUndo(), c.moved) << "a move is an undo step";
    }
}

TEST(TableEditing, FillDownSkipsEmptyRowsAndLeavesTheChangedFlag)
{
    struct Case {
        const char* name;
        TableSelection selection;
        bool done;
    } cases[] = {
        {"rows 3 to 8, mode and shift", {3, 2, 8, 3}, true},
        {"one row", {3, 2, 3, 3}, false},
        {"first row empty", {5, 2, 8, 3}, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Loaded t({5});
        setRow(t.memories(), 3, "7.00300|FM|Minus||67.0|ch3");
        EXPECT_EQ(TE::fillDown(t.state, c.selection), c.done);
        QStringList rows2to9; // mode/shift
        for (int row = 2; row <= 9; ++row)
            rows2to9 << cellText(t.memories(), row, Column::kMode) + '/' +
                            cellText(t.memories(), row, Column::kShift);
        EXPECT_EQ(rows2to9.join(' '),
                  QString::fromLatin1(
                      c.done ? "USB/Simplex FM/Minus FM/Minus / FM/Minus FM/Minus FM/Minus USB/Simplex"
                             : "USB/Simplex FM/Minus USB/Simplex / USB/Simplex USB/Simplex "
                               "USB/Simplex USB/Simplex"));
        EXPECT_EQ(t.state.changed(), c.done) << "a fill is a change to save";
    }
}

class TableSorting : public DecimalMarkTest {};

TEST_P(TableSorting, NumbersCompareAsNumbersEmptySlotsGoLastAndOnlyTheSelectionMoves)
{
    struct Case {
        const char* name;
        bool byFrequency;
        int first, last;
        const char* rows1to8;
    } cases[] = {
        {"frequency, all rows", true, 1, 100, "6 3 1 4 2 7 - -"},
        {"frequency, rows 2 to 5", true, 2, 5, "1 3 4 2 - 6 7 -"},
        {"frequency, one row", true, 3, 3, "1 2 3 4 - 6 7 -"},
        {"description, all rows", false, 1, 100, "3 6 1 4 7 2 - -"},
    };
    // Text order of these frequencies differs from their numeric order.
    const qint32 freqs[] = {1410000, 14550000, 705000, 2800000, 0, 350000, 14550000};
    const char* descriptions[] = {"alpha", "", "9", "Alpha", "", "10", "Beta"};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Loaded t({1, 2, 3, 4, 6, 7}, true);
        for (const int row :
             {1, 2, 3, 4, 6, 7}) { // each known by what the radio gave it: no sort looks at that
            edit(t.memories(), row, [&](Channel& ch) {
                ch.hertz = qint64(freqs[row - 1]) * 10;
                ch.description = QString::fromLatin1(descriptions[row - 1]);
            });
        }
        const bool sorted = c.byFrequency ? TE::sortByFrequency(t.state, {c.first, 1, c.last, 1})
                                          : TE::sortByDescription(t.state, {c.first, 6, c.last, 6});
        EXPECT_TRUE(sorted);
        EXPECT_EQ(layout(t.memories(), 1, 8, true), QLatin1String(c.rows1to8));
        // A new order is a change to save; sorting one row changes nothing.
        EXPECT_EQ(t.state.changed(), c.first != c.last);
    }
}
QUAYSTONE_BOTH_DECIMAL_MARKS(TableSorting);

TEST(TableEditing, HideEmptyShowsOnlyTheFirstRowOfEachEmptyRun)
{
    Loaded t({1, 2, 10, 11, 12, 13, 14, 15, 16, 17, 18, 19, 20, 50});
    const QVector<bool> hidden = TE::hiddenRows(t.memories(), true);
    QVector<bool> expected(101, false);
    for (const int row : {2, 11, 12, 13, 14, 15, 16, 17, 18, 19, 20})
        expected[row] = true;
    EXPECT_EQ(hidden, expected);
}

class TableFind : public DecimalMarkTest {};

TEST_P(TableFind, FindsColumnByColumnIgnoringCaseAndReportsTheEnd)
{
    Loaded t;
    edit(t.memories(), 100, [](Channel& c) { c.hertz = 145500000; });
    edit(t.memories(), 1, [](Channel& c) { c.description = QStringLiteral("145 club rep"); });
    edit(t.memories(), 40, [](Channel& c) { c.description = QStringLiteral("Local REPEATER"); });
    const QVector<bool> shown(7, false);
    QVector<bool> descriptionHidden(7, false);
    descriptionHidden[Column::kDescription] = true;

    ScriptedPrompter prompter;
    prompter.reply(QStringLiteral("145"));
    FindResult r = TE::findText(t.state, prompter, shown);
    EXPECT_EQ(prompter.prompts().at(0).text,
              QStringLiteral(
                  "Find what:\r\n\r\nThe case of the text is ignored.\r\n\r\nAfter a successful find you "
                  "can use F3 to find the next occurence"));
    EXPECT_TRUE(r.found && r.row == 100 && r.column == Column::kFreq);
    r = TE::findNext(t.state, prompter, shown); // past the last row: next column, row 1
    EXPECT_TRUE(r.found && r.row == 1 && r.column == Column::kDescription);

    prompter.reply(QStringLiteral("rep"));
    r = TE::findText(t.state, prompter, shown);
    EXPECT_EQ(prompter.prompts().at(1).preset, QStringLiteral("145")) << "previous text offered";
    EXPECT_TRUE(r.found && r.row == 1 && r.column == Column::kDescription);
    r = TE::findNext(t.state, prompter, shown);
    EXPECT_TRUE(r.found && r.row == 40);
    r = TE::findNext(t.state, prompter, shown);
    EXPECT_FALSE(r.found);
    EXPECT_EQ(prompter.messages(), QStringList{QStringLiteral("Find completed")});
    TE::findNext(t.state, prompter, shown);
    EXPECT_EQ(prompter.prompts().size(), 3) << "F3 with no last match does nothing";

    prompter.reply(QStringLiteral("REP"));
    r = TE::findText(t.state, prompter, descriptionHidden);
    EXPECT_FALSE(r.found) << "hidden columns are skipped";
    EXPECT_EQ(prompter.messages().size(), 2);

    prompter.reply(QString()); // cancelled
    r = TE::findText(t.state, prompter, shown);
    EXPECT_FALSE(r.found);
    EXPECT_EQ(t.state.find().text, QStringLiteral("REP"));
}
QUAYSTONE_BOTH_DECIMAL_MARKS(TableFind);

class TableDuplicates : public DecimalMarkTest {};

TEST_P(TableDuplicates, ListsEachEqualPairOnceInTheLog)
{
    Loaded t({1, 2});
    // Compared as shown, to 10 Hz: the radio's 145.500003 MHz is 145.50000.
    for (const auto& [row, hertz] :
         {std::pair{5, 145500000}, {9, 145500003}, {20, 145500000}, {30, 145500010}})
        edit(t.memories(), row, [hertz = hertz](Channel& c) { c.hertz = hertz; });
    MessageLog log;
    int yields = 0;
    TE::listDuplicates(t.state, log, [&] { ++yields; });
    const QString f = local("145.50000");
    EXPECT_EQ(log.text(), "Row  5 and row 9 are the same frequency of " + f + "\r\n" +
                              "Row  5 and row 20 are the same frequency of " + f + "\r\n" +
                              "Row  9 and row 20 are the same frequency of " + f + "\r\n");
    EXPECT_EQ(yields, 99);
}
QUAYSTONE_BOTH_DECIMAL_MARKS(TableDuplicates);

// Every change to the tables is one named step: undo gives back both tables
// as they were, redo as they became, and the changed flag follows the saved
// position both ways. Operations that move rows carry what the radio gave
// a channel (the row's Kept text, never shown) with it, there and back
// (rows1to6: the layout afterwards).
TEST(UndoHistory, EveryOperationIsOneStepBackAndForthAndCarriesWhatTheRadioGave)
{
    struct On {
        AppState& s;
        Prompter& p;
        MessageLog& log;
        TableSelection sel;
        void paste(bool cut, int at)
        {
            TE::copyRows(s, sel, cut);
            TE::paste(s, at);
        }
    };
    using Operation = void (*)(On);
    struct Case {
        const char* name;
        Operation operation;
        const char* rows1to6 = nullptr;
        TableSelection sel = {};
    };
    const Case cases[] = {
        {"Cell entry",
         [](On o) {
             CellEntry::commit(o.s, TableKind::Memories, 4, Column::kMode, QStringLiteral("FM"), o.p);
         }},
        {"Cell entry",
         [](On o) { CellEntry::commit(o.s, TableKind::Pms, 2, Column::kFreq, local("7.2"), o.p); }},
        {"Paste memories", [](On o) { o.paste(false, 4); }, "1 2 - 1 2 6", {1, 1, 2, 6}},
        {"Paste memories", [](On o) { o.paste(true, 5); }, "- - - 4 1 2", {1, 1, 2, 6}},
        {"Insert memory above", [](On o) { TE::insertAbove(o.s, 2, 2, o.p); }, "1 - 2 4 5 6"},
        {"Remove memory", [](On o) { TE::removeRows(o.s, o.sel, o.p); }, "2 - 4 5 6 7", {1, 1, 1, 6}},
        {"Delete memory", [](On o) { TE::deleteRows(o.s, o.sel, o.p); }, "1 - - 4 5 6", {2, 1, 2, 6}},
        {"Compact empty memories", [](On o) { TE::compact(o.s); }, "1 2 4 5 6 7"},
        {"Move memories up", [](On o) { TE::moveUp(o.s, o.sel); }, "1 2 4 5 - 6", {4, 1, 5, 6}},
        {"Move memories down", [](On o) { TE::moveDown(o.s, o.sel); }, "- 1 2 4 5 6", {1, 1, 2, 6}},
        {"Fill downwards", [](On o) { TE::fillDown(o.s, o.sel); }, "1 2 - 4 5 6", {1, 1, 6, 5}},
        {"Sort by frequency", [](On o) { TE::sortByFrequency(o.s, o.sel); }, nullptr, {1, 1, 100, 1}},
        {"Sort by description",
         [](On o) { TE::sortByDescription(o.s, o.sel); },
         "1 10 11 12 2 4",
         {1, 6, 12, 6}},
        {"Delete PMS memory pair", [](On o) { TE::deletePmsPair(o.s, 1, o.p); }},
        {"Paste rows",
         [](On o) { SpreadsheetText::paste(o.s, 8, Column::kFreq, local("7.5\tAM\n8.5\tXX\n"), o.log); }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        // While nothing is loaded, no command (typing included) changes or asks anything.
        AppState idle;
        idle.setClipboard({1, 2, false});
        ScriptedPrompter silent;
        MessageLog idleLog;
        c.operation({idle, silent, idleLog, c.sel});
        EXPECT_TRUE(silent.prompts().isEmpty());
        EXPECT_FALSE(idle.changed() || idle.history().canUndo());
        EXPECT_TRUE(idle.tableRows() == AppState().tableRows());

        Loaded t({3});
        t.state.tables().pms.setChannel(1, rec("7.000000|LSB|Simplex||67.0"));
        t.state.setChanged(false);
        ScriptedPrompter prompter;
        prompter.answer(Answer::Ok);
        MessageLog log;
        const UndoHistory::Tables before = t.state.tableRows();
        c.operation({t.state, prompter, log, c.sel});
        const UndoHistory::Tables after = t.state.tableRows();
        ASSERT_NE(after, before);
        EXPECT_EQ(c.rows1to6 ? layout(t.memories(), 1, 6) : QString(), QLatin1String(c.rows1to6));
        EXPECT_EQ(layout(t.memories(), 1, 100, true), layout(t.memories(), 1, 100));
        EXPECT_EQ(TE::undoCaption(t.state), QStringLiteral("&Undo ") + QLatin1String(c.name));
        for (int round = 0; round < 2; ++round) {
            ASSERT_TRUE(TE::undo(t.state));
            EXPECT_EQ(t.state.tableRows(), before);
            EXPECT_FALSE(t.state.changed()) << "back at the saved tables";
            EXPECT_FALSE(TE::undo(t.state));
            EXPECT_EQ(TE::redoCaption(t.state), QStringLiteral("R&edo ") + QLatin1String(c.name));
            ASSERT_TRUE(TE::redo(t.state));
            EXPECT_EQ(t.state.tableRows(), after);
            EXPECT_TRUE(t.state.changed());
            EXPECT_FALSE(TE::redo(t.state));
        }
        // A load or a read starts the history afresh.
        t.state.setDataSource(AppState::File);
        EXPECT_FALSE(t.state.history().canUndo() || t.state.history().canRedo());
    }
}

// A step keeps the rows it changed, not the tables: 500 steps of a
// one-row move stay small.
TEST(UndoHistory, AStepHoldsTheRowsItChanged)
{
    Loaded t;
    TE::moveDown(t.state, {10, 1, 10, 6});
    EXPECT_EQ(t.state.history().rowsHeld(), 2);
    ScriptedPrompter prompter;
    prompter.answer(Answer::Ok);
    TE::deleteRows(t.state, {20, 1, 22, 6}, prompter);
    EXPECT_EQ(t.state.history().rowsHeld(), 5);
}

} // namespace
