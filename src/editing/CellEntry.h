// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "model/ChannelMap.h"

#include <QString>

class AppState;
class Prompter;

// Typed entry into the two channel tables: which cells may be edited, what
// each column offers, and the commit rules that decide whether a typed text
// stays. The table widgets call these; they never judge a value themselves.
namespace CellEntry {

inline constexpr int kDescriptionLimit = 100;
inline constexpr char kDefaultShift[] = "Simplex";
inline constexpr char kDefaultTone[] = "67.0";
// The undo step of one committed cell, in either table.
inline constexpr char kLabelCellEntry[] = "Cell entry";

bool isEditable(const AppState& state, TableKind table, int row, int column);

// The "|"-separated choice list of a column, empty for free-text columns.
QString choiceList(TableKind table, int column);

// Commits a typed text into a cell. Returns true when the text was accepted
// (the table then holds it in normal form, with the row's defaults and the
// rule-driven shift applied, and the changed flag is set); false leaves the
// cell and the changed flag as they were. Messages go through the prompter.
bool commit(AppState& state, TableKind table, int row, int column, const QString& text, Prompter& prompter);

} // namespace CellEntry
