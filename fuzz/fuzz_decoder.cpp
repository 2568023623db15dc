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
    tables.setRecordAt(position, {Frequency::format(700000), "LSB", "Simplex", "", "67.0", "kept"});
    const auto memories = tables.memories.dataRows();
    const auto pms = tables.pms.dataRows();
    const MemoryRecord before = tables.recordAt(position);
    const QString reply = QString::fromLatin1(bytes.mid(2));
    MemoryRecord record = before;
    const bool failed = CatCodec::decode(reply, position, record).has_value();
    if (CatCodec::decodeInto(tables, reply, position)) {
        check(failed && record == before, "the two decodes disagree");
        check(tables.memories.dataRows() == memories && tables.pms.dataRows() == pms,
              "failed decode changed a slot");
        return 0;
    }
    check(!failed && tables.recordAt(position) == record, "the two decodes disagree");
    check(tables.recordAt(position).Description == before.Description, "decode changed the description");
    check(wellFormedFreq(record.Freq, position > ChannelMap::kMemoryRows), "well-formed Freq");
    check(Vocabulary::toneTable().contains(record.Tone), "known tone");
    tables.setRecordAt(position, before);
    check(tables.memories.dataRows() == memories && tables.pms.dataRows() == pms,
          "decode changed another slot");
    return 0;
}
