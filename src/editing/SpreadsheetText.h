// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "TableEditing.h"

#include <QString>
#include <QStringList>
#include <QVector>

class AppState;
class ChannelTable;
class MessageLog;

// Memory rows as text that spreadsheets, text editors and web tables
// exchange through the system clipboard: tab-separated cells, one row a line.
namespace SpreadsheetText {

// Name of the undo step of a paste of such text.
inline constexpr char kLabelPaste[] = "Paste rows";

// The selected cells of the memories table as tab-separated lines (CR LF
// ends). When whole rows are selected (the frequency through the description
// column) a first line carries the column headings, so that a spreadsheet
// knows its columns and a later paste can place them by name. Cells of the
// label column alone stand for their whole rows.
QString fromSelection(const ChannelTable& table, TableSelection selection);

// Cells of text from another program: the fields of a line are separated by
// tabs when its first line has one, else by semicolons when it has one, else
// by commas unless the user's decimal mark is a comma (spreadsheets there
// separate by semicolons); double quotes enclose a
// field that holds a separator, a quote ("") or a line break. Cells are
// trimmed; blank lines are left out.
QVector<QStringList> parse(const QString& text);

// The column a heading names (the table's own two-line headings joined by a
// space, their second word, or a common name such as "Name"), or -1.
int columnOfHeading(const QString& heading);

struct PasteResult {
    int written = 0; // rows that took their cells
    int refused = 0; // rows left as they were because a cell was refused
};

// Pastes such text into the memories table, its first row at targetRow. A
// first line of headings places the cells by column name; otherwise they go
// to the columns from targetColumn on (a cell in the label column is not
// data). Every cell passes the rules of typing, the frequency first (its
// range, the default mode, the repeater rule's shift). A row with a refused
// cell is left exactly as it was, and the log names each refused cell by
// its row's label. Rows
// past the last memory are left out with a log line. The whole paste is one
// undo step.
PasteResult paste(AppState& state, int targetRow, int targetColumn, const QString& text, MessageLog& log);

} // namespace SpreadsheetText
