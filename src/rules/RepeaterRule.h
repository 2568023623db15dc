// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QtGlobal>

// One repeater rule: a receive band (10 Hz steps, bounds inclusive) and the
// shift direction, offset and tuning step that go with it.
struct RepeaterRule {
    qint32 Low = 0;
    qint32 High = 0;
    QString Direction; // "Plus", "Minus" or "Simplex"
    QString Amount;    // offset in MHz, "##.00000"
    QString Step;      // "5.0 K" .. "50.0 K"
};

// What the most recent successful match found.
struct RuleMatch {
    QString Direction;
    QString Amount;
    QString Step;
};
