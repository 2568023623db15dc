// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "CliPrompter.h"
#include "state/AppState.h"
#include "state/MessageLog.h"
#include "state/Settings.h"

#include <QDir>
#include <QObject>
#include <QTextStream>
#include <cstdio>
#include <unistd.h>

// What one command-line run works on: the same state, settings, log and
// prompter the window hands to the core procedures. Log lines go to stderr.
struct CliSession {
    explicit CliSession(bool yes) : prompter(yes)
    {
        // On a terminal a line first clears the progress line it would otherwise run on from.
        const bool terminal = isatty(STDERR_FILENO) == 1;
        QObject::connect(&log, &MessageLog::lineAdded, [terminal](const QString& line, bool) {
            QString shown = line;
            shown.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
            QTextStream(stderr) << (terminal ? "\r\033[K" : "") << shown << Qt::endl;
        });
        state.setDataFolder(QDir::currentPath());
        settings.setWriteFailureHandler([this](const QString& text) { prompter.inform(text); });
    }

    AppState state;
    Settings settings;
    MessageLog log;
    CliPrompter prompter;
};
