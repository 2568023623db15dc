// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "rules/RuleSet.h"

class SettingsStore;

// The repeater rules as the shared store keeps them (application QuayGlobal,
// section "RepeaterRules"): what the rule set loads at start-up and after the
// editor's OK, and what the editor shows and saves.
namespace RuleStore {

// The stored texts of the rules, with the store's defaults for missing keys
// and both marks adapted to the user's (the editor's reload).
QVector<RuleSet::RuleTexts> texts(const SettingsStore& store);

// Fills the rule set from the store; returns the readings of the bounds
// that are not numbers, in order, for the caller to show.
QVector<Frequency::Reading> load(RuleSet& rules, const SettingsStore& store);

// "Reload my current rules": both flags go from the store into the rule set
// (the rules-active flag goes off when no rule is stored) and the stored rows
// come back as the grid shows them. The rule list itself is left alone.
QVector<RuleSet::RuleTexts> reload(RuleSet& rules, const SettingsStore& store);

// Writes the editor's rows and both flags (the editor's OK).
bool save(SettingsStore& store, const QVector<RuleSet::RuleTexts>& rows, bool active, bool allowAny);

} // namespace RuleStore
