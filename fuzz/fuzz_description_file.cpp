// Description files change descriptions and the column width only, and the
// width stays a usable size.
#include "FuzzSupport.h"
#include "app/AppState.h"
#include "files/DescriptionFile.h"
#include "files/TextFileReader.h"
#include "model/ChannelMap.h"

#include <QBuffer>

using namespace FuzzSupport;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    QByteArray bytes(reinterpret_cast<const char*>(data), int(size));
    QBuffer buffer(&bytes);
    TextFileReader reader;
    if (!reader.read(buffer))
        return 0;
    AppState state;
    state.tables.memories.setRecord(1, {"7.00000", "LSB", "Simplex", "", "67.0", "old"});
    auto before = state.tables.memories.dataRows();
    DescriptionFile::apply(reader.lines(), state, 3000);
    check(state.descriptionColumnWidth >= 0 && state.descriptionColumnWidth <= 1000000, "usable width");
    auto after = state.tables.memories.dataRows();
    for (int i = 0; i < after.size(); ++i) {
        after[i][Column::kDescription].clear();
        before[i][Column::kDescription].clear();
    }
    check(after == before, "only descriptions change");
    return 0;
}
