// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QString>
#include <QVector>
#include <functional>

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
// it. Only a regular file is read (a FIFO in its place would block).
//
// The file is read once; values live in memory. Changes are saved as a
// batch: under the lock "<name>.lock" (the lock QSettings takes for the same
// file), the file is read again, only the keys this object changed are
// applied, and the file is replaced whole through SafeFileWriter, so another
// program's keys written in the meantime survive.
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
    // Saves at once unless a batch is open; false when the file could not be written.
    bool setValue(const QString& section, const QString& key, const QString& text);

    // Changes made while a batch is open are saved by the outermost
    // endBatch(), as one rewrite of the file. Batch does both ends.
    void beginBatch() { ++m_batchDepth; }
    bool endBatch();
    class Batch {
    public:
        explicit Batch(SettingsStore& store) : m_store(store) { m_store.beginBatch(); }
        ~Batch()
        {
            if (!m_ended)
                m_store.endBatch();
        }
        Batch(const Batch&) = delete;
        Batch& operator=(const Batch&) = delete;
        // Ends the batch now; false when its changes could not be saved.
        bool end()
        {
            m_ended = true;
            return m_store.endBatch();
        }

    private:
        SettingsStore& m_store;
        bool m_ended = false;
    };
    // Saves the changes not yet in the file; true when there are none. A
    // failed save keeps them for the next one.
    bool save();
    // How many times this object has replaced the file.
    int saves() const { return m_saves; }

    // Called with the text of the first save of this object that fails, and
    // never again: a settings file that cannot be written is said once, not
    // on every change.
    void setWriteFailureHandler(std::function<void(const QString&)> handler);
    // why, when given, is the reason other than the file itself (the lock).
    static QString cannotSaveText(const QString& fileName, const QString& why = QString());
    // Longest wait for another program's save to finish.
    static constexpr int kLockWaitMs = 5000;

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
    struct Change {
        QString section;
        QString key;
        QString value;
    };
    using Sections = QVector<Section>;
    // The file's sections; the file's bytes when some line could not be read.
    static Sections read(const QString& path, QByteArray* damagedBytes);
    static QByteArray compose(const Sections& sections);
    static void apply(Sections& sections, const Change& change);
    const Entry* find(const QString& section, const QString& key) const;
    // Reads the file again, applies the pending changes and writes it.
    bool saveLocked();

    QString m_application;
    QString m_path;
    Sections m_sections;
    QVector<Change> m_pending; // changed keys not yet in the file, in order of their last change
    int m_batchDepth = 0;
    int m_saves = 0;
    std::function<void(const QString&)> m_onWriteFailure;
    bool m_writeFailureSaid = false;
};
