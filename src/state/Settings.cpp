// SPDX-License-Identifier: GPL-3.0-or-later
#include "Settings.h"

namespace {
QString section()
{
    return QString::fromLatin1(Settings::kSection);
}
} // namespace

Settings::Settings(const QString& folder) : m_store(QString::fromLatin1(kApplication), folder) {}

std::optional<QString> Settings::find(const SettingKey& key) const
{
    const QString name = QString::fromLatin1(key.name);
    if (m_store.contains(section(), name))
        return m_store.value(section(), name);
    if (key.defaultValue == nullptr)
        return std::nullopt;
    return QString::fromLatin1(key.defaultValue);
}

QString Settings::get(const SettingKey& key) const
{
    return find(key).value_or(QString());
}

bool Settings::getBool(const SettingKey& key) const
{
    const bool fallback =
        SettingsStore::parseBool(QString::fromLatin1(key.defaultValue ? key.defaultValue : ""), false);
    return SettingsStore::parseBool(get(key), fallback);
}

int Settings::getInt(const SettingKey& key, int fallback) const
{
    bool ok = false;
    const int n = get(key).trimmed().toInt(&ok);
    if (ok)
        return n;
    const int declared = QString::fromLatin1(key.defaultValue ? key.defaultValue : "").toInt(&ok);
    return ok ? declared : fallback;
}

int Settings::getInt(const SettingKey& key) const
{
    return getInt(key, 0);
}

bool Settings::set(const SettingKey& key, const QString& text)
{
    return m_store.setValue(section(), QString::fromLatin1(key.name), text);
}

bool Settings::setBool(const SettingKey& key, bool on)
{
    return set(key, SettingsStore::boolText(on));
}

bool Settings::setInt(const SettingKey& key, int value)
{
    return set(key, QString::number(value));
}
