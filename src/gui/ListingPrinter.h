// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "print/MemoryListing.h"

#include <QFont>
#include <QString>
#include <functional>

class ChannelTable;
class QPrinter;

// Puts the memories listing on a QPrinter, for paper or for a PDF file: the
// fixed-pitch face, the orientation, two-sided printing and the top margin.
// The lines and page breaks come from MemoryListing alone.
class ListingPrinter {
public:
    // A PDF has no unprintable border, so it gets a quarter inch on every
    // side: the listing then sits on the page as it would on paper.
    static constexpr int kPdfMarginTwips = 360;

    // "Courier New", 8 point; where that face is missing the system's
    // metric-compatible fixed-pitch face stands in.
    static QFont listingFont();

    // True when the system lists at least one installed printer.
    static bool printerAvailable();

    // Orientation from the options; two-sided printing binds on the paper's
    // long edge, which turns portrait pages sideways like a book and landscape
    // pages over the top like a pad, so the back of every sheet reads upright.
    // A printer that cannot print two-sided prints one-sided.
    static void applyOptions(QPrinter& printer, const PrintOptions& options);

    // Sends the printer's output to a PDF file at path.
    static void setPdfOutput(QPrinter& printer, const QString& path);

    // Writes a PDF file: print gets a high-resolution printer whose output
    // goes to a temporary file beside path, which replaces path only when
    // print succeeded, so a failed export leaves an earlier file intact.
    static bool exportPdf(const QString& path, const std::function<bool(QPrinter&)>& print);

    // The printer's printable height and the listing font's line height, in
    // twips, with the given top margin.
    static PageGeometry geometry(QPrinter& printer, int topMarginTwips);

    // Prints composed pages; false when the printer (or the file) could not
    // be started or a page could not be begun.
    static bool printPages(QPrinter& printer, const MemoryListing::Pages& pages,
                           const PageGeometry& geometry);

    // Applies the options, lays out the listing for this printer and prints it.
    static bool printMemories(QPrinter& printer, const ChannelTable& memories, const PrintOptions& options,
                              const QString& title, const QString& decimalMark);

    // The pages the listing takes on this printer with these options
    // (orientation applied first), without printing.
    static MemoryListing::Pages layout(QPrinter& printer, const ChannelTable& memories,
                                       const PrintOptions& options, const QString& title,
                                       const QString& decimalMark);
};
