// SPDX-License-Identifier: GPL-3.0-or-later
#include "PmsGridPrinter.h"

#include "model/ChannelTable.h"
#include "model/ChannelText.h"

#include <QFontMetricsF>
#include <QPainter>
#include <QPrinter>

namespace {

constexpr double kTwipsPerInch = 1440.0;
constexpr double kTwipsPerPoint = 20.0;
// Space between a cell's rule and its text, as the grid draws it.
constexpr int kCellPaddingTwips = 45;
const QColor kFixedShade(224, 224, 224);

} // namespace

void PmsGridPrinter::preparePage(QPrinter& printer)
{
    printer.setPageOrientation(QPageLayout::Landscape);
    const double points = kMarginTwips / kTwipsPerPoint;
    printer.setPageMargins(QMarginsF(points, points, points, points), QPageLayout::Point);
}

bool PmsGridPrinter::print(QPrinter& printer, const ChannelTable& pms, const QVector<int>& columnWidths,
                           int headerHeight, const QFont& font)
{
    QPainter painter;
    if (!painter.begin(&printer))
        return false;
    const double scale = printer.resolution() / kTwipsPerInch;
    painter.setFont(font);
    const QFontMetricsF metrics(font, &printer);
    const double padding = kCellPaddingTwips * scale;
    const double rowHeight = metrics.lineSpacing() + 2 * padding;
    const double headHeight = qMax(headerHeight * scale, 2 * metrics.lineSpacing() + 2 * padding);
    const double pageHeight = printer.pageRect(QPrinter::Point).height() * kTwipsPerPoint * scale;

    const int columns = pms.columnCount();
    QVector<double> lefts(columns + 1, 0.0);
    for (int column = 0; column < columns; ++column)
        lefts[column + 1] = lefts[column] + columnWidths.value(column, columnWidths.value(1, 1150)) * scale;

    QPen rule(Qt::black);
    rule.setWidthF(qMax(1.0, scale * 10));
    painter.setPen(rule);

    auto drawCell = [&](int column, double top, double height, const QString& text, bool shaded, int flags) {
        const QRectF cell(lefts[column], top, lefts[column + 1] - lefts[column], height);
        if (shaded)
            painter.fillRect(cell, kFixedShade);
        painter.drawRect(cell);
        painter.drawText(cell.adjusted(padding, padding, -padding, -padding), flags, text);
    };
    auto drawHeader = [&]() {
        for (int column = 0; column < columns; ++column)
            drawCell(column, 0, headHeight, ChannelText::cell(pms, 0, column), true, Qt::AlignCenter);
        return headHeight;
    };

    double top = drawHeader();
    for (int row = 1; row <= pms.rowCount(); ++row) {
        if (top + rowHeight > pageHeight && top > headHeight) {
            if (!printer.newPage()) {
                painter.end();
                return false;
            }
            top = drawHeader();
        }
        for (int column = 0; column < columns; ++column)
            drawCell(column, top, rowHeight, ChannelText::cell(pms, row, column), column == 0,
                     Qt::AlignLeft | Qt::AlignVCenter);
        top += rowHeight;
    }
    return painter.end();
}
