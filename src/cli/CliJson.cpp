// SPDX-License-Identifier: GPL-3.0-or-later
#include "CliJson.h"

#include "model/CatCodec.h"
#include "model/ChannelMap.h"
#include "model/ChannelTables.h"
#include "model/ChannelText.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

namespace CliJson {

QByteArray slotsDocument(const ChannelTables& tables)
{
    QJsonArray list;
    for (int p = 1; p <= ChannelMap::kSlotCount; ++p) {
        const SlotInfo slot = ChannelMap::slotOf(p);
        const Channel channel = tables.channelAt(p);
        const bool empty = !channel.present;
        QJsonValue hertz = QJsonValue::Null;
        if (!empty) {
            // The exact hertz the radio would be sent, which the table's text may round.
            const CatCodec::EncodeResult encoded = CatCodec::encode(channel, p);
            if (encoded.ok())
                hertz = double(encoded.command.mid(5, 8).toLongLong());
            else if (slot.table == TableKind::Pms && channel.hertzFromRadio)
                hertz = double(channel.hertz);
            else
                hertz = double(channel.tenHertzSteps() * 10); // as the table shows it
        }
        list.append(QJsonObject{
            {QStringLiteral("slot"), p},
            {QStringLiteral("label"), slot.label},
            {QStringLiteral("table"),
             slot.table == TableKind::Memories ? QStringLiteral("memories") : QStringLiteral("pms")},
            {QStringLiteral("frequency"), hertz},
            {QStringLiteral("mode"), empty ? QString() : ChannelText::mode(channel)},
            {QStringLiteral("shift"), empty ? QString() : ChannelText::shift(channel)},
            {QStringLiteral("encoding"), empty ? QString() : ChannelText::encoding(channel)},
            {QStringLiteral("tone"), empty ? QString() : ChannelText::tone(channel)},
            {QStringLiteral("description"), channel.description},
        });
    }
    return QJsonDocument(QJsonObject{{QStringLiteral("slots"), list}}).toJson(QJsonDocument::Indented);
}

} // namespace CliJson
