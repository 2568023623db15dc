// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QChar>
#include <QString>
#include <QStringList>

// The radio's mode, shift, encoding and tone vocabularies with their CAT codes,
// and the choice lists the cell editors offer.
namespace Vocabulary {

inline constexpr char kEmptyMarker[] = "Empty";
inline constexpr char kUnknownMode[] = "?? ";
inline constexpr char kUnknownCode[] = "??";

inline constexpr char kModeList[] = "LSB|USB|CW|FM|AM|RTYL|CWR|USRL|RTYU|FMN|USRU|";
inline constexpr char kShiftList[] = "Plus|Minus|Simplex|";
inline constexpr char kEncodingList[] = " |CTCSS Enc|CTCSS Enc+Dec|";

const QStringList& modeNames();
// Code of a mode name, or a null QChar when the name is not a mode of the radio.
QChar modeCode(const QString& name);
// Name of a mode code; "?? " for a code outside the table.
QString modeName(QChar code);

QChar shiftCode(const QString& name); // anything but Plus/Minus gives '0'
QString shiftName(QChar code);        // "??" outside the table

QChar encodingCode(const QString& name); // anything but the two CTCSS names gives '0'
QString encodingName(QChar code);        // "" for '0', "??" outside the table
bool hasTone(const QString& encoding);   // true for the two CTCSS names only

const QStringList& toneTable(); // 50 texts, index = CAT tone number
int toneIndex(const QString& text); // -1 when not a tone-table text
QString toneChoiceList();           // the tone table as a "|"-separated list

} // namespace Vocabulary
