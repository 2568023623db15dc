// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "model/Channel.h"

#include <QString>
#include <optional>

class ChannelTables;

// The CAT command texts and the two conversions between a 27-character
// memory reply / memory-write command and a channel.
namespace CatCodec {

inline constexpr char kIdQuery[] = "ID;";
inline constexpr char kIdReply[] = "ID0310;";
inline constexpr char kAutoInfoOff[] = "AI0;";
inline constexpr char kEmptyReply[] = "?;";
inline constexpr int kCommandLength = 27;
// The part of a memory reply a channel keeps (characters 6 to 26, see Channel::radioRecord).
inline constexpr int kKeptLength = 21;

// "MR" + three-digit channel + ";".
QString memoryReadQuery(int position);
// The CAT-rate command for a line settings text such as "38400,N,8,2";
// empty for a text that is none of the four rates.
QString catRateCommand(const QString& lineSettings);

// A run-time failure of a decode, numbered and described as the read
// procedure's failure message shows it.
struct DecodeError {
    int number = 0;
    QString description;
};

// Decodes a memory reply (or a memory-file line of the same layout) into a
// channel, which keeps characters 6 to 26 as its radio record; the
// description stays. Fails on a short reply, a frequency field that is not
// eight digits, or a tone number outside 00..49.
std::optional<DecodeError> decode(const QString& reply, Channel& channel);
// Decodes into the slot of the tables; the description stays.
std::optional<DecodeError> decodeInto(ChannelTables& tables, const QString& reply, int position);

// The channel field of a reply or line (characters 3-5) as a number, or -1.
int channelOf(const QString& reply);

// Encoding a channel into a memory-write command. It starts from the
// channel's radio record and replaces each field that no longer shows what
// that holds, so an unedited channel gives back the radio's reply with "W"
// for "R" and an edit changes its own field only; a channel without a radio
// record gets "+000000" and "0" in characters 14-20 and 22. A channel the
// radio could not take as it stands (a mode outside the table that the radio
// record does not hold, a frequency that does not fit) is refused with the
// reason, never sent changed.
struct EncodeResult {
    QString command;
    QString problem;
    bool ok() const { return problem.isEmpty(); }
};
EncodeResult encode(const Channel& channel, int position);
EncodeResult encodeSlot(const ChannelTables& tables, int position);

// Megahertz text (either decimal mark) to whole hertz, further decimals truncated.
std::optional<qint64> hertzOf(const QString& freq);

// The hertz a write sends: the radio record's while the frequency shown is
// still the one that record gives, else the channel's.
qint64 exactHertz(const Channel& channel, int position);
// The radio record of a channel made on the computer, as a write would send
// it; empty when the channel cannot be encoded.
QString radioRecordOf(const Channel& channel, int position);

} // namespace CatCodec
