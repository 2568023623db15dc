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
    state.tables().memories.setRecord(3, {Frequency::format(1420000), "USB", "Simplex", "", "67.0", "old"});
    // Now and then a full table: an import with no room must leave it.
    for (int row = 1; size > 1 && (data[1] & 4) && row <= 100; ++row)
        state.tables().memories.setRecord(
            row, {Frequency::format(700000 + row), "LSB", "Simplex", "", "67.0", ""});
    const auto memories = state.tables().memories.dataRows();
    const auto pms = state.tables().pms.dataRows();
    MessageLog log;
    CsvHeader csv;
    CsvImportOptions options;
    options.useNumbers = size > 1 && (data[1] & 1);
    options.omitDuplicates = size > 1 && (data[1] & 2);
    const CsvImport::Result result = CsvImport(state, prompter, log, csv, options).ImportCsv(false);
    check(state.tables().pms.dataRows() == pms, "import touched the PMS table");
    if (result != CsvImport::Result::Imported) {
        check(state.tables().memories.dataRows() == memories, "refused import changed the table");
        return 0;
    }
    checkTables(state.tables());
    const auto after = state.tables().memories.dataRows();
    for (int row = 1; row <= 100; ++row) {
        if (state.tables().memories.isEmptyRow(row))
            continue;
        const auto value = Frequency::parse(state.tables().memories.record(row).Freq);
        check(value && *value >= Frequency::kRadioLow && *value <= Frequency::kRadioHigh, "in range");
        const MemoryRecord record = state.tables().memories.record(row);
        if (after.at(row - 1) == memories.at(row - 1))
            continue;
        check(Vocabulary::modeNames().contains(record.Mode), "a mode of the radio");
        check(QString::fromLatin1(Vocabulary::kShiftList)
                  .split(QLatin1Char('|'), Qt::SkipEmptyParts)
                  .contains(record.Shift),
              "a shift of the radio");
        check(QString::fromLatin1(Vocabulary::kEncodingList)
                  .split(QLatin1Char('|'), Qt::SkipEmptyParts)
                  .contains(record.EncDec),
              "an encoding of the radio");
        check(Vocabulary::toneIndex(record.Tone) >= 0, "a tone of the table");
    }
    return 0;
}
