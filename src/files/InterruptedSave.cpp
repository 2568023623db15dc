// SPDX-License-Identifier: GPL-3.0-or-later
#include "InterruptedSave.h"

#include "MemoryFile.h"
#include "io/SafeFileWriter.h"
#include "io/TextFileReader.h"
#include "io/TextFileWriter.h"
#include "state/MessageLog.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <limits>
#include <optional>

#ifdef Q_OS_UNIX
#include <cstdio>
#include <fcntl.h>
#include <unistd.h>
#endif

namespace {

const QString kHeader = QStringLiteral("Quaystone is replacing this memory file and its description file.");
const QString kPreviousKey = QStringLiteral("previous=");
const QString kMemoryKey = QStringLiteral("memory=");
const QString kDescriptionsKey = QStringLiteral("descriptions=");
constexpr qint64 kMaxMarkerBytes = 4096;

QString descriptionPathOf(const QString& memoryPath)
{
    return memoryPath + QLatin1String(MemoryFile::kDescriptionSuffix);
}

// The bytes of a regular file of at most the size any of the program's files may have.
std::optional<QByteArray> bytesOf(const QString& path, qint64 limit = TextFileReader::kMaxFileBytes)
{
    const QFileInfo info(path);
    if (!info.isFile() || info.size() > limit)
        return std::nullopt;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    const QByteArray bytes = file.read(limit + 1);
    if (bytes.size() > limit || file.error() != QFileDevice::NoError)
        return std::nullopt;
    return bytes;
}

QByteArray fingerprint(const QByteArray& bytes)
{
    return QCryptographicHash::hash(bytes, QCryptographicHash::Sha256).toHex();
}

QByteArray fingerprintOf(const QString& path)
{
    const auto bytes = bytesOf(path);
    return bytes ? fingerprint(*bytes) : QByteArray();
}

// The marker's fields; nothing when what stands there is not one of ours.
struct Marker {
    QString previous;
    QByteArray memory;
    QByteArray descriptions;
};

std::optional<Marker> readMarker(const QString& path)
{
    if (QFileInfo(path).isSymLink())
        return std::nullopt;
    const auto bytes = bytesOf(path, kMaxMarkerBytes);
    if (!bytes)
        return std::nullopt;
    const QStringList lines = TextFileReader::splitLines(TextFileReader::decode(*bytes));
    if (lines.value(0) != kHeader)
        return std::nullopt;
    Marker marker;
    for (const QString& line : lines) {
        if (line.startsWith(kPreviousKey))
            marker.previous = line.mid(kPreviousKey.size());
        else if (line.startsWith(kMemoryKey))
            marker.memory = line.mid(kMemoryKey.size()).toLatin1();
        else if (line.startsWith(kDescriptionsKey))
            marker.descriptions = line.mid(kDescriptionsKey.size()).toLatin1();
    }
    // Only a name in the pair's own folder.
    if (marker.previous.contains(QLatin1Char('/')) || marker.previous.contains(QLatin1Char('\\')))
        marker.previous.clear();
    return marker;
}

// Where QSaveFile puts the bytes of path: the end of its chain of links.
QString finalTarget(const QString& path)
{
    QFileInfo info(path);
    int depth = 128;
    while (--depth > 0 && info.isSymLink())
        info.setFile(info.symLinkTarget());
    return depth > 0 ? info.filePath() : path;
}

// Puts from in to's place, replacing to.
bool replace(const QString& from, const QString& to)
{
#ifdef Q_OS_UNIX
    return ::rename(QFile::encodeName(from).constData(), QFile::encodeName(to).constData()) == 0;
#else
    QFile::remove(to);
    return QFile::rename(from, to);
#endif
}

} // namespace

QString InterruptedSave::markerPath(const QString& memoryPath)
{
    return memoryPath + QStringLiteral(".saving");
}

InterruptedSave::Report InterruptedSave::inspect(const QString& memoryPath)
{
    Report report;
    const auto marker = readMarker(markerPath(memoryPath));
    if (!marker)
        return report;
    report.interrupted = true;
    report.memoryReplaced = !marker->memory.isEmpty() && fingerprintOf(memoryPath) == marker->memory;
    report.descriptionsReplaced = !marker->descriptions.isEmpty() &&
                                  fingerprintOf(descriptionPathOf(memoryPath)) == marker->descriptions;
    const QString previous = QFileInfo(memoryPath).dir().filePath(marker->previous);
    if (!marker->previous.isEmpty() && QFileInfo(previous).isFile())
        report.previousPath = previous;
    return report;
}

