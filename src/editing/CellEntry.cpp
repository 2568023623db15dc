// SPDX-License-Identifier: GPL-3.0-or-later
#include "CellEntry.h"

#include "model/ChannelText.h"
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
    Channel channel = table.channel(row);
    Channel entered;
    entered.present = true;
    entered.hertz = qint64(value) * 10;
    // A frequency that looks as it did stays as it was, to the hertz.
    if (!channel.present || !channel.showsSameFrequency(entered, table.kind())) {
        channel.present = true;
        channel.hertz = entered.hertz;
        channel.hertzFromRadio = false;
    }
    if (channel.mode.isNull())
        channel.mode = Vocabulary::modeCode(state.rules().defaultMode(value));
    if (channel.shift.isNull())
        channel.shift = Vocabulary::shiftCode(QString::fromLatin1(kDefaultShift));
    if (channel.tone < 0)
        channel.tone = Vocabulary::toneIndex(QString::fromLatin1(kDefaultTone));
    if (state.rules().rulesActive()) {
        const bool matched = state.rules().MatchRule(value);
        const QString direction =
            matched ? state.rules().match().Direction : QString::fromLatin1(kDefaultShift);
        channel.shift = ChannelText::shiftOf(direction).value_or(Vocabulary::shiftCode(direction));
    }
    table.setChannel(row, channel);
    return true;
}
// The channel with a word of a vocabulary column in place.
Channel withWord(Channel channel, TableKind kind, int column, const QString& word)
{
    switch (column) {
    case Column::kMode:
        channel.mode = *ChannelText::modeOf(word);
        break;
    case Column::kShift:
        channel.shift = *ChannelText::shiftOf(word);
        break;
    case Column::kEncDec:
        channel.encoding = *ChannelText::encodingOf(word);
        // The single blank (no tone signalling) clears a memory's tone.
        if (channel.encoding == QLatin1Char(' ') && kind == TableKind::Memories)
            channel.tone = -1;
        break;
    default:
        channel.tone = *ChannelText::toneOf(word);
        break;
    }
    return channel;
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
    return !state.tables().table(table).isEmptyRow(row);
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
    // The same rule as the view's: nothing is stored where nothing could be typed.
    if (!isEditable(state, kind, row, column))
        return false;
    ChannelTable& table = state.tables().table(kind);
    const UndoStep step(state, QString::fromLatin1(kLabelCellEntry));

    bool accepted = false;
    switch (column) {
    case Column::kFreq:
        accepted = commitFrequency(state, table, row, text, prompter);
        break;
    case Column::kMode:
    case Column::kShift:
    case Column::kEncDec:
    case Column::kTone:
        // Only the column's own choices reach the radio's codes.
        accepted = inList(choiceList(kind, column), text);
        if (accepted)
            table.setChannel(row, withWord(table.channel(row), kind, column, text));
        break;
    case Column::kDescription: {
        QString clean = text;
        for (const QChar c : {QLatin1Char('"'), QLatin1Char(';'), QLatin1Char(',')})
            clean.replace(c, QLatin1Char(' '));
        Channel channel = table.channel(row);
        channel.description = clean.left(kDescriptionLimit);
        table.setChannel(row, channel);
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
