#include "model/UndoSnapshot.h"
#include "model/ChannelTable.h"

#include <QFileInfo>
#include <gtest/gtest.h>

namespace {

TEST(UndoSnapshot, RestoresTheWholeTableOnceAndKeepsItsFilePrivate)
{
    ChannelTable table(TableKind::Memories);
    table.setRecord(1, {"7.00000", "LSB", "Simplex", "", "67.0", "first"});
    UndoSnapshot undo;
    EXPECT_FALSE(undo.restore(table)) << "nothing to restore before the first snapshot";

    ASSERT_TRUE(undo.take(table, QStringLiteral("SortFreq")));
    EXPECT_EQ(undo.caption(), QStringLiteral("Undo last SortFreq"));
    const QVector<QStringList> before = table.dataRows();
    table.makeRowEmpty(1);
    table.setText(100, 6, QStringLiteral("later"));

    ASSERT_TRUE(undo.restore(table));
    EXPECT_EQ(table.dataRows(), before);
    EXPECT_FALSE(undo.available());
    EXPECT_FALSE(undo.restore(table)) << "one level only";

    const QFileInfo info(undo.fileName());
    EXPECT_TRUE(info.exists());
    EXPECT_EQ(info.permissions() &
                  (QFile::ReadGroup | QFile::ReadOther | QFile::WriteGroup | QFile::WriteOther),
              QFile::Permissions());
}

// A new snapshot replaces the old one, and the file goes with the snapshot.
TEST(UndoSnapshot, ANewSnapshotReplacesTheOldOneAndTheFileGoesAway)
{
    QString path;
    {
        ChannelTable table(TableKind::Memories);
        UndoSnapshot undo;
        path = undo.fileName();
        for (const char* freq : {"1.00000", "2.00000"}) {
            table.setText(1, 1, QString::fromLatin1(freq));
            undo.take(table, QStringLiteral("Paste"));
        }
        table.setText(1, 1, QStringLiteral("3.00000"));
        ASSERT_TRUE(undo.restore(table));
        EXPECT_EQ(table.text(1, 1), QStringLiteral("2.00000"));
    }
    EXPECT_FALSE(QFileInfo::exists(path));
}

} // namespace
