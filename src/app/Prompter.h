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
};
