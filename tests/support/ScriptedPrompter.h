// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "state/Prompter.h"

#include <QStringList>
#include <QVector>
#include <deque>

// A prompter for tests: answers come from a script in order, and every
// prompt is recorded with its exact text, buttons and icon. A prompt with no
// scripted answer fails the test and gets the safe answer (Cancel / No /
// nothing chosen), so an unexpected question can never pass unnoticed.
class ScriptedPrompter : public Prompter {
public:
    struct Prompt {
        enum Kind { Message, Input, OpenFile, SaveFile, Folder } kind = Message;
        QString text; // message text, input prompt, or dialog title
        Buttons buttons = Buttons::Ok;
        Icon icon = Icon::None;
        QString preset;                            // default input text or preset file name
        std::optional<Answer> safe = std::nullopt; // the default answer a question asked for
    };

    // Answer for the next message box.
    ScriptedPrompter& answer(Answer a);
    // Text for the next input box, file or folder dialog (empty = cancel).
    ScriptedPrompter& reply(const QString& text);

    Answer ask(const QString& text, Buttons buttons, Icon icon, const QString& title) override;
    std::optional<QString> inputText(const QString& title, const QString& prompt,
                                     const QString& defaultText) override;
    QString chooseOpenFile(const QString& title, const QString& folder, const QString& filters) override;
    QString chooseSaveFile(const QString& title, const QString& folder, const QString& filters,
                           const QString& presetName) override;
    QString chooseFolder(const QString& title, const QString& folder) override;

    const QVector<Prompt>& prompts() const { return m_prompts; }
    // Texts of the recorded message boxes, in order.
    QStringList messages() const;
    bool allAnswersUsed() const { return m_answers.empty() && m_replies.empty(); }
    void clear();

private:
    QString nextReply();

    std::deque<Answer> m_answers;
    std::deque<QString> m_replies;
    QVector<Prompt> m_prompts;
};
