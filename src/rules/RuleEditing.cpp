#include "RuleEditing.h"

#include "state/SettingsStore.h"
#include "model/Frequency.h"

#include <algorithm>
#include <numeric>

namespace RuleEditing {

RuleSet::RuleTexts defaultRule()
{
    return {Frequency::format(14560000), Frequency::format(14580000), QStringLiteral("Minus"),
            Frequency::formatAmount(60000), QStringLiteral("12.5 K")};
}

QVector<RuleSet::RuleTexts> reload(RuleSet& rules, const SettingsStore& store)
{
    const QString section = QString::fromLatin1(RuleSet::kSection);
    rules.setAllowAnyFrequency(store.boolValue(section, QStringLiteral("AllowAnyRepeaterFrequency"), false));
    const QVector<RuleSet::RuleTexts> rows = RuleSet::storedRuleTexts(store);
    rules.setRulesActive(!rows.isEmpty() &&
                         store.boolValue(section, QStringLiteral("RepeaterRulesActive"), false));
    return rows;
}

QString formatBound(const QString& text)
{
    const std::optional<qint32> value = Frequency::parse(text.trimmed());
    return value ? Frequency::format(*value) : text;
}

std::optional<QString> acceptBound(const QString& text, const RuleSet& rules, Prompter& prompter)
{
    // The rule set passes every text while "Allow any frequency" is on.
    const QString shown = formatBound(text);
    if (!rules.IsRuleBandAllowed(shown, prompter))
        return std::nullopt;
    return shown;
}

bool acceptAmount(const QString& text, Prompter& prompter)
{
    const qint32 value = Frequency::read(text.trimmed(), false, prompter);
    // The reader's -1 for "no number" falls below the range as well.
    return value >= 0 && value <= kMaxAmount;
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
