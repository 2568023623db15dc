// SPDX-License-Identifier: GPL-3.0-or-later
#include "state/GridLayout.h"
#include "state/Settings.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

TEST(GridLayout, ColumnWidthRules)
{
    QTemporaryDir dir;
    Settings settings(dir.path());
    using V = QVector<int>;

    // User-chosen widths with nothing saved keep the memories columns as they are.
    auto unsaved = GridLayout::columnWidths(QStringLiteral("Normal"), false, true, settings);
    EXPECT_EQ(unsaved.memories, V(7, -1));
    EXPECT_EQ(unsaved.pms, (V{-1, 1150, 1150, 1150, 1150, 1150}));

    for (int c = 0; c <= 5; ++c)
        settings.setInt(Keys::Column[c], 1000 + c);
    auto saved = GridLayout::columnWidths(QStringLiteral("Normal"), false, true, settings);
    EXPECT_EQ(saved.memories, (V{1000, 1001, 1002, 1003, 1004, 1005, 960}));

    auto autosized = GridLayout::columnWidths(QStringLiteral("Normal"), true, true, settings);
    EXPECT_TRUE(autosized.autosize) << "autosize takes precedence";
    EXPECT_EQ(autosized.memories, V(7, -1));
}

} // namespace
