#include "app/GridLayout.h"
#include "app/Settings.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

TEST(GridLayout, GridSizeTable)
{
    struct SizeCase {
        const char* name;
        const char* resolved;
        int header, number, font;
    };
    const SizeCase cases[] = {{"Normal", "Normal", 500, 1150, 8},
                              {"Larger", "Larger", 550, 1180, 9},
                              {"Largest", "Largest", 600, 1210, 10},
                              {"normal", "Largest", 600, 1210, 10},
                              {"", "Largest", 600, 1210, 10}};
    for (const SizeCase& c : cases) {
        const GridLayout::GridSize size = GridLayout::gridSize(QString::fromLatin1(c.name));
        EXPECT_EQ(size.name, QString::fromLatin1(c.resolved)) << c.name;
        EXPECT_EQ(size.headerHeight, c.header);
        EXPECT_EQ(size.numberColumnWidth, c.number);
        EXPECT_EQ(size.fontPoints, c.font);
    }
}

TEST(GridLayout, ColumnWidthRules)
{
    QTemporaryDir dir;
    Settings settings(dir.path());
    using V = QVector<int>;

    auto normal = GridLayout::columnWidths(QStringLiteral("Normal"), false, false, settings);
    EXPECT_FALSE(normal.autosize);
    EXPECT_EQ(normal.memories, (V{-1, 1150, 1150, 1150, 1550, 1150, 3450}));
    EXPECT_EQ(normal.pms, (V{-1, 1150, 1150, 1150, 1550, 1150}));

    auto largest = GridLayout::columnWidths(QStringLiteral("Largest"), false, false, settings);
    EXPECT_EQ(largest.memories, (V{-1, 1210, 1210, 1210, 1610, 1210, 3630}));

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

TEST(Twips, FifteenToTheLogicalPixel)
{
    EXPECT_EQ(Twips::toPixels(1500), 100);
    EXPECT_EQ(Twips::toPixels(500), 33);
    EXPECT_EQ(Twips::fromPixels(100), 1500);
}

} // namespace
