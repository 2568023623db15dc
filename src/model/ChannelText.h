// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "Channel.h"

#include <QString>
#include <QStringList>
#include <optional>

class ChannelTable;

// The words a channel is shown and written in, and the words read back into
// values: the locale's decimal mark, "Empty" for a slot without a channel,
// the vocabularies' names ("?? " and "??" for codes outside them). The view
// model, the file and CSV formats, the print listing and the command line
// go through these, so every edge shows a channel alike.
namespace ChannelText {

// Megahertz under the user's decimal mark: five decimals, or six in a PMS row
// whose frequency is the radio's; "Empty" for a slot without a channel.
QString frequency(const Channel& channel, TableKind table);
QString mode(const Channel& channel);
QString shift(const Channel& channel);
QString encoding(const Channel& channel);
QString tone(const Channel& channel);

// The text of a cell as the table shows it: row 0 the header, column 0 the
// slot label; empty outside the table.
QString cell(const ChannelTable& table, int row, int column);
// Every visible cell of a data row, label first; empty for a row outside the table.
QStringList rowFields(const ChannelTable& table, int row);

// A word of a field's vocabulary as its value; std::nullopt for a text that
// is no word of it. An empty text is no mode, no shift, no encoding, no tone;
// a single blank is no encoding as the choice list offers it.
std::optional<QChar> modeOf(const QString& text);
std::optional<QChar> shiftOf(const QString& text);
std::optional<QChar> encodingOf(const QString& text);
std::optional<int> toneOf(const QString& text);

} // namespace ChannelText
