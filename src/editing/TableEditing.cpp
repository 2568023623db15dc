// SPDX-License-Identifier: GPL-3.0-or-later
#include "TableEditing.h"

#include "model/ChannelMap.h"
#include "model/ChannelTable.h"
#include "model/ChannelText.h"
#include "model/Frequency.h"
#include "state/AppState.h"
#include "state/MessageLog.h"
#include "state/Prompter.h"

#include <algorithm>
#include <optional>

TableSelection TableSelection::normalized() const
{
    TableSelection s = *this;
    if (s.firstRow > s.lastRow)
        std::swap(s.firstRow, s.lastRow);
    if (s.firstColumn > s.lastColumn)
        std::swap(s.firstColumn, s.lastColumn);
    return s;
}

bool TableSelection::coversRows(int rowCount) const
{
    const TableSelection s = normalized();
    return s.firstRow >= 1 && s.lastRow <= rowCount;
}

namespace TableEditing {

namespace {

using Rows = QVector<Channel>;

const QString kCrLf = QStringLiteral("\r\n");

// Writes rearranged rows back.
void storeRows(ChannelTable& table, const Rows& rows)
{
    table.setChannels(rows);
}

ChannelTable& memories(AppState& state)
{
    return state.tables().memories;
}

int memoryRowCount(const AppState& state)
{
    return state.tables().memories.rowCount();
}

// The selection's rows when they are rows of the memories table.
std::optional<TableSelection> memoryRows(const AppState& state, TableSelection selection)
{
    const TableSelection s = selection.normalized();
    if (!s.coversRows(memoryRowCount(state)))
        return std::nullopt;
    return s;
}

QString blockQuestion(const char* verb, const TableSelection& s)
{
    QString text =
        QStringLiteral("Are you sure you want to ") + QLatin1String(verb) + QStringLiteral(" memor");
    if (s.firstRow == s.lastRow)
        return text + QStringLiteral("y") + rowNumberText(s.firstRow);
    return text + QStringLiteral("ies") + rowNumberText(s.firstRow) + QStringLiteral(" to") +
           rowNumberText(s.lastRow);
}

bool confirmBlock(Prompter& prompter, const char* verb, const TableSelection& s)
{
    return prompter.ask(blockQuestion(verb, s), Prompter::Buttons::OkCancel, Prompter::Icon::Question) ==
           Prompter::Answer::Ok;
}

// A sort key: a frequency or a description that reads as a number under the
// user's decimal mark (optional sign, digits, at most one mark), otherwise
// plain text.
struct SortKey {
    enum Kind { Number, Text, Blank, EmptySlot } kind = Text;
    double value = 0;
    QString text;
};

std::optional<double> readNumber(const QString& input, const QString& mark)
{
    const QString text = input.trimmed();
    int pos = 0;
    bool negative = false;
    if (pos < text.size() && (text[pos] == QLatin1Char('+') || text[pos] == QLatin1Char('-')))
        negative = text[pos++] == QLatin1Char('-');
    double value = 0;
    double scale = 0; // 0 before the mark, then 0.1, 0.01, ...
    int digits = 0;
    for (; pos < text.size(); ++pos) {
        const QChar c = text[pos];
        if (c >= QLatin1Char('0') && c <= QLatin1Char('9')) {
            const int d = c.unicode() - '0';
            if (scale == 0) {
                value = value * 10 + d;
            } else {
                value += d * scale;
                scale /= 10;
            }
            ++digits;
        } else if (scale == 0 && QString(c) == mark) {
            scale = 0.1;
        } else {
            return std::nullopt;
        }
    }
    if (digits == 0)
        return std::nullopt;
    return negative ? -value : value;
}

SortKey sortKey(const Channel& channel, int keyColumn, const QString& mark)
{
    SortKey key;
    if (!channel.present) {
        key.kind = SortKey::EmptySlot;
        return key;
    }
    if (keyColumn == Column::kFreq) {
        // The frequency as the memories table shows it, to 10 Hz.
        key.kind = SortKey::Number;
        key.value = double(channel.tenHertzSteps());
        return key;
    }
    key.text = channel.description;
    if (key.text.trimmed().isEmpty()) {
        key.kind = SortKey::Blank;
    } else if (const std::optional<double> number = readNumber(key.text, mark)) {
        key.kind = SortKey::Number;
        key.value = *number;
    }
    return key;
}

bool keyLess(const SortKey& a, const SortKey& b)
{
    if (a.kind != b.kind)
        return a.kind < b.kind;
    if (a.kind == SortKey::Number)
        return a.value < b.value;
    if (a.kind == SortKey::Text)
        return QString::compare(a.text, b.text, Qt::CaseInsensitive) < 0;
    return false;
}

bool sortRows(AppState& state, TableSelection selection, int keyColumn, const char* label)
{
    const std::optional<TableSelection> s = memoryRows(state, selection);
    if (!state.holdsChannels() || !s)
        return false;
    const UndoStep step(state, QString::fromLatin1(label));
    if (s->firstRow == s->lastRow)
        return true;

    ChannelTable& table = memories(state);
    Rows rows = table.channels();
    const QString mark = Frequency::decimalMark();
    struct Entry {
        SortKey key;
        Channel cells;
    };
    QVector<Entry> block;
    for (int row = s->firstRow; row <= s->lastRow; ++row)
        block.push_back({sortKey(rows[row - 1], keyColumn, mark), rows[row - 1]});
    std::stable_sort(block.begin(), block.end(),
                     [](const Entry& a, const Entry& b) { return keyLess(a.key, b.key); });
    for (int i = 0; i < block.size(); ++i)
        rows[s->firstRow - 1 + i] = block[i].cells;
    // A new order is a change to save like any other.
    if (rows != table.channels())
        state.setChanged(true);
    storeRows(table, rows);
    return true;
}

// Searches column by column from (row, column), then from row 1 of each later
// column, and records the match as the last find position.
FindResult searchFrom(AppState& state, Prompter& prompter, int startRow, int startColumn,
                      const QVector<bool>& hiddenColumns)
{
    const ChannelTable& table = state.tables().memories;
    for (int column = startColumn; column < table.columnCount(); ++column) {
        if (hiddenColumns.value(column, false))
            continue;
        for (int row = column == startColumn ? startRow : 1; row <= table.rowCount(); ++row) {
            if (ChannelText::cell(table, row, column).contains(state.find().text, Qt::CaseInsensitive)) {
                state.setFind({row, column, state.find().text});
                return {true, row, column};
            }
        }
    }
    state.setFind({0, 0, state.find().text});
    prompter.inform(QString::fromLatin1(kFindCompleted));
    return {};
}

} // namespace

QString rowNumberText(int row)
{
    return QLatin1Char(' ') + QString::number(row);
}

QString findPrompt()
{
    return QStringLiteral("Find what:") + kCrLf + kCrLf + QStringLiteral("The case of the text is ignored.") +
           kCrLf + kCrLf +
           QStringLiteral("After a successful find you can use F3 to find the next occurence");
}

void copyRows(AppState& state, TableSelection selection, bool cut)
{
    const std::optional<TableSelection> s = memoryRows(state, selection);
    if (!s)
        return;
    state.setClipboard({s->firstRow, s->lastRow, cut});
}

int paste(AppState& state, int targetRow)
{
    const MemoryClipboard clip = state.clipboard();
    const int rowCount = memoryRowCount(state);
    if (!state.holdsChannels() || !clip.hasRows() || clip.last > rowCount || targetRow < 1 ||
        targetRow > rowCount || targetRow == clip.first)
        return 0;
    const UndoStep step(state, QString::fromLatin1(kLabelPaste));

    ChannelTable& table = memories(state);
    Rows rows = table.channels();
    int written = 0;
    // A cut row is emptied only once its copy has landed, so a row whose
    // target lies past the end keeps its channel.
    auto move = [&](int from) {
        const int to = targetRow + (from - clip.first);
        if (to > rowCount)
            return false;
        rows[to - 1] = rows[from - 1];
        if (clip.cut && to != from)
            rows[from - 1] = Channel();
        ++written;
        return true;
    };
    if (targetRow > clip.first && targetRow <= clip.last) {
        // Going down onto itself: copy from the bottom up.
        for (int from = clip.last; from >= clip.first; --from)
            move(from);
    } else {
        for (int from = clip.first; from <= clip.last; ++from) {
            if (!move(from))
                break;
        }
    }
    storeRows(table, rows);
    state.setChanged(true);
    return written;
}

int insertAbove(AppState& state, int currentRow, int selectionFirstRow, Prompter& prompter)
{
    const int rowCount = memoryRowCount(state);
    if (!state.holdsChannels() || currentRow < 1 || currentRow > rowCount)
        return 0;
    ChannelTable& table = memories(state);
    int freeRow = 0;
    for (int row = currentRow + 1; row <= rowCount && freeRow == 0; ++row) {
        if (table.isEmptyRow(row))
            freeRow = row;
    }
    if (freeRow == 0) {
        const QString question = QStringLiteral("No empty memory slot is available after memory") +
                                 rowNumberText(currentRow) + kCrLf +
                                 QStringLiteral("Is it OK to drop the last memory?");
        if (prompter.askSafely(question, Prompter::Buttons::YesNo, Prompter::Icon::None,
                               Prompter::Answer::No) != Prompter::Answer::Yes)
            return 0;
        freeRow = rowCount;
    }
    const UndoStep step(state, QString::fromLatin1(kLabelInsertAbove));

    // The window's selection starts at or above the current cell; anything
    // else would move rows past the freed one, so fall back to the current row.
    const int insertRow =
        selectionFirstRow >= 1 && selectionFirstRow <= currentRow ? selectionFirstRow : currentRow;
    Rows rows = table.channels();
    rows.removeAt(freeRow - 1);
    rows.insert(insertRow - 1, Channel());
    storeRows(table, rows);
    state.setChanged(true);
    return std::min(insertRow + 1, rowCount);
}

bool removeRows(AppState& state, TableSelection selection, Prompter& prompter)
{
    const std::optional<TableSelection> s = memoryRows(state, selection);
    if (!state.holdsChannels() || !s || !confirmBlock(prompter, "remove", *s))
        return false;
    const UndoStep step(state, QString::fromLatin1(kLabelRemove));
    ChannelTable& table = memories(state);
    Rows rows = table.channels();
    for (int row = s->lastRow; row >= s->firstRow; --row) {
        rows.removeAt(row - 1);
        rows.append(Channel());
    }
    storeRows(table, rows);
    state.setChanged(true);
    return true;
}

bool deleteRows(AppState& state, TableSelection selection, Prompter& prompter)
{
    const std::optional<TableSelection> s = memoryRows(state, selection);
    if (!state.holdsChannels() || !s || !confirmBlock(prompter, "delete", *s))
        return false;
    const UndoStep step(state, QString::fromLatin1(kLabelDelete));
    ChannelTable& table = memories(state);
    Rows rows = table.channels();
    for (int row = s->firstRow; row <= s->lastRow; ++row)
        rows[row - 1] = Channel();
    table.setChannels(rows);
    state.setChanged(true);
    return true;
}

bool compact(AppState& state)
{
    if (!state.holdsChannels())
        return false;
    const UndoStep step(state, QString::fromLatin1(kLabelCompact));
    ChannelTable& table = memories(state);
    Rows rows = table.channels();
    std::stable_partition(rows.begin(), rows.end(), [](const Channel& channel) { return channel.present; });
    storeRows(table, rows);
    state.setHideEmpty(false);
    state.setChanged(true);
    return true;
}

namespace {
// Copies one column's value, as filling a cell with the source's text would.
void copyField(Channel& to, const Channel& from, int column)
{
    switch (column) {
    case Column::kFreq:
        to.hertz = from.hertz;
        to.hertzFromRadio = from.hertzFromRadio;
        break;
    case Column::kMode:
        to.mode = from.mode;
        break;
    case Column::kShift:
        to.shift = from.shift;
        break;
    case Column::kEncDec:
        to.encoding = from.encoding;
        break;
    case Column::kTone:
        to.tone = from.tone;
        break;
    default:
        to.description = from.description;
        break;
    }
}

// Moves the selected block one row (step +1 down, -1 up): the row beyond it
// goes to its other side. Nothing moves at the table's edge.
MoveResult moveBlock(AppState& state, TableSelection selection, int step)
{
    MoveResult result;
    const std::optional<TableSelection> s = memoryRows(state, selection);
    if (!state.holdsChannels() || !s)
        return result;
    ChannelTable& table = memories(state);
    const int lastColumn = table.columnCount() - 1;
    const bool down = step > 0;
    result.selection = {s->firstRow, Column::kFreq, s->lastRow, lastColumn};
    result.scrollRow = down ? s->lastRow : s->firstRow;
    if (down ? s->lastRow == table.rowCount() : s->firstRow == 1)
        return result;

    const UndoStep undoStep(state, QString::fromLatin1(down ? kLabelMoveDown : kLabelMoveUp));
    Rows rows = table.channels();
    if (down)
        rows.insert(s->firstRow - 1, rows.takeAt(s->lastRow));
    else
        rows.insert(s->lastRow - 1, rows.takeAt(s->firstRow - 2));
    storeRows(table, rows);
    result.moved = true;
    result.selection = {s->firstRow + step, Column::kFreq, s->lastRow + step, lastColumn};
    // Keep the block's leading edge in view so repeated moves can be followed.
    result.scrollRow = (down ? s->lastRow : s->firstRow) + step;
    state.setChanged(true);
    return result;
}
} // namespace

MoveResult moveDown(AppState& state, TableSelection selection)
{
    return moveBlock(state, selection, +1);
}

MoveResult moveUp(AppState& state, TableSelection selection)
{
    return moveBlock(state, selection, -1);
}

bool fillDown(AppState& state, TableSelection selection)
{
    const std::optional<TableSelection> s = memoryRows(state, selection);
    if (!state.holdsChannels() || !s || s->firstRow == s->lastRow)
        return false;
    ChannelTable& table = memories(state);
    const int firstColumn = std::max(s->firstColumn, int(Column::kFreq));
    const int lastColumn = std::min(s->lastColumn, table.columnCount() - 1);
    if (table.isEmptyRow(s->firstRow) || firstColumn > lastColumn)
        return false;
    const UndoStep step(state, QString::fromLatin1(kLabelFillDown));
    Rows rows = table.channels();
    const Channel source = rows[s->firstRow - 1];
    for (int row = s->firstRow + 1; row <= s->lastRow; ++row) {
        Channel& cells = rows[row - 1];
        if (!cells.present)
            continue;
        for (int column = firstColumn; column <= lastColumn; ++column)
            copyField(cells, source, column);
    }
    if (rows != table.channels())
        state.setChanged(true);
    table.setChannels(rows);
    return true;
}

bool sortByFrequency(AppState& state, TableSelection selection)
{
    return sortRows(state, selection, Column::kFreq, kLabelSortFreq);
}

bool sortByDescription(AppState& state, TableSelection selection)
{
    return sortRows(state, selection, Column::kDescription, kLabelSortDescription);
}

QVector<bool> hiddenRows(const ChannelTable& table, bool hideEmpty)
{
    QVector<bool> hidden(table.rowCount() + 1, false);
    if (!hideEmpty)
        return hidden;
    for (int row = 2; row <= table.rowCount(); ++row)
        hidden[row] = table.isEmptyRow(row) && table.isEmptyRow(row - 1);
    return hidden;
}

FindResult findText(AppState& state, Prompter& prompter, const QVector<bool>& hiddenColumns)
{
    const std::optional<QString> answer =
        prompter.inputText(QString::fromLatin1(kFindTitle), findPrompt(), state.find().text);
    if (!answer)
        return {};
    state.setFind({0, 0, *answer});
    // Every cell contains the empty text; searching for it finds nothing useful.
    if (answer->isEmpty())
        return {};
    return searchFrom(state, prompter, 1, Column::kFreq, hiddenColumns);
}

FindResult findNext(AppState& state, Prompter& prompter, const QVector<bool>& hiddenColumns)
{
    if (state.find().row == 0 || state.find().text.isEmpty())
        return {};
    int row = state.find().row + 1;
    int column = state.find().column;
    if (row > memoryRowCount(state)) {
        row = 1;
        ++column;
    }
    return searchFrom(state, prompter, row, column, hiddenColumns);
}

void listDuplicates(const AppState& state, MessageLog& log, const std::function<void()>& yieldAfterRow)
{
    const ChannelTable& table = state.tables().memories;
    for (int i = 1; i < table.rowCount(); ++i) {
        const Channel channel = table.channel(i);
        if (channel.present) {
            const QString frequency = ChannelText::frequency(channel, table.kind());
            for (int j = i + 1; j <= table.rowCount(); ++j) {
                const Channel other = table.channel(j);
                if (other.present && channel.showsSameFrequency(other, table.kind()))
                    log.notice(QStringLiteral("Row ") + rowNumberText(i) + QStringLiteral(" and row") +
                               rowNumberText(j) + QStringLiteral(" are the same frequency of ") + frequency);
            }
        }
        if (yieldAfterRow)
            yieldAfterRow();
    }
}

bool deletePmsPair(AppState& state, int pmsRow, Prompter& prompter)
{
    ChannelTable& table = state.tables().pms;
    if (!state.holdsChannels() || pmsRow < 1 || pmsRow > table.rowCount())
        return false;
    const int pair = (pmsRow + 1) / 2;
    const QString question =
        QStringLiteral("Are you sure you want to delete PMS memory pair ") + QString::number(pair);
    // Return keeps the pair, as with every question that throws channels away.
    if (prompter.askSafely(question, Prompter::Buttons::OkCancel, Prompter::Icon::Question,
                           Prompter::Answer::Cancel) != Prompter::Answer::Ok)
        return false;
    const UndoStep step(state, QString::fromLatin1(kLabelDeletePms));
    table.clearRow(2 * pair - 1);
    table.clearRow(2 * pair);
    state.setChanged(true);
    return true;
}

namespace {
bool walk(AppState& state, bool forward)
{
    state.setUndoInProgress(true);
    const bool walked = forward ? state.redoStep() : state.undoStep();
    state.setUndoInProgress(false);
    if (walked)
        state.setHideEmpty(false);
    return walked;
}
} // namespace

bool undo(AppState& state)
{
    return walk(state, false);
}

bool redo(AppState& state)
{
    return walk(state, true);
}

QString undoCaption(const AppState& state)
{
    const QString name = state.history().undoName();
    return name.isEmpty() ? QStringLiteral("&Undo") : QStringLiteral("&Undo ") + name;
}

QString redoCaption(const AppState& state)
{
    const QString name = state.history().redoName();
    return name.isEmpty() ? QStringLiteral("R&edo") : QStringLiteral("R&edo ") + name;
}

} // namespace TableEditing
