// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>

class QAbstractButton;

// Return and keypad Enter press the button that has the keyboard focus, as
// Space does. For windows that keep no default button: there Qt leaves both
// keys to the default button, so on a focused button they would do nothing.
class ButtonReturnKey : public QObject {
public:
    static void install(QAbstractButton* button);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    using QObject::QObject;
};
