// SPDX-License-Identifier: GPL-3.0-or-later
#include "GridLayout.h"

#include "Settings.h"

namespace GridLayout {

GridSize gridSize(const QString& name)
{
    if (name == QLatin1String("Normal"))
        return {name, 500, 1150, 8};
    if (name == QLatin1String("Larger"))
        return {name, 550, 1180, 9};
    return {QStringLiteral("Largest"), 600, 1210, 10};
}

ColumnWidths columnWidths(const QString& gridSizeName, bool autosize, bool userChosen, const Settings& settings)
{
    const int base = gridSize(gridSizeName).numberColumnWidth;
    ColumnWidths widths;
    widths.memories = QVector<int>(7, -1);
    widths.pms = QVector<int>(6, -1);
    if (autosize) {
        widths.autosize = true;
        return widths;
    }
    for (int c = 1; c <= 5; ++c)
        widths.pms[c] = base;
    if (userChosen) {
        if (settings.getInt(Keys::Column[0], 999) != 999) {
            for (int c = 0; c <= 6; ++c)
                widths.memories[c] = settings.getInt(Keys::Column[c], 960);
        }
        return widths;
    }
    for (int c = 1; c <= 5; ++c)
        widths.memories[c] = base;
    widths.memories[4] = base + 400;
    widths.pms[4] = base + 400;
    widths.memories[6] = 3 * base;
    return widths;
}

} // namespace GridLayout
