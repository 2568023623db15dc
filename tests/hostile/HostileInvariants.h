#pragma once

#include "model/ChannelTables.h"
#include "model/Frequency.h"

#include <QDir>
#include <QFileInfo>
#include <gtest/gtest.h>

// What every parser must leave behind, whatever it was given.
namespace HostileInvariants {

// A filled Freq: digits, the current decimal mark, five decimals (memories)
// or five or six (PMS edges, which keep the radio's 1 Hz steps).
inline bool wellFormedFreq(const QString& freq, bool pms)
{
    const int mark = int(freq.indexOf(Frequency::decimalMark()));
    const int decimals = int(freq.size()) - mark - 1;
    if (mark < 1 || mark > 3 || !(decimals == 5 || (pms && decimals == 6)))
        return false;
    for (int i = 0; i < freq.size(); ++i) {
        if (i != mark && !(freq.at(i) >= QLatin1Char('0') && freq.at(i) <= QLatin1Char('9')))
            return false;
    }
    return true;
}

// A scratch folder in memory where there is one: the cases write thousands
// of small files, and a disk's sync per file would make this slow.
inline QString scratchBase()
{
    const QFileInfo shm(QStringLiteral("/dev/shm"));
    return shm.isDir() && shm.isWritable() ? shm.filePath() + QStringLiteral("/quaystone-test-XXXXXX")
                                           : QDir::tempPath() + QStringLiteral("/quaystone-test-XXXXXX");
}

inline void expectShapeAndFreqs(const ChannelTables& tables)
{
    ASSERT_EQ(tables.memories.dataRows().size(), tables.memories.rowCount());
    ASSERT_EQ(tables.pms.dataRows().size(), tables.pms.rowCount());
    EXPECT_EQ(tables.memories.rowCount() + tables.pms.rowCount(), 118);
    for (const ChannelTable* table : {&tables.memories, &tables.pms}) {
        const bool pms = table == &tables.pms;
        for (int row = 1; row <= table->rowCount(); ++row) {
            ASSERT_EQ(table->rowFields(row).size(), table->columnCount()) << "row " << row;
            if (!table->isEmptyRow(row)) {
                EXPECT_TRUE(wellFormedFreq(table->record(row).Freq, pms))
                    << (pms ? "PMS" : "memory") << " row " << row << ": "
                    << table->record(row).Freq.toStdString();
            }
        }
    }
}

} // namespace HostileInvariants
