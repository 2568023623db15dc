// SPDX-License-Identifier: GPL-3.0-or-later
// Memory files: whatever the bytes, the tables keep their shape and every
// filled Freq is well formed; one line, refused, changes nothing at all
// (the tables equal those of the file without it), and accepted changes at
// most the slot it names.
#include "FuzzSupport.h"
#include "files/MemoryFile.h"
#include "io/TextFileReader.h"
#include "model/ChannelMap.h"
#include "state/MessageLog.h"

#include <QBuffer>

using namespace FuzzSupport;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    QByteArray bytes(reinterpret_cast<const char*>(data), int(size));
    chooseDecimalMark(bytes);
    QBuffer buffer(&bytes);
    TextFileReader reader;
    if (!reader.read(buffer))
        return 0;
    ChannelTables tables;
    MessageLog log;
    const int skipped = MemoryFile::load(reader.lines(), tables, log, QStringLiteral("fuzz.950"));
    check(skipped >= 0 && skipped <= reader.lines().size(), "skipped count");
    checkTables(tables);
    QStringList without = reader.lines();
    if (without.isEmpty())
        return 0;
    const int removed = int(size % size_t(without.size()));
    const QString line = without.takeAt(removed);
    ChannelTables others;
    const int refused = skipped - MemoryFile::load(without, others, log, QStringLiteral("fuzz.950"));
    check(refused == 0 || refused == 1, "one line skipped at most once");
    const int own = refused == 0 && !line.trimmed().isEmpty() ? MemoryFile::channelNumber(line) + 1 : 0;
    for (int position = 1; position <= ChannelMap::kSlotCount; ++position)
        check(position == own || tables.channelAt(position) == others.channelAt(position),
              "a line changed another slot");
    return 0;
}
