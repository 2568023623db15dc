// SPDX-License-Identifier: GPL-3.0-or-later
#include "files/FileTestSupport.h"
#include "files/LeftoverUndoFiles.h"
#include "state/Settings.h"
#include "support/CliRun.h"

#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

using namespace FileTestSupport;

namespace {

// The id of a process that has certainly ended.
qint64 endedPid()
{
    const pid_t child = fork();
    if (child == 0)
        _exit(0);
    waitpid(child, nullptr, 0);
    return child;
}

// Undo files that crashed runs of earlier versions left go at the next start;
// files of a live process, of another user, or that only look alike stay.
TEST(TempFiles, OnlyStaleUndoFilesOfThisUserAreRemoved)
{
    QTemporaryDir dir;
    struct Case {
        QString name;
        bool removed;
    };
    const QString ended = QString::number(endedPid());
    const Case cases[] = {
        {QStringLiteral("Quaystone-%1-aB3xYz.undo").arg(ended), true},
        {QStringLiteral("Quaystone-1-aB3xYz.undo"), false}, // a live process
        {QStringLiteral("Quaystone-aB3xYz.undo"), false},   // no process id in the name
        {QStringLiteral("Other-%1-aB3xYz.undo").arg(ended), false},
        {QStringLiteral("Quaystone-99999999999999999999-x.undo"), false},
    };
    for (const Case& c : cases)
        ASSERT_TRUE(writeBytes(dir.filePath(c.name), "x"));
    // Another user's stale file: only root can make one here.
    const QString foreign = dir.filePath(QStringLiteral("Quaystone-%1-other.undo").arg(ended));
    const bool canChown = geteuid() == 0 && writeBytes(foreign, "x") &&
                          chown(QFile::encodeName(foreign).constData(), 65534, 65534) == 0;

    EXPECT_EQ(LeftoverUndoFiles::remove(dir.path()), 1);
    for (const Case& c : cases)
        EXPECT_EQ(QFileInfo::exists(dir.filePath(c.name)), !c.removed) << c.name.toStdString();
    if (canChown) {
        EXPECT_TRUE(QFileInfo::exists(foreign));
    }
}

// A settings file that cannot be written (a file where its folder should be)
// is said once per run, on stderr. (Its oversized files are the opener's:
// OversizedInputTest.)
TEST(SettingsFiles, TheCommandLineSaysAnUnwritableSettingsFileOnce)
{
    QTemporaryDir dir;
    ASSERT_TRUE(writeBytes(dir.filePath(QStringLiteral("config")), "a file where the folder should be"));
    const CliRun shown =
        runCli(dir.path(), {QStringLiteral("show"), QStringLiteral(QUAYSTONE_TEST_DATA "/sample.950")});
    EXPECT_EQ(shown.status, 0) << shown.err.toStdString();
    EXPECT_EQ(shown.err.count(QStringLiteral("The settings could not be saved in ")), 1)
        << shown.err.toStdString();
}

// Programs saving one settings file at the same moment (the window and the
// command line, say) lose none of each other's keys.
TEST(SettingsFiles, ProgramsSavingAtOnceLoseNoKeys)
{
    QTemporaryDir dir;
    QProcess programs[6];
    for (int p = 0; p < 6; ++p)
        programs[p].start(QStringLiteral(SETTINGS_WRITER),
                          {dir.path(), QStringLiteral("P%1Key").arg(p), "25"});
    for (QProcess& program : programs) {
        ASSERT_TRUE(program.waitForFinished(120000));
        EXPECT_EQ(program.exitCode(), 0);
    }
    const SettingsStore store(QString::fromLatin1(Settings::kApplication), dir.path());
    for (int i = 0; i < 6 * 25; ++i) {
        const QString key = QStringLiteral("P%1Key%2").arg(i / 25).arg(i % 25 + 1);
        EXPECT_TRUE(store.contains(QLatin1String(Settings::kSection), key)) << key.toStdString();
    }
    EXPECT_FALSE(QFileInfo::exists(dir.filePath(QStringLiteral("Quaystone.ini.lock"))));
}

} // namespace
