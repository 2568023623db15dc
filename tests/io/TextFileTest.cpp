// SPDX-License-Identifier: GPL-3.0-or-later
#include "io/TextFileReader.h"

#include <gtest/gtest.h>

namespace {

TEST(TextFileReader, TakesUtf8WhenValidAndWindows1252Otherwise)
{
    struct Case {
        QByteArray bytes;
        QString text;
    };
    const Case cases[] = {
        {"Z\xC3\xBCrich", QStringLiteral("Z\u00FCrich")},         // UTF-8
        {"\x80 5", QStringLiteral("\u20AC 5")},                   // euro sign only exists in 1252
        {"\xEF\xBB\xBFZ\xFCrich", QStringLiteral("Z\u00FCrich")}, // byte-order mark, 1252 text
        {"caf\xC3\xA9 \xE9",
         QStringLiteral("caf\u00C3\u00A9 \u00E9")}, // one bad byte: the whole file is 1252
    };
    for (const Case& c : cases)
        EXPECT_EQ(TextFileReader::decode(c.bytes), c.text) << c.bytes.toStdString();
}

TEST(TextFileReader, SplitsAtEveryKindOfLineEnd)
{
    struct Case {
        const char* text;
        QStringList lines;
    };
    const Case cases[] = {
        {"", {}},
        {"a\r\nb\r\n", {"a", "b"}},
        {"a\nb", {"a", "b"}},
        {"a\rb\r", {"a", "b"}},
        {"a\r\n\r\nb", {"a", "", "b"}},
        {"\r\n", {""}},
        {"a\n\rb", {"a", "", "b"}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(TextFileReader::splitLines(QString::fromLatin1(c.text)), c.lines) << c.text;
}

} // namespace
