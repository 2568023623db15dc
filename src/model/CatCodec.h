// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "model/MemoryRecord.h"

#include <QString>
#include <optional>

class ChannelTables;

// The CAT command texts and the two conversions between a 27-character
// memory reply / memory-write command and a memory record.
namespace CatCodec {

inline constexpr char kIdQuery[] = "ID;";
inline constexpr char kIdReply[] = "ID0310;";
inline constexpr char kAutoInfoOff[] = "AI0;";
inline constexpr char kEmptyReply[] = "?;";
inline constexpr int kCommandLength = 27;
// The part of a memory reply a record keeps (characters 6 to 26, see MemoryRecord::Kept).
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

// Decodes a memory reply (or a memory-file line of the same layout) into
// the record of a sequence position: six decimals for PMS slots, five for
// memories; the record keeps characters 6 to 26 as its Kept text. Fails on a short reply, a frequency field
// that is not eight digits, or a tone number outside 00..49.
std::optional<DecodeError> decode(const QString& reply, int position, MemoryRecord& record);
// Decodes into the slot of the tables; the label and Description stay.
std::optional<DecodeError> decodeInto(ChannelTables& tables, const QString& reply, int position);

// The channel field of a reply or line (characters 3-5) as a number, or -1.
int channelOf(const QString& reply);

// Encoding a record into a memory-write command. It starts from the record's
// Kept text and replaces each field whose text no longer shows what that
// holds, so an unedited record gives back the radio's reply with "W" for "R"
// and an edit changes its own field only; a record without Kept text gets
// "+000000" and "0" in characters 14-20 and 22. A record the radio could not
// take as it stands (a mode or tone outside the tables that the Kept text does
// not hold, a frequency that is not a number or does not fit) is refused with
// the reason, never sent changed.
struct EncodeResult {
    QString command;
    QString problem;
    bool ok() const { return problem.isEmpty(); }
};
EncodeResult encode(const MemoryRecord& record, int position);
EncodeResult encodeSlot(const ChannelTables& tables, int position);

// Megahertz text (either decimal mark) to whole hertz, further decimals truncated.
std::optional<qint64> hertzOf(const QString& freq);

// The exact hertz of a record: its Kept text's while the frequency shown is
// still the one that text gives, else the shown frequency's.
std::optional<qint64> exactHertz(const MemoryRecord& record, int position);
// The Kept text of a record made on the computer whose frequency is exactly
// hertz (which the shown frequency rounds), so that saving and writing carry
// the exact hertz; empty when the record cannot be encoded.
QString keptForHertz(const MemoryRecord& record, int position, qint64 hertz);

// The identity test: the reply with its second character made "W" equals the command.
bool isIdentical(const QString& reply, const QString& command);

} // namespace CatCodec
