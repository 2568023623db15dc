// SPDX-License-Identifier: GPL-3.0-or-later
#include "CliJson.h"

#include "model/CatCodec.h"
#include "model/ChannelMap.h"
#include "model/ChannelTables.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

namespace CliJson {

QByteArray slotsDocument(const ChannelTables& tables)
{
    QJsonArray list;
    for (int p = 1; p <= ChannelMap::kSlotCount; ++p) {
        const SlotInfo slot = ChannelMap::slotOf(p);
        const MemoryRecord record = tables.recordAt(p);
        const bool empty = tables.isEmptyAt(p);
        QJsonValue hertz = QJsonValue::Null;
        if (!empty) {
            // The exact hertz the radio would be sent, which the table's text may round.
            const CatCodec::EncodeResult encoded = CatCodec::encode(record, p);
            const std::optional<qint64> shown = CatCodec::hertzOf(record.Freq);
            if (encoded.ok())
                hertz = double(encoded.command.mid(5, 8).toLongLong());
            else if (shown)
                hertz = double(*shown);
        }
        list.append(QJsonObject{
            {QStringLiteral("slot"), p},
            {QStringLiteral("label"), slot.label},
            {QStringLiteral("table"),
             slot.table == TableKind::Memories ? QStringLiteral("memories") : QStringLiteral("pms")},
            {QStringLiteral("frequency"), hertz},
            {QStringLiteral("mode"), empty ? QString() : record.Mode},
            {QStringLiteral("shift"), empty ? QString() : record.Shift},
            {QStringLiteral("encoding"), empty ? QString() : record.EncDec},
            {QStringLiteral("tone"), empty ? QString() : record.Tone},
            {QStringLiteral("description"), record.Description},
        });
    }
    return QJsonDocument(QJsonObject{{QStringLiteral("slots"), list}}).toJson(QJsonDocument::Indented);
}

} // namespace CliJson
