// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QStringList>
#include <array>

class Settings;

// The choices of the print options window: which memory columns the listing
// prints, orientation, two-sided printing and the top margin. They live in
// the settings store (PrintCol1..6, Landscape, Duplex, TopMargin).
struct PrintOptions {
    // Listing columns 1..6: frequency, mode, shift, encoding, tone, description.
    static constexpr int kFirstColumn = 1;
    static constexpr int kLastColumn = 6;

    // Index 0 is unused so that columns[i] is column i.
    std::array<bool, 7> columns{{false, true, true, true, true, true, true}};
    bool landscape = true;
    bool duplex = false;
    QString topMargin = QStringLiteral("Minimum"); // one of marginCaptions()

    static PrintOptions load(const Settings& settings);
    // Writes every value; false when the store could not be written.
    bool save(Settings& settings) const;

    bool prints(int column) const
    {
        return column >= kFirstColumn && column <= kLastColumn && columns[column];
    }

    // The drop-down list's captions, in order.
    static QStringList marginCaptions();
    // Distance of the first line below the top of the printable area, in
    // twips; a text that is not a caption counts as "1 inch".
    static int marginTwips(const QString& caption);
    int topMarginTwips() const { return marginTwips(topMargin); }

    // The number in brackets of a column's check box. The encoding box says
    // 9 although its printed column is 8 wide; the label counts what the box says.
    static int labelWidth(int column);
    int labelWidthSum() const;
    // "Width=" and the sum of the ticked boxes' numbers.
    QString widthLabel() const;

    bool operator==(const PrintOptions& other) const;
    bool operator!=(const PrintOptions& other) const { return !(*this == other); }
};
