#include "print/PrintOptions.h"
#include "state/Settings.h"
#include "support/TestText.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

TEST(PrintOptions, MarginCaptionsGiveTheFirstLinePosition)
{
    const struct {
        const char* caption;
        int twips;
    } cases[] = {
        {"Minimum", 0},   {"1/4 inch", 160}, {"1/2 inch", 520}, {"3/4 inch", 880}, {"1 inch", 1240},
        {"2 inch", 1240}, {"", 1240},        {"minimum", 1240}, // any other text is one inch
    };
    for (const auto& c : cases)
        EXPECT_EQ(PrintOptions::marginTwips(QString::fromLatin1(c.caption)), c.twips) << c.caption;
}

TEST(PrintOptions, SavedValuesUseTheStoresWordsAndReadBack)
{
    QTemporaryDir dir;
    PrintOptions chosen;
    chosen.columns = {{false, true, false, true, false, false, true}};
    chosen.landscape = false;
    chosen.duplex = true;
    chosen.topMargin = QStringLiteral("3/4 inch");
    {
        Settings settings(dir.path());
        ASSERT_TRUE(chosen.save(settings));
    }
    Settings settings(dir.path());
    const struct {
        const SettingKey& key;
        const char* text;
    } stored[] = {
        {Keys::PrintCol[1], "1"},   {Keys::PrintCol[2], "0"}, {Keys::PrintCol[3], "1"},
        {Keys::PrintCol[4], "0"},   {Keys::PrintCol[5], "0"}, {Keys::PrintCol[6], "1"},
        {Keys::Landscape, "False"}, {Keys::Duplex, "True"},   {Keys::TopMargin, "3/4 inch"},
    };
    for (const auto& s : stored)
        EXPECT_EQ(settings.get(s.key), QString::fromLatin1(s.text)) << s.key.name;
    EXPECT_EQ(PrintOptions::load(settings), chosen);
}

TEST(PrintOptions, StoredTextsFromElsewhereReadSensibly)
{
    QTemporaryDir dir;
    Settings settings(dir.path());
    settings.set(Keys::PrintCol[1], QStringLiteral("0"));
    settings.set(Keys::PrintCol[2], QStringLiteral("x"));  // not a number: the default, printed
    settings.set(Keys::PrintCol[3], QStringLiteral("-1")); // any non-zero number prints
    settings.set(Keys::Landscape, QStringLiteral("false"));
    settings.set(Keys::TopMargin, QStringLiteral("5 cm"));
    const PrintOptions options = PrintOptions::load(settings);
    EXPECT_FALSE(options.prints(1));
    EXPECT_TRUE(options.prints(2));
    EXPECT_TRUE(options.prints(3));
    EXPECT_FALSE(options.landscape);
    EXPECT_EQ(options.topMarginTwips(), 1240);
}

} // namespace
