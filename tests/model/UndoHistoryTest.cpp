// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/UndoHistory.h"

#include <gtest/gtest.h>

namespace {

// The saved position after a run of edits (e), saves (s), undos (u) and redos
// (r), each letter optionally followed by a count: the history reads as saved
// only where the tables are what was saved. A slip either way would let Exit
// drop unsaved edits without asking. Each edit numbers the tables, so the
// number at the end shows the walk was exact and the oldest steps went first.
TEST(UndoHistory, OnlyTheSavedTablesReadAsSaved)
{
    const struct {
        const char* steps;
        bool clean;
        int shown; // the edit the tables show at the end
    } cases[] = {
        {"e s u", false, 0},
        {"e s u r", true, 1},
        {"e s u e", false, 2},
        {"e3 s u2 e r", false, 4},
        {"s e500 u500", true, 0},      // the oldest step kept is the saved one
        {"s e501 u500", false, 1},     // the saved tables fell out of the history
        {"e10 s e500 u500", true, 10}, // the oldest step kept is the saved one
        {"e s e600 u600 r600 u", false, 600},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.steps);
        UndoHistory history;
        int edits = 0;
        UndoHistory::Tables tables;
        for (const QString& step : QString::fromLatin1(c.steps).split(QLatin1Char(' '))) {
            const int times = step.size() > 1 ? step.mid(1).toInt() : 1;
            for (int i = 0; i < times; ++i) {
                const char op = step.at(0).toLatin1();
                const UndoHistory::Tables before = tables;
                if (op == 'e') {
                    Channel numbered;
                    numbered.hertz = ++edits;
                    tables.memories = {numbered};
                    ASSERT_TRUE(history.push(QStringLiteral("edit"), before, tables));
                } else if (op == 's') {
                    history.markClean();
                } else if (op == 'u' && history.canUndo()) {
                    for (const UndoHistory::RowChange& row : history.undo())
                        tables.memories[row.row - 1] = row.before;
                } else if (op == 'r' && history.canRedo()) {
                    for (const UndoHistory::RowChange& row : history.redo())
                        tables.memories[row.row - 1] = row.after;
                }
            }
        }
        EXPECT_LE(history.count(), UndoHistory::kLimit);
        EXPECT_EQ(history.isClean(), c.clean);
        EXPECT_EQ(tables.memories.value(0).hertz, c.shown);
    }
}

} // namespace
