#pragma once

#include <QString>

class Prompter;
class QWidget;
class Settings;

// The two windows start-up may need before the first file is opened: the
// welcome window on first use and the data-folder chooser. The main window
// calls them through this class so that their own windows can be put in
// without touching the start-up.
class StartupDialogs {
public:
    static constexpr char kFolderTitle[] = "Choose a folder to use for storing memory and .CSV files";

    virtual ~StartupDialogs() = default;

    // The welcome window, shown modally while "FirstTime" reads 0. This base
    // has no welcome window of its own and lets start-up go on.
    virtual void showFirstUse(QWidget* parent, Settings& settings);

    // The folder browser; a chosen folder is stored as "HomeDir" and returned.
    // Cancel returns an empty text and stores nothing.
    virtual QString chooseDataFolder(QWidget* parent, Settings& settings, Prompter& prompter,
                                     const QString& currentFolder);
};
