// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QStringList>

class ChannelTables;
class MessageLog;

// The memory file (".950"): one line per used channel slot, each the
// memory-write command of that slot (a memory-reply line of the same layout
// loads the same way). Lines end in CR LF; there is no header.
namespace MemoryFile {

inline constexpr char kExtension[] = ".950";
inline constexpr char kDescriptionSuffix[] = "dsc";
inline constexpr char kInitialFileName[] = "Initial memory file.950";
// Memory "0" at 7.00000 MHz, LSB, no tone encoding, tone 67.0, simplex.
inline constexpr char kInitialLine[] = "MR00007000000+000000100000;";
// The highest channel number the radio has (P9U).
inline constexpr int kHighestChannel = 117;

bool endsWithMemoryExtension(const QString& path);      // ".950", any case
bool endsWithDescriptionExtension(const QString& path); // ".950dsc", any case

// A pair name beside path that nothing holds: "NAME (tag).ext", else
// "NAME (tag 2).ext", ... (".950" added as a save adds it), where neither
// the memory file nor its description file exists in any form, a dangling
// link included; so a save there replaces nothing and writes through no
// link. Empty when the first thousand are all taken.
QString freePairPath(const QString& path, const QString& tag);

// The channel number of a line: characters 3 to 5, exactly three digits;
// -1 when they are anything else.
int channelNumber(const QString& line);

// Why a line cannot be loaded, or an empty text when it can.
QString lineProblem(const QString& line);

// Puts each line into the slot its channel number names; a later line for
// a slot overwrites an earlier one. A line that cannot be loaded is skipped
// and named in the log, one notice line each. Blank lines are passed over.
// Returns the number of lines skipped.
int load(const QStringList& lines, ChannelTables& tables, MessageLog& log, const QString& fileName);

// The lines of a save: memory rows 1-100, then PMS rows 1-18, empty slots
// left out. A slot the radio could not take as it stands cannot be written
// as a command line; it is left out, named in the log and its label added
// to refusedLabels.
QStringList compose(const ChannelTables& tables, MessageLog& log, QStringList* refusedLabels);

} // namespace MemoryFile
