// Memory files: whatever the bytes, the tables keep their shape and every
// filled Freq is well formed.
#include "FuzzSupport.h"
#include "app/MessageLog.h"
#include "files/MemoryFile.h"
#include "files/TextFileReader.h"

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
    return 0;
}
