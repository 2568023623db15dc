#include "RuleSet.h"

#include "state/Prompter.h"
#include "state/SettingsStore.h"
#include "model/Frequency.h"

namespace {
QString section()
{
    return QString::fromLatin1(RuleSet::kSection);
}

QString ruleKey(int n, const char* field)
{
    return QStringLiteral("Rule%1%2").arg(n).arg(QLatin1String(field));
}

// Defaults for a rule whose keys are missing.
constexpr qint32 kDefaultLow = 14560000;
constexpr qint32 kDefaultHigh = 14580000;
constexpr qint32 kDefaultAmount = 60000;
constexpr char kDefaultDirection[] = "Minus";
constexpr char kDefaultStep[] = "12.5 K";

QString formattedAmount(const QString& text)
{
    // A text that is no number stays as stored, as a number format would leave it.
    const std::optional<qint32> v = Frequency::parse(text);
    return v ? Frequency::formatAmount(*v) : text;
}
} // namespace

QString RuleSet::adaptDecimalMark(const QString& text)
{
    QString t = text;
    const QString mark = Frequency::decimalMark();
    t.replace(mark == QLatin1String(".") ? QLatin1Char(',') : QLatin1Char('.'), mark.at(0));
    return t;
}

QString RuleSet::modeForStep(const QString& step)
{
    return step.left(2) < QLatin1String("15") ? QStringLiteral("FMN") : QStringLiteral("FM");
}

QVector<RuleSet::RuleTexts> RuleSet::storedRuleTexts(const SettingsStore& store)
{
    QVector<RuleTexts> rows;
    const int count = store.intValue(section(), QStringLiteral("NumberOfRules"), 0);
    for (int n = 1; n <= count; ++n) {
        const auto bound = [&](const char* field, qint32 fallback) {
            const QString key = ruleKey(n, field);
            return store.contains(section(), key) ? adaptDecimalMark(store.value(section(), key))
                                                  : Frequency::format(fallback);
        };
        RuleTexts row;
        row << bound("Low", kDefaultLow) << bound("High", kDefaultHigh)
            << store.value(section(), ruleKey(n, "Direction"), QString::fromLatin1(kDefaultDirection));
        const QString amountKey = ruleKey(n, "Amount");
        row << (store.contains(section(), amountKey) ? adaptDecimalMark(store.value(section(), amountKey))
                                                     : Frequency::formatAmount(kDefaultAmount));
        row << store.value(section(), ruleKey(n, "Step"), QString::fromLatin1(kDefaultStep));
        rows << row;
    }
    return rows;
}

void RuleSet::LoadRules(const SettingsStore& store, Prompter& prompter)
{
    m_active = store.boolValue(section(), QStringLiteral("RepeaterRulesActive"), false);
    m_allowAny = store.boolValue(section(), QStringLiteral("AllowAnyRepeaterFrequency"), false);
    QVector<RepeaterRule> rules;
    for (const RuleTexts& row : storedRuleTexts(store)) {
        RepeaterRule rule;
        rule.Low = Frequency::read(row[0], false, prompter);
        rule.High = Frequency::read(row[1], false, prompter);
        rule.Direction = row[2];
        rule.Amount = formattedAmount(row[3]);
        rule.Step = row[4];
        rules << rule;
    }
    if (rules.isEmpty())
        m_active = false;
    m_rules = rules;
}

bool RuleSet::MatchRule(qint32 f)
{
    if (!m_active)
        return false;
    for (const RepeaterRule& rule : m_rules) {
        if (rule.Low <= f && f <= rule.High) {
            m_match = {rule.Direction, formattedAmount(rule.Amount), rule.Step};
            return true;
        }
    }
    return false;
}

bool RuleSet::IsRuleBandAllowed(const QString& text, Prompter& prompter) const
{
    if (m_allowAny)
        return true;
    const qint32 v = Frequency::read(text, false, prompter);
    const bool allowed = (v >= 2900000 && v <= 3000000) || (v >= 5000000 && v <= 5200000) ||
                         (v >= 14500000 && v <= 14700000) || (v >= 43000000 && v <= 45000000);
    if (!allowed) {
        prompter.inform(QStringLiteral("The frequency of '") + text +
                        QStringLiteral("' is not acceptable. Valid ranges in MHz are:\r\n"
                                       "29 - 30, 50 - 52, 145 - 147 and 430 - 450.\r\n"
                                       " If your local rules are outside these limits please contact the author."));
    }
    return allowed;
}

bool RuleSet::saveRules(SettingsStore& store, const QVector<RuleTexts>& rows, bool active, bool allowAny)
{
    bool ok = store.setValue(section(), QStringLiteral("NumberOfRules"), QString::number(rows.size()));
    ok &= store.setBool(section(), QStringLiteral("RepeaterRulesActive"), active);
    ok &= store.setBool(section(), QStringLiteral("AllowAnyRepeaterFrequency"), allowAny);
    static const char* const kFields[] = {"Low", "High", "Direction", "Amount", "Step"};
    for (int n = 1; n <= rows.size(); ++n) {
        for (int f = 0; f < 5; ++f)
            ok &= store.setValue(section(), ruleKey(n, kFields[f]), rows[n - 1].value(f));
    }
    return ok;
}
