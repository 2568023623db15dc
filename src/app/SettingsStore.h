#pragma once

#include <QString>
#include <memory>

class QSettings;

// Text values addressed by application name, section and key, kept in an INI
// file "<config>/<application>/<application>.ini" in the user's configuration
// folder (XDG_CONFIG_HOME is honoured). Sections and keys compare without
// regard to case, also for files written by other programs with other
// casing. A corrupt or unreadable file reads as empty: every value takes its
// default.
class SettingsStore {
public:
    // folder: where the INI file lives; empty means the user's configuration folder.
    explicit SettingsStore(const QString& applicationName, const QString& folder = QString());
    ~SettingsStore();
    SettingsStore(const SettingsStore&) = delete;
    SettingsStore& operator=(const SettingsStore&) = delete;

    QString applicationName() const { return m_application; }
    QString fileName() const;

    bool contains(const QString& section, const QString& key) const;
    QString value(const QString& section, const QString& key, const QString& defaultValue = QString()) const;
    // Writes at once; false when the file could not be written.
    bool setValue(const QString& section, const QString& key, const QString& text);

    // Booleans are stored as the words True and False. Reading accepts any
    // casing of true, and -1 or 1 as written by other programs; anything else
    // is false.
    bool boolValue(const QString& section, const QString& key, bool defaultValue) const;
    bool setBool(const QString& section, const QString& key, bool on);
    static QString boolText(bool on);
    static bool parseBool(const QString& text, bool defaultValue);

    // A whole number, or the default when the value is missing or not a number.
    int intValue(const QString& section, const QString& key, int defaultValue) const;

private:
    // The stored "group/key" matching section and key without regard to case.
    QString storedKey(const QString& section, const QString& key) const;
    bool writeValue(const QString& section, const QString& key, const QString& text);

    QString m_application;
    std::unique_ptr<QSettings> m_settings;
};
