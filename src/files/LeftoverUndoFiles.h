// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

// Earlier versions kept their undo copy in a temporary file named
// "Quaystone-<process id>-XXXXXX.undo"; a run that ended without cleaning up
// (a crash, a kill) left it behind. The undo history now lives in memory, and
// each start still sweeps those files away.
namespace LeftoverUndoFiles {

// Removes such files in folder: only this user's, and only those whose
// creating process is gone. Returns how many were removed. Does nothing where
// that cannot be told safely (Windows).
int remove(const QString& folder);

} // namespace LeftoverUndoFiles
