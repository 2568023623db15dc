// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "CsvRecord.h"

#include <QString>
#include <optional>

class CsvHeader;
class Prompter;
class RuleSet;

// Reads the lines of an import file into records, in this program's own
// layout or in the common layout of other channel editors. Every word goes
// through the one normalisation below, so what the pre-check reports of a
// record is what its channel holds.
class CsvRecordParser {
public:
    // prompter only hears of a frequency the reader cannot convert at all.
    CsvRecordParser(const CsvHeader& csv, RuleSet& rules, Prompter& prompter, bool common);

    CsvRecord parse(const QString& rawLine) const;

    // A word of a record as the radio's vocabulary has it, and what the
    // pre-check says when the word is not the radio's.
    struct Word {
        std::optional<QString> value; // none: the record cannot be placed
        QString problem;              // empty when the word is taken as it stands
    };
    // The radio's mode for a mode word in any case; "" for the frequency's
    // default mode. Other programs' modes go through the import's mode table.
    static Word mode(const QString& field);
    // "Simplex", "Plus" or "Minus" for a shift word in any case; anything
    // else is reported and becomes Simplex.
    static Word shift(const QString& field);
    // " " (none), "CTCSS Enc" or "CTCSS Enc+Dec" for an encoding word in any
    // case; anything else is reported and imported without encoding.
    static Word encoding(const QString& field);
    // A tone of the tone table, completed ("67" is "67.0"); an empty one is
    // the default 67.0, any other is reported and becomes 67.0.
    static Word tone(const QString& field);

    static QString quotesText();
    // A whole number, optionally signed, with nothing else but surrounding
    // blanks; one with too many digits to hold reads as the largest (or
    // smallest) number, far out of any range.
    static std::optional<qint64> wholeNumber(const QString& field);

private:
    void readOwn(const QString& rawLine, CsvRecord& r) const;
    void complete(CsvRecord& r) const;

    const CsvHeader& m_csv;
    RuleSet& m_rules;
    Prompter& m_prompter;
    bool m_common;
};
