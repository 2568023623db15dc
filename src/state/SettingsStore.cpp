// SPDX-License-Identifier: GPL-3.0-or-later
#include "SettingsStore.h"

#include "io/LockFileCheck.h"
#include "io/SafeFileWriter.h"
#include "io/TextFileReader.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QLockFile>
#include <QStandardPaths>
#include <QThread>

namespace {

bool isHexDigit(char c)
{
    return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F');
}

// A section or key name: QSettings writes "/" as "\" and other characters
// outside [A-Za-z0-9_.-] as %XX or %UXXXX.
QString unescapeKey(const QByteArray& text, bool* ok)
{
    QString out;
    const QString in = TextFileReader::decode(text);
    for (int i = 0; i < in.size(); ++i) {
        const QChar c = in.at(i);
        if (c == QLatin1Char('\\')) {
            out += QLatin1Char('/');
        } else if (c == QLatin1Char('%') && i + 1 < in.size()) {
            const bool wide = in.at(i + 1) == QLatin1Char('U');
            const int digits = wide ? 4 : 2;
            const int start = i + (wide ? 2 : 1);
            bool hex = false;
            const uint code = in.mid(start, digits).toUInt(&hex, 16);
            if (!hex || in.mid(start, digits).size() != digits) {
                *ok = false;
                return QString();
            }
            out += QChar(char16_t(code));
            i = start + digits - 1;
        } else {
            out += c;
        }
    }
    *ok = !out.trimmed().isEmpty();
    return out.trimmed();
}

QByteArray escapeKey(const QString& key)
{
    QByteArray out;
    for (const QChar c : key) {
        const char16_t u = c.unicode();
        if (u == '/')
            out += '\\';
        else if ((u >= 'a' && u <= 'z') || (u >= 'A' && u <= 'Z') || (u >= '0' && u <= '9') || u == '_' ||
                 u == '-' || u == '.')
            out += char(u);
        else if (u <= 0xFF)
            out += '%' + QByteArray::number(u, 16).toUpper().rightJustified(2, '0');
        else
            out += "%U" + QByteArray::number(u, 16).toUpper().rightJustified(4, '0');
    }
    return out;
}

// Another program holds a settings lock for a few milliseconds: looking
// again often (where QLockFile's own wait doubles its pauses up to seconds)
// keeps a program from missing every moment the lock is free while others
// save one after another.
bool takeLock(QLockFile& lock)
{
    QElapsedTimer waited;
    waited.start();
    while (!lock.tryLock(0)) {
        if (lock.error() != QLockFile::LockFailedError || waited.hasExpired(SettingsStore::kLockWaitMs))
            return false;
        QThread::msleep(10);
    }
    return true;
}

} // namespace

SettingsStore::SettingsStore(const QString& applicationName, const QString& folder)
    : m_application(applicationName)
{
    QString base = folder;
    if (base.isEmpty())
        base = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) + QLatin1Char('/') +
               applicationName;
    QDir().mkpath(base);
    m_path = base + QLatin1Char('/') + applicationName + QStringLiteral(".ini");
    QByteArray damagedBytes; // kept again by the first save, which reads the file anew
    m_sections = read(m_path, &damagedBytes);
}

SettingsStore::~SettingsStore() = default;

QString SettingsStore::unescapeValue(const QByteArray& text)
{
    // Bytes first, so that each line's bytes decide its encoding as a whole.
    QByteArray bytes;
    bool quoted = false;
    const QByteArray t = text.trimmed();
    for (int i = 0; i < t.size(); ++i) {
        const char c = t.at(i);
        if (c == '"') {
            quoted = !quoted;
        } else if (c == '\\' && i + 1 < t.size()) {
            const char e = t.at(++i);
            switch (e) {
            case 'a':
                bytes += '\a';
                break;
            case 'b':
                bytes += '\b';
                break;
            case 'f':
                bytes += '\f';
                break;
            case 'n':
                bytes += '\n';
                break;
            case 'r':
                bytes += '\r';
                break;
            case 't':
                bytes += '\t';
                break;
            case 'v':
                bytes += '\v';
                break;
            case 'x': {
                int end = i + 1;
                while (end < t.size() && isHexDigit(t.at(end)) && end - i <= 4)
                    ++end;
                const uint code = t.mid(i + 1, end - i - 1).toUInt(nullptr, 16);
                bytes += QString(QChar(char16_t(code))).toUtf8();
                i = end - 1;
                break;
            }
            default:
                if (e >= '0' && e <= '7') {
                    int end = i;
                    while (end < t.size() && t.at(end) >= '0' && t.at(end) <= '7' && end - i < 3)
                        ++end;
                    bytes += QString(QChar(char16_t(t.mid(i, end - i).toUInt(nullptr, 8)))).toUtf8();
                    i = end - 1;
                } else {
                    bytes += e; // \" \' \\ \? and anything unknown stand for themselves
                }
            }
        } else {
            bytes += c;
        }
    }
    QString value = TextFileReader::decode(bytes);
    if (value.startsWith(QLatin1String("@@")))
        return value.mid(1);
    if (value == QLatin1String("@Invalid()"))
        return QString();
    for (const char* wrapper : {"@String(", "@ByteArray("}) {
        if (value.startsWith(QLatin1String(wrapper)) && value.endsWith(QLatin1Char(')')))
            return value.mid(int(qstrlen(wrapper))).chopped(1);
    }
    return value;
}

