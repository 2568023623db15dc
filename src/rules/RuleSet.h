// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "RepeaterRule.h"
#include "model/Frequency.h"

#include <QStringList>
#include <QVector>

// The repeater rule set: an ordered list of rules and two flags, kept in the
// shared store (application QuayGlobal, section "RepeaterRules").
class RuleSet {
public:
    static constexpr char kApplication[] = "QuayGlobal";
    static constexpr char kSection[] = "RepeaterRules";
    static constexpr char kStepList[] = "5.0 K|10.0 K|12.5 K|15.0 K|20.0 K|25.0 K|50.0 K|";
    static constexpr char kDirectionList[] = "Plus|Minus|Simplex|";

    // One rule as the editor shows it: Low, High, Direction, Amount, Step.
    using RuleTexts = QStringList;

    // What the band check made of a typed bound.
    struct BandCheck {
        QString text;               // the bound as checked
        bool allowed = true;        // false: the band message is due
        Frequency::Reading reading; // the reader's word on it, unread while any frequency is allowed
    };

    // Fills the set from the stored rows and flags. Bounds go through the
    // frequency reader; those that are not numbers hold -1, and their
    // readings come back in order for the caller to show.
    QVector<Frequency::Reading> LoadRules(const QVector<RuleTexts>& rows, bool active, bool allowAny);
    // True when a rule covers f (first in list order wins); the match is then
    // readable through match(). A failed match leaves the previous one.
    bool MatchRule(qint32 f);
    // Whether a typed bound lies in one of the permitted bands.
    BandCheck IsRuleBandAllowed(const QString& text) const;
    // The default mode of a frequency: a covering rule decides FM or FMN from
    // its step, otherwise the band table.
    QString defaultMode(qint32 value);

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
