// SPDX-License-Identifier: GPL-3.0-or-later
#include "CellEntry.h"

#include "model/Frequency.h"
#include "model/Vocabulary.h"
#include "state/AppState.h"
#include "state/OutcomePresenter.h"

namespace CellEntry {
namespace {
// A text belongs to a choice list when it is one of its items.
bool inList(const QString& list, const QString& text)
{
    return list.split(QLatin1Char('|'), Qt::SkipEmptyParts).contains(text);
}

bool commitFrequency(AppState& state, ChannelTable& table, int row, const QString& text, Prompter& prompter)
{
    QString normal = text;
    const Frequency::Reading reading = Frequency::check(normal);
    if (!OutcomePresenter::show(prompter, reading))
        return false;
    // Accepted: a number in the radio's range.
    const qint32 value = reading.value;
    table.setText(row, Column::kFreq, normal);
    if (table.text(row, Column::kMode).isEmpty())
        table.setText(row, Column::kMode, state.rules().defaultMode(value));
    if (table.text(row, Column::kShift).isEmpty())
        table.setText(row, Column::kShift, QString::fromLatin1(kDefaultShift));
    if (table.text(row, Column::kTone).isEmpty())
        table.setText(row, Column::kTone, QString::fromLatin1(kDefaultTone));
    if (state.rules().rulesActive()) {
        const bool matched = state.rules().MatchRule(value);
        table.setText(row, Column::kShift,
                      matched ? state.rules().match().Direction : QString::fromLatin1(kDefaultShift));
    }
    return true;
}
} // namespace

bool isEditable(const AppState& state, TableKind table, int row, int column)
{
    if (!state.holdsChannels() || state.initialising())
        return false;
    if (table == TableKind::Memories && state.undoInProgress())
        return false;
    if (row < 1 || row > ChannelMap::rowCount(table) || column < Column::kFreq ||
        column >= ChannelMap::columnCount(table))
        return false;
    if (column == Column::kFreq)
        return true;
    const QString freq = state.tables().table(table).text(row, Column::kFreq);
    return freq.compare(QLatin1String(Vocabulary::kEmptyMarker), Qt::CaseInsensitive) != 0;
}

QString choiceList(TableKind table, int column)
{
    if (column >= ChannelMap::columnCount(table))
        return {};
    switch (column) {
    case Column::kMode:
        return QString::fromLatin1(Vocabulary::kModeList);
    case Column::kShift:
        return QString::fromLatin1(Vocabulary::kShiftList);
    case Column::kEncDec:
        return QString::fromLatin1(Vocabulary::kEncodingList);
    case Column::kTone:
        return Vocabulary::toneChoiceList();
    default:
        return {};
    }
}

bool commit(AppState& state, TableKind kind, int row, int column, const QString& text, Prompter& prompter)
{
    ChannelTable& table = state.tables().table(kind);
    if (row < 1 || row > table.rowCount() || column < Column::kFreq || column >= table.columnCount())
        return false;
    const UndoStep step(state, QString::fromLatin1(kLabelCellEntry));

    bool accepted = false;
    switch (column) {
    case Column::kFreq:
        accepted = commitFrequency(state, table, row, text, prompter);
        break;
    case Column::kMode:
    case Column::kShift:
    case Column::kTone:
        // Only the column's own choices reach the radio's codes.
        accepted = inList(choiceList(kind, column), text);
        if (accepted)
            table.setText(row, column, text);
        break;
    case Column::kEncDec:
        // The single blank (no tone signalling) is one of the list's items.
        accepted = inList(choiceList(kind, column), text);
        if (accepted) {
            table.setText(row, column, text);
            if (text == QLatin1String(" ") && kind == TableKind::Memories)
                table.setText(row, Column::kTone, QString());
        }
        break;
    case Column::kDescription: {
        QString clean = text;
        for (const QChar c : {QLatin1Char('"'), QLatin1Char(';'), QLatin1Char(',')})
            clean.replace(c, QLatin1Char(' '));
        table.setText(row, column, clean.left(kDescriptionLimit));
        accepted = true;
        break;
    }
    default:
        break;
    }
    if (accepted)
        state.setChanged(true);
    else
        state.ShowMemoryStatus();
    return accepted;
}

} // namespace CellEntry
