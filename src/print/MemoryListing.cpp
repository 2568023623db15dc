// SPDX-License-Identifier: GPL-3.0-or-later
#include "MemoryListing.h"

#include "model/ChannelTable.h"
#include "model/ChannelText.h"

namespace MemoryListing {

namespace {

constexpr const char* kHeaders[7] = {"",         "RX Freq   ", "Mode  ",         "Shift   ",
                                     "Decode  ", "Tone  ",     "Description    "};
constexpr int kFrequencyWidth = 10;

QString indent()
{
    return QString(kNumberWidth, QLatin1Char(' '));
}

// Lays lines onto pages the way a printer's vertical position moves.
class PageWriter {
public:
    PageWriter(const PageGeometry& geometry, const QString& header) : m_geometry(geometry), m_header(header)
    {
        // A zero height would keep every line at the top; a negative one
        // would move upwards. Either way the pages would be meaningless.
        if (m_geometry.lineHeight < 1)
            m_geometry.lineHeight = 1;
        newPage();
    }

    // Starts a page at the top margin.
    void newPage()
    {
        m_pages.append(QStringList());
        m_position = m_geometry.topMargin;
    }

    // Prints a line where the position stands, with no bottom check.
    void put(const QString& text)
    {
        m_pages.last().append(text);
        m_position += m_geometry.lineHeight;
    }

    void putPageHeader()
    {
        put(m_header);
        put(QString());
    }

    // Prints a line of the listing, first starting a new page with its header
    // when the position has passed the bottom limit.
    void printLine(const QString& text)
    {
        if (m_position > m_geometry.printableHeight - PageGeometry::kBottomLimit) {
            newPage();
            putPageHeader();
        }
        put(text);
    }

    Pages pages() const { return m_pages; }

private:
    PageGeometry m_geometry;
    QString m_header;
    Pages m_pages;
    int m_position = 0;
};

} // namespace

QString columnHeader(int column)
{
    return column >= PrintOptions::kFirstColumn && column <= PrintOptions::kLastColumn
               ? QString::fromLatin1(kHeaders[column])
               : QString();
}

QString headerLine(const PrintOptions& options)
{
    QString line = indent();
    for (int column = PrintOptions::kFirstColumn; column <= PrintOptions::kLastColumn; ++column) {
        if (options.prints(column))
            line += columnHeader(column);
    }
    return line;
}

QString title(int dataSource, const QString& filePanel)
{
    QString text = indent() + QStringLiteral("Memory print of ");
    if (dataSource == 2)
        text += QLatin1Char(' ') + filePanel;
    else
        text += QStringLiteral("Radio");
    return text;
}

QString numberCell(int row)
{
    return QString(5, QLatin1Char(' ')) + QString::number(row).rightJustified(5, QLatin1Char(' ')) +
           QString(4, QLatin1Char(' '));
}

QString fixedCell(const QString& text, int width)
{
    // A value as wide as its column would touch the next one ("SimplexEnc+Dec").
    return text.left(width - 1).leftJustified(width, QLatin1Char(' '));
}

QString frequencyCell(const QString& text, const QString& decimalMark)
{
    const int markAt = decimalMark.isEmpty() ? -1 : text.indexOf(decimalMark);
    const int lead = markAt < 0 ? kMarkColumn : qMax(0, kMarkColumn - (markAt + 1));
    const QString aligned = QString(lead, QLatin1Char(' ')) + text;
    if (aligned.size() >= kFrequencyWidth)
        return aligned + QLatin1Char(' ');
    return fixedCell(aligned, kFrequencyWidth);
}

QString encodingCell(const QString& text)
{
    static const QString common = QStringLiteral("CTCSS ");
    const QString shown = text.startsWith(common) ? text.mid(common.size()) : text;
    return fixedCell(shown, kCellWidths[Column::kEncDec]);
}

QString emptyRunLine(int first, int last)
{
    QString number;
    if (first == last) {
        number = numberCell(first);
    } else {
        number = QString(5, QLatin1Char(' ')) +
                 (QString::number(first) + QLatin1Char('-') + QString::number(last))
                     .rightJustified(8, QLatin1Char(' ')) +
                 QLatin1Char(' ');
    }
    return number + fixedCell(QString::fromLatin1(kEmptyText), kFrequencyWidth);
}

DescriptionMarkers parseDescription(const QString& description)
{
    DescriptionMarkers markers;
    QString text = description;
    if (text.startsWith(QLatin1Char('^'))) {
        markers.pageBreak = true;
        text.remove(0, 1);
    }
    if (text.startsWith(QLatin1Char('<'))) {
        markers.hasHeading = true;
        const int close = text.indexOf(QLatin1Char('>'));
        if (close < 0) {
            markers.heading = text.mid(1);
            text.clear();
        } else {
            markers.heading = text.mid(1, close - 1);
            text = text.mid(close + 1);
        }
    }
    markers.description = text;
    return markers;
}

QString memoryLine(int row, const QStringList& cells, const QString& description, const PrintOptions& options,
                   const QString& decimalMark)
{
    QString line = numberCell(row);
    for (int column = PrintOptions::kFirstColumn; column < PrintOptions::kLastColumn; ++column) {
        if (!options.prints(column))
            continue;
        const QString text = cells.value(column);
        if (column == Column::kFreq)
            line += frequencyCell(text, decimalMark);
        else if (column == Column::kEncDec)
            line += encodingCell(text);
        else
            line += fixedCell(text, kCellWidths[column]);
    }
    if (options.prints(PrintOptions::kLastColumn))
        line += description;
    return line;
}

Pages compose(const ChannelTable& memories, const PrintOptions& options, const QString& title,
              const PageGeometry& geometry, const QString& decimalMark)
{
    PageWriter writer(geometry, headerLine(options));
    writer.put(title);
    writer.put(QString());
    writer.putPageHeader();

    int runStart = 0; // first row of the open run of empty rows, 0 when none
    const int rows = memories.rowCount();
    for (int row = 1; row <= rows; ++row) {
        if (memories.isEmptyRow(row)) {
            if (runStart == 0)
                runStart = row;
            continue;
        }
        if (runStart != 0) {
            writer.printLine(emptyRunLine(runStart, row - 1));
            runStart = 0;
        }
        const QStringList cells = ChannelText::rowFields(memories, row);
        const DescriptionMarkers markers = parseDescription(cells.value(Column::kDescription));
        if (markers.pageBreak) {
            writer.newPage();
            writer.putPageHeader();
        }
        if (markers.hasHeading) {
            writer.printLine(indent());
            writer.printLine(indent() + markers.heading);
            writer.printLine(indent());
        }
        writer.printLine(memoryLine(row, cells, markers.description, options, decimalMark));
    }
    if (runStart != 0)
        writer.printLine(emptyRunLine(runStart, rows));
    return writer.pages();
}

} // namespace MemoryListing
