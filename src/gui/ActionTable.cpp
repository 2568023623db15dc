// SPDX-License-Identifier: GPL-3.0-or-later
#include "ActionTable.h"

#include <QAction>
#include <QWidget>

void ActionTable::apply(unsigned have) const
{
    for (const Rule& rule : m_rules) {
        const bool on = (rule.needs & have) == rule.needs;
        if (auto* action = qobject_cast<QAction*>(rule.target))
            action->setEnabled(on);
        else if (auto* widget = qobject_cast<QWidget*>(rule.target))
            widget->setEnabled(on);
    }
}
