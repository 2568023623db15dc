// SPDX-License-Identifier: GPL-3.0-or-later
#include "RuleEditing.h"

#include "model/Frequency.h"

#include <algorithm>
#include <numeric>

namespace RuleEditing {

RuleSet::RuleTexts defaultRule()
{
    return {Frequency::format(14560000), Frequency::format(14580000), QStringLiteral("Minus"),
            Frequency::formatAmount(60000), QStringLiteral("12.5 K")};
}

QString formatBound(const QString& text)
{
    const std::optional<qint32> value = Frequency::parse(text.trimmed());
    return value ? Frequency::format(*value) : text;
}

RuleSet::BandCheck acceptBound(const QString& text, const RuleSet& rules)
{
    return rules.IsRuleBandAllowed(formatBound(text));
}

Frequency::Reading acceptAmount(const QString& text)
{
    Frequency::Reading reading = Frequency::read(text.trimmed());
    // The reader's -1 for "no number" falls below the range as well.
    reading.accepted = reading.value >= 0 && reading.value <= kMaxAmount;
    return reading;
}

int sortByLow(QVector<RuleSet::RuleTexts>& rows, int follow)
{
    QVector<int> order(rows.size());
    std::iota(order.begin(), order.end(), 0);
    const auto low = [&rows](int i) { return Frequency::parse(rows[i].value(0).trimmed()).value_or(-1); };
    std::stable_sort(order.begin(), order.end(), [&](int a, int b) { return low(a) < low(b); });
    QVector<RuleSet::RuleTexts> sorted;
    sorted.reserve(rows.size());
    int moved = -1;
    for (int i = 0; i < order.size(); ++i) {
        sorted << rows[order[i]];
        if (order[i] == follow)
            moved = i;
    }
    rows = sorted;
    return moved;
}

} // namespace RuleEditing
