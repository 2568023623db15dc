// SPDX-License-Identifier: GPL-3.0-or-later
#include "SpreadsheetText.h"

#include "CellEntry.h"
#include "model/ChannelTable.h"
#include "model/ChannelText.h"
#include "model/Frequency.h"
#include "model/Vocabulary.h"
#include "state/AppState.h"
#include "state/MessageLog.h"
#include "state/Prompter.h"

#include <QMap>
#include <QRegularExpression>
#include <algorithm>

namespace SpreadsheetText {
namespace {

QString headingOf(int column)
{
    return ChannelTable::headerText(TableKind::Memories, column).replace(QLatin1Char('\n'), QLatin1Char(' '));
}

// Keeps what the entry rules would have shown in a message box, so that a
// paste can name the reason in the log instead of stopping at each cell.
class CollectingPrompter : public Prompter {
public:
    QString said;
    Answer ask(const QString& text, Buttons, Icon, const QString&) override
    {
        said = text.simplified();
        return Answer::No;
    }
    std::optional<QString> inputText(const QString&, const QString&, const QString&) override
    {
        return std::nullopt;
    }
    QString chooseOpenFile(const QString&, const QString&, const QString&) override { return {}; }
    QString chooseSaveFile(const QString&, const QString&, const QString&, const QString&) override
    {
        return {};
    }
    QString chooseFolder(const QString&, const QString&) override { return {}; }
};

// The order in which a row's cells are entered: the frequency first, as it
// brings the row's defaults; the encoding before the tone it may clear.
const int kEntryOrder[] = {Column::kFreq,   Column::kMode, Column::kShift,
                           Column::kEncDec, Column::kTone, Column::kDescription};

} // namespace

QString fromSelection(const ChannelTable& table, TableSelection selection)
{
    const TableSelection s = selection.normalized();
    const int firstRow = std::max(s.firstRow, 1);
    const int lastRow = std::min(s.lastRow, table.rowCount());
    int firstColumn = std::max(s.firstColumn, 0);
    int lastColumn = std::min(s.lastColumn, table.columnCount() - 1);
    // Rows picked by their labels stand for the whole rows, as a spreadsheet's row headings do.
    if (lastColumn <= Column::kLabel) {
        firstColumn = Column::kFreq;
        lastColumn = table.columnCount() - 1;
    }
    QStringList lines;
    const auto line = [&](int row) {
        QStringList cells;
        for (int column = firstColumn; column <= lastColumn; ++column)
            cells << (row == 0 ? headingOf(column) : ChannelText::cell(table, row, column));
        lines << cells.join(QLatin1Char('\t'));
    };
    if (firstColumn <= Column::kFreq && lastColumn == table.columnCount() - 1)
        line(0);
    for (int row = firstRow; row <= lastRow; ++row)
        line(row);
    return lines.join(QStringLiteral("\r\n"));
}

QVector<QStringList> parse(const QString& text)
{
    const QString firstLine = text.left(text.indexOf(QRegularExpression(QStringLiteral("[\r\n]"))));
    // Where the decimal mark is a comma, spreadsheets separate by semicolons
    // and a comma belongs to the number.
    QChar separator = Frequency::decimalMark() == QLatin1String(",") ? QChar() : QLatin1Char(',');
    for (const QChar c : {QLatin1Char('\t'), QLatin1Char(';')}) {
        if (firstLine.contains(c)) {
            separator = c;
            break;
        }
    }
    QVector<QStringList> rows;
    QStringList cells;
    QString cell;
    bool quoted = false;
    const auto endCell = [&] {
        cells << cell.trimmed();
        cell.clear();
    };
    const auto endLine = [&] {
        endCell();
        if (std::any_of(cells.cbegin(), cells.cend(), [](const QString& c) { return !c.isEmpty(); }))
            rows << cells;
        cells.clear();
    };
    for (int i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (quoted) {
            if (c == QLatin1Char('"') && i + 1 < text.size() && text.at(i + 1) == QLatin1Char('"'))
                cell += text.at(++i);
            else if (c == QLatin1Char('"'))
                quoted = false;
            else
                cell += c;
        } else if (c == QLatin1Char('"') && cell.trimmed().isEmpty()) {
            quoted = true;
            cell.clear();
        } else if (c == separator) {
            endCell();
        } else if (c == QLatin1Char('\r') || c == QLatin1Char('\n')) {
            if (c == QLatin1Char('\r') && i + 1 < text.size() && text.at(i + 1) == QLatin1Char('\n'))
                ++i;
            endLine();
        } else {
            cell += c;
        }
    }
    endLine();
    return rows;
}

int columnOfHeading(const QString& heading)
{
    static const QMap<QString, int> kNames = {
        {QStringLiteral("memories"), Column::kLabel},
        {QStringLiteral("memory"), Column::kLabel},
        {QStringLiteral("channel"), Column::kLabel},
        {QStringLiteral("location"), Column::kLabel},
        {QStringLiteral("frequency"), Column::kFreq},
        {QStringLiteral("freq"), Column::kFreq},
        {QStringLiteral("mode"), Column::kMode},
        {QStringLiteral("shift"), Column::kShift},
        {QStringLiteral("method"), Column::kEncDec},
        {QStringLiteral("encoding"), Column::kEncDec},
        {QStringLiteral("tone"), Column::kTone},
        {QStringLiteral("ctcss"), Column::kTone},
        {QStringLiteral("description"), Column::kDescription},
        {QStringLiteral("name"), Column::kDescription},
        {QStringLiteral("comment"), Column::kDescription},
    };
    const QString name = heading.simplified().toLower();
    for (int column = 0; column < ChannelMap::columnCount(TableKind::Memories); ++column) {
        if (name == headingOf(column).toLower())
            return column;
    }
    return kNames.value(name, -1);
}

PasteResult paste(AppState& state, int targetRow, int targetColumn, const QString& text, MessageLog& log)
{
    PasteResult result;
    ChannelTable& table = state.tables().memories;
    QVector<QStringList> rows = parse(text);
    if (!state.holdsChannels() || rows.isEmpty() || targetRow < 1 || targetRow > table.rowCount())
        return result;

    // A first line whose cells name two or more columns is a heading line.
    QVector<int> columns;
    for (const QString& cell : rows.first())
        columns << columnOfHeading(cell);
    if (std::count_if(columns.cbegin(), columns.cend(), [](int c) { return c >= 0; }) >= 2) {
        rows.removeFirst();
    } else {
        columns.clear();
        for (int i = 0; i < table.columnCount(); ++i)
            columns << (std::max(targetColumn, 0) + i < table.columnCount() ? std::max(targetColumn, 0) + i
                                                                            : -1);
    }

    const UndoStep step(state, QString::fromLatin1(kLabelPaste));
    const bool wasChanged = state.changed();
    const UndoHistory::Tables before = state.tableRows();
    const int fitting = std::min(int(rows.size()), table.rowCount() - targetRow + 1);
    for (int i = 0; i < fitting; ++i) {
        const int row = targetRow + i;
        QMap<int, QString> cells;
        for (int k = 0; k < rows[i].size() && k < columns.size(); ++k) {
            if (columns[k] > Column::kLabel)
                cells.insert(columns[k], rows[i][k]);
        }
        const Channel original = table.channel(row);
        // The log names a row as its label shows it (memory 0 is the first row).
        const QString label = ChannelMap::slotLabel(TableKind::Memories, row);
        const QString freq = cells.value(Column::kFreq);
        if (cells.contains(Column::kFreq) &&
            freq.compare(QLatin1String(Vocabulary::kEmptyMarker), Qt::CaseInsensitive) == 0) {
            // A copied empty slot empties its target.
            table.clearRow(row);
            state.setChanged(true);
            ++result.written;
            continue;
        }
        QStringList refusals;
        for (const int column : kEntryOrder) {
            if (!cells.contains(column))
                continue;
            QString value = cells.value(column);
            // A blank cell leaves the entry's default, except where blank is a value.
            if (value.isEmpty() && column == Column::kEncDec) {
                if (ChannelText::encoding(table.channel(row)).trimmed().isEmpty())
                    continue;
                value = QStringLiteral(" ");
            } else if (value.isEmpty() && column != Column::kDescription && column != Column::kFreq)
                continue;
            CollectingPrompter collector;
            QString why;
            if (!CellEntry::isEditable(state, TableKind::Memories, row, column))
                why = QStringLiteral("the memory holds no frequency");
            else if (!CellEntry::commit(state, TableKind::Memories, row, column, value, collector))
                why = collector.said.isEmpty() ? QStringLiteral("not one of the column's choices")
                                               : collector.said;
            if (!why.isEmpty())
                refusals << QStringLiteral("Paste: row %1, %2 \"%3\" refused: %4")
                                .arg(label)
                                .arg(headingOf(column), cells.value(column), why);
        }
        if (refusals.isEmpty()) {
            ++result.written;
            continue;
        }
        table.setChannel(row, original);
        for (const QString& line : refusals)
            log.notice(line);
        log.notice(QStringLiteral("Paste: row %1 was left as it was.").arg(label));
        ++result.refused;
    }
    if (rows.size() > fitting)
        log.notice(QStringLiteral("Paste: %1 row(s) past the last memory were left out.")
                       .arg(rows.size() - fitting));
    // Refused rows are put back whole; a paste that changed nothing is no change.
    if (state.tableRows() == before)
        state.restoreChanged(wasChanged);
    else
        state.ShowMemoryStatus();
    return result;
}

} // namespace SpreadsheetText
