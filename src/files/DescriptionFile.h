// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QStringList>

class AppState;
class QIODevice;
class Settings;

// The description file (".950dsc") beside a memory file: line 1 is 0 and the
// description column's width in twips, lines 2 to 101 the row number and the
// description of memory rows 1 to 100. Each line is a number, a comma and a
// text in double quotes (which may hold commas).
namespace DescriptionFile {

// The description file of a path: the path itself when it ends in
// ".950dsc", the path + "dsc" when it ends in ".950", else empty.
QString pathFor(const QString& path);

// The two fields of a line. The text is what stands between the first pair
// of double quotes after the comma; unquoted, it runs to the next comma.
struct Line {
    QString number;
    QString text;
};
Line parseLine(const QString& line);

// The description column's width stated by line 1's text field, or
// fallbackWidth when that text is not a whole number of twips.
int widthOf(const QString& text, int fallbackWidth);

// Three memory-number column widths of the current grid size.
int fallbackWidth(const Settings& settings);

// Puts line 1's width and the following lines' texts into memory rows 1,
// 2, ... in file order. Missing lines leave the remaining rows as they are.
void apply(const QStringList& lines, AppState& state, int fallbackWidth);

// Loads the description file of path; a missing or unreadable file changes
// nothing and says nothing. A file too large to be a description file, or
// something that is not a regular file, is not read either: the reason is
// returned (empty otherwise) for the caller to show.
QString load(const QString& path, AppState& state, const Settings& settings);

// The 101 lines of the file for the current memories table.
QStringList compose(const AppState& state);

} // namespace DescriptionFile
