// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "model/MemoryRecord.h"

#include <QString>
#include <QStringList>
#include <QtGlobal>
#include <optional>

// One record of an import file, read once for both passes of the import:
// the pre-check reports from it and the load pass places from it.
struct CsvRecord {
    // The fields in the words of this program's own layout, as read:
    // memory number, frequency (with the user's decimal mark), mode, shift,
    // encoding ("CTCSS ENC", "CTCSS ENC+DEC" or none), tone and description.
    QString memory;
    QString freq;
    QString mode;
    QString shift;
    QString encoding;
    QString tone;
    QString description;
    // What the pre-check reports after the frequency, in order and without
    // the record's number: the words it does not know, or what reading
    // another layout had to change.
    QStringList problems;

    // What the import reads from the fields.
    bool blank = false;           // nothing but separators and blanks: the load pass passes it by
    std::optional<qint64> number; // the memory number, when it is a whole number
    bool numeric = false;         // the frequency is a number (perhaps too large to hold)
    bool inRange = false;         // ... and lies within the radio's range
    qint32 value = 0;             // ... of this many 10 Hz steps
    // Whether the load pass knows the mode. It reads the word as written,
    // so it skips a lower-case "fm" the pre-check passes, and takes the
    // "NFM" the pre-check reports.
    bool modeKnown = false;
    MemoryRecord channel; // the memory row the load pass places
};
