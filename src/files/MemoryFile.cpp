// SPDX-License-Identifier: GPL-3.0-or-later
#include "MemoryFile.h"

#include "state/MessageLog.h"
#include "model/CatCodec.h"
#include "model/ChannelTables.h"
#include "model/Vocabulary.h"

#include <QDir>
#include <QFileInfo>

namespace MemoryFile {
namespace {
bool isDigit(QChar c)
{
    return c >= QLatin1Char('0') && c <= QLatin1Char('9');
}

bool allDigits(const QString& text)
{
    if (text.isEmpty())
        return false;
    for (const QChar c : text) {
        if (!isDigit(c))
            return false;
    }
    return true;
}
} // namespace

bool endsWithMemoryExtension(const QString& path)
{
    return path.endsWith(QLatin1String(kExtension), Qt::CaseInsensitive);
}

bool endsWithDescriptionExtension(const QString& path)
{
    return path.endsWith(QLatin1String(kExtension) + QLatin1String(kDescriptionSuffix), Qt::CaseInsensitive);
}

QString freePairPath(const QString& path, const QString& tag)
{
    const QFileInfo info(path);
    const QString suffix = info.suffix().isEmpty() ? QStringLiteral("950") : info.suffix();
    for (int n = 1; n <= 1000; ++n) {
        QString candidate = info.dir().filePath(info.completeBaseName() + QStringLiteral(" (") + tag +
                                                (n > 1 ? QStringLiteral(" %1").arg(n) : QString()) +
                                                QStringLiteral(").") + suffix);
        if (!endsWithMemoryExtension(candidate))
            candidate += QLatin1String(kExtension);
        const QFileInfo memory(candidate);
        const QFileInfo descriptions(candidate + QLatin1String(kDescriptionSuffix));
        if (!memory.exists() && !memory.isSymLink() && !descriptions.exists() && !descriptions.isSymLink())
            return candidate;
    }
    return {};
}

int channelNumber(const QString& line)
{
    return CatCodec::channelOf(line);
}

QString lineProblem(const QString& line)
{
    if (line.size() < CatCodec::kCommandLength - 1)
        return QStringLiteral("the line is too short");
    const int channel = channelNumber(line);
    // Anything but three digits would otherwise land in memory 0 and be
    // written to the radio's first channel.
    if (channel < 0)
        return QStringLiteral("the channel number '%1' is not three digits").arg(line.mid(2, 3));
    if (channel > kHighestChannel)
        return QStringLiteral("channel %1 is above %2").arg(channel).arg(kHighestChannel);
    if (!allDigits(line.mid(5, 8)))
        return QStringLiteral("the frequency is not a number");
    const QString tone = line.mid(23, 2);
    if (!allDigits(tone))
        return QStringLiteral("the tone number '%1' is not a number").arg(tone);
    if (tone.toInt() >= Vocabulary::toneTable().size())
        return QStringLiteral("tone number %1 is outside 00 to %2")
            .arg(tone)
            .arg(Vocabulary::toneTable().size() - 1);
    return {};
}

int load(const QStringList& lines, ChannelTables& tables, MessageLog& log, const QString& fileName)
{
    int skipped = 0;
    for (int i = 0; i < lines.size(); ++i) {
        const QString& line = lines.at(i);
        if (line.trimmed().isEmpty())
            continue;
        QString problem = lineProblem(line);
        if (problem.isEmpty()) {
            if (const auto error = CatCodec::decodeInto(tables, line, channelNumber(line) + 1))
                problem = QStringLiteral("error %1 (%2)").arg(error->number).arg(error->description);
        }
        if (!problem.isEmpty()) {
            ++skipped;
            log.notice(
                QStringLiteral("Line %1 of %2 skipped, %3: %4").arg(i + 1).arg(fileName, problem, line));
        }
    }
    return skipped;
}

QStringList compose(const ChannelTables& tables, MessageLog& log, QStringList* refusedLabels)
{
    QStringList lines;
    for (int position = 1; position <= ChannelMap::kSlotCount; ++position) {
        if (tables.isEmptyAt(position))
            continue;
        const CatCodec::EncodeResult result = CatCodec::encodeSlot(tables, position);
        if (result.ok()) {
            lines << result.command;
            continue;
        }
        const QString label = ChannelMap::slotOf(position).label;
        log.notice(QStringLiteral("Channel %1 not saved: %2").arg(label, result.problem));
        if (refusedLabels)
            *refusedLabels << label;
    }
    return lines;
}

} // namespace MemoryFile
