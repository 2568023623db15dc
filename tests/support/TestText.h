// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "state/MessageLog.h"
#include "model/ChannelTable.h"
#include "model/MemoryRecord.h"
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

// A record written on one line, "freq|mode|shift|encdec|tone|description", so a table
// row is one short literal and one assertion. The frequency is written with "." and
// shown with the current decimal mark.
inline MemoryRecord rec(const char* text)
{
    QStringList f = QString::fromUtf8(text).split(QLatin1Char('|'));
    while (f.size() < 6)
        f << QString();
    return {local(f[0].toLatin1().constData()), f[1], f[2], f[3], f[4], f[5]};
}
inline QString recText(const MemoryRecord& r)
{
    return QStringList{r.Freq, r.Mode, r.Shift, r.EncDec, r.Tone, r.Description}.join(QLatin1Char('|'));
}
// A table row in that form, to compare with recText(rec("...")).
inline QString rowText(const ChannelTable& table, int row)
{
    return recText(table.record(row));
}
inline void PrintTo(const MemoryRecord& r, std::ostream* os)
{
    *os << recText(r).toStdString();
}