QByteArray SettingsStore::escapeValue(const QString& value)
{
    const QString text = value.startsWith(QLatin1Char('@')) ? QLatin1Char('@') + value : value;
    QByteArray out;
    bool quote = text.startsWith(QLatin1Char(' ')) || text.endsWith(QLatin1Char(' '));
    for (const QChar c : text) {
        const char16_t u = c.unicode();
        switch (u) {
        case '\n':
            out += "\\n";
            break;
        case '\r':
            out += "\\r";
            break;
        case '\t':
            out += "\\t";
            break;
        case '"':
            out += "\\\"";
            break;
        case '\\':
            out += "\\\\";
            break;
        default:
            if (u == ';' || u == ',' || u == '=')
                quote = true;
            if (u < 0x20)
                out += "\\x" + QByteArray::number(u, 16).rightJustified(4, '0');
            else
                out += QString(c).toUtf8();
        }
    }
    return quote ? '"' + out + '"' : out;
}

SettingsStore::Sections SettingsStore::read(const QString& path, QByteArray* damagedBytes)
{
    Sections sections;
    damagedBytes->clear();
    const QFileInfo info(path);
    // A FIFO or folder in its place is never opened; writes will fail and say so.
    if (!info.exists() || !info.isFile())
        return sections;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return sections;
    if (file.size() > TextFileReader::kMaxFileBytes) {
        *damagedBytes = file.read(TextFileReader::kMaxFileBytes);
        return sections;
    }
    const QByteArray bytes = file.readAll();
    bool damaged = false;
    bool underBadHeader = false; // keys there belong to no section we can name
    Section* current = nullptr;
    for (QByteArray line : bytes.split('\n')) {
        if (line.endsWith('\r'))
            line.chop(1);
        line = line.trimmed();
        if (line.isEmpty() || line.startsWith(';') || line.startsWith('#'))
            continue;
        bool ok = true;
        if (line.startsWith('[')) {
            const int close = int(line.indexOf(']'));
            const QString name = close > 0 ? unescapeKey(line.mid(1, close - 1), &ok) : QString();
            if (close < 0 || !ok || !line.mid(close + 1).trimmed().isEmpty()) {
                damaged = true;
                underBadHeader = true;
                continue;
            }
            underBadHeader = false;
            sections.append({name, {}});
            current = &sections.last();
            continue;
        }
        const int equals = int(line.indexOf('='));
        const QString key = equals > 0 ? unescapeKey(line.left(equals), &ok) : QString();
        if (equals <= 0 || !ok || underBadHeader) {
            damaged = true;
            continue;
        }
        if (!current) {
            sections.append({QStringLiteral("General"), {}});
            current = &sections.last();
        }
        current->entries.append({key, unescapeValue(line.mid(equals + 1))});
    }
    if (damaged)
        *damagedBytes = bytes;
    return sections;
}

const SettingsStore::Entry* SettingsStore::find(const QString& section, const QString& key) const
{
    // A later line overrides an earlier one, as in QSettings.
    const Entry* found = nullptr;
    for (const Section& s : m_sections) {
        if (s.name.compare(section, Qt::CaseInsensitive) != 0)
            continue;
        for (const Entry& e : s.entries) {
            if (e.key.compare(key, Qt::CaseInsensitive) == 0)
                found = &e;
        }
    }
    return found;
}

bool SettingsStore::contains(const QString& section, const QString& key) const
{
    return find(section, key) != nullptr;
}

QString SettingsStore::value(const QString& section, const QString& key, const QString& defaultValue) const
{
    const Entry* e = find(section, key);
    return e ? e->value : defaultValue;
}

