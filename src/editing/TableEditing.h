// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QVector>
#include <functional>

class AppState;
class ChannelTable;
class MessageLog;
class Prompter;

// A rectangular selection of the memories table as the window captured it:
// table rows 1..100 and columns 0..6. The window hands it over as it stands;
// normalized() puts first before last.
struct TableSelection {
    int firstRow = 0;
    int firstColumn = 0;
    int lastRow = 0;
    int lastColumn = 0;

    TableSelection normalized() const;
    // Both rows lie within 1..rowCount.
    bool coversRows(int rowCount) const;
    bool operator==(const TableSelection& other) const
    {
        return firstRow == other.firstRow && firstColumn == other.firstColumn && lastRow == other.lastRow &&
               lastColumn == other.lastColumn;
    }
    bool operator!=(const TableSelection& other) const { return !(*this == other); }
};

// Where Find text or Find next stopped: found with the cell to make current,
// or not found (the "Find completed" message has then been shown).
struct FindResult {
    bool found = false;
    int row = 0;
    int column = 0;
};

// What a block move did: the selection to show afterwards (rows across all
// data columns) and the row to scroll into view.
struct MoveResult {
    bool moved = false;
    TableSelection selection;
    int scrollRow = 0;
};

// The block operations of the "Memories" and "PMS" menus. Each one works on
// the application state's tables; the window gathers the selection, calls one
// function and shows what it returns. Questions go through the prompter; a
// Cancel or No leaves the tables untouched and records no undo step.
// Operations that change the tables do nothing while the tables hold nothing
// (no read or load yet), as the menus are disabled then anyway.
namespace TableEditing {

// Names of the undo steps ("Undo " + name is the undo command's caption).
inline constexpr char kLabelPaste[] = "Paste memories";
inline constexpr char kLabelInsertAbove[] = "Insert memory above";
inline constexpr char kLabelRemove[] = "Remove memory";
inline constexpr char kLabelDelete[] = "Delete memory";
inline constexpr char kLabelCompact[] = "Compact empty memories";
inline constexpr char kLabelMoveUp[] = "Move memories up";
inline constexpr char kLabelMoveDown[] = "Move memories down";
inline constexpr char kLabelFillDown[] = "Fill downwards";
inline constexpr char kLabelSortFreq[] = "Sort by frequency";
inline constexpr char kLabelSortDescription[] = "Sort by description";
inline constexpr char kLabelDeletePms[] = "Delete PMS memory pair";

inline constexpr char kFindTitle[] = "Find";
inline constexpr char kFindCompleted[] = "Find completed";

// A row number as the program writes it in messages and status panels: one
// leading space, then the number (" 5").
QString rowNumberText(int row);

// The "Find what:" prompt of the Find input box.
QString findPrompt();

// Copy / Cut: remembers the selection's rows in the memory clipboard (Cut
// also sets the cut indicator). Nothing in the table changes; the window puts
// the cells on the system clipboard (SpreadsheetText) and enables Paste.
void copyRows(AppState& state, TableSelection selection, bool cut);

// Paste the memory clipboard's rows at targetRow, reading their contents now.
// Returns the number of rows written (0 when nothing was done). Rows that would
// land past row 100 are dropped; a cut row whose copy was dropped keeps its
// contents. Sets the changed flag.
int paste(AppState& state, int targetRow);

// Insert an empty memory above: removes the first empty row after currentRow
// (or, when the user agrees, row 100) and inserts an empty row at the
// selection's first row. Returns the row to select afterwards (the memory that
// was current, now one lower), or 0 when nothing was done.
int insertAbove(AppState& state, int currentRow, int selectionFirstRow, Prompter& prompter);

// Remove memories: takes the selected rows out, the rows below move up and
// empty rows fill the end. On success the window selects the first row of the
// selection, frequency column.
bool removeRows(AppState& state, TableSelection selection, Prompter& prompter);

// Delete memories: empties the selected rows in place. On success the window
// selects the first row of the selection, frequency column.
bool deleteRows(AppState& state, TableSelection selection, Prompter& prompter);

// Compact empty memories: channels close up at the top in their order, empty
// rows gather at the end; also clears the "Hide empty memories" check mark.
bool compact(AppState& state);

// Move the selected block one row down or up.
MoveResult moveDown(AppState& state, TableSelection selection);
MoveResult moveUp(AppState& state, TableSelection selection);

// Fill selection downwards: copies the first row's selected columns into the
// other selected rows that hold a channel. Leaves the changed flag alone.
bool fillDown(AppState& state, TableSelection selection);

// Sort the selected rows ascending by frequency or by description; rows
// outside the selection never move and empty slots go last. Numbers (under
// the user's decimal mark) compare as numbers and come before other texts,
// which compare without regard to case; equal keys keep their order. Leaves
// the changed flag alone. Afterwards the window renews the row shading and
// selects row 1, frequency column.
bool sortByFrequency(AppState& state, TableSelection selection);
bool sortByDescription(AppState& state, TableSelection selection);

// Which rows the "Hide empty memories" setting hides, indexed by table row
// (index 0, the header, is never hidden): with the setting on, each run of
// empty rows shows only its first row.
QVector<bool> hiddenRows(const ChannelTable& table, bool hideEmpty);

// Find text: asks for the search text (the previous one offered) and searches
// column by column from the frequency column, skipping the columns marked in
// hiddenColumns (indexed by column number), row by row within each column,
// without regard to case. A Cancel or an empty answer searches nothing.
FindResult findText(AppState& state, Prompter& prompter, const QVector<bool>& hiddenColumns);
// Find next (F3): continues after the last match; does nothing (not found, no
// message) while there is no last match.
FindResult findNext(AppState& state, Prompter& prompter, const QVector<bool>& hiddenColumns);

// List duplicate frequencies into the message log as notice lines; calls
// yieldAfterRow (when set) after each row so the window stays alive.
void listDuplicates(const AppState& state, MessageLog& log, const std::function<void()>& yieldAfterRow = {});

// Delete the PMS pair that holds pmsRow (1..18; pair k is rows 2k-1 and 2k)
// after the user agrees. Sets the changed flag.
bool deletePmsPair(AppState& state, int pmsRow, Prompter& prompter);

// Undo / redo one step of the history (both tables) and clear the "Hide empty
// memories" check mark; the changed flag is set unless the tables are back
// where they were saved. The window then selects the row that was current,
// frequency column.
bool undo(AppState& state);
bool redo(AppState& state);
// The captions of the two commands: "&Undo Fill downwards", "R&edo Paste
// memories", or plain "&Undo" / "R&edo" when there is no step that way.
QString undoCaption(const AppState& state);
QString redoCaption(const AppState& state);

} // namespace TableEditing
