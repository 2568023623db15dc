// SPDX-License-Identifier: GPL-3.0-or-later
// Description files change memory descriptions and the column width only:
// line n gives memory n its text, and the width stays a usable size.
#include "FuzzSupport.h"
#include "state/AppState.h"
#include "files/DescriptionFile.h"
#include "io/TextFileReader.h"
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
    state.tables().memories.setRecord(1, {"7.00000", "LSB", "Simplex", "", "67.0", "old"});
    state.tables().pms.setRecord(1, {"7.00000", "LSB", "Simplex", "", "67.0", ""});
    const auto pms = state.tables().pms.dataRows();
    auto expected = state.tables().memories.dataRows();
    const QStringList lines = reader.lines();
    for (int row = 1; row < lines.size() && row <= expected.size(); ++row)
        expected[row - 1][Column::kDescription] = DescriptionFile::parseLine(lines.at(row)).text;
    DescriptionFile::apply(lines, state, 3000);
    check(state.descriptionColumnWidth() >= 0 && state.descriptionColumnWidth() <= 1000000, "usable width");
    check(state.tables().memories.dataRows() == expected, "only descriptions change, each from its line");
    check(state.tables().pms.dataRows() == pms, "the PMS table changed");
    return 0;
}
