// SPDX-License-Identifier: GPL-3.0-or-later
#include "RuleStore.h"

#include "SettingsStore.h"

namespace RuleStore {
namespace {
QString section()
{
    return QString::fromLatin1(RuleSet::kSection);
}

QString ruleKey(int n, const char* field)
{
    return QStringLiteral("Rule%1%2").arg(n).arg(QLatin1String(field));
}

bool storedActive(const SettingsStore& store)
{
    return store.boolValue(section(), QStringLiteral("RepeaterRulesActive"), false);
}

bool storedAllowAny(const SettingsStore& store)
{
    return store.boolValue(section(), QStringLiteral("AllowAnyRepeaterFrequency"), false);
}

// Defaults for a rule whose keys are missing.
constexpr qint32 kDefaultLow = 14560000;
constexpr qint32 kDefaultHigh = 14580000;
constexpr qint32 kDefaultAmount = 60000;
constexpr char kDefaultDirection[] = "Minus";
constexpr char kDefaultStep[] = "12.5 K";
} // namespace

QVector<RuleSet::RuleTexts> texts(const SettingsStore& store)
{
    QVector<RuleSet::RuleTexts> rows;
    const int count = store.intValue(section(), QStringLiteral("NumberOfRules"), 0);
    for (int n = 1; n <= count; ++n) {
        const auto bound = [&](const char* field, qint32 fallback) {
            const QString key = ruleKey(n, field);
            return store.contains(section(), key) ? RuleSet::adaptDecimalMark(store.value(section(), key))
                                                  : Frequency::format(fallback);
        };
        RuleSet::RuleTexts row;
        row << bound("Low", kDefaultLow) << bound("High", kDefaultHigh)
            << store.value(section(), ruleKey(n, "Direction"), QString::fromLatin1(kDefaultDirection));
        const QString amountKey = ruleKey(n, "Amount");
        row << (store.contains(section(), amountKey)
                    ? RuleSet::adaptDecimalMark(store.value(section(), amountKey))
                    : Frequency::formatAmount(kDefaultAmount));
        row << store.value(section(), ruleKey(n, "Step"), QString::fromLatin1(kDefaultStep));
        rows << row;
    }
    return rows;
}

QVector<Frequency::Reading> load(RuleSet& rules, const SettingsStore& store)
{
    const bool on = storedActive(store);
    const bool any = storedAllowAny(store);
    return rules.LoadRules(texts(store), on, any);
}

QVector<RuleSet::RuleTexts> reload(RuleSet& rules, const SettingsStore& store)
{
    rules.setAllowAnyFrequency(storedAllowAny(store));
    const QVector<RuleSet::RuleTexts> rows = texts(store);
    rules.setRulesActive(!rows.isEmpty() && storedActive(store));
    return rows;
}

bool save(SettingsStore& store, const QVector<RuleSet::RuleTexts>& rows, bool active, bool allowAny)
{
    SettingsStore::Batch batch(store);
    store.setValue(section(), QStringLiteral("NumberOfRules"), QString::number(rows.size()));
    store.setBool(section(), QStringLiteral("RepeaterRulesActive"), active);
    store.setBool(section(), QStringLiteral("AllowAnyRepeaterFrequency"), allowAny);
    static const char* const kFields[] = {"Low", "High", "Direction", "Amount", "Step"};
    for (int n = 1; n <= rows.size(); ++n) {
        for (int f = 0; f < 5; ++f)
            store.setValue(section(), ruleKey(n, kFields[f]), rows[n - 1].value(f));
    }
    return batch.end();
}

} // namespace RuleStore
