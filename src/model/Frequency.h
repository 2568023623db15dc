#pragma once

#include <QString>
#include <QtGlobal>
#include <optional>

class Prompter;
class RuleSet;

// Frequencies inside the program are signed 32-bit counts of 10 Hz steps
// (megahertz x 100000); in the tables they are text with five decimals and
// the user's decimal mark.
namespace Frequency {

inline constexpr qint32 kRadioLow = 3000;       // 0.03 MHz
inline constexpr qint32 kRadioHigh = 5600000;   // 56 MHz
inline constexpr qint32 kDefaultValue = 700000; // 7 MHz, for an emptied cell

inline constexpr char kNotNumeric[] = "Not a numeric value";
inline constexpr char kConversionError[] = "Error converting from string ";
inline constexpr char kOutOfRange[] = "Frequency is outside the range of the radio";

// The user's decimal mark, "." or ",".
QString decimalMark();

// The frequency reader: a number in the user's notation (optional sign,
// digits, at most one decimal mark) to 10 Hz steps; -1 when it is not a
// number or does not fit. "Not a numeric value" is shown unless quiet; a
// conversion overflow is always reported.
qint32 read(const QString& text, bool quiet, Prompter& prompter);
// The same reading with no message at all: std::nullopt when the text is not
// a number or (overflow set) does not fit 32 bits.
std::optional<qint32> parse(const QString& text, bool* overflow = nullptr);

// The frequency check: an empty text or "Empty" means 7 MHz; accepted values
// lie within the radio's range. On acceptance the text becomes its normal
// form and value receives the reading.
bool check(QString& text, bool quiet, Prompter& prompter, qint32* value = nullptr);

// "##0.00000" under the user's decimal mark.
QString format(qint32 value);
// "##.00000": no digit before the mark when the whole part is 0 (.60000).
QString formatAmount(qint32 value);
// Hertz as megahertz text: five decimals (rounded to 10 Hz) or six decimals.
QString formatHz5(qint64 hertz);
QString formatHz6(qint64 hertz);

// The default mode of a frequency: a covering repeater rule decides FM or
// FMN from its step, otherwise the band table.
QString defaultMode(qint32 value, RuleSet* rules);
// The band table alone.
QString bandMode(qint32 value);

} // namespace Frequency
