#include "SettingsStore.h"

#include <QDir>
#include <QFile>
#include <QSettings>
#include <QStandardPaths>
#include <QStringList>

SettingsStore::SettingsStore(const QString& applicationName, const QString& folder)
    : m_application(applicationName)
{
    QString base = folder;
    if (base.isEmpty())
        base = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) + QLatin1Char('/') +
               applicationName;
    QDir().mkpath(base);
    m_settings = std::make_unique<QSettings>(base + QLatin1Char('/') + applicationName + QStringLiteral(".ini"),
                                             QSettings::IniFormat);
}

SettingsStore::~SettingsStore() = default;

QString SettingsStore::fileName() const
{
    return m_settings->fileName();
}

QString SettingsStore::storedKey(const QString& section, const QString& key) const
{
    const QStringList groups = m_settings->childGroups();
    for (const QString& group : groups) {
        if (group.compare(section, Qt::CaseInsensitive) != 0)
            continue;
        m_settings->beginGroup(group);
        const QStringList keys = m_settings->childKeys();
        m_settings->endGroup();
        for (const QString& k : keys) {
            if (k.compare(key, Qt::CaseInsensitive) == 0)
                return group + QLatin1Char('/') + k;
        }
    }
    return {};
}

bool SettingsStore::contains(const QString& section, const QString& key) const
{
    return !storedKey(section, key).isEmpty();
}

QString SettingsStore::value(const QString& section, const QString& key, const QString& defaultValue) const
{
    const QString stored = storedKey(section, key);
    if (stored.isEmpty())
        return defaultValue;
    const QVariant v = m_settings->value(stored);
    // An unquoted value with commas (such as 38400,N,8,2 written by hand)
    // comes back from the INI reader as a list.
    if (v.userType() == QMetaType::QStringList)
        return v.toStringList().join(QLatin1Char(','));
    return v.toString();
}

bool SettingsStore::setValue(const QString& section, const QString& key, const QString& text)
{
    if (writeValue(section, key, text))
        return true;
    if (m_settings->status() != QSettings::FormatError)
        return false;
    // QSettings refuses to write over a file it cannot parse. Start afresh,
    // keeping the old file beside the new one for whoever wants to look at it.
    const QString path = m_settings->fileName();
    m_settings.reset();
    QFile::remove(path + QStringLiteral(".unreadable"));
    QFile::rename(path, path + QStringLiteral(".unreadable"));
    m_settings = std::make_unique<QSettings>(path, QSettings::IniFormat);
    return writeValue(section, key, text);
}

bool SettingsStore::writeValue(const QString& section, const QString& key, const QString& text)
{
    // Drop every casing variant so that one key holds one value.
    for (QString stored = storedKey(section, key); !stored.isEmpty(); stored = storedKey(section, key))
        m_settings->remove(stored);
    QString group = section;
    for (const QString& existing : m_settings->childGroups()) {
        if (existing.compare(section, Qt::CaseInsensitive) == 0)
            group = existing;
    }
    m_settings->setValue(group + QLatin1Char('/') + key, text);
    m_settings->sync();
    return m_settings->status() == QSettings::NoError;
}

QString SettingsStore::boolText(bool on)
{
    return on ? QStringLiteral("True") : QStringLiteral("False");
}

bool SettingsStore::parseBool(const QString& text, bool defaultValue)
{
    const QString t = text.trimmed();
    if (t.isEmpty())
        return defaultValue;
    return t.compare(QLatin1String("true"), Qt::CaseInsensitive) == 0 || t == QLatin1String("-1") ||
           t == QLatin1String("1");
}

bool SettingsStore::boolValue(const QString& section, const QString& key, bool defaultValue) const
{
    if (!contains(section, key))
        return defaultValue;
    return parseBool(value(section, key), defaultValue);
}

bool SettingsStore::setBool(const QString& section, const QString& key, bool on)
{
    return setValue(section, key, boolText(on));
}

int SettingsStore::intValue(const QString& section, const QString& key, int defaultValue) const
{
    bool ok = false;
    const int n = value(section, key).trimmed().toInt(&ok);
    return ok ? n : defaultValue;
}
