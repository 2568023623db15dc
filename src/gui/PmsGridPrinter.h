// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QFont>
#include <QVector>

class ChannelTable;
class QPrinter;

// Prints the PMS table as its grid shows it: header row and label column
// shaded, ruled cells, in the grid's font and column widths, on a landscape
// page with 500-twip margins. A table taller than a page continues on the
// next page under a repeated header row.
class PmsGridPrinter {
public:
    static constexpr int kMarginTwips = 500;

    // Landscape with the grid margins.
    static void preparePage(QPrinter& printer);

    // columnWidths: twips per grid column (label first); headerHeight in
    // twips; font: the grid's font. False when the printer could not be started.
    static bool print(QPrinter& printer, const ChannelTable& pms, const QVector<int>& columnWidths,
                      int headerHeight, const QFont& font);
};
