// SPDX-License-Identifier: GPL-3.0-or-later
#include "state/Settings.h"
#include "files/FileTestSupport.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLockFile>
#include <QSettings>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <optional>
#include <sys/stat.h>
#include <vector>

using namespace FileTestSupport;

namespace {

QString iniPath(const QTemporaryDir& dir)
{
    return dir.path() + QStringLiteral("/Quaystone.ini");
}

// Keys compare without regard to case; a save keeps what another program saved meanwhile; a
// damaged line costs only itself (the first save keeps the file as .unreadable). The bytes are
// those single saves have always written, saved one by one or as one batch: one rewrite.
TEST(Settings, BatchesWriteTheBytesOfSingleSavesInOneRewrite)
{
    struct Case {
        QByteArray before;
        const char* other; // a LastOpened another program saves meanwhile
        std::vector<std::pair<const char*, const char*>> sets;
        QByteArray after;
    };
    const Case cases[] = {
        {"",
         nullptr,
         {{"CommPort", "7"}, {"GridSize", "Larger"}, {"CommPort", "8"}},
         "[Settings]\nGridSize=Larger\nCommPort=8\n"},
        // Hand-written, with an unquoted value that holds commas.
        {"[settings]\nCommport=5\nGRIDSIZE=Larger\nUserCommSpeed=9600,N,8,2\n",
         nullptr,
         {{"CommPort", "7"}},
         "[settings]\nGRIDSIZE=Larger\nUserCommSpeed=\"9600,N,8,2\"\nCommPort=7\n"},
        {"top=1\r\n[QuayGlobal]\r\nA%20b=x\r\n[Settings]\r\nHomeDir=/a\r\n",
         nullptr,
         {{"LastOpened", " /b;c "}, {"HomeDir", "@d\\e"}},
         "[General]\ntop=1\n\n[QuayGlobal]\nA%20b=x\n\n[Settings]\nLastOpened=\" /b;c "
         "\"\nHomeDir=@@d\\\\e\n"},
        {"",
         "/x.950",
         {{"MemoryTop", "10"}, {"COMMPORT", "4"}},
         "[Settings]\nLastOpened=/x.950\nMemoryTop=10\nCOMMPORT=4\n"},
        {"[Settings]\r\nCommPort=5\r\nthis line has no equals sign\r\n=7\r\nHomeDir=/data/Caf\xe9 \x80\r\n"
         "GridSize=Larger\r\n[Broken\r\nLost=1\r\n[settings]\r\nRTS=True\r\n",
         nullptr,
         {{"Log", "True"}},
         "[Settings]\nCommPort=5\nHomeDir=/data/Caf\xc3\xa9 "
         "\xe2\x82\xac\nGridSize=Larger\nLog=True\n\n[settings]\nRTS=True\n"},
    };
    for (const Case& c : cases) {
        for (const bool batched : {false, true}) {
            QTemporaryDir dir;
            ASSERT_TRUE(writeBytes(iniPath(dir), c.before));
            Settings settings(dir.path());
            EXPECT_TRUE(!c.other || Settings(dir.path()).set(Keys::LastOpened, QString::fromLatin1(c.other)));
            const QString unreadable = iniPath(dir) + QStringLiteral(".unreadable");
            EXPECT_FALSE(QFile::exists(unreadable)) << "reading changes nothing";
            std::optional<Settings::Batch> batch;
            if (batched)
                batch.emplace(settings);
            for (const auto& [key, value] : c.sets)
                ASSERT_TRUE(settings.set({key, ""}, QString::fromLatin1(value)));
            EXPECT_TRUE(!batched || batch->end());
            EXPECT_EQ(settings.store().saves(), batched ? 1 : int(c.sets.size())) << c.before.toStdString();
            EXPECT_EQ(readBytes(iniPath(dir)), c.after) << batched;
            EXPECT_EQ(readBytes(unreadable), c.before.contains("Lost") ? c.before : QByteArray("<missing>"));
            EXPECT_EQ(Settings(dir.path()).get(Keys::LastOpened), settings.get(Keys::LastOpened));
        }
    }
}

// Written as "True" and "False" (the print options window test reads them);
// read in the forms other programs leave.
TEST(Settings, BooleansReadInEveryFormTheyAreFound)
{
    QTemporaryDir dir;
    Settings settings(dir.path());
    const char* texts[] = {"True", "TRUE", "true", "-1", "1", "False", "0", "yes?"}; // 5 true
    for (int i = 0; i < 8; ++i) {
        settings.set(Keys::Autosize, QString::fromLatin1(texts[i]));
        EXPECT_EQ(settings.getBool(Keys::Autosize), i < 5) << texts[i];
    }
}

// The file stays what QSettings reads and writes: values written by either
// read back unchanged through the other.
TEST(Settings, FilesAreInterchangeableWithQSettings)
{
    const QString values[] = {
        QStringLiteral("38400,N,8,2"),    QStringLiteral("/home/op/a, b; \"c\" = d.950"),
        QStringLiteral(" padded "),       QStringLiteral("@at the start"),
        QStringLiteral("back\\slash"),    QStringLiteral("Gr\u00fc\u00dfe \u20ac \u65e5"),
        QStringLiteral("tab\tand\nline"), QString()};
    for (const QString& value : values) {
        QTemporaryDir dir;
        QSettings theirs(iniPath(dir), QSettings::IniFormat);
        theirs.setValue(QStringLiteral("Settings/HomeDir"), value);
        theirs.sync();
        Settings ours(dir.path());
        EXPECT_EQ(ours.get(Keys::HomeDir), value) << value.toStdString();
        ASSERT_TRUE(ours.set(Keys::LastOpened, value));
        theirs.sync(); // reads the file again
        EXPECT_EQ(theirs.value(QStringLiteral("Settings/LastOpened")).toString(), value)
            << value.toStdString();
        EXPECT_EQ(theirs.value(QStringLiteral("Settings/HomeDir")).toString(), value) << value.toStdString();
    }
}

// Neither a FIFO as the file nor anything but a lock file at the lock's path is opened; a held
// lock is waited for a while. The first failed save is said once; no file is written. (A folder
// that cannot be made: TempAndSettingsFilesTest; one that vanishes: WindowStateTest.)
TEST(Settings, WhatStandsInTheWayOfASaveIsSaidOnce)
{
    const std::pair<const char*, const char*> cases[] = {{"file", nullptr},
                                                         {"fifo", "it is a FIFO"},
                                                         {"folder", "it is a folder"},
                                                         {"link", "it is a symbolic link"},
                                                         {"other", "it is a file that does not hold a lock"},
                                                         {"held", ""}};
    for (const auto& [what, problem] : cases) {
        QTemporaryDir dir;
        const QString ini = iniPath(dir);
        const QString lock = ini + QStringLiteral(".lock");
        std::optional<QLockFile> held; // by another program, as far as the lock can tell
        const QByteArray kind(what);
        const bool made = !problem || kind == "fifo"
                              ? mkfifo(QFile::encodeName(problem ? lock : ini).constData(), 0644) == 0
                          : kind == "folder" ? QDir().mkdir(lock)
                          : kind == "link"   ? QFile::link(QStringLiteral("/dev/zero"), lock)
                          : kind == "other"  ? writeBytes(lock, "x")
                                             : held.emplace(lock).tryLock(0);
        ASSERT_TRUE(made) << what;
        Settings settings(dir.path());
        QStringList said;
        settings.setWriteFailureHandler([&said](const QString& text) { said << text; });
        EXPECT_FALSE(settings.set(Keys::CommPort, QStringLiteral("2"))) << what;
        EXPECT_FALSE(settings.setBool(Keys::Autosize, true)) << what;
        EXPECT_EQ(settings.get(Keys::CommPort), QStringLiteral("2")) << what;
        const QString why =
            !problem   ? QString()
            : *problem ? lock + QStringLiteral(" is in the way: ") + QLatin1String(problem) +
                             QStringLiteral(", not a lock file")
                       : QStringLiteral("another program is saving them at this moment; it holds ") + lock;
        EXPECT_EQ(said, QStringList{SettingsStore::cannotSaveText(ini, why)}) << what;
        EXPECT_FALSE(QFileInfo(ini).isFile()) << what;
    }
}

} // namespace
