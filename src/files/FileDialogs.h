// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Titles and filters of the file dialogs the file procedures show.
namespace FileDialogs {
inline constexpr char kOpenTitle[] = "Open memory file";
inline constexpr char kSaveTitle[] = "Save memory file";
inline constexpr char kOpenFilters[] = "Memories Files (*.950);;Description Files (*.950dsc);;All Files (*)";
inline constexpr char kSaveFilters[] = "Memories Files (*.950);;All Files (*)";
inline constexpr char kExportTitle[] = "Export CSV file";
inline constexpr char kImportTitle[] = "Import CSV file";
inline constexpr char kCsvFilters[] = "Memories CSV Files (*.CSV);;All Files (*)";
} // namespace FileDialogs
