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

    bool operator==(const MemoryRecord& other) const
    {
        return Freq == other.Freq && Mode == other.Mode && Shift == other.Shift && EncDec == other.EncDec &&
               Tone == other.Tone && Description == other.Description;
    }
    bool operator!=(const MemoryRecord& other) const { return !(*this == other); }
};
