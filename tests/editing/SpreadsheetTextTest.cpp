// SPDX-License-Identifier: GPL-3.0-or-later
#include "editing/SpreadsheetText.h"
#include "model/Frequency.h"
#include "state/AppState.h"
#include "state/MessageLog.h"
#include "support/TestText.h"

#include <gtest/gtest.h>

namespace {

class SpreadsheetTextTest : public DecimalMarkTest {
protected:
    void SetUp() override
    {
        DecimalMarkTest::SetUp();
        fill();
    }
    // Ten channels in rows 1 to 10, a fresh history, nothing changed.
    void fill()
    {
        state.tables().reset();
        log.clear();
        state.setDataSource(AppState::File);
        for (int row = 1; row <= 10; ++row)
            setRow(state.tables().memories, row,
                   qPrintable(QStringLiteral("7.%1|USB|Simplex||67.0|ch%2")
                                  .arg(row * 100, 5, 10, QLatin1Char('0'))
                                  .arg(row)));
        state.setChanged(false);
    }
    QStringList fields(int row) const { return ChannelText::rowFields(state.tables().memories, row).mid(1); }
    // Where the decimal mark is a comma, spreadsheets separate by semicolons.
    static QString inLocale(QString text)
    {
        if (Frequency::decimalMark() == QLatin1String(","))
            text.replace(QLatin1Char(','), QLatin1Char(';'));
        return text.replace(QLatin1Char('.'), Frequency::decimalMark());
    }
    AppState state;
    MessageLog log;
};

TEST_P(SpreadsheetTextTest, CopiedRowsComeBackThroughASpreadsheetByTabOrComma)
{
    const QString whole = SpreadsheetText::fromSelection(state.tables().memories, {5, 0, 7, 6});
    EXPECT_TRUE(whole.startsWith(QStringLiteral("General Memories\tReceive Frequency\tOp Mode\tRPT Shift\t"
                                                "Encoding Method\tCTCSS Tone\tMemory Description\r\n4\t")))
        << whole.toStdString();
    EXPECT_EQ(SpreadsheetText::fromSelection(state.tables().memories, {2, 1, 3, 2}),
              local("7.00200") + QStringLiteral("\tUSB\r\n") + local("7.00300") + QStringLiteral("\tUSB"))
        << "part of rows: no headings";
    EXPECT_EQ(SpreadsheetText::fromSelection(state.tables().memories, {5, 0, 7, 0}),
              SpreadsheetText::fromSelection(state.tables().memories, {5, 1, 7, 6}))
        << "rows picked by their labels: their cells";

    // Some spreadsheets quote cells, and give rows back comma-separated (with a
    // decimal comma: by semicolons); quoted numbers: ForeignRowsPassTheEntryRules.
    const QString spreadsheet = QString(whole).replace(QStringLiteral("\tch6"), QStringLiteral("\t\"ch6\""));
    const QString csv = QString(spreadsheet).replace(QLatin1Char('\t'), inLocale(QStringLiteral(",")));
    for (const QString& text : {spreadsheet, csv}) {
        fill();
        const QStringList expected[] = {fields(5), fields(6), fields(7)};
        // Pasted with the cursor anywhere: the headings place the cells.
        const SpreadsheetText::PasteResult r = SpreadsheetText::paste(state, 20, Column::kTone, text, log);
        EXPECT_EQ(r.written, 3) << QString(log.text()).toStdString();
        for (int i = 0; i < 3; ++i)
            EXPECT_EQ(fields(20 + i), expected[i]) << text.toStdString();
    }
}

// Text typed elsewhere passes the rules of typing; a row with a refused cell
// stays as it was, and the log says why, naming the row by its label.
TEST_P(SpreadsheetTextTest, ForeignRowsPassTheEntryRules)
{
    struct Case {
        const char* name;
        const char* text;
        int row, column;
        int written, refused;
        const char* row2; // memory row 2 afterwards, as rec() reads it
        const char* logs; // a part of the log, or ""
    };
    const char* untouched = "7.00200|USB|Simplex||67.0|ch2";
    const Case cases[] = {
        {"cells from the current column on", "FM,Minus\r\n", 2, Column::kMode, 1, 0,
         "7.00200|FM|Minus||67.0|ch2", ""},
        {"headings by common names, another order", "Name,Frequency,Mode\n\"Club, 2m\",\"29.6\",FM\n", 2, 0,
         1, 0, "29.60000|FM|Simplex||67.0|Club  2m", ""},
        {"frequency out of range", "99\tFM\n", 2, Column::kFreq, 0, 1, untouched,
         "row 1, Receive Frequency \"99\" refused:"},
        {"mode not in the list: the accepted frequency goes back too", "14.2\tXYZ\n", 2, Column::kFreq, 0, 1,
         untouched, "row 1, Op Mode \"XYZ\" refused: not one of the column's choices"},
        {"a refused row leaves the next row alone", "14.2\tXYZ\n21.2\tUSB\n", 2, Column::kFreq, 1, 1,
         untouched, "Paste: row 1 was left as it was."},
        {"rows past the last memory", "14.2\n21.2\n", 100, Column::kFreq, 1, 0, untouched,
         "Paste: 1 row(s) past the last memory were left out."},
        {"a copied empty slot", "Empty\t\t\n", 2, Column::kFreq, 1, 0, "Empty|||||", ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        fill();
        const SpreadsheetText::PasteResult r =
            SpreadsheetText::paste(state, c.row, c.column, inLocale(QString::fromUtf8(c.text)), log);
        EXPECT_EQ(r.written, c.written);
        EXPECT_EQ(r.refused, c.refused);
        EXPECT_EQ(fields(2).join(QLatin1Char('|')), recText(rec(c.row2)));
        EXPECT_TRUE(QString(log.text()).contains(QLatin1String(c.logs))) << QString(log.text()).toStdString();
        EXPECT_EQ(state.changed(), c.written > 0);
    }
}

QUAYSTONE_BOTH_DECIMAL_MARKS(SpreadsheetTextTest);

} // namespace
