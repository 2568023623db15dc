// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "RuleSet.h"

// The eight predefined regional rule sets the rule editor can load, in the
// order of its buttons, as the editor shows their rows.
namespace RegionalRuleSets {
QStringList names();
// Rows of a set formatted under the user's decimal mark; empty for an unknown name.
QVector<RuleSet::RuleTexts> rows(const QString& name);
} // namespace RegionalRuleSets
