// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "model/Channel.h"

#include <QString>
#include <QStringList>
#include <QVector>
#include <optional>

class ChannelTables;

// One slot whose channel differs between two sides (the radio and the
// table, or two memory files), as a preview or a diff lists it.
struct ChannelDifference {
    int position = 0; // sequence position 1..118
    QString label;    // "0".."99", "P1L".."P9U"
    QString left;     // the first side's channel as text ("Empty" when it holds none)
    QString right;    // the second side's
    // The fields that differ, by column name: "Frequency", "Mode", "Shift",
    // "Method", "Tone", "Description", "radio data" for characters the
    // table does not show (exact hertz, the radio's own data), or "whole
    // channel" when one side is empty or could not be read.
    QStringList fields;
};

// Compares channels slot by slot: what a write would change in the radio,
// or how two memory files differ. Both the command line and the window
// list its differences.
class ChannelComparison {
public:
    // The text shown for a side that could not be read.
    static constexpr char kNotRead[] = "(not read)";
    static constexpr char kRadioData[] = "radio data";
    // The field list of a slot that is empty on one side only.
    static constexpr char kWholeChannel[] = "whole channel";

    // A channel as one line of text, as the table of its slot shows it:
    // frequency, mode, shift, method, tone, and the description in quotes
    // when it has one.
    static QString describe(const Channel& channel, int position);

    // The difference of one slot; nothing when both sides hold the same
    // channel (descriptions compared only when withDescription). A side
    // without a value could not be read.
    static std::optional<ChannelDifference> compare(int position, const std::optional<Channel>& left,
                                                    const Channel& right, bool withDescription);

    // Every slot of two pairs of tables whose channels differ, descriptions included.
    static QVector<ChannelDifference> compareTables(const ChannelTables& left, const ChannelTables& right);

    // The list: a heading naming the two sides, then one line per slot with
    // the label, both channels side by side and the fields that differ.
    static QString format(const QVector<ChannelDifference>& differences, const QString& leftName,
                          const QString& rightName);
};