bool InterruptedSave::offersPrevious(const Report& report)
{
    return report.interrupted && !report.previousPath.isEmpty() &&
           (report.memoryReplaced || report.descriptionsReplaced);
}

QString InterruptedSave::reportText(const QString& memoryPath, const Report& report, bool asking)
{
    const QString name = QFileInfo(memoryPath).fileName();
    const QString descriptions = name + QLatin1String(MemoryFile::kDescriptionSuffix);
    QString text = QStringLiteral("The last save of ") + name + QStringLiteral(" was interrupted ");
    if (report.memoryReplaced && report.descriptionsReplaced)
        text += QStringLiteral("after both files were replaced: ") + name + QStringLiteral(" and ") +
                descriptions + QStringLiteral(" are whole.");
    else if (report.memoryReplaced)
        text += QStringLiteral("between its two files: ") + name +
                QStringLiteral(" holds the new channels, but ") + descriptions +
                QStringLiteral(" still holds the descriptions from before.");
    else if (!report.descriptionsReplaced)
        text += QStringLiteral("before it replaced anything: ") + name + QStringLiteral(" and ") +
                descriptions + QStringLiteral(" are as they were before it.");
    else
        text += QStringLiteral("between its two files: ") + descriptions +
                QStringLiteral(" was replaced, but ") + name + QStringLiteral(" was not.");
    if (offersPrevious(report)) {
        const QString previous = QFileInfo(report.previousPath).fileName();
        text += QStringLiteral(" The pair as it was before that save is whole in ") + previous +
                QStringLiteral(" and ") + previous + QLatin1String(MemoryFile::kDescriptionSuffix) +
                QStringLiteral(".");
        if (asking)
            text += QStringLiteral("\r\nOpen that previous pair instead? (No opens ") + name +
                    QStringLiteral(" as it is. No file is changed either way.)");
    } else if (report.memoryReplaced || report.descriptionsReplaced) {
        text += QStringLiteral(" The pair from before that save is no longer there.");
    }
    return text;
}

InterruptedSave::InterruptedSave(const QString& memoryPath, MessageLog& log)
    : m_memoryPath(memoryPath), m_descriptionPath(descriptionPathOf(memoryPath)),
      m_memoryTarget(finalTarget(memoryPath)), m_log(log)
{
}

bool InterruptedSave::fail(const QString& text)
{
    m_error = text;
    return false;
}

void InterruptedSave::sweep()
{
    // Only QSaveFile's names for this pair: the name, a dot and six random
    // letters. A word such as "backup" or "saving" (this marker) is one
    // case throughout, so a mix of capitals and small letters is asked for.
    // Only regular files; the pair's lock keeps a live save out.
    const QFileInfo info(m_memoryPath);
    const QRegularExpression temporary(
        QStringLiteral("^") + QRegularExpression::escape(info.fileName()) +
        QStringLiteral("(dsc)?\\.(?=[A-Za-z]*[a-z])(?=[A-Za-z]*[A-Z])[A-Za-z]{6}$"));
    const QFileInfoList found = info.dir().entryInfoList(
        {info.fileName() + QStringLiteral(".??????"), info.fileName() + QStringLiteral("dsc.??????")},
        QDir::Files | QDir::Hidden | QDir::System);
    for (const QFileInfo& leftover : found) {
        if (leftover.isSymLink() || !leftover.isFile() || !temporary.match(leftover.fileName()).hasMatch())
            continue;
        if (QFile::remove(leftover.filePath()))
            m_log.notice(QStringLiteral("Removed ") + leftover.fileName() +
                         QStringLiteral(", left by a save of ") + info.fileName() +
                         QStringLiteral(" that did not finish."));
    }
}

