// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "support/ScriptedPrompter.h"
#include "support/TestText.h" // readable failure output

// A recorded prompt on one line, with its buttons, icon and the answer Return
// gives, so that one assertion compares all of them.
inline QString promptText(const QString& text, Prompter::Buttons buttons, Prompter::Icon icon,
                          std::optional<Prompter::Answer> safe = std::nullopt)
{
    return text + QStringLiteral(" [buttons %1, icon %2, safe %3]")
                      .arg(int(buttons))
                      .arg(int(icon))
                      .arg(safe ? int(*safe) : -1);
}
// Every prompt the prompter recorded, in that form.
inline QStringList promptTexts(const ScriptedPrompter& prompter)
{
    QStringList texts;
    for (const ScriptedPrompter::Prompt& p : prompter.prompts())
        texts << promptText(p.text, p.buttons, p.icon, p.safe);
    return texts;
}
