// SPDX-License-Identifier: GPL-3.0-or-later
#include "CliPathPrompter.h"

#include <utility>

QString CliPathPrompter::chooseOpenFile(const QString&, const QString&, const QString&)
{
    return std::exchange(m_open, QString());
}

QString CliPathPrompter::chooseSaveFile(const QString&, const QString&, const QString&, const QString&)
{
    return std::exchange(m_save, QString());
}
