// SPDX-License-Identifier: GPL-3.0-or-later
#include "TestLocale.h"

#include "model/Frequency.h"

ScopedDecimalMark::ScopedDecimalMark(const QString& mark) : m_previous(QLocale())
{
    QLocale::setDefault(mark == QLatin1String(",") ? QLocale(QLocale::German, QLocale::Germany)
                                                   : QLocale(QLocale::English, QLocale::UnitedStates));
}

ScopedDecimalMark::~ScopedDecimalMark()
{
    QLocale::setDefault(m_previous);
}

QString local(const char* text)
{
    QString t = QString::fromLatin1(text);
    t.replace(QLatin1Char('.'), Frequency::decimalMark());
    return t;
}
