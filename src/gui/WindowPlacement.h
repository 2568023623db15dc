// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

class QTableView;
class QWidget;
class Settings;

// The main window's size, position and state (normal, minimised, maximised)
// and the memories table's column widths, kept in the settings in twips.
class WindowPlacement {
public:
    // Puts the window where the settings say; what they do not say stays as it is.
    static void restore(QWidget& window, Settings& settings);
    // Settings > "&Save size and position".
    static void save(const QWidget& window, const QTableView& memories, Settings& settings);
};
