#include "model/Frequency.h"
#include "support/ScriptedPrompter.h"
#include "support/TestLocale.h"

#include <gtest/gtest.h>

namespace {

class FrequencyReader : public DecimalMarkTest {};

struct ReadCase {
    const char* text; // written with "."; the test shows it with the locale's mark
    qint32 value;
    const char* message; // nullptr: no message
};

TEST_P(FrequencyReader, ReadsPlainDecimalsSignsBlanksAndJunk)
{
    const ReadCase cases[] = {
        {"7.1", 710000, nullptr},
        {"7.12345678", 712345, nullptr},
        {"7.", 700000, nullptr},
        {".5", 50000, nullptr},
        {"7", 700000, nullptr},
        {"  14.25  ", 1425000, nullptr},
        {"29.68", 2968000, nullptr},
        {"0.03", 3000, nullptr},
        {"+7.05", 705000, nullptr},
        {"-7.1", -710000, nullptr},
        {"-0.5", -50000, nullptr}, // the sign holds for the decimals too
        {"21474.83647", 2147483647, nullptr},
        {"", -1, "Not a numeric value"},
        {"   ", -1, "Not a numeric value"},
        {"abc", -1, "Not a numeric value"},
        {"7.1.2", -1, "Not a numeric value"},
        {"1e3", -1, "Not a numeric value"},
        {"7 1", -1, "Not a numeric value"},
        {"-", -1, "Not a numeric value"},
        {".", -1, "Not a numeric value"},
    };
    for (const ReadCase& c : cases) {
        SCOPED_TRACE(c.text);
        ScriptedPrompter prompter;
        EXPECT_EQ(Frequency::read(local(c.text), false, prompter), c.value);
        EXPECT_EQ(prompter.messages(), c.message ? QStringList{QString::fromLatin1(c.message)} : QStringList{});
    }
}

TEST_P(FrequencyReader, OverflowIsReportedEvenWhenQuiet)
{
    for (const char* text : {"21474.83648", "99999999999999", "-21474.83649"}) {
        SCOPED_TRACE(text);
        ScriptedPrompter prompter;
        const QString input = local(text);
        EXPECT_EQ(Frequency::read(input, true, prompter), -1);
        ASSERT_EQ(prompter.prompts().size(), 1);
        EXPECT_EQ(prompter.prompts()[0].text, QStringLiteral("Error converting from string ") + input);
        EXPECT_EQ(prompter.prompts()[0].icon, Prompter::Icon::Exclamation);
    }
}

TEST_P(FrequencyReader, QuietReadingOfJunkShowsNothing)
{
    ScriptedPrompter prompter;
    EXPECT_EQ(Frequency::read(QStringLiteral("junk"), true, prompter), -1);
    EXPECT_TRUE(prompter.prompts().isEmpty());
}

TEST_P(FrequencyReader, TheOtherDecimalMarkIsNotANumber)
{
    ScriptedPrompter prompter;
    const QString other = Frequency::decimalMark() == QLatin1String(".") ? QStringLiteral("7,1") : QStringLiteral("7.1");
    EXPECT_EQ(Frequency::read(other, true, prompter), -1);
}

struct CheckCase {
    const char* text;
    bool accepted;
    const char* normal;  // text after acceptance
    const char* message; // shown when not quiet
};

TEST_P(FrequencyReader, CheckAcceptsTheRadiosRangeAndNormalisesTheText)
{
    const CheckCase cases[] = {
        {"56", true, "56.00000", nullptr},
        {"56.00001", false, nullptr, "Frequency is outside the range of the radio"},
        {"0.03", true, "0.03000", nullptr},
        {"0.02999", false, nullptr, "Frequency is outside the range of the radio"},
        {"145.6", false, nullptr, "Frequency is outside the range of the radio"},
        {"", true, "7.00000", nullptr},
        {"Empty", true, "7.00000", nullptr},
        {" 14.2 ", true, "14.20000", nullptr},
        {"-0.5", false, nullptr, "Frequency is outside the range of the radio"},
        {"x", false, nullptr, "Not a numeric value"},
    };
    for (const CheckCase& c : cases) {
        for (bool quiet : {false, true}) {
            SCOPED_TRACE(std::string(c.text) + (quiet ? " quiet" : ""));
            ScriptedPrompter prompter;
            QString text = QString::fromLatin1(c.text) == QLatin1String("Empty") ? QStringLiteral("Empty") : local(c.text);
            const QString before = text;
            EXPECT_EQ(Frequency::check(text, quiet, prompter), c.accepted);
            EXPECT_EQ(text, c.accepted ? local(c.normal) : before);
            const bool expectMessage = c.message && !quiet;
            EXPECT_EQ(prompter.messages(), expectMessage ? QStringList{QString::fromLatin1(c.message)} : QStringList{});
        }
    }
}

TEST_P(FrequencyReader, FormatsTenHertzStepsAndHertz)
{
    EXPECT_EQ(Frequency::format(700000), local("7.00000"));
    EXPECT_EQ(Frequency::format(3000), local("0.03000"));
    EXPECT_EQ(Frequency::format(14560000), local("145.60000"));
    EXPECT_EQ(Frequency::formatAmount(60000), local(".60000"));
    EXPECT_EQ(Frequency::formatAmount(760000), local("7.60000"));
    EXPECT_EQ(Frequency::formatAmount(0), local(".00000"));
    EXPECT_EQ(Frequency::formatHz6(14250000), local("14.250000"));
    EXPECT_EQ(Frequency::formatHz6(136000), local("0.136000"));
    EXPECT_EQ(Frequency::formatHz5(7000000), local("7.00000"));
    EXPECT_EQ(Frequency::formatHz5(7000004), local("7.00000"));
    EXPECT_EQ(Frequency::formatHz5(7000005), local("7.00001"));
    EXPECT_EQ(Frequency::formatHz5(29999999), local("30.00000"));
}

QUAYSTONE_BOTH_DECIMAL_MARKS(FrequencyReader);

TEST(DefaultMode, EveryBandEdgeAndTheStepBelowIt)
{
    // Lower bound of each band (10 Hz steps) with its mode, and the mode just below it.
    struct Edge {
        qint32 bound;
        const char* at;
        const char* below;
    };
    const Edge edges[] = {
        {79000000, "FMN", "FM"}, {47000000, "FM", "FM"},   {32000000, "FM", "AM"},   {23000000, "AM", "FM"},
        {17400000, "FM", "FM"},  {14450000, "FM", "USB"},  {14400000, "USB", "FM"},  {13600000, "FM", "AM"},
        {10800000, "AM", "FM"},  {8750000, "FM", "FMN"},   {5200000, "FMN", "USB"},  {5010000, "USB", "CW"},
        {5000000, "CW", "USB"},  {2970000, "USB", "FMN"},  {2966000, "FMN", "USB"},  {2800000, "USB", "AM"},
        {2499000, "AM", "USB"},  {2489000, "USB", "AM"},   {2145000, "AM", "USB"},   {2100000, "USB", "AM"},
        {1817000, "AM", "USB"},  {1806800, "USB", "AM"},   {1435000, "AM", "USB"},   {1400000, "USB", "AM"},
        {1015000, "AM", "CW"},   {1010000, "CW", "AM"},    {730000, "AM", "LSB"},    {700000, "LSB", "AM"},
        {380000, "AM", "LSB"},   {350000, "LSB", "AM"},    {200000, "AM", "LSB"},    {180000, "LSB", "AM"},
    };
    for (const Edge& e : edges) {
        SCOPED_TRACE(e.bound);
        EXPECT_EQ(Frequency::defaultMode(e.bound, nullptr), QString::fromLatin1(e.at));
        EXPECT_EQ(Frequency::defaultMode(e.bound - 1, nullptr), QString::fromLatin1(e.below));
    }
    EXPECT_EQ(Frequency::defaultMode(3000, nullptr), QStringLiteral("AM"));
}

} // namespace