bool InterruptedSave::settleEarlierMarker()
{
    const QString path = markerPath(m_memoryPath);
    const QFileInfo info(path);
    if (!info.exists() && !info.isSymLink())
        return true;
    const auto marker = readMarker(path);
    if (!marker) {
        const QString what = info.isSymLink() ? QStringLiteral("a symbolic link")
                             : info.isDir()   ? QStringLiteral("a folder")
                             : info.isFile()  ? QStringLiteral("a file this program did not write")
                                              : QStringLiteral("not a regular file");
        return fail(QDir::toNativeSeparators(path) + QStringLiteral(" is in the way: it is ") + what +
                    QStringLiteral(", not a save marker. Remove it, then save again"));
    }
    // The pair an interrupted save kept is dropped only when it is the pair
    // as it stands (that save replaced nothing); otherwise it stays.
    const QString previous = QFileInfo(m_memoryPath).dir().filePath(marker->previous);
    if (!marker->previous.isEmpty() &&
        (QFileInfo::exists(previous) || QFileInfo::exists(previous + QStringLiteral("dsc")))) {
        const bool same = bytesOf(previous) == bytesOf(m_memoryPath) &&
                          bytesOf(descriptionPathOf(previous)) == bytesOf(m_descriptionPath);
        if (same) {
            QFile::remove(previous);
            QFile::remove(descriptionPathOf(previous));
        } else {
            m_log.notice(QStringLiteral("The pair as it was before an interrupted save of ") +
                         QFileInfo(m_memoryPath).fileName() + QStringLiteral(" stays in ") +
                         QDir::toNativeSeparators(previous) + QStringLiteral(" and its description file."));
        }
    }
    if (!QFile::remove(path))
        return fail(QDir::toNativeSeparators(path) + QStringLiteral(" cannot be removed"));
    return true;
}

bool InterruptedSave::keep(const QString& from, const QString& to)
{
#ifdef Q_OS_UNIX
    if (::linkat(AT_FDCWD, QFile::encodeName(from).constData(), AT_FDCWD, QFile::encodeName(to).constData(),
                 AT_SYMLINK_FOLLOW) == 0)
        return true;
#endif
    // No hard links here: a copy, written in full before it counts.
    const auto bytes = bytesOf(from, std::numeric_limits<int>::max() / 2);
    QString why;
    if (!bytes)
        return fail(QDir::toNativeSeparators(from) + QStringLiteral(" cannot be read to keep it"));
    if (!SafeFileWriter::save(to, *bytes, &why))
        return fail(why);
    return true;
}

bool InterruptedSave::begin(const QByteArray& memoryBytes, const QByteArray& descriptionBytes)
{
    if (!settleEarlierMarker())
        return false;
    m_previousPath = MemoryFile::freePairPath(m_memoryPath, QStringLiteral("previous"));
    if (m_previousPath.isEmpty())
        return fail(QStringLiteral("no free name is left to keep the pair as it is"));
    if (QFileInfo(m_memoryPath).isFile()) {
        if (!keep(m_memoryPath, m_previousPath))
            return false;
        m_keptMemory = true;
    }
    if (QFileInfo(m_descriptionPath).isFile()) {
        if (!keep(m_descriptionPath, descriptionPathOf(m_previousPath))) {
            abandon();
            return false;
        }
        m_keptDescriptions = true;
    }
    const QStringList lines = {kHeader, kPreviousKey + QFileInfo(m_previousPath).fileName(),
                               kMemoryKey + QString::fromLatin1(fingerprint(memoryBytes)),
                               kDescriptionsKey + QString::fromLatin1(fingerprint(descriptionBytes))};
    const QByteArray bytes = TextFileWriter::encode(lines);
    QFile marker(markerPath(m_memoryPath));
    // NewOnly: never through a link, never over a file that appeared meanwhile.
    if (!marker.open(QIODevice::WriteOnly | QIODevice::NewOnly)) {
        const QString why = marker.errorString();
        abandon();
        return fail(why);
    }
    m_markerWritten = true;
    if (marker.write(bytes) != bytes.size() || !marker.flush()) {
        const QString why = marker.errorString();
        marker.close();
        abandon();
        return fail(why);
    }
    marker.close();
    return true;
}

bool InterruptedSave::restoreMemoryFile()
{
    const bool restored =
        m_keptMemory ? replace(m_previousPath, m_memoryTarget) : QFile::remove(m_memoryTarget);
    if (!restored)
        return false;
    m_keptMemory = false;
    abandon();
    return true;
}

void InterruptedSave::abandon()
{
    if (m_keptMemory)
        QFile::remove(m_previousPath);
    if (m_keptDescriptions)
        QFile::remove(descriptionPathOf(m_previousPath));
    m_keptMemory = m_keptDescriptions = false;
    // The marker goes last: while it is there it names what is kept.
    if (m_markerWritten)
        QFile::remove(markerPath(m_memoryPath));
    m_markerWritten = false;
}

void InterruptedSave::finish()
{
    abandon();
}
