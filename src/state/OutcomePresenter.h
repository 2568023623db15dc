// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "rules/RuleSet.h"

class Prompter;

// Turns what the frequency reader and the repeater rules return into the
// messages the user sees, so that every caller shows the same texts.
namespace OutcomePresenter {

inline constexpr char kNotNumeric[] = "Not a numeric value";
inline constexpr char kConversionError[] = "Error converting from string ";
inline constexpr char kOutOfRange[] = "Frequency is outside the range of the radio";

// Shows why a reading was refused: "Not a numeric value" and the range
// message unless quiet, a failed conversion always. Returns whether it was
// accepted.
bool show(Prompter& prompter, const Frequency::Reading& reading, bool quiet = false);
// The readings of stored bounds that were not numbers, in order.
void show(Prompter& prompter, const QVector<Frequency::Reading>& readings);
// The reader's word on a typed bound, then the band message when the bound
// lies outside the permitted bands. Returns whether it is allowed.
bool show(Prompter& prompter, const RuleSet::BandCheck& check);

} // namespace OutcomePresenter
