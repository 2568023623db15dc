#pragma once

#include "RepeaterRule.h"

#include <QStringList>
#include <QVector>

class Prompter;
class SettingsStore;

// The repeater rule set: an ordered list of rules and two flags, loaded from
// the shared store (application QuayGlobal, section "RepeaterRules").
class RuleSet {
public:
    static constexpr char kApplication[] = "QuayGlobal";
    static constexpr char kSection[] = "RepeaterRules";
    static constexpr char kStepList[] = "5.0 K|10.0 K|12.5 K|15.0 K|20.0 K|25.0 K|50.0 K|";
    static constexpr char kDirectionList[] = "Plus|Minus|Simplex|";

    // Fills the set from the store; bounds that are not numbers show
    // "Not a numeric value" and hold -1.
    void LoadRules(const SettingsStore& store, Prompter& prompter);
    // True when a rule covers f (first in list order wins); the match is then
    // readable through match(). A failed match leaves the previous one.
    bool MatchRule(qint32 f);
    // Whether a typed bound lies in one of the permitted bands; shows the
    // band message when it does not.
    bool IsRuleBandAllowed(const QString& text, Prompter& prompter) const;

    // One rule as the editor shows it: Low, High, Direction, Amount, Step.
    using RuleTexts = QStringList;
    // The stored texts of the rules, with the store's defaults for missing
    // keys and both marks adapted to the user's (the editor's reload).
    static QVector<RuleTexts> storedRuleTexts(const SettingsStore& store);
    // Writes the editor's rows and both flags (the editor's OK).
    static bool saveRules(SettingsStore& store, const QVector<RuleTexts>& rows, bool active, bool allowAny);

    // "FMN" for steps below "15" compared as text, else "FM".
    static QString modeForStep(const QString& step);
    // Rewrites a stored number with the user's decimal mark, whichever mark it was saved with.
    static QString adaptDecimalMark(const QString& text);

    const QVector<RepeaterRule>& rules() const { return m_rules; }
    void setRules(const QVector<RepeaterRule>& rules) { m_rules = rules; }
    bool rulesActive() const { return m_active; }
    void setRulesActive(bool on) { m_active = on; }
    bool allowAnyFrequency() const { return m_allowAny; }
    void setAllowAnyFrequency(bool on) { m_allowAny = on; }
    const RuleMatch& match() const { return m_match; }

private:
    QVector<RepeaterRule> m_rules;
    bool m_active = false;
    bool m_allowAny = false;
    RuleMatch m_match;
};
