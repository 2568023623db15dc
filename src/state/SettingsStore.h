// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QString>
#include <QVector>

// Text values addressed by application name, section and key, kept in an INI
// file "<config>/<application>/<application>.ini" in the user's configuration
// folder (XDG_CONFIG_HOME is honoured), in the layout QSettings reads and
// writes. Sections and keys compare without regard to case, also for files
// written by other programs with other casing.
//
// The file is read line by line: a line that cannot be read is passed over
// and every other line keeps its value; the first write then keeps the
// file's original bytes beside it as "<name>.unreadable". A line that is not
// valid UTF-8 is read as Windows-1252, as older programs of the family wrote
// it. Only a regular file is read (a FIFO in its place would block), and
// every write replaces the file whole through SafeFileWriter.
class SettingsStore {
public:
    // folder: where the INI file lives; empty means the user's configuration folder.
    explicit SettingsStore(const QString& applicationName, const QString& folder = QString());
    ~SettingsStore();
    SettingsStore(const SettingsStore&) = delete;
    SettingsStore& operator=(const SettingsStore&) = delete;

    QString applicationName() const { return m_application; }
    QString fileName() const { return m_path; }

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

    // One value of an INI line as QSettings writes it, and back.
    static QString unescapeValue(const QByteArray& text);
    static QByteArray escapeValue(const QString& value);

private:
    struct Entry {
        QString key;
        QString value;
    };
    struct Section {
        QString name;
        QVector<Entry> entries;
    };
    void read();
    QByteArray compose() const;
    const Entry* find(const QString& section, const QString& key) const;

    QString m_application;
    QString m_path;
    QVector<Section> m_sections;
    QByteArray m_damagedBytes; // the file as read, when some line could not be
};
