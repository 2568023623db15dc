// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "CliPrompter.h"

// The command line's prompter for the file procedures: the paths given as
// arguments answer the open and save dialogs, each once (a second dialog,
// as after a failed save, comes back cancelled); every other prompt goes to
// the CliPrompter.
class CliPathPrompter : public CliPrompter {
public:
    explicit CliPathPrompter(bool assumeYes) : CliPrompter(assumeYes) {}

    void setOpenAnswer(const QString& path) { m_open = path; }
    void setSaveAnswer(const QString& path) { m_save = path; }

    QString chooseOpenFile(const QString& title, const QString& folder, const QString& filters) override;
    QString chooseSaveFile(const QString& title, const QString& folder, const QString& filters,
                           const QString& presetName) override;

private:
    QString m_open;
    QString m_save;
};
