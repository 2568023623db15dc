// SPDX-License-Identifier: GPL-3.0-or-later
#include "print/MemoryListing.h"
#include "model/ChannelTable.h"
#include "model/Frequency.h"
#include "support/TestText.h"

#include <gtest/gtest.h>
#include <vector>

namespace {

// A page tall enough for the whole listing.
const PageGeometry kTallPage{1000000, 0, 180};

struct UsedRow {
    int row;
    const char* freq;
    const char* description;
};

void fill(ChannelTable& table, const std::vector<UsedRow>& rows)
{
    for (const UsedRow& used : rows)
        setRow(table, used.row,
               (used.freq + QByteArray("|FM|Plus|CTCSS Enc|88.5|") + used.description).constData());
}

PrintOptions onlyColumns(std::initializer_list<int> chosen)
{
    PrintOptions options;
    for (int column = 1; column <= 6; ++column)
        options.columns[column] = false;
    for (int column : chosen)
        options.columns[column] = true;
    return options;
}

const char kAllHeader[] = "              RX Freq   Mode  Shift   Decode  Tone  Description    ";
// The cells after the frequency, as fill() sets them, with every column chosen.
#define REST "FM    Plus    Enc     88.5  "

TEST(MemoryListing, PrintsTheRowsRunsAndHeadingsInOrder)
{
    const PrintOptions all, modeTone = onlyColumns({2, 5}), none = onlyColumns({});
    const char* h = "              "; // a heading's blank line
    struct Case {
        std::vector<UsedRow> rows;
        PrintOptions options;
        const char* header;
        std::vector<const char*> body; // the lines after the title block
    };
    const Case cases[] = {
        // A run between used rows folds into one line.
        {{{1, "7.05000", "A"}, {2, "7.06000", "B"}, {3, "7.07000", "C"}, {11, "14.20000", "D"}},
         all,
         kAllHeader,
         {"         1      7.05000 " REST "A", "         2      7.06000 " REST "B",
          "         3      7.07000 " REST "C", "         4-10   Empty   ",
          "        11     14.20000 " REST "D", "       12-100   Empty   "}},
        // A single empty row gets its own number.
        {{{4, "3.60000", ""}, {6, "3.70000", ""}},
         all,
         kAllHeader,
         {"          1-3   Empty   ", "         4      3.60000 " REST, "         5      Empty   ",
          "         6      3.70000 " REST, "        7-100   Empty   "}},
        {{{100, "50.10000", "Top"}},
         all,
         kAllHeader,
         {"         1-99   Empty   ", "       100     50.10000 " REST "Top"}},
        // An unclosed heading runs to the end and leaves the description empty.
        {{{1, "7.05000", "<Club net"}},
         all,
         kAllHeader,
         {h, "              Club net", h, "         1      7.05000 " REST, "        2-100   Empty   "}},
        // Markers apply when the description is not printed.
        {{{1, "7.05000", "<Calling>Net"}},
         modeTone,
         "              Mode  Tone  ",
         {h, "              Calling", h, "         1    FM    88.5  ", "        2-100   Empty   "}},
        {{{1, "7.05000", "x"}}, none, h, {"         1    ", "        2-100   Empty   "}},
        // A "^" starts a new page ("\f"), after the open run; the page opens with the page header.
        {{{1, "7.05000", "First"}, {5, "7.10000", "^Second"}, {6, "7.20000", "^<Group>Third"}},
         all,
         kAllHeader,
         {"         1      7.05000 " REST "First", "          2-4   Empty   ", "\f",
          "         5      7.10000 " REST "Second", "\f", h, "              Group", h,
          "         6      7.20000 " REST "Third", "        7-100   Empty   "}},
    };
    for (const Case& c : cases) {
        ChannelTable table(TableKind::Memories);
        fill(table, c.rows);
        const QString title = MemoryListing::title(1, QString());
        const MemoryListing::Pages pages = MemoryListing::compose(table, c.options, title, kTallPage, ".");
        const QString header = QString::fromLatin1(c.header);
        MemoryListing::Pages expected{{title, QString(), header, QString()}};
        for (const char* line : c.body) {
            if (*line == '\f')
                expected.append({header, QString()});
            else
                expected.last() << QString::fromLatin1(line);
        }
        EXPECT_EQ(pages, expected);
    }
}

// Decimal alignment under either decimal mark: a whole part too long for the
// cell prints whole.
class FrequencyAlignment : public DecimalMarkTest {};

TEST_P(FrequencyAlignment, LongWholePartsPrintWholeAndKeepASpace)
{
    const QString mark = Frequency::decimalMark();
    const struct {
        const char* text;
        const char* cell;
    } cases[] = {
        {"1450.00000", "1450.00000 "}, // one digit too many: starts at the cell's edge
        {"1450.5", "1450.5    "},      // short enough to stay in its cell
        {"7", "    7     "},           // no mark: four spaces
    };
    for (const auto& c : cases) {
        EXPECT_EQ(MemoryListing::frequencyCell(local(c.text), mark), local(c.cell)) << c.text;
    }
    // Text with the other mark counts as having none.
    EXPECT_EQ(MemoryListing::frequencyCell(local("7.05000"), mark == "." ? "," : "."), local("    7.05000 "));
}

QUAYSTONE_BOTH_DECIMAL_MARKS(FrequencyAlignment);

// Paging: every page after the first opens with the page header and an empty
// line; a line whose position is past the printable height less 510 twips
// goes to a new page; a "^" forces one.
TEST(MemoryListing, BreaksAtTheBottomLimit)
{
    struct Case {
        PageGeometry geometry;
        int pages, firstPageMemoryLines, fullPageMemoryLines, lastPageMemoryLines;
    };
    const Case cases[] = {
        {{1510, 0, 100}, 12, 7, 9, 3},     // limit 1000: positions 0..1000 print, eleven lines a page
        {{1509, 0, 100}, 13, 6, 8, 6},     // one twip less moves the line at the limit over
        {{1510, 520, 100}, 34, 1, 3, 3},   // the top margin on every page: five lines a page
        {{1510, 1240, 100}, 101, 0, 1, 1}, // a margin past the limit still prints every line, one a page
    };
    ChannelTable table(TableKind::Memories);
    for (int row = 1; row <= 100; ++row)
        fill(table, {{row, "7.05000", ""}});
    const QString header = MemoryListing::headerLine(PrintOptions());
    for (const Case& c : cases) {
        SCOPED_TRACE(c.pages);
        const MemoryListing::Pages pages =
            MemoryListing::compose(table, PrintOptions(), "T", c.geometry, ".");
        ASSERT_EQ(pages.size(), c.pages);
        EXPECT_EQ(pages.first().size() - 4, c.firstPageMemoryLines);
        EXPECT_EQ(pages[1].size() - 2, pages.size() > 2 ? c.fullPageMemoryLines : c.lastPageMemoryLines);
        EXPECT_EQ(pages.last().size() - 2, c.lastPageMemoryLines);
        int next = 1;
        for (int page = 0; page < pages.size(); ++page) {
            const QStringList& lines = pages[page];
            const int first = page == 0 ? 4 : 2;
            EXPECT_EQ(lines.mid(first - 2, 2), QStringList({header, QString()})) << "page " << page;
            for (int line = first; line < lines.size(); ++line)
                EXPECT_EQ(lines[line].mid(5, 5).trimmed().toInt(), next++)
                    << "page " << page << " line " << line;
        }
        EXPECT_EQ(next, 101) << "every row printed once";
    }
}

} // namespace
