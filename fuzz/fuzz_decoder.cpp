// SPDX-License-Identifier: GPL-3.0-or-later
// The memory reply decoder: a reply that fails leaves the tables as they
// were; one that decodes touches only its slot and yields a well-formed Freq
// and a known tone. Decoding a record and decoding into the tables agree.
#include "FuzzSupport.h"
#include "model/CatCodec.h"
#include "model/ChannelMap.h"
#include "model/Vocabulary.h"

using namespace FuzzSupport;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char*>(data), int(size));
    chooseDecimalMark(bytes);
    const int position = 1 + (size > 1 ? data[1] % ChannelMap::kSlotCount : 0);
    ChannelTables tables;
    tables.setChannelAt(position, channelOf(700000, QLatin1Char('1'), QStringLiteral("kept")));
    const auto memories = tables.memories.channels();
    const auto pms = tables.pms.channels();
    const Channel before = tables.channelAt(position);
    const QString reply = QString::fromLatin1(bytes.mid(2));
    Channel record = before;
    const bool failed = CatCodec::decode(reply, record).has_value();
    if (CatCodec::decodeInto(tables, reply, position)) {
        check(failed && record == before, "the two decodes disagree");
        check(tables.memories.channels() == memories && tables.pms.channels() == pms,
              "failed decode changed a slot");
        return 0;
    }
    check(!failed && tables.channelAt(position) == record, "the two decodes disagree");
    check(tables.channelAt(position).description == before.description, "decode changed the description");
    check(wellFormedFreq(ChannelText::frequency(record, ChannelMap::slotOf(position).table),
                         position > ChannelMap::kMemoryRows),
          "well-formed Freq");
    check(Vocabulary::toneTable().contains(ChannelText::tone(record)), "known tone");
    tables.setChannelAt(position, before);
    check(tables.memories.channels() == memories && tables.pms.channels() == pms,
          "decode changed another slot");
    return 0;
}
