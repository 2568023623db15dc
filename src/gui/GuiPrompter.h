// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "state/Prompter.h"

#include <functional>

class QWidget;

// The desktop's answer to every prompt: message boxes with the asked-for
// buttons and icon, an input box, and the file and folder dialogs.
class GuiPrompter : public Prompter {
public:
    explicit GuiPrompter(QWidget* parent = nullptr) : m_parent(parent) {}

    void setParentWidget(QWidget* parent) { m_parent = parent; }
    // Runs before each message box, so that what a question refers to (the
    // message log) is in sight when it is asked.
    void setBeforeAsk(std::function<void()> hook) { m_beforeAsk = std::move(hook); }

    Answer ask(const QString& text, Buttons buttons, Icon icon, const QString& title = QString()) override;
    std::optional<QString> inputText(const QString& title, const QString& prompt,
                                     const QString& defaultText) override;
    QString chooseOpenFile(const QString& title, const QString& folder, const QString& filters) override;
    QString chooseSaveFile(const QString& title, const QString& folder, const QString& filters,
                           const QString& presetName) override;
    QString chooseFolder(const QString& title, const QString& folder) override;

    // Message boxes without a title of their own carry the program's name.
    static QString defaultTitle();

private:
    QWidget* m_parent;
    std::function<void()> m_beforeAsk;
};
