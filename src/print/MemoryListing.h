// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "PrintOptions.h"

#include <QString>
#include <QStringList>
#include <QVector>

class ChannelTable;

// Where lines go on a page, all in twips: lines start at the top margin below
// the top of the printable area and follow each other at the line height. A
// line whose position lies further down than the printable height less the
// bottom limit goes to a new page.
struct PageGeometry {
    static constexpr int kBottomLimit = 510;
    int printableHeight = 0;
    int topMargin = 0;
    int lineHeight = 0;
};

// The memories listing as text: a pure function from the memories table, the
// print options and the title to pages of fixed-pitch lines. The renderer
// prints line i of a page at topMargin + i * lineHeight; nothing else decides
// where a line goes, so the text output, the PDF and the paper agree.
namespace MemoryListing {

using Pages = QVector<QStringList>;

inline constexpr int kNumberWidth = 14;
// Printed width of listing columns 1..5; the description is as long as its text.
// Each cell ends in at least one blank, so no value runs into the next.
inline constexpr int kCellWidths[6] = {kNumberWidth, 10, 6, 8, 8, 6};
inline constexpr char kEmptyText[] = "  Empty";
// The decimal mark of a frequency falls in this column (1-based) of its cell.
inline constexpr int kMarkColumn = 4;

// Header text of a listing column 1..6, with its trailing spaces.
QString columnHeader(int column);
// 14 spaces and the headers of the chosen columns.
QString headerLine(const PrintOptions& options);
// 14 spaces and "Memory print of ", then for a loaded file (data source 2) one
// space and the file panel's text, otherwise "Radio".
QString title(int dataSource, const QString& filePanel);

// Five spaces, the row number right-aligned in five, four spaces.
QString numberCell(int row);
// A text cut or padded with spaces on the right to the width.
QString fixedCell(const QString& text, int width);
// The frequency decimal-aligned in its 10-character cell: the mark lands in
// column 4, a text without the mark starts after four spaces. A text with
// more than three digits before the mark cannot move left of the cell, so it
// starts at the cell's first column; such a text is never cut (that would
// change the printed value): when it fills the cell it is kept whole and one
// space follows it, and only that line's later columns move to the right.
QString frequencyCell(const QString& text, const QString& decimalMark);
// The encoding in its 8-character cell. Every encoding the radio knows
// begins with "CTCSS ", and cutting "CTCSS Enc" and "CTCSS Enc+Dec" to eight
// characters would print both as "CTCSS En"; the listing therefore prints
// them without that common word, as "Enc" and "Enc+Dec".
QString encodingCell(const QString& text);
// The line for empty rows first..last: one number, or "first-last" in eight
// characters, then "  Empty" in ten.
QString emptyRunLine(int first, int last);

// The description markers: a leading "^" asks for a new page; then a leading
// "<" carries a heading up to the first ">" (or the end), and the rest is the
// description to print.
struct DescriptionMarkers {
    bool pageBreak = false;
    bool hasHeading = false;
    QString heading;
    QString description;
};
DescriptionMarkers parseDescription(const QString& description);

// The memory line of one used row: number cell, the chosen cells, and the
// description (already stripped of its markers) when chosen.
QString memoryLine(int row, const QStringList& cells, const QString& description, const PrintOptions& options,
                   const QString& decimalMark);

// The whole listing: title block, one line per used row, runs of empty rows
// folded, headings and forced page breaks from the descriptions, the page
// header on every page, new pages at the bottom limit.
Pages compose(const ChannelTable& memories, const PrintOptions& options, const QString& title,
              const PageGeometry& geometry, const QString& decimalMark);

} // namespace MemoryListing
