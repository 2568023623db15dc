// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "cat/ProgressReporter.h"

#include <QStringList>

// A progress window for tests: records what it was shown and "clicks" the
// message once the bar reaches stopAt.
class ScriptedProgress : public ProgressReporter {
public:
    int stopAt = 0;
    QStringList shown;
    int maximum = 0;
    bool visible = false;

    void show(const QString& message, int max) override
    {
        shown << message;
        maximum = max;
        visible = true;
    }
    void setPosition(int p) override
    {
        if (stopAt > 0 && p >= stopAt)
            m_stop = true;
    }
    void hide() override { visible = false; }
    bool stopRequested() const override { return m_stop; }
    void clearStopRequest() override { m_stop = false; }

private:
    bool m_stop = false;
};
