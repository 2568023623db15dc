// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QStringList>

class Settings;

// The memory files last opened or saved, newest first, kept in the settings
// for File > "Recent files".
namespace RecentFiles {

inline constexpr int kLimit = 8;

// The stored list with files that no longer exist left out.
QStringList list(const Settings& settings);
// Puts path first (once), keeps at most kLimit entries and stores the list.
void add(Settings& settings, const QString& path);

} // namespace RecentFiles
