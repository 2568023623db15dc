#pragma once

#include "app/MessageLog.h"

#include <QString>
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

// The lines of the message log, in order.
inline QStringList logLines(const MessageLog& log)
{
    QStringList lines = log.text().split(QStringLiteral("\r\n"));
    lines.removeAll(QString());
    return lines;
}
