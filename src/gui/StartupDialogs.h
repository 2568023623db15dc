// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

class Prompter;
class QWidget;
class Settings;

// The two windows start-up may need before the first file is opened: the
// welcome window on first use and the data-folder chooser. The main window
// calls them through this class so that tests can put stand-ins in their place.
class StartupDialogs {
public:
    static constexpr char kFolderTitle[] = "Choose a folder to use for storing memory and .CSV files";

    virtual ~StartupDialogs() = default;

    // The welcome window ("First time use"), shown modally while "FirstTime"
    // reads 0; closing it stores the user's choice as "FirstTime".
    virtual void showFirstUse(QWidget* parent, Settings& settings);

    // The folder browser; a chosen folder is stored as "HomeDir" and returned.
    // Cancel returns an empty text and stores nothing.
    virtual QString chooseDataFolder(QWidget* parent, Settings& settings, Prompter& prompter,
                                     const QString& currentFolder);
};
