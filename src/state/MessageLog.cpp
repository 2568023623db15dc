// SPDX-License-Identifier: GPL-3.0-or-later
#include "MessageLog.h"

#include "Version.h"

#include <QDateTime>
#include <QLocale>

MessageLog::MessageLog(QObject* parent) : QObject(parent) {}

void MessageLog::log(const QString& message, const QString& flag)
{
    if (flag == QLatin1String("Y") && !m_trace)
        return;
    const bool overflow = m_text.size() > kSizeLimit;
    if (overflow)
        m_text.clear();
    m_text += message + QStringLiteral("\r\n");
    emit lineAdded(message, overflow);
}

void MessageLog::clear()
{
    m_text.clear();
    emit textCleared();
}

QString MessageLog::copyStamp()
{
    const QDateTime now = QDateTime::currentDateTime();
    const QLocale locale;
    return QStringLiteral("Copied to Clipboard ") + locale.toString(now.date(), QLocale::ShortFormat) +
           QLatin1Char(' ') + locale.toString(now.time(), QLocale::LongFormat) +
           QStringLiteral(" Quaystone V") + QStringLiteral(QUAYSTONE_VERSION);
}
