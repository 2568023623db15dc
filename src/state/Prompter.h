// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <optional>

// Every message box, question, input box and file or folder dialog goes
// through this interface, so that core never touches a widget and tests can
// answer each question and compare each exact text.
class Prompter {
public:
    enum class Icon { None, Information, Question, Exclamation, Critical };
    enum class Buttons { Ok, OkCancel, YesNo, YesNoCancel };
    enum class Answer { Ok, Cancel, Yes, No };

    virtual ~Prompter() = default;

    // A modal message box; returns the button pressed.
    virtual Answer ask(const QString& text, Buttons buttons, Icon icon, const QString& title = QString()) = 0;
    // An input box; std::nullopt when cancelled.
    virtual std::optional<QString> inputText(const QString& title, const QString& prompt,
                                             const QString& defaultText) = 0;
    // File dialogs; filters in Qt's "Name (*.ext);;Other (*)" form. An empty
    // result means the user cancelled.
    virtual QString chooseOpenFile(const QString& title, const QString& folder, const QString& filters) = 0;
    virtual QString chooseSaveFile(const QString& title, const QString& folder, const QString& filters,
                                   const QString& presetName) = 0;
    virtual QString chooseFolder(const QString& title, const QString& folder) = 0;

    // A message with only an OK button.
    void inform(const QString& text, Icon icon = Icon::None, const QString& title = QString())
    {
        ask(text, Buttons::Ok, icon, title);
    }

    // A question whose default answer (the one Return gives) is safe: the
    // answer that keeps the user's data, where another would discard it.
    Answer askSafely(const QString& text, Buttons buttons, Icon icon, Answer safe)
    {
        m_safeAnswer = safe;
        const Answer answer = ask(text, buttons, icon);
        m_safeAnswer.reset();
        return answer;
    }

protected:
    // The default answer askSafely asked for, while its question is asked.
    std::optional<Answer> safeAnswer() const { return m_safeAnswer; }

private:
    std::optional<Answer> m_safeAnswer;
};