QByteArray SettingsStore::compose(const Sections& sections)
{
    QByteArray out;
    for (const Section& s : sections) {
        if (s.entries.isEmpty())
            continue;
        if (!out.isEmpty())
            out += '\n';
        out += '[' + escapeKey(s.name) + "]\n";
        for (const Entry& e : s.entries)
            out += escapeKey(e.key) + '=' + escapeValue(e.value) + '\n';
    }
    return out;
}

void SettingsStore::apply(Sections& sections, const Change& change)
{
    // Drop every casing variant so that one key holds one value; the key
    // goes last in the first section of its name.
    Section* target = nullptr;
    for (Section& s : sections) {
        if (s.name.compare(change.section, Qt::CaseInsensitive) != 0)
            continue;
        if (!target)
            target = &s;
        for (int i = int(s.entries.size()) - 1; i >= 0; --i) {
            if (s.entries.at(i).key.compare(change.key, Qt::CaseInsensitive) == 0)
                s.entries.remove(i);
        }
    }
    if (!target) {
        sections.append({change.section, {}});
        target = &sections.last();
    }
    target->entries.append({change.key, change.value});
}

bool SettingsStore::setValue(const QString& section, const QString& key, const QString& text)
{
    const Change change{section, key, text};
    apply(m_sections, change);
    for (int i = int(m_pending.size()) - 1; i >= 0; --i) {
        const Change& c = m_pending.at(i);
        if (c.section.compare(section, Qt::CaseInsensitive) == 0 &&
            c.key.compare(key, Qt::CaseInsensitive) == 0)
            m_pending.remove(i);
    }
    m_pending.append(change);
    return m_batchDepth > 0 || save();
}

bool SettingsStore::endBatch()
{
    if (m_batchDepth > 0 && --m_batchDepth > 0)
        return true;
    return save();
}

bool SettingsStore::save()
{
    if (m_pending.isEmpty())
        return true;
    // Another program (the window, the command line, a sibling program)
    // may be saving the same file. What stands at the lock's path is looked
    // at first: only a lock file is handed to QLockFile, which would wait
    // for good on a FIFO.
    const QString lockPath = m_path + QStringLiteral(".lock");
    const auto inTheWay = [&lockPath](const QString& what) {
        return QDir::toNativeSeparators(lockPath) + QStringLiteral(" is in the way: ") + what +
               QStringLiteral(", not a lock file");
    };
    QString why = LockFileCheck::problem(lockPath);
    if (!why.isEmpty()) {
        why = inTheWay(why);
    } else {
        QLockFile lock(lockPath);
        // A lock that cannot be made at all (a read-only or vanished folder)
        // means the file cannot be written either: the save says so.
        if (takeLock(lock) || lock.error() != QLockFile::LockFailedError) {
            if (saveLocked())
                return true;
        } else {
            // An empty file that stayed empty all that time is no lock being written.
            why = LockFileCheck::problem(lockPath, true);
            why = why.isEmpty() ? QStringLiteral("another program is saving them at this moment; it holds ") +
                                      QDir::toNativeSeparators(lockPath)
                                : inTheWay(why);
        }
    }
    if (!m_writeFailureSaid) {
        m_writeFailureSaid = true;
        if (m_onWriteFailure)
            m_onWriteFailure(cannotSaveText(m_path, why));
    }
    return false;
}

bool SettingsStore::saveLocked()
{
    QByteArray damagedBytes;
    Sections merged = read(m_path, &damagedBytes);
    if (!damagedBytes.isEmpty()) {
        // The lines that could not be read are dropped by this write; the
        // original stays beside it for whoever wants to look at it.
        if (!SafeFileWriter::save(m_path + QStringLiteral(".unreadable"), damagedBytes))
            return false;
    }
    for (const Change& change : m_pending)
        apply(merged, change);
    if (!SafeFileWriter::save(m_path, compose(merged)))
        return false;
    ++m_saves;
    m_pending.clear();
    m_sections = merged;
    return true;
}

void SettingsStore::setWriteFailureHandler(std::function<void(const QString&)> handler)
{
    m_onWriteFailure = std::move(handler);
}

QString SettingsStore::cannotSaveText(const QString& fileName, const QString& why)
{
    return QStringLiteral("The settings could not be saved in ") + fileName +
           (why.isEmpty() ? QString() : QStringLiteral(" (") + why + QLatin1Char(')')) +
           QStringLiteral(". Changes of settings will be lost when the program ends.");
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
