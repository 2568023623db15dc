// SPDX-License-Identifier: GPL-3.0-or-later
#include "RuleSet.h"

namespace {
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

QVector<Frequency::Reading> RuleSet::LoadRules(const QVector<RuleTexts>& rows, bool active, bool allowAny)
{
    m_active = active;
    m_allowAny = allowAny;
    QVector<Frequency::Reading> unread;
    const auto bound = [&unread](const QString& text) {
        const Frequency::Reading reading = Frequency::read(text);
        if (reading.error)
            unread << reading;
        return reading.value;
    };
    QVector<RepeaterRule> rules;
    for (const RuleTexts& row : rows) {
        RepeaterRule rule;
        rule.Low = bound(row.value(0));
        rule.High = bound(row.value(1));
        rule.Direction = row.value(2);
        rule.Amount = formattedAmount(row.value(3));
        rule.Step = row.value(4);
        rules << rule;
    }
    if (rules.isEmpty())
        m_active = false;
    m_rules = rules;
    return unread;
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

RuleSet::BandCheck RuleSet::IsRuleBandAllowed(const QString& text) const
{
    BandCheck check;
    check.text = text;
    if (m_allowAny)
        return check;
    check.reading = Frequency::read(text);
    const qint32 v = check.reading.value;
    check.allowed = (v >= 2900000 && v <= 3000000) || (v >= 5000000 && v <= 5200000) ||
                    (v >= 14500000 && v <= 14700000) || (v >= 43000000 && v <= 45000000);
    return check;
}

QString RuleSet::defaultMode(qint32 value)
{
    if (MatchRule(value))
        return modeForStep(m_match.Step);
    return Frequency::bandMode(value);
}
