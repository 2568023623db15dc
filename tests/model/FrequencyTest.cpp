// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/Frequency.h"
#include "state/OutcomePresenter.h"
#include "support/ScriptedPrompter.h"
#include "support/TestLocale.h"

#include <gtest/gtest.h>

namespace {

class FrequencyReader : public DecimalMarkTest {};

// Texts written with "."; -1 is no number. The sign holds for the decimals too.
TEST_P(FrequencyReader, ReadsPlainDecimalsSignsBlanksAndJunk)
{
    const std::pair<const char*, qint32> cases[] = {
        {"7.1", 710000},  {"7.12345678", 712345},
        {"7.", 700000},   {".5", 50000},
        {"7", 700000},    {"  14.25  ", 1425000},
        {"0.03", 3000},   {"+7.05", 705000},
        {"-0.5", -50000}, {"21474.83647", 2147483647},
        {"", -1},         {"7.1.2", -1},
        {"1e3", -1},      {"7 1", -1},
        {"-", -1},        {".", -1},
    };
    for (const auto& [text, value] : cases) {
        SCOPED_TRACE(text);
        const Frequency::Reading reading = Frequency::read(local(text));
        EXPECT_EQ(reading.value, value);
        EXPECT_EQ(reading.error, value == -1 ? std::optional(Frequency::Error::NotNumeric) : std::nullopt);
    }
    // The other decimal mark is no number.
    EXPECT_FALSE(Frequency::read(Frequency::decimalMark() == "." ? "7,1" : "7.1").accepted);
    // Overflow is reported even when quiet.
    for (const char* text : {"21474.83648", "-21474.83649"}) {
        SCOPED_TRACE(text);
        ScriptedPrompter loud;
        EXPECT_FALSE(OutcomePresenter::show(loud, Frequency::read(local(text)), true));
        EXPECT_EQ(loud.messages(),
                  QStringList{QStringLiteral("Error converting from string ") + local(text)});
    }
}

// Each case: the text, whether it is accepted, the text after acceptance, and
// the message shown when not quiet.
TEST_P(FrequencyReader, CheckAcceptsTheRadiosRangeAndNormalisesTheText)
{
    const std::tuple<const char*, bool, const char*, const char*> cases[] = {
        {"56", true, "56.00000", nullptr},
        {"56.00001", false, nullptr, "Frequency is outside the range of the radio"},
        {"0.03", true, "0.03000", nullptr},
        {"0.02999", false, nullptr, "Frequency is outside the range of the radio"},
        {"Empty", true, "7.00000", nullptr},
    };
    for (const auto& [typed, accepted, normal, message] : cases) {
        for (bool quiet : {false, true}) {
            SCOPED_TRACE(std::string(typed) + (quiet ? " quiet" : ""));
            ScriptedPrompter prompter;
            QString text = local(typed);
            const QString before = text;
            EXPECT_EQ(OutcomePresenter::show(prompter, Frequency::check(text), quiet), accepted);
            EXPECT_EQ(text, accepted ? local(normal) : before);
            EXPECT_EQ(prompter.messages(),
                      message && !quiet ? QStringList{QString::fromLatin1(message)} : QStringList{});
        }
    }
}

TEST_P(FrequencyReader, FormatsTenHertzStepsAndHertz)
{
    const QStringList got{Frequency::format(14560000), Frequency::formatAmount(0),
                          Frequency::formatHz5(7000004), Frequency::formatHz5(7000005),
                          Frequency::formatHz5(29999999)};
    EXPECT_EQ(got.join(' '), local("145.60000 .00000 7.00000 7.00001 30.00000"));
}

QUAYSTONE_BOTH_DECIMAL_MARKS(FrequencyReader);

// The band table is data; what is checked is how it is read: a band starts
// at its lower bound inclusive, the step below belongs to the band beneath,
// and below the lowest band the mode is AM.
TEST(DefaultMode, ABandStartsAtItsLowerBound)
{
    // Each edge: the bound, the mode at it and the mode just below it.
    const std::tuple<qint32, const char*, const char*> edges[] = {
        {79000000, "FMN", "FM"}, {2966000, "FMN", "USB"}, {180000, "LSB", "AM"}};
    for (const auto& [bound, at, below] : edges) {
        SCOPED_TRACE(bound);
        EXPECT_EQ(Frequency::bandMode(bound) + ' ' + Frequency::bandMode(bound - 1),
                  QString::fromLatin1(at) + ' ' + below);
    }
}

} // namespace
