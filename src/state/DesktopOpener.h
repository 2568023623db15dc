// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QUrl>
#include <functional>

// Opens web pages and local files with the desktop's own handler. Core has
// no handler of its own: the window installs one (QDesktopServices), tests
// install one that records what would have been opened, so that no test
// ever starts a browser.
class DesktopOpener {
public:
    using Hook = std::function<bool(const QUrl& url)>;

    // The project's own pages.
    static constexpr char kHomePage[] = "https://quaystone.example.org/";
    static constexpr char kDownloadPage[] = "https://quaystone.example.org/download";
    // Where the separate serial test program can be downloaded.
    static constexpr char kSerialTestPage[] = "https://quaystone.example.org/serial-test";

    // The user guide's file name, and where it is looked for relative to the
    // program's folder: beside the program (the build tree, a copied
    // folder), then the installed data folder.
    static constexpr char kGuideFile[] = "quaystone-guide.html";
    static QString userGuidePath(const QString& programFolder);

    explicit DesktopOpener(Hook hook = Hook()) : m_hook(std::move(hook)) {}
    void setHook(Hook hook) { m_hook = std::move(hook); }

    // False when nothing is installed or the handler refused. A failure is
    // the handler's to report; the program shows no message of its own.
    bool open(const QUrl& url) const;
    bool openFile(const QString& path) const { return open(QUrl::fromLocalFile(path)); }

private:
    Hook m_hook;
};
