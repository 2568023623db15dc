// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

// The progress window of a transfer, seen from the read and write
// procedures: shown with a message and a bar of one step per slot, moved,
// hidden, and asked whether the user clicked its message to stop.
class ProgressReporter {
public:
    static constexpr char kTitle[] = "Read/write instructions";

    virtual ~ProgressReporter() = default;

    virtual void show(const QString& message, int maximum) = 0;
    virtual void setPosition(int position) = 0;
    virtual void hide() = 0;

    virtual bool stopRequested() const = 0;
    virtual void clearStopRequest() = 0;
};
