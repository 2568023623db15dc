// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "RuleSet.h"

#include <optional>

// The eight predefined regional rule sets the rule editor can load, in the
// order of its buttons, as the editor shows their rows.
namespace RegionalRuleSets {
QStringList names();
// Rows of a set formatted under the user's decimal mark; empty for an unknown name.
QVector<RuleSet::RuleTexts> rows(const QString& name);
// The repeater offset (10 Hz steps) of a receive frequency where every set
// that covers it gives the same one; none when no set covers it or they differ.
std::optional<qint32> agreedOffset(qint32 frequency);
// The offset the radio uses for a shifted channel: the active rule's, else
// the regional sets' agreed one.
std::optional<qint32> repeaterOffset(RuleSet& rules, qint32 frequency);
} // namespace RegionalRuleSets
