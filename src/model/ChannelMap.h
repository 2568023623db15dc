// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

// The two tables the radio's 118 reachable slots are mirrored in.
enum class TableKind { Memories, Pms };

// Column numbers shared by both tables (the PMS table stops at Tone).
namespace Column {
inline constexpr int kLabel = 0;
inline constexpr int kFreq = 1;
inline constexpr int kMode = 2;
inline constexpr int kShift = 3;
inline constexpr int kEncDec = 4;
inline constexpr int kTone = 5;
inline constexpr int kDescription = 6;
} // namespace Column

// Where one sequence position (1..118) lives.
struct SlotInfo {
    TableKind table = TableKind::Memories;
    int row = 0;        // row in its table, 1-based (row 0 is the header)
    QString label;      // "0".."99", "P1L".."P9U"
    QString catChannel; // "000".."117"
};

// The fixed channel map: sequence positions 1..100 are the memories table,
// 101..118 the PMS table; the CAT channel is always position - 1.
namespace ChannelMap {
inline constexpr int kMemoryRows = 100;
inline constexpr int kPmsRows = 18;
inline constexpr int kSlotCount = kMemoryRows + kPmsRows;

bool isValidPosition(int position);
// Precondition: isValidPosition(position).
SlotInfo slotOf(int position);
// Sequence position of a table row, or 0 when the row is not a data row.
int positionOf(TableKind table, int row);
QString slotLabel(TableKind table, int row);
int rowCount(TableKind table);
int columnCount(TableKind table);
} // namespace ChannelMap
