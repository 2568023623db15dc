// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "state/Prompter.h"

#include <QTextStream>

// Answers the core's questions on the command line: message texts go to
// stderr; a question gets Yes/OK when the user gave --yes, otherwise the
// safe answer (No, or Cancel where offered). File dialogs cannot be shown,
// so they come back cancelled.
class CliPrompter : public Prompter {
public:
    explicit CliPrompter(bool assumeYes);

    Answer ask(const QString& text, Buttons buttons, Icon icon, const QString& title) override;
    std::optional<QString> inputText(const QString& title, const QString& prompt,
                                     const QString& defaultText) override;
    QString chooseOpenFile(const QString& title, const QString& folder, const QString& filters) override;
    QString chooseSaveFile(const QString& title, const QString& folder, const QString& filters,
                           const QString& presetName) override;
    QString chooseFolder(const QString& title, const QString& folder) override;

    // Texts of every message shown with an exclamation or critical icon.
    int warningCount() const { return m_warnings; }

private:
    bool m_yes;
    int m_warnings = 0;
    QTextStream m_err;
};
