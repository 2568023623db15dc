// SPDX-License-Identifier: GPL-3.0-or-later
#include "io/TextFileReader.h"

#include <gtest/gtest.h>

namespace {

// A file's bytes are UTF-8 when valid and Windows-1252 otherwise; its lines
// end at CR LF, LF or CR alike.
TEST(TextFileReader, DecodesUtf8Or1252AndSplitsAtEveryKindOfLineEnd)
{
    const std::pair<QByteArray, QStringList> cases[] = {
        {"Z\xC3\xBCrich", {QStringLiteral("Z\u00FCrich")}},         // UTF-8
        {"\x80 5", {QStringLiteral("\u20AC 5")}},                   // euro sign only exists in 1252
        {"\xEF\xBB\xBFZ\xFCrich", {QStringLiteral("Z\u00FCrich")}}, // byte-order mark, 1252 text
        {"caf\xC3\xA9 \xE9",
         {QStringLiteral("caf\u00C3\u00A9 \u00E9")}}, // one bad byte: the whole file is 1252
        {"", {}},
        {"a\r\nb\r\n", {"a", "b"}},
        {"a\nb", {"a", "b"}},
        {"a\rb\r", {"a", "b"}},
        {"a\r\n\r\nb", {"a", "", "b"}},
        {"\r\n", {""}},
        {"a\n\rb", {"a", "", "b"}},
    };
    for (const auto& [bytes, lines] : cases)
        EXPECT_EQ(TextFileReader::splitLines(TextFileReader::decode(bytes)), lines) << bytes.toStdString();
}

} // namespace
