// SPDX-License-Identifier: GPL-3.0-or-later
#include "rules/RuleSet.h"
#include "model/Frequency.h"
#include "rules/RegionalRuleSets.h"
#include "state/OutcomePresenter.h"
#include "state/RuleStore.h"
#include "state/SettingsStore.h"
#include "support/ScriptedPrompter.h"
#include "support/TestLocale.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

class RuleSetTest : public DecimalMarkTest {
protected:
    void store(const QString& key, const QString& value)
    {
        global.setValue(QStringLiteral("RepeaterRules"), key, value);
    }
    void storeRule(int n, const char* low, const char* high, const char* direction, const char* step)
    {
        store(QStringLiteral("Rule%1Low").arg(n), local(low));
        store(QStringLiteral("Rule%1High").arg(n), local(high));
        store(QStringLiteral("Rule%1Direction").arg(n), QString::fromLatin1(direction));
        store(QStringLiteral("Rule%1Amount").arg(n), local(".60000"));
        store(QStringLiteral("Rule%1Step").arg(n), QString::fromLatin1(step));
    }
    qint32 steps(const char* mhz) { return *Frequency::parse(local(mhz)); }

    QTemporaryDir dir;
    SettingsStore global{QStringLiteral("QuayGlobal"), dir.path()};
    ScriptedPrompter prompter;
    RuleSet rules;
};

// The first rule that covers a frequency wins, bounds included; an inactive
// set never matches (that an empty one is off: RepeaterRulesWindowTest).
TEST_P(RuleSetTest, FirstCoveringRuleWinsWithInclusiveBounds)
{
    store(QStringLiteral("NumberOfRules"), QStringLiteral("4"));
    storeRule(1, "29.62", "29.68", "Minus", "20.0 K");
    storeRule(2, "29.60", "29.70", "Plus", "10.0 K"); // overlaps rule 1
    storeRule(3, "51.0", "50.0", "Plus", "5.0 K");    // Low above High
    storeRule(4, "50.71", "50.91", "Simplex", "12.5 K");
    OutcomePresenter::show(prompter, RuleStore::load(rules, global));
    EXPECT_FALSE(rules.rulesActive()) << "a missing flag means off";
    EXPECT_FALSE(rules.MatchRule(steps("29.65")));
    store(QStringLiteral("RepeaterRulesActive"), QStringLiteral("True"));
    OutcomePresenter::show(prompter, RuleStore::load(rules, global));
    ASSERT_EQ(rules.rules().size(), 4);

    struct MatchCase {
        const char* freq;
        bool matched;
        const char* direction;
    };
    const MatchCase cases[] = {{"29.62", true, "Minus"}, {"29.61999", true, "Plus"},
                               {"29.70", true, "Plus"},  {"29.70001", false, nullptr},
                               {"50.5", false, nullptr}, {"50.91", true, "Simplex"}};
    for (const MatchCase& c : cases) {
        SCOPED_TRACE(c.freq);
        EXPECT_EQ(rules.MatchRule(steps(c.freq)), c.matched);
        EXPECT_EQ(c.matched ? rules.match().Direction : QString(), QString::fromLatin1(c.direction));
    }
    // A failed match leaves the previous one in place.
    EXPECT_FALSE(rules.MatchRule(steps("7.0")));
    EXPECT_EQ(rules.match().Direction, QStringLiteral("Simplex"));
    EXPECT_EQ(rules.match().Amount, local(".60000"));
}

// Numbers load whether saved with "," or "."; a bound that is no number
// reads as -1 and is said, and missing keys take their defaults.
TEST_P(RuleSetTest, NumbersSavedWithEitherMarkLoadAndMissingKeysTakeDefaults)
{
    store(QStringLiteral("NumberOfRules"), QStringLiteral("3"));
    store(QStringLiteral("RepeaterRulesActive"), QStringLiteral("True"));
    store(QStringLiteral("Rule1Low"), QStringLiteral("145,60000"));
    store(QStringLiteral("Rule1High"), QStringLiteral("145,78750"));
    store(QStringLiteral("Rule1Amount"), QStringLiteral(",60000"));
    store(QStringLiteral("Rule2Low"), QStringLiteral("abc"));
    store(QStringLiteral("Rule2High"), QStringLiteral("29.69"));
    store(QStringLiteral("Rule2Amount"), QStringLiteral("7.6"));
    OutcomePresenter::show(prompter, RuleStore::load(rules, global));
    EXPECT_EQ(prompter.messages(), QStringList{QStringLiteral("Not a numeric value")});
    ASSERT_EQ(rules.rules().size(), 3);
    QStringList loaded;
    for (const RepeaterRule& r : rules.rules())
        loaded << QString::number(r.Low) << QString::number(r.High) << r.Direction << r.Amount << r.Step;
    EXPECT_EQ(loaded, QStringList({"14560000", "14578750", "Minus", local(".60000"), "12.5 K",    // ","
                                   "-1", "2969000", "Minus", local("7.60000"), "12.5 K",          // "."
                                   "14560000", "14580000", "Minus", local(".60000"), "12.5 K"})); // defaults
}

TEST_P(RuleSetTest, SavedRegionalSetLoadsBackAndDecidesModes)
{
    const auto uk = RegionalRuleSets::rows(QStringLiteral("United Kingdom"));
    ASSERT_TRUE(RuleStore::save(global, uk, true, false));
    OutcomePresenter::show(prompter, RuleStore::load(rules, global));
    ASSERT_EQ(rules.rules().size(), 5);
    EXPECT_EQ(rules.rules()[4].Low, 43300000);
    EXPECT_EQ(rules.defaultMode(steps("433.1")), QStringLiteral("FM"));
    EXPECT_EQ(rules.defaultMode(steps("29.70")), QStringLiteral("USB")) << "no rule: band table";
}

TEST_P(RuleSetTest, BandCheckAcceptsThePermittedBandsInclusive)
{
    struct BandCase {
        const char* text;
        bool allowed;
    };
    const BandCase cases[] = {{"29.00000", true},  {"30.00000", true},  {"28.99999", false},
                              {"50.00000", true},  {"52.00000", true},  {"52.00001", false},
                              {"430.00000", true}, {"450.00000", true}, {"450.00001", false}};
    for (const BandCase& c : cases) {
        SCOPED_TRACE(c.text);
        prompter.clear();
        EXPECT_EQ(OutcomePresenter::show(prompter, rules.IsRuleBandAllowed(local(c.text))), c.allowed);
        EXPECT_EQ(prompter.prompts().size(), c.allowed ? 0 : 1);
    }
    // The last case was refused: the message names the bound as typed.
    EXPECT_EQ(
        prompter.messages().value(0),
        QStringLiteral("The frequency of '") + local("450.00001") +
            QStringLiteral("' is not acceptable. Valid ranges in MHz are:\r\n29 - 30, 50 - 52, 145 - 147 and "
                           "430 - 450.\r\n If your local rules are outside these limits please contact the "
                           "author."));
}

QUAYSTONE_BOTH_DECIMAL_MARKS(RuleSetTest);

TEST(RuleSet, StepDecidesFmOrNarrowFm)
{
    const std::pair<const char*, const char*> cases[] = {
        {"5.0 K", "FM"}, {"10.0 K", "FMN"}, {"12.5 K", "FMN"}, {"15.0 K", "FM"}};
    for (const auto& [step, mode] : cases)
        EXPECT_EQ(RuleSet::modeForStep(QString::fromLatin1(step)), QString::fromLatin1(mode)) << step;
}

} // namespace
