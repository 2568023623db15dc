// SPDX-License-Identifier: GPL-3.0-or-later
// CSV import of whole files, into a table with room or a full one: a refused
// import leaves the table; an accepted one fills memories with in-range,
// well-formed frequencies and the words of the radio's vocabularies only.
#include "FuzzSupport.h"
#include "files/CsvHeader.h"
#include "files/CsvImport.h"
#include "model/Vocabulary.h"
#include "state/AppState.h"
#include "state/MessageLog.h"

#include <QFile>
#include <QTemporaryDir>

using namespace FuzzSupport;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char*>(data), int(size));
    chooseDecimalMark(bytes);
    static QTemporaryDir dir;
    YesPrompter prompter;
    prompter.file = dir.filePath(QStringLiteral("fuzz.CSV"));
    QFile file(prompter.file);
    if (!file.open(QIODevice::WriteOnly))
        return 0;
    file.write(bytes);
    file.close();

    AppState state;
    state.tables().memories.setChannel(3, channelOf(1420000, QLatin1Char('2'), QStringLiteral("old")));
    // Now and then a full table: an import with no room must leave it.
    for (int row = 1; size > 1 && (data[1] & 4) && row <= 100; ++row)
        state.tables().memories.setChannel(row, channelOf(700000 + row, QLatin1Char('1')));
    const auto memories = state.tables().memories.channels();
    const auto pms = state.tables().pms.channels();
    MessageLog log;
    CsvHeader csv;
    CsvImportOptions options;
    options.useNumbers = size > 1 && (data[1] & 1);
    options.omitDuplicates = size > 1 && (data[1] & 2);
    const CsvImport::Result result = CsvImport(state, prompter, log, csv, options).ImportCsv(false);
    check(state.tables().pms.channels() == pms, "import touched the PMS table");
    if (result != CsvImport::Result::Imported) {
        check(state.tables().memories.channels() == memories, "refused import changed the table");
        return 0;
    }
    checkTables(state.tables());
    const auto after = state.tables().memories.channels();
    for (int row = 1; row <= 100; ++row) {
        if (state.tables().memories.isEmptyRow(row))
            continue;
        const Channel channel = state.tables().memories.channel(row);
        const qint64 value = channel.tenHertzSteps();
        check(value >= Frequency::kRadioLow && value <= Frequency::kRadioHigh, "in range");
        if (after.at(row - 1) == memories.at(row - 1))
            continue;
        check(Vocabulary::modeNames().contains(ChannelText::mode(channel)), "a mode of the radio");
        check(QString::fromLatin1(Vocabulary::kShiftList)
                  .split(QLatin1Char('|'), Qt::SkipEmptyParts)
                  .contains(ChannelText::shift(channel)),
              "a shift of the radio");
        check(QString::fromLatin1(Vocabulary::kEncodingList)
                  .split(QLatin1Char('|'), Qt::SkipEmptyParts)
                  .contains(ChannelText::encoding(channel)),
              "an encoding of the radio");
        check(Vocabulary::toneIndex(ChannelText::tone(channel)) >= 0, "a tone of the table");
    }
    return 0;
}
