// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

// One channel slot's data fields, all text, as the tables hold them.
struct MemoryRecord {
    QString Freq;
    QString Mode;
    QString Shift;
    QString EncDec;
    QString Tone;
    QString Description; // memories table only; the radio never carries it
    // What the radio (or the memory file) gave this channel: characters 6 to 26
    // of its memory reply, frequency to shift, or empty for a channel made on
    // the computer. It keeps what the fields above do not show (the exact
    // hertz, the radio's data in characters 14-20 and 22, codes outside the
    // tables), so an unedited channel is written back exactly as it came.
    QString Kept = {};

    // Compares what the tables show; Kept is compared where it matters, by
    // the command a record encodes to.
    bool operator==(const MemoryRecord& other) const
    {
        return Freq == other.Freq && Mode == other.Mode && Shift == other.Shift && EncDec == other.EncDec &&
               Tone == other.Tone && Description == other.Description;
    }
    bool operator!=(const MemoryRecord& other) const { return !(*this == other); }
};
