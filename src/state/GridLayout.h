// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QVector>

class Settings;

// Lengths on screen and paper are given in twips (1/1440 inch); at 96 dpi
// 15 twips make one logical pixel and Qt's scaling does the rest.
namespace Twips {
inline int toPixels(int twips)
{
    return (twips + 7) / 15;
}
inline int fromPixels(int pixels)
{
    return pixels * 15;
}
} // namespace Twips

// The grid-size table and the column-width rules of the channel tables.
namespace GridLayout {

struct GridSize {
    QString name;          // "Normal", "Larger" or "Largest"
    int headerHeight;      // twips
    int numberColumnWidth; // twips; the base width of the column rules
    int fontPoints;
};

// "Normal" and "Larger" by name; any other text is "Largest".
GridSize gridSize(const QString& name);

// What the window does to its columns. A width of -1 keeps the column as it is.
struct ColumnWidths {
    bool autosize = false;    // size memories columns 1-6 to contents, tone columns + kToneExtra
    QVector<int> memories;    // 7 entries, twips
    QVector<int> pms;         // 6 entries, twips
};
inline constexpr int kToneExtra = 200;

// The column-width rules for a grid size and the two width options; stored
// user widths come from the settings.
ColumnWidths columnWidths(const QString& gridSizeName, bool autosize, bool userChosen, const Settings& settings);

} // namespace GridLayout
