// SPDX-License-Identifier: GPL-3.0-or-later
#include "ButtonReturnKey.h"

#include <QAbstractButton>
#include <QKeyEvent>

void ButtonReturnKey::install(QAbstractButton* button)
{
    button->installEventFilter(new ButtonReturnKey(button));
}

bool ButtonReturnKey::eventFilter(QObject* watched, QEvent* event)
{
    auto* button = qobject_cast<QAbstractButton*>(watched);
    if (button && event->type() == QEvent::KeyPress) {
        auto* key = static_cast<QKeyEvent*>(event);
        const bool enter = key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter;
        if (enter && (key->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier) {
            // As a default button does; the key never travels on to the window.
            if (button->isEnabled())
                button->click();
            return true;
        }
    }
    return QObject::eventFilter(watched, event);
}
