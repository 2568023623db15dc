// SPDX-License-Identifier: GPL-3.0-or-later
#include "ChannelComparison.h"

#include "model/CatCodec.h"
#include "model/ChannelMap.h"
#include "model/ChannelTables.h"
#include "model/Vocabulary.h"

namespace {

bool isEmptyRecord(const MemoryRecord& record)
{
    return record.Freq.isEmpty() || record.Freq == QLatin1String(Vocabulary::kEmptyMarker);
}

// What a record would send to the radio; empty for an empty slot or one the radio cannot take.
QString commandOf(const MemoryRecord& record, int position)
{
    if (isEmptyRecord(record))
        return {};
    const CatCodec::EncodeResult encoded = CatCodec::encode(record, position);
    return encoded.ok() ? encoded.command : QString();
}

// The record as the radio would hold it: a field left blank that the
// command fills with its default (tone 67.0, say) reads as that default, so
// it does not pass for a difference.
MemoryRecord asSent(const MemoryRecord& record, int position)
{
    const QString command = commandOf(record, position);
    MemoryRecord sent;
    if (command.isEmpty() || CatCodec::decode(command, position, sent))
        return record;
    sent.Description = record.Description;
    return sent;
}

} // namespace

QString ChannelComparison::describe(const MemoryRecord& record)
{
    if (isEmptyRecord(record))
        return QString::fromLatin1(Vocabulary::kEmptyMarker);
    QStringList parts = {record.Freq, record.Mode, record.Shift, record.EncDec, record.Tone};
    parts.removeAll(QString());
    if (!record.Description.isEmpty())
        parts << QLatin1Char('"') + record.Description + QLatin1Char('"');
    return parts.join(QLatin1Char(' '));
}

std::optional<ChannelDifference> ChannelComparison::compare(int position,
                                                            const std::optional<MemoryRecord>& left,
                                                            const MemoryRecord& right, bool withDescription)
{
    static const QStringList kNames = {QStringLiteral("Frequency"), QStringLiteral("Mode"),
                                       QStringLiteral("Shift"),     QStringLiteral("Method"),
                                       QStringLiteral("Tone"),      QStringLiteral("Description")};
    ChannelDifference difference;
    difference.position = position;
    difference.label = ChannelMap::slotOf(position).label;
    const MemoryRecord rightSent = asSent(right, position);
    difference.right = describe(rightSent);
    if (!left) {
        difference.left = QString::fromLatin1(kNotRead);
        difference.fields << QString::fromLatin1(kWholeChannel);
        return difference;
    }
    const MemoryRecord leftSent = asSent(*left, position);
    difference.left = describe(leftSent);
    const bool leftEmpty = isEmptyRecord(*left);
    const bool rightEmpty = isEmptyRecord(right);
    if (leftEmpty && rightEmpty)
        return std::nullopt;
    if (leftEmpty || rightEmpty) {
        difference.fields << QString::fromLatin1(kWholeChannel);
        return difference;
    }
    const QString leftFields[] = {leftSent.Freq,   leftSent.Mode, leftSent.Shift,
                                  leftSent.EncDec, leftSent.Tone, leftSent.Description};
    const QString rightFields[] = {rightSent.Freq,   rightSent.Mode, rightSent.Shift,
                                   rightSent.EncDec, rightSent.Tone, rightSent.Description};
    for (int i = 0; i < 6; ++i) {
        if ((i < 5 || withDescription) && leftFields[i] != rightFields[i])
            difference.fields << kNames.at(i);
    }
    // Fields that read the same may still send different characters.
    if (difference.fields.isEmpty() && commandOf(*left, position) != commandOf(right, position))
        difference.fields << QString::fromLatin1(kRadioData);
    if (difference.fields.isEmpty())
        return std::nullopt;
    return difference;
}

QVector<ChannelDifference> ChannelComparison::compareTables(const ChannelTables& left,
                                                            const ChannelTables& right)
{
    QVector<ChannelDifference> list;
    for (int p = 1; p <= ChannelMap::kSlotCount; ++p) {
        if (auto difference = compare(p, left.recordAt(p), right.recordAt(p), true))
            list << *difference;
    }
    return list;
}

QString ChannelComparison::format(const QVector<ChannelDifference>& differences, const QString& leftName,
                                  const QString& rightName)
{
    int leftWidth = leftName.size();
    int rightWidth = rightName.size();
    for (const ChannelDifference& d : differences) {
        leftWidth = qMax(leftWidth, int(d.left.size()));
        rightWidth = qMax(rightWidth, int(d.right.size()));
    }
    auto line = [&](const QString& label, const QString& left, const QString& right, const QString& fields) {
        return label.leftJustified(5) + QLatin1Char(' ') + left.leftJustified(leftWidth) +
               QStringLiteral("  ") + right.leftJustified(rightWidth) + QStringLiteral("  ") + fields +
               QLatin1Char('\n');
    };
    QString text = line(QStringLiteral("Slot"), leftName, rightName, QStringLiteral("Differs"));
    for (const ChannelDifference& d : differences)
        text += line(d.label, d.left, d.right, d.fields.join(QStringLiteral(", ")));
    return text;
}
