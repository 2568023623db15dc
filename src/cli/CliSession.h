#pragma once

#include "CliPathPrompter.h"
#include "app/AppState.h"
#include "app/MessageLog.h"
#include "app/Settings.h"

#include <QDir>
#include <QObject>
#include <QTextStream>
#include <cstdio>

// What one command-line run works on: the same state, settings, log and
// prompter the window hands to the core procedures. Log lines go to stderr.
struct CliSession {
    explicit CliSession(bool yes) : prompter(yes)
    {
        QObject::connect(&log, &MessageLog::lineAdded, [](const QString& line, bool) {
            QString shown = line;
            shown.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
            QTextStream(stderr) << shown << Qt::endl;
        });
        state.dataFolder = QDir::currentPath();
        settings.setWriteFailureHandler([this](const QString& text) { prompter.inform(text); });
    }

    AppState state;
    Settings settings;
    MessageLog log;
    CliPathPrompter prompter;
};
