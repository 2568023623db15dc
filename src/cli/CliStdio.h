// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "state/Settings.h"
#include "cat/ProgressReporter.h"

#include <QByteArray>
#include <QString>
#include <QTemporaryDir>
#include <memory>

// "-" as a file name: standard input read into a file, a file written to
// standard output. The core procedures work on named files (and the files
// beside them), so standard input becomes a file in a private folder and a
// result is made there first, then copied out. The folder is made only when
// needed and removed with this object.
class CliStdio {
public:
    static bool isStdio(const QString& name) { return name == QLatin1String("-"); }

    // Called first thing in main. A standard stream the program was started
    // without gets a stand-in that fails every transfer: otherwise the next
    // file opened would take its number and output meant for standard output
    // would land in it. A reader gone from the pipe is an error to report
    // (and the private folder is still removed), not a silent death.
    static void guardStandardStreams();

    // A path in the private folder named fileName; empty when the folder cannot be made.
    QString scratchPath(const QString& fileName);
    // Standard input saved as scratchPath(fileName); empty on failure (said on
    // stderr). No more than the largest file the program reads is taken: an
    // endless stream is refused, not copied until the disk is full.
    QString readStdin(const QString& fileName);
    // Copies a file to standard output; false when it cannot (said on stderr).
    static bool copyToStdout(const QString& path);
    // Writes to standard output and flushes it: the one place results leave
    // the program. False, said on stderr, when it could not all be written
    // (a full disk, a closed stream, a reader gone).
    static bool writeStdout(const QByteArray& bytes);
    static bool writeStdout(const QString& text) { return writeStdout(text.toUtf8()); }

private:
    std::unique_ptr<QTemporaryDir> m_dir;
};

// Keeps a setting as it was: the file procedures remember the file last
// opened or saved, and a private file that is gone after the run must not
// become the window's start-up file.
class KeptSetting {
public:
    KeptSetting(Settings& settings, const SettingKey& key, bool active)
        : m_settings(settings), m_key(key), m_active(active), m_value(settings.get(key))
    {
    }
    ~KeptSetting()
    {
        if (m_active && m_settings.get(m_key) != m_value)
            m_settings.set(m_key, m_value);
    }
    KeptSetting(const KeptSetting&) = delete;
    KeptSetting& operator=(const KeptSetting&) = delete;

private:
    Settings& m_settings;
    const SettingKey& m_key;
    bool m_active;
    QString m_value;
};

// The command line's progress: one line on standard error, rewritten as the
// slots go by, and only when standard error is a terminal (a script's log
// gets no carriage returns). Nothing asks it to stop.
class CliProgress : public ProgressReporter {
public:
    explicit CliProgress(const QString& label);

    void show(const QString& message, int maximum) override;
    void setPosition(int position) override;
    void hide() override;
    bool stopRequested() const override { return false; }
    void clearStopRequest() override {}

private:
    QString m_label;
    bool m_terminal = false;
    bool m_shown = false;
    int m_maximum = 0;
};
