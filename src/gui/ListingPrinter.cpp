// SPDX-License-Identifier: GPL-3.0-or-later
#include "ListingPrinter.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QFontMetricsF>
#include <QPainter>
#include <QPrinter>
#include <QPrinterInfo>
#include <QTemporaryFile>

namespace {

constexpr double kTwipsPerInch = 1440.0;
constexpr double kTwipsPerPoint = 20.0;

double toDevice(int twips, const QPrinter& printer)
{
    return twips * printer.resolution() / kTwipsPerInch;
}

} // namespace

QFont ListingPrinter::listingFont()
{
    QFont font(QStringLiteral("Courier New"), 8);
    font.setStyleHint(QFont::TypeWriter, QFont::PreferMatch);
    font.setFixedPitch(true);
    return font;
}

bool ListingPrinter::printerAvailable()
{
    return !QPrinterInfo::availablePrinterNames().isEmpty();
}

void ListingPrinter::applyOptions(QPrinter& printer, const PrintOptions& options)
{
    printer.setPageOrientation(options.landscape ? QPageLayout::Landscape : QPageLayout::Portrait);
    printer.setDuplex(options.duplex ? QPrinter::DuplexLongSide : QPrinter::DuplexNone);
}

void ListingPrinter::setPdfOutput(QPrinter& printer, const QString& path)
{
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(path);
    const double points = kPdfMarginTwips / kTwipsPerPoint;
    printer.setPageMargins(QMarginsF(points, points, points, points), QPageLayout::Point);
}

bool ListingPrinter::exportPdf(const QString& path, const std::function<bool(QPrinter&)>& print)
{
    const QFileInfo target(path);
    QTemporaryFile partial(target.absoluteDir().filePath(target.fileName() + QStringLiteral(".XXXXXX")));
    if (!partial.open())
        return false;
    partial.close();
    {
        QPrinter printer(QPrinter::HighResolution);
        setPdfOutput(printer, partial.fileName());
        if (!print(printer))
            return false;
    }
    if (QFileInfo(partial.fileName()).size() == 0)
        return false;
    if (QFile::exists(path) && !QFile::remove(path))
        return false;
    if (!QFile::rename(partial.fileName(), path))
        return false;
    partial.setAutoRemove(false);
    // A temporary file is private to its owner; the exported print is an
    // ordinary document.
    QFile::setPermissions(path, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ReadUser |
                                    QFileDevice::WriteUser | QFileDevice::ReadGroup | QFileDevice::ReadOther);
    return true;
}

PageGeometry ListingPrinter::geometry(QPrinter& printer, int topMarginTwips)
{
    PageGeometry geometry;
    geometry.printableHeight = qRound(printer.pageRect(QPrinter::Point).height() * kTwipsPerPoint);
    geometry.topMargin = topMarginTwips;
    const QFontMetricsF metrics(listingFont(), &printer);
    geometry.lineHeight = qMax(1, qRound(metrics.lineSpacing() * kTwipsPerInch / printer.resolution()));
    return geometry;
}

bool ListingPrinter::printPages(QPrinter& printer, const MemoryListing::Pages& pages,
                                const PageGeometry& geometry)
{
    QPainter painter;
    if (!painter.begin(&printer))
        return false;
    painter.setFont(listingFont());
    const double ascent = QFontMetricsF(painter.font(), &printer).ascent();
    for (int page = 0; page < pages.size(); ++page) {
        if (page > 0 && !printer.newPage()) {
            painter.end();
            return false;
        }
        const QStringList& lines = pages[page];
        for (int line = 0; line < lines.size(); ++line) {
            if (lines[line].trimmed().isEmpty())
                continue;
            const double top = toDevice(geometry.topMargin + line * geometry.lineHeight, printer);
            painter.drawText(QPointF(0, top + ascent), lines[line]);
        }
    }
    return painter.end();
}

MemoryListing::Pages ListingPrinter::layout(QPrinter& printer, const ChannelTable& memories,
                                            const PrintOptions& options, const QString& title,
                                            const QString& decimalMark)
{
    applyOptions(printer, options);
    return MemoryListing::compose(memories, options, title, geometry(printer, options.topMarginTwips()),
                                  decimalMark);
}

bool ListingPrinter::printMemories(QPrinter& printer, const ChannelTable& memories,
                                   const PrintOptions& options, const QString& title,
                                   const QString& decimalMark)
{
    applyOptions(printer, options);
    const PageGeometry pageGeometry = geometry(printer, options.topMarginTwips());
    return printPages(printer, MemoryListing::compose(memories, options, title, pageGeometry, decimalMark),
                      pageGeometry);
}
