// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "CsvRecord.h"

#include <QString>
#include <QStringList>

class CsvHeader;
class RuleSet;
struct Channel;

// The CSV layout other channel editors pass channel lists around in:
// Location,Name,Frequency,Duplex,Offset,Tone,rToneFreq,cToneFreq,DtcsCode,
// DtcsPolarity,Mode,TStep,Skip,Comment and, in some versions, more columns.
// Columns are found by name, so their order and the extra ones do not
// matter. Numbers always use "." and the fields ",".
class CommonCsv {
public:
    // The header this program writes.
    static QString headerLine();

    // A raw record of a file whose header csv has identified as this layout,
    // in the words of this program's own layout. rules decides whether a
    // repeater offset is the one the radio will use.
    static CsvRecord read(const CsvHeader& csv, const QString& line, RuleSet& rules);

    // One memory row as a record, numbered location, and what the layout
    // could not carry of it.
    struct Row {
        QString line;
        QStringList losses; // each says what was changed or left out
    };
    static Row line(const Channel& channel, int location, RuleSet& rules);

    // The modes other channel editors accept in this layout.
    static const QStringList& modes();
};
