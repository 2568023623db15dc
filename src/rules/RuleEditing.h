#pragma once

#include "RuleSet.h"

#include <optional>

class Prompter;
class SettingsStore;

// The rule editor's entry rules, kept out of the window so that they hold
// whatever shows the grid.
namespace RuleEditing {

inline constexpr qint32 kMaxAmount = 9999000; // 99.99 MHz

// The rule "Add a new rule" appends: 145.6 to 145.8 MHz, Minus, 0.6 MHz, 12.5 K.
RuleSet::RuleTexts defaultRule();

// "Reload my current rules": both flags go from the store into the rule set
// (the rules-active flag goes off when no rule is stored) and the stored rows
// come back as the grid shows them. The rule list itself is left alone.
QVector<RuleSet::RuleTexts> reload(RuleSet& rules, const SettingsStore& store);

// A typed bound in its shown form ("##0.00000"); a text that is no number stays as typed.
QString formatBound(const QString& text);

// The text a bound cell receives, or nothing when the bound is refused (the
// rule set has then shown why). With "Allow any frequency" every text passes.
std::optional<QString> acceptBound(const QString& text, const RuleSet& rules, Prompter& prompter);

// An offset is accepted from 0 to 99.99 MHz; "Not a numeric value" is the
// only message, a number out of range is refused silently.
bool acceptAmount(const QString& text, Prompter& prompter);

// Sorts the rows by Low, ascending and numerically; rows of equal Low keep
// their order and a bound that is no number sorts first, as it loads as -1.
// Returns where the row that stood at index follow is now (-1 for none).
int sortByLow(QVector<RuleSet::RuleTexts>& rows, int follow = -1);

} // namespace RuleEditing
