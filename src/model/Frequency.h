// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QtGlobal>
#include <optional>

// Frequencies inside the program are signed 32-bit counts of 10 Hz steps
// (megahertz x 100000); in the tables they are text with five decimals and
// the user's decimal mark.
namespace Frequency {

inline constexpr qint32 kRadioLow = 3000;       // 0.03 MHz
inline constexpr qint32 kRadioHigh = 5600000;   // 56 MHz
inline constexpr qint32 kDefaultValue = 700000; // 7 MHz, for an emptied cell

// Why a text was refused; the caller decides what the user is told.
enum class Error {
    NotNumeric,     // not a number in the user's notation
    NotConvertible, // a number too large for 32 bits
    OutOfRange,     // a number outside the radio's range
};

// What reading a text came to.
struct Reading {
    qint32 value = -1;          // the reading; -1 when the text gave no number
    bool accepted = false;      // a number for the reader, one in range for the check
    std::optional<Error> error; // why it was refused, when the user is told why
    QString text;               // the text as read, which a conversion error quotes
};

// The user's decimal mark, "." or ",".
QString decimalMark();

// The frequency reader: a number in the user's notation (optional sign,
// digits, at most one decimal mark) to 10 Hz steps; value -1 when it is not
// a number or does not fit.
Reading read(const QString& text);
// The same reading with no message at all: std::nullopt when the text is not
// a number or (overflow set) does not fit 32 bits.
std::optional<qint32> parse(const QString& text, bool* overflow = nullptr);

// The frequency check: an empty text or "Empty" means 7 MHz; accepted values
// lie within the radio's range. On acceptance the text becomes its normal
// form. A reading out of range keeps its value; a reading of -1 is refused
// with no error, as the reader's "no number".
Reading check(QString& text);

// "##0.00000" under the user's decimal mark.
QString format(qint32 value);
// "##.00000": no digit before the mark when the whole part is 0 (.60000).
QString formatAmount(qint32 value);
// Hertz as megahertz text: five decimals (rounded to 10 Hz) or six decimals.
QString formatHz5(qint64 hertz);
QString formatHz6(qint64 hertz);

// The band table's mode for a frequency (the repeater rules may decide first).
QString bandMode(qint32 value);

} // namespace Frequency
