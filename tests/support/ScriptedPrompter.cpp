// SPDX-License-Identifier: GPL-3.0-or-later
#include "ScriptedPrompter.h"

#include <gtest/gtest.h>

ScriptedPrompter& ScriptedPrompter::answer(Answer a)
{
    m_answers.push_back(a);
    return *this;
}

ScriptedPrompter& ScriptedPrompter::reply(const QString& text)
{
    m_replies.push_back(text);
    return *this;
}

Prompter::Answer ScriptedPrompter::ask(const QString& text, Buttons buttons, Icon icon, const QString&)
{
    m_prompts.push_back({Prompt::Message, text, buttons, icon, QString(), safeAnswer()});
    // Plain OK messages need no script; an unscripted question still fails.
    if (buttons == Buttons::Ok && (m_answers.empty() || m_answers.front() != Answer::Ok))
        return Answer::Ok;
    if (m_answers.empty()) {
        ADD_FAILURE() << "unscripted question: " << text.toStdString();
        return buttons == Buttons::YesNo ? Answer::No : Answer::Cancel;
    }
    const Answer a = m_answers.front();
    m_answers.pop_front();
    return a;
}

QString ScriptedPrompter::nextReply()
{
    if (m_replies.empty()) {
        ADD_FAILURE() << "unscripted dialog: " << m_prompts.back().text.toStdString();
        return {};
    }
    const QString r = m_replies.front();
    m_replies.pop_front();
    return r;
}

std::optional<QString> ScriptedPrompter::inputText(const QString&, const QString& prompt,
                                                   const QString& defaultText)
{
    m_prompts.push_back({Prompt::Input, prompt, Buttons::OkCancel, Icon::None, defaultText});
    const QString r = nextReply();
    if (r.isNull())
        return std::nullopt;
    return r;
}

QString ScriptedPrompter::chooseOpenFile(const QString& title, const QString&, const QString&)
{
    m_prompts.push_back({Prompt::OpenFile, title, Buttons::OkCancel, Icon::None, QString()});
    return nextReply();
}

QString ScriptedPrompter::chooseSaveFile(const QString& title, const QString&, const QString&,
                                         const QString& presetName)
{
    m_prompts.push_back({Prompt::SaveFile, title, Buttons::OkCancel, Icon::None, presetName});
    return nextReply();
}

QString ScriptedPrompter::chooseFolder(const QString& title, const QString&)
{
    m_prompts.push_back({Prompt::Folder, title, Buttons::OkCancel, Icon::None, QString()});
    return nextReply();
}

QStringList ScriptedPrompter::messages() const
{
    QStringList list;
    for (const Prompt& p : m_prompts) {
        if (p.kind == Prompt::Message)
            list << p.text;
    }
    return list;
}

void ScriptedPrompter::clear()
{
    m_answers.clear();
    m_replies.clear();
    m_prompts.clear();
}
