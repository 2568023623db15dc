// SPDX-License-Identifier: GPL-3.0-or-later
#include "RegionalRuleSets.h"

#include "model/Frequency.h"

#include <vector>

namespace {
struct Row {
    qint32 low;
    qint32 high;
    const char* direction;
    qint32 amount;
    const char* step;
};
struct Set {
    const char* name;
    std::vector<Row> rows;
};

// Bounds and offsets in 10 Hz steps.
const Set kSets[] = {
    {"Australia", {{2962000, 2968000, "Minus", 10000, "20.0 K"},
        {5355000, 5397500, "Minus", 100000, "25.0 K"},
        {14662500, 14700000, "Minus", 60000, "25.0 K"},
        {14702500, 14737500, "Plus", 60000, "25.0 K"},
        {43802500, 43872500, "Minus", 500000, "25.0 K"},
        {43927500, 43997500, "Minus", 500000, "25.0 K"}}},
    {"Belgium/France/Netherlands", {{14560000, 14578750, "Minus", 60000, "12.5 K"},
        {43002500, 43037500, "Plus", 160000, "12.5 K"}}},
    {"Denmark/Norway", {{14560000, 14578750, "Minus", 60000, "12.5 K"},
        {43460000, 43497500, "Minus", 200000, "25.0 K"}}},
    {"New Zealand", {{2962000, 2968000, "Minus", 10000, "20.0 K"},
        {5362500, 5397500, "Minus", 100000, "25.0 K"},
        {14530000, 14580000, "Minus", 60000, "25.0 K"},
        {14662500, 14700000, "Minus", 60000, "25.0 K"},
        {14702500, 14737500, "Plus", 60000, "25.0 K"},
        {43802500, 43972500, "Minus", 500000, "25.0 K"}}},
    {"Other European countries", {{14560000, 14578750, "Minus", 60000, "12.5 K"},
        {43460000, 43497500, "Minus", 160000, "25.0 K"}}},
    {"Switzerland/Germany/Austria", {{2966000, 2969000, "Minus", 10000, "10.0 K"},
        {5181000, 5199000, "Minus", 60000, "20.0 K"},
        {14560000, 14578750, "Minus", 60000, "12.5 K"},
        {43865000, 43942500, "Minus", 760000, "25.0 K"}}},
    {"United Kingdom", {{2966000, 2969000, "Minus", 10000, "10.0 K"},
        {5071000, 5091000, "Plus", 50000, "10.0 K"},
        {14560000, 14578750, "Minus", 60000, "12.5 K"},
        {43082500, 43097500, "Plus", 760000, "25.0 K"},
        {43300000, 43337500, "Plus", 160000, "25.0 K"}}},
    {"United States of America", {{2962000, 2968000, "Minus", 10000, "20.0 K"},
        {5170000, 5198000, "Minus", 50000, "20.0 K"},
        {5301000, 5399000, "Minus", 100000, "20.0 K"},
        {14511000, 14549000, "Minus", 60000, "20.0 K"},
        {14601000, 14638500, "Plus", 60000, "15.0 K"},
        {14661000, 14698500, "Minus", 60000, "15.0 K"},
        {14700000, 14739000, "Plus", 60000, "15.0 K"},
        {14760000, 14799000, "Minus", 60000, "15.0 K"},
        {44180000, 44497500, "Plus", 500000, "25.0 K"},
        {44680000, 44997500, "Minus", 500000, "25.0 K"}}}};
} // namespace

QStringList RegionalRuleSets::names()
{
    QStringList list;
    for (const Set& set : kSets)
        list << QString::fromLatin1(set.name);
    return list;
}

QVector<RuleSet::RuleTexts> RegionalRuleSets::rows(const QString& name)
{
    QVector<RuleSet::RuleTexts> result;
    for (const Set& set : kSets) {
        if (name != QLatin1String(set.name))
            continue;
        for (const Row& row : set.rows) {
            result << RuleSet::RuleTexts{Frequency::format(row.low), Frequency::format(row.high),
                                         QString::fromLatin1(row.direction), Frequency::formatAmount(row.amount),
                                         QString::fromLatin1(row.step)};
        }
    }
    return result;
}

std::optional<qint32> RegionalRuleSets::agreedOffset(qint32 frequency)
{
    std::optional<qint32> agreed;
    for (const Set& set : kSets) {
        // Within one set the first covering rule decides, as MatchRule does.
        for (const Row& row : set.rows) {
            if (row.low > frequency || frequency > row.high)
                continue;
            if (agreed && *agreed != row.amount)
                return std::nullopt;
            agreed = row.amount;
            break;
        }
    }
    return agreed;
}

std::optional<qint32> RegionalRuleSets::repeaterOffset(RuleSet& rules, qint32 frequency)
{
    if (rules.MatchRule(frequency))
        return Frequency::parse(rules.match().Amount);
    return agreedOffset(frequency);
}
