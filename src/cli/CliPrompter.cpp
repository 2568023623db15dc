// SPDX-License-Identifier: GPL-3.0-or-later
#include "CliPrompter.h"

#include <cstdio>

CliPrompter::CliPrompter(bool assumeYes) : m_yes(assumeYes), m_err(stderr) {}

Prompter::Answer CliPrompter::ask(const QString& text, Buttons buttons, Icon icon, const QString&)
{
    QString shown = text;
    shown.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    m_err << shown << Qt::endl;
    if (icon == Icon::Exclamation || icon == Icon::Critical)
        ++m_warnings;
    switch (buttons) {
    case Buttons::Ok:
        return Answer::Ok;
    case Buttons::OkCancel:
        return m_yes ? Answer::Ok : Answer::Cancel;
    case Buttons::YesNo:
        return m_yes ? Answer::Yes : Answer::No;
    case Buttons::YesNoCancel:
        return m_yes ? Answer::Yes : Answer::Cancel;
    }
    return Answer::Cancel;
}

std::optional<QString> CliPrompter::inputText(const QString&, const QString&, const QString&)
{
    return std::nullopt;
}

QString CliPrompter::chooseOpenFile(const QString&, const QString&, const QString&)
{
    return {};
}

QString CliPrompter::chooseSaveFile(const QString&, const QString&, const QString&, const QString&)
{
    return {};
}

QString CliPrompter::chooseFolder(const QString&, const QString&)
{
    return {};
}
