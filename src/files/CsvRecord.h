// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "model/Channel.h"

#include <QString>
#include <QStringList>
#include <QtGlobal>
#include <optional>

// One record of an import file, read and normalised once: the pre-check
// reports from it and decides from it, and the placement writes its channel.
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
    // the record's number: the words outside the radio's vocabularies and
    // what becomes of them, or what reading another layout had to change.
    QStringList problems;

    // What the import reads from the fields.
    bool blank = false;           // nothing but separators and blanks: the placement passes it by
    std::optional<qint64> number; // the memory number, when it is a whole number
    bool numeric = false;         // the frequency is a number (perhaps too large to hold)
    bool inRange = false;         // ... and lies within the radio's range
    qint32 value = 0;             // ... of this many 10 Hz steps
    bool modeKnown = false;       // the mode is one the radio has (else the record is left out)
    // The memory row to place, every cell in the radio's vocabularies.
    Channel channel;
};
