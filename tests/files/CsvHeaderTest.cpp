// SPDX-License-Identifier: GPL-3.0-or-later
#include "files/CsvHeader.h"
#include "support/TestLocale.h"

#include <gtest/gtest.h>

namespace {

using Type = CsvHeader::Type;

TEST(CsvHeaderIdentify, EveryHeaderTypeAndTheSeparatorItSets)
{
    struct Case {
        const char* line; // the file's first line, before normalisation
        Type type;
        char separator;
    };
    const Case cases[] = {
        {"\"Memory\",\"RX Freq\",\"RX Mode\"", Type::Plainsong, ','},
        {"Memory , RX Freq , RX Mode", Type::Plainsong, ','},
        {"memory,rx freq", Type::Plainsong, ','},
        {"Memory,RX;Freq", Type::Plainsong, ';'}, // ";" wins over ","
        {"#;FREQ;MODE", Type::Coldharbour, ';'},
        {"Frequency,Mode,Name", Type::Rookhaven, ','},
        {"#,Tag,Freq,Mode,Step", Type::Dunmore, ','},
        {"#,Tag,Freq,XYZW", Type::Unknown, ','},
        {"#,Tag,Freq", Type::Unknown, ','}, // too short for the family test
        {"Sequen,Freq", Type::Eastgate, ','},
        {"Bank,Channel,Frequency", Type::Farrowby, ','},
        {"#,Tag,RxFreq,Mode", Type::Bramblett, ','},
        {"#,Tag,RxFreq,Tone", Type::Unknown, ','},
        // The common layout of other channel editors, known by its column
        // names in any version, order or quoting (two versions as written:
        // CsvImportTest); without Duplex it is not.
        {"Location ; Name ; Frequency ; Duplex ; Mode", Type::Common, ';'},
        {"Frequency,Mode,LOCATION,duplex", Type::Common, ','}, // not Rookhaven for its first column
        {"Location,Name,Frequency,Offset,Tone,Mode", Type::Unknown, ','},
        {"", Type::Unknown, 'x'}, // separator stays as it was
        {"no separators here", Type::Unknown, 'x'},
    };
    for (const Case& c : cases) {
        CsvHeader csv;
        csv.setSeparator(QLatin1Char('x'));
        const QString header = csv.CleanLine(QString::fromLatin1(c.line), true);
        EXPECT_EQ(csv.IdentifyHeader(header), c.type != Type::Unknown) << c.line;
        EXPECT_EQ(csv.headerType(), c.type)
            << c.line << " gave " << CsvHeader::typeName(csv.headerType()).toStdString();
        EXPECT_EQ(csv.separator(), QLatin1Char(c.separator)) << c.line;
    }
}

TEST(CsvHeaderCleanLine, QuotesBecomeSpacesAndProtectTheSeparator)
{
    struct Case {
        char separator;
        const char* line;
        bool removeSpaces;
        const char* result;
    };
    const Case cases[] = {
        {',', "\"Memory\",\"RX Freq\"", true, "Memory,RXFreq"},
        {',', "\"Memory\",\"RX Freq\"", false, " Memory , RX Freq "},
        {',', "1,\"a, b\",c", false, "1, a  b ,c"},
        {';', "1,\"a, b\";c", false, "1, a, b ;c"}, // only the separator in force is protected
        {',', "1,\"open, never closed", false, "1, open  never closed"},
        {'\t', "a\t\"b\tc\"", false, "a\t b c "},
        {',', "", true, ""},
    };
    for (const Case& c : cases) {
        CsvHeader csv;
        csv.setSeparator(QLatin1Char(c.separator));
        EXPECT_EQ(csv.CleanLine(QString::fromLatin1(c.line), c.removeSpaces), QString::fromLatin1(c.result))
            << c.line;
    }
}

TEST(CsvHeaderSplitFields, QuotedFieldsKeepTheirSeparators)
{
    const std::pair<const char*, QStringList> cases[] = {
        {"\"\",x, y ", {"", "x", " y "}},
        {"a,\"open, never closed", {"a", "open, never closed"}},
        {"", {""}},
    };
    CsvHeader csv;
    csv.setSeparator(QLatin1Char(','));
    for (const auto& [line, fields] : cases)
        EXPECT_EQ(csv.splitFields(QString::fromLatin1(line)), fields) << line;
}

// Fields count from 1, the last one ends at the next separator or the line's
// end, and a field past the end is empty. Adapted, a number's decimal mark
// becomes the user's where the separator cannot be that mark.
TEST(CsvHeaderGetField, FieldCountEdgesAndDecimalAdaptationBySeparatorAndMark)
{
    struct Case {
        const char* mark;
        char separator;
        const char* line;
        int n;
        const char* field;   // as the line holds it
        const char* adapted; // with the decimal adaptation
    };
    const Case cases[] = {
        {".", ',', "1,2,3,4,5,6,7,8,9,10,11,12,last part", 13, "last part", "last part"},
        {".", ',', "1,2,3,4,5,6,7,8,9,10,11,12,last part", 14, "", ""},
        // A separator inside a description cuts it there.
        {".", ',', "1,2,3,4,5,6,7,8,9,10,11,12,desc,extra", 13, "desc", "desc"},
        {".", ',', " a , b ", 2, " b ", " b "}, // not trimmed
        {".", ',', "", 1, "", ""},
        {".", ',', "abc", 0, "", ""},
        {".", ',', "7,29.62000", 2, "29.62000", "29.62000"},
        {",", ',', "7,29.62000", 2, "29.62000", "29,62000"},
        {".", ';', "7;14,25000", 2, "14,25000", "14.25000"},
        {",", ';', "7;14,25000", 2, "14,25000", "14,25000"},
        {".", '\t', "7\t14,25000", 2, "14,25000", "14,25000"},
        {",", '\t', "7\t29.62000", 2, "29.62000", "29.62000"},
        {",", ',', "7,1.2.3", 2, "1.2.3", "1,2,3"},
    };
    for (const Case& c : cases) {
        ScopedDecimalMark mark(QString::fromLatin1(c.mark));
        CsvHeader csv;
        csv.setSeparator(QLatin1Char(c.separator));
        const QString line = QString::fromLatin1(c.line);
        EXPECT_EQ(csv.GetField(line, c.n, false), QString::fromLatin1(c.field)) << c.line << " #" << c.n;
        EXPECT_EQ(csv.GetField(line, c.n, true), QString::fromLatin1(c.adapted)) << c.mark << c.line;
    }
}

} // namespace
