// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ChannelMap.h"

#include <QChar>
#include <QString>
#include <QtGlobal>

// One channel slot's content as values. Mode, shift and encoding are the
// radio's CAT codes, so a code outside the vocabularies is kept as it came;
// the words the user sees are made by ChannelText.
struct Channel {
    bool present = false; // false: the slot holds no channel ("Empty")
    // The frequency in hertz. A frequency from the radio (or a memory file)
    // is exact to the hertz; one typed in the tables is a whole number of
    // 10 Hz steps. PMS rows show the radio's frequencies to the hertz.
    qint64 hertz = 0;
    bool hertzFromRadio = false;
    QChar mode;                        // CAT mode code; null: no mode
    QChar shift;                       // CAT shift code; null: no shift
    QChar encoding = QLatin1Char('0'); // CAT encoding code; ' ' is "no encoding" picked from the list
    int tone = -1;                     // index in the tone table; -1: no tone
    QString description;               // memories table only; the radio never carries it
    // What the radio (or the memory file) gave this channel: characters 6 to
    // 26 of its memory reply, frequency to shift, or empty for a channel made
    // on the computer. It keeps the radio's data in characters 14-20 and 22,
    // so an unedited channel is written back exactly as it came.
    QString radioRecord;

    // Whether the two frequencies look the same in a row of this table:
    // to 10 Hz, or to the hertz where the PMS table shows the radio's.
    bool showsSameFrequency(const Channel& other, TableKind table) const
    {
        const bool fine = table == TableKind::Pms && hertzFromRadio;
        if (fine != (table == TableKind::Pms && other.hertzFromRadio))
            return false;
        return fine ? hertz == other.hertz : tenHertzSteps() == other.tenHertzSteps();
    }
    // The frequency in 10 Hz steps, rounded half away from zero.
    qint64 tenHertzSteps() const { return hertz >= 0 ? (hertz + 5) / 10 : -((-hertz + 5) / 10); }

    bool operator==(const Channel& o) const
    {
        return present == o.present && hertz == o.hertz && hertzFromRadio == o.hertzFromRadio &&
               mode == o.mode && shift == o.shift && encoding == o.encoding && tone == o.tone &&
               description == o.description && radioRecord == o.radioRecord;
    }
    bool operator!=(const Channel& o) const { return !(*this == o); }
};
