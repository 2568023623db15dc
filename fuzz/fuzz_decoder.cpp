// The memory reply decoder: a reply that fails leaves the tables as they
// were; one that decodes touches only its slot and yields a well-formed Freq.
#include "FuzzSupport.h"
#include "cat/CatCodec.h"
#include "model/ChannelMap.h"

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
    if (CatCodec::decodeInto(tables, QString::fromLatin1(bytes.mid(2)), position)) {
        check(tables.memories.dataRows() == memories && tables.pms.dataRows() == pms,
              "failed decode changed a slot");
        return 0;
    }
    check(tables.recordAt(position).Description == before.Description, "decode changed the description");
    tables.setRecordAt(position, before);
    check(tables.memories.dataRows() == memories && tables.pms.dataRows() == pms,
          "decode changed another slot");
    return 0;
}
