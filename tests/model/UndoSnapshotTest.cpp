#include "model/UndoSnapshot.h"
#include "app/AppState.h"
#include "model/ChannelTable.h"
#include "support/DiskFull.h"

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

// A snapshot that cannot be written (the temporary folder's disk is full)
// is said, and undo is not offered for the change.
TEST(UndoSnapshot, ASnapshotThatCannotBeWrittenIsSaid)
{
    AppState state;
    QStringList said;
    QObject::connect(&state, &AppState::snapshotFailed, [&said](const QString& text) { said << text; });
    ASSERT_TRUE(state.takeSnapshot(QStringLiteral("Paste")));
    const QByteArray before = [&] {
        QFile file(state.undo.fileName());
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }();
    state.tables.memories.setText(1, 1, QStringLiteral("7.00000"));
    {
        FileSizeLimit full(0);
        EXPECT_FALSE(state.takeSnapshot(QStringLiteral("Delete")));
    }
    EXPECT_FALSE(state.undo.available());
    ASSERT_EQ(said.size(), 1);
    EXPECT_TRUE(
        said.first().startsWith(QStringLiteral("The undo copy of the memories could not be written (")))
        << said.first().toStdString();
    EXPECT_TRUE(said.first().endsWith(QStringLiteral("); this change cannot be undone.")));
    QFile file(state.undo.fileName());
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), before) << "the old snapshot file is left whole";
}

} // namespace
