// SPDX-License-Identifier: GPL-3.0-or-later
#include "ChannelComparison.h"

#include "model/CatCodec.h"
#include "model/ChannelMap.h"
#include "model/ChannelTables.h"
#include "model/ChannelText.h"
#include "model/Vocabulary.h"

namespace {

TableKind tableOf(int position)
{
    return ChannelMap::slotOf(position).table;
}

// What a channel would send to the radio; empty for an empty slot or one the radio cannot take.
QString commandOf(const Channel& channel, int position)
{
    if (!channel.present)
        return {};
    const CatCodec::EncodeResult encoded = CatCodec::encode(channel, position);
    return encoded.ok() ? encoded.command : QString();
}

// The channel as the radio would hold it: a field left blank that the
// command fills with its default (tone 67.0, say) reads as that default, so
// it does not pass for a difference.
Channel asSent(const Channel& channel, int position)
{
    const QString command = commandOf(channel, position);
    Channel sent;
    if (command.isEmpty() || CatCodec::decode(command, sent))
        return channel;
    sent.description = channel.description;
    return sent;
}

// The fields as the slot's table shows them, frequency to description.
QStringList fieldsOf(const Channel& channel, int position)
{
    return {ChannelText::frequency(channel, tableOf(position)),
            ChannelText::mode(channel),
            ChannelText::shift(channel),
            ChannelText::encoding(channel),
            ChannelText::tone(channel),
            channel.description};
}

} // namespace

QString ChannelComparison::describe(const Channel& channel, int position)
{
    if (!channel.present)
        return QString::fromLatin1(Vocabulary::kEmptyMarker);
    QStringList parts = fieldsOf(channel, position).mid(0, 5);
    parts.removeAll(QString());
    if (!channel.description.isEmpty())
        parts << QLatin1Char('"') + channel.description + QLatin1Char('"');
    return parts.join(QLatin1Char(' '));
}

std::optional<ChannelDifference> ChannelComparison::compare(int position, const std::optional<Channel>& left,
                                                            const Channel& right, bool withDescription)
{
    static const QStringList kNames = {QStringLiteral("Frequency"), QStringLiteral("Mode"),
                                       QStringLiteral("Shift"),     QStringLiteral("Method"),
                                       QStringLiteral("Tone"),      QStringLiteral("Description")};
    ChannelDifference difference;
    difference.position = position;
    difference.label = ChannelMap::slotOf(position).label;
    const Channel rightSent = asSent(right, position);
    difference.right = describe(rightSent, position);
    if (!left) {
        difference.left = QString::fromLatin1(kNotRead);
        difference.fields << QString::fromLatin1(kWholeChannel);
        return difference;
    }
    const Channel leftSent = asSent(*left, position);
    difference.left = describe(leftSent, position);
    if (!left->present && !right.present)
        return std::nullopt;
    if (!left->present || !right.present) {
        difference.fields << QString::fromLatin1(kWholeChannel);
        return difference;
    }
    // Compared as shown: codes outside the vocabularies show alike and
    // differ in the radio's data below.
    const QStringList leftFields = fieldsOf(leftSent, position);
    const QStringList rightFields = fieldsOf(rightSent, position);
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
        if (auto difference = compare(p, left.channelAt(p), right.channelAt(p), true))
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
