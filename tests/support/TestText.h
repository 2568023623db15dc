// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "model/CatCodec.h"
#include "model/ChannelTable.h"
#include "model/ChannelText.h"
#include "state/MessageLog.h"
#include "support/TestLocale.h"

#include <QStringList>
#include <ostream>

// Readable failure output for texts and lists of texts.
inline void PrintTo(const QString& text, std::ostream* os)
{
    *os << '"' << text.toStdString() << '"';
}
inline void PrintTo(const QStringList& list, std::ostream* os)
{
    *os << "{\n";
    for (const QString& text : list)
        *os << "  \"" << text.toStdString() << "\"\n";
    *os << '}';
}

// Lets a failure message take a text: EXPECT_...(...) << text.
inline std::ostream& operator<<(std::ostream& os, const QString& text)
{
    return os << text.toStdString();
}

// The lines of the message log, in order.
inline QStringList logLines(const MessageLog& log)
{
    return log.text().split(QStringLiteral("\r\n"), Qt::SkipEmptyParts);
}

// A channel written on one line as the tables show it,
// "freq|mode|shift|encdec|tone|description", so a table row is one short
// literal and one assertion. The frequency is written with "." and shown with
// the current decimal mark; six decimals are hertz as the radio gives them,
// "Empty" (or nothing) no channel. "?? " and "??" stand for codes outside the
// vocabularies.
inline Channel rec(const char* text)
{
    QStringList f = QString::fromUtf8(text).split(QLatin1Char('|'));
    while (f.size() < 6)
        f << QString();
    Channel c;
    c.present = !f[0].isEmpty() && f[0] != QLatin1String("Empty");
    if (c.present) {
        const int decimals = int(f[0].size() - f[0].indexOf(QLatin1Char('.')) - 1);
        c.hertz = CatCodec::hertzOf(f[0]).value_or(0);
        c.hertzFromRadio = f[0].contains(QLatin1Char('.')) && decimals == 6;
    }
    c.mode = f[1] == QLatin1String("?? ") ? QLatin1Char('0') : ChannelText::modeOf(f[1]).value_or(QChar());
    c.shift = f[2] == QLatin1String("??") ? QLatin1Char('9') : ChannelText::shiftOf(f[2]).value_or(QChar());
    c.encoding = f[3] == QLatin1String("??") ? QLatin1Char('9')
                                             : ChannelText::encodingOf(f[3]).value_or(QLatin1Char('0'));
    c.tone = ChannelText::toneOf(f[4]).value_or(-1);
    c.description = f[5];
    return c;
}
// A channel in that form, as a row of the table shows it.
inline QString recText(const Channel& c, TableKind table = TableKind::Memories)
{
    return QStringList{ChannelText::frequency(c, table), ChannelText::mode(c), ChannelText::shift(c),
                       ChannelText::encoding(c),         ChannelText::tone(c), c.description}
        .join(QLatin1Char('|'));
}
// A table row in that form, to compare with recText(rec("...")).
inline QString rowText(const ChannelTable& table, int row)
{
    return recText(table.channel(row), table.kind());
}
// Writes a row from its texts.
inline void setRow(ChannelTable& table, int row, const char* text)
{
    table.setChannel(row, rec(text));
}
// Writes one cell of a row from its text as rec() reads it; the row's other
// fields (and what the radio gave it) stay.
inline void setCell(ChannelTable& table, int row, int column, const QString& text)
{
    QStringList fields(6);
    fields[column - 1] = text;
    const Channel typed = rec(fields.join(QLatin1Char('|')).toUtf8().constData());
    Channel c = table.channel(row);
    if (column == Column::kFreq) {
        c.present = typed.present;
        c.hertz = typed.hertz;
        c.hertzFromRadio = typed.hertzFromRadio;
    } else if (column == Column::kMode) {
        c.mode = typed.mode;
    } else if (column == Column::kShift) {
        c.shift = typed.shift;
    } else if (column == Column::kEncDec) {
        c.encoding = typed.encoding;
    } else if (column == Column::kTone) {
        c.tone = typed.tone;
    } else {
        c.description = typed.description;
    }
    table.setChannel(row, c);
}
// A cell's text as the table shows it.
inline QString cellText(const ChannelTable& table, int row, int column)
{
    return ChannelText::cell(table, row, column);
}
inline void PrintTo(const Channel& c, std::ostream* os)
{
    *os << recText(c).toStdString() << " [" << c.hertz << " Hz; " << c.radioRecord.toStdString() << ']';
}
