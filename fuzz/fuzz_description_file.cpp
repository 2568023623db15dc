// SPDX-License-Identifier: GPL-3.0-or-later
// Description files change memory descriptions and the column width only:
// line n gives memory n its text, and the width stays a usable size.
#include "FuzzSupport.h"
#include "files/DescriptionFile.h"
#include "io/TextFileReader.h"
#include "model/ChannelMap.h"
#include "state/AppState.h"

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
    state.tables().memories.setChannel(1, channelOf(700000, QLatin1Char('1'), QStringLiteral("old")));
    state.tables().pms.setChannel(1, channelOf(700000, QLatin1Char('1')));
    const auto pms = state.tables().pms.channels();
    auto expected = state.tables().memories.channels();
    const QStringList lines = reader.lines();
    for (int row = 1; row < lines.size() && row <= expected.size(); ++row)
        expected[row - 1].description = DescriptionFile::parseLine(lines.at(row)).text;
    DescriptionFile::apply(lines, state, 3000);
    check(state.descriptionColumnWidth() >= 0 && state.descriptionColumnWidth() <= 1000000, "usable width");
    check(state.tables().memories.channels() == expected, "only descriptions change, each from its line");
    check(state.tables().pms.channels() == pms, "the PMS table changed");
    return 0;
}
