// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "RuleSet.h"

// The rule editor's entry rules, kept out of the window so that they hold
// whatever shows the grid.
namespace RuleEditing {

inline constexpr qint32 kMaxAmount = 9999000; // 99.99 MHz

// The rule "Add a new rule" appends: 145.6 to 145.8 MHz, Minus, 0.6 MHz, 12.5 K.
RuleSet::RuleTexts defaultRule();

// A typed bound in its shown form ("##0.00000"); a text that is no number stays as typed.
QString formatBound(const QString& text);

// A typed bound in its shown form, checked against the permitted bands; the
// checked text is what the cell receives when allowed. With "Allow any
// frequency" every text passes.
RuleSet::BandCheck acceptBound(const QString& text, const RuleSet& rules);

// An offset is accepted from 0 to 99.99 MHz; a text that is no number
// carries the reader's error, a number out of range is refused with none.
Frequency::Reading acceptAmount(const QString& text);

// Sorts the rows by Low, ascending and numerically; rows of equal Low keep
// their order and a bound that is no number sorts first, as it loads as -1.
// Returns where the row that stood at index follow is now (-1 for none).
int sortByLow(QVector<RuleSet::RuleTexts>& rows, int follow = -1);

} // namespace RuleEditing
