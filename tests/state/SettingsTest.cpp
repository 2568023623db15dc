// SPDX-License-Identifier: GPL-3.0-or-later
#include "state/Settings.h"
#include "files/FileTestSupport.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLockFile>
#include <QSettings>
#include <QTemporaryDir>
#include <functional>
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

// Keys and sections compare without regard to case, and the bytes written
// are those a save of each key on its own has always written, whether the
// keys are saved one by one or as one batch (one rewrite of the file).
TEST(Settings, BatchesWriteTheBytesOfSingleSavesInOneRewrite)
{
    struct Case {
        QByteArray before;
        std::vector<std::pair<const char*, const char*>> sets;
        QByteArray after;
    };
    const Case cases[] = {
        {"",
         {{"CommPort", "7"}, {"GridSize", "Larger"}, {"CommPort", "8"}},
         "[Settings]\nGridSize=Larger\nCommPort=8\n"},
        // Hand-written, with an unquoted value that holds commas.
        {"[settings]\nCommport=5\nGRIDSIZE=Larger\nUserCommSpeed=9600,N,8,2\n",
         {{"CommPort", "7"}},
         "[settings]\nGRIDSIZE=Larger\nUserCommSpeed=\"9600,N,8,2\"\nCommPort=7\n"},
        {"top=1\r\n[QuayGlobal]\r\nA%20b=x\r\n[Settings]\r\nHomeDir=/a\r\n",
         {{"LastOpened", " /b;c "}, {"HomeDir", "@d\\e"}},
         "[General]\ntop=1\n\n[QuayGlobal]\nA%20b=x\n\n[Settings]\nLastOpened=\" /b;c "
         "\"\nHomeDir=@@d\\\\e\n"},
    };
    for (const Case& c : cases) {
        QByteArray written[2];
        for (const bool batched : {false, true}) {
            QTemporaryDir dir;
            ASSERT_TRUE(writeBytes(iniPath(dir), c.before));
            Settings settings(dir.path());
            std::optional<Settings::Batch> batch;
            if (batched)
                batch.emplace(settings);
            for (const auto& [key, value] : c.sets)
                ASSERT_TRUE(settings.set({key, ""}, QString::fromLatin1(value)));
            if (batched) {
                ASSERT_TRUE(batch->end());
            }
            EXPECT_EQ(settings.store().saves(), batched ? 1 : int(c.sets.size())) << c.before.toStdString();
            written[batched] = readBytes(iniPath(dir));
            EXPECT_EQ(Settings(dir.path()).get(Keys::CommPort), settings.get(Keys::CommPort));
        }
        EXPECT_EQ(written[0], c.after);
        EXPECT_EQ(written[1], c.after);
    }
}

// A save applies only this program's changes to the file as it is then:
// what another program saved meanwhile (in any casing) survives, and is
// seen after the save.
TEST(Settings, ASaveKeepsWhatAnotherProgramSavedMeanwhile)
{
    QTemporaryDir dir;
    Settings window(dir.path());
    Settings commandLine(dir.path());
    ASSERT_TRUE(commandLine.set({"lastopened", ""}, QStringLiteral("/x.950")));
    ASSERT_TRUE(commandLine.set(Keys::CommPort, QStringLiteral("3")));
    {
        Settings::Batch batch(window);
        window.setInt(Keys::MemoryTop, 10);
        window.set({"COMMPORT", ""}, QStringLiteral("4"));
    }
    const QByteArray text = readBytes(iniPath(dir));
    EXPECT_EQ(text, "[Settings]\nlastopened=/x.950\nMemoryTop=10\nCOMMPORT=4\n");
    EXPECT_EQ(window.get(Keys::LastOpened), QStringLiteral("/x.950"));
}

// Written as "True" and "False" (the print options window test reads them);
// read in the forms other programs leave.
TEST(Settings, BooleansReadInEveryFormTheyAreFound)
{
    QTemporaryDir dir;
    Settings settings(dir.path());
    const std::pair<const char*, bool> readings[] = {{"True", true}, {"TRUE", true}, {"true", true},
                                                     {"-1", true},   {"1", true},    {"False", false},
                                                     {"0", false},   {"yes?", false}};
    for (const auto& [text, expected] : readings) {
        settings.set(Keys::Autosize, QString::fromLatin1(text));
        EXPECT_EQ(settings.getBool(Keys::Autosize), expected) << text;
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
        {
            QSettings theirs(iniPath(dir), QSettings::IniFormat);
            theirs.setValue(QStringLiteral("Settings/HomeDir"), value);
        }
        Settings ours(dir.path());
        EXPECT_EQ(ours.get(Keys::HomeDir), value) << value.toStdString();
        ASSERT_TRUE(ours.set(Keys::LastOpened, value));
        QSettings theirs(iniPath(dir), QSettings::IniFormat);
        EXPECT_EQ(theirs.value(QStringLiteral("Settings/LastOpened")).toString(), value)
            << value.toStdString();
        EXPECT_EQ(theirs.value(QStringLiteral("Settings/HomeDir")).toString(), value) << value.toStdString();
    }
}

// A damaged line costs only itself; the first write keeps the original
// bytes as .unreadable; a Windows-1252 line keeps its characters.
TEST(Settings, AnUnreadableLineCostsOnlyItself)
{
    QTemporaryDir dir;
    const QByteArray original = "[Settings]\r\nCommPort=5\r\nthis line has no equals sign\r\n=7\r\n"
                                "HomeDir=/data/Caf\xe9 \x80\r\nGridSize=Larger\r\n[Broken\r\nLost=1\r\n"
                                "[settings]\r\nRTS=True\r\n";
    ASSERT_TRUE(writeBytes(iniPath(dir), original));
    Settings settings(dir.path());
    EXPECT_EQ(settings.get(Keys::CommPort), QStringLiteral("5"));
    EXPECT_EQ(settings.get(Keys::GridSize), QStringLiteral("Larger"));
    EXPECT_EQ(settings.get(Keys::HomeDir), QStringLiteral("/data/Caf\u00e9 \u20ac"));
    EXPECT_TRUE(settings.getBool(Keys::RTS));
    EXPECT_FALSE(QFile::exists(iniPath(dir) + QStringLiteral(".unreadable"))) << "reading changes nothing";

    ASSERT_TRUE(settings.setBool(Keys::Log, true));
    QFile copy(iniPath(dir) + QStringLiteral(".unreadable"));
    ASSERT_TRUE(copy.open(QIODevice::ReadOnly));
    EXPECT_EQ(copy.readAll(), original);
    Settings reread(dir.path());
    for (const auto& [key, value] : {std::pair<const SettingKey&, const char*>{Keys::CommPort, "5"},
                                     {Keys::GridSize, "Larger"},
                                     {Keys::RTS, "True"},
                                     {Keys::Log, "True"}})
        EXPECT_EQ(reread.get(key), QString::fromLatin1(value)) << key.name;
    EXPECT_EQ(reread.get(Keys::HomeDir), QStringLiteral("/data/Caf\u00e9 \u20ac"));
}

// Something other than a regular file in the settings file's place is never
// opened (a FIFO would block the program), nor anything but a lock file at
// the lock's path; a lock another program holds is waited for a while. The
// first failed save is said, once; the file stays as it was. (A folder that
// cannot be made: TempAndSettingsFilesTest; one that vanishes:
// SettingsFailureWindowTest.)
TEST(Settings, WhatStandsInTheWayOfASaveIsSaidOnce)
{
    struct Case {
        const char* name;
        std::function<bool(const QString& ini, const QString& lock)> arrange;
        const char* why; // after "<lock> is in the way: "; null: no lock problem
    };
    std::optional<QLockFile> held; // by another program, as far as the lock can tell
    const Case cases[] = {
        {"file is a FIFO",
         [](const QString& ini, const QString&) {
             return mkfifo(QFile::encodeName(ini).constData(), 0644) == 0;
         },
         nullptr},
        {"lock is a FIFO",
         [](const QString&, const QString& lock) {
             return mkfifo(QFile::encodeName(lock).constData(), 0644) == 0;
         },
         "it is a FIFO"},
        {"lock is a folder", [](const QString&, const QString& lock) { return QDir().mkdir(lock); },
         "it is a folder"},
        {"lock is a link",
         [](const QString&, const QString& lock) { return QFile::link(QStringLiteral("/dev/zero"), lock); },
         "it is a symbolic link"},
        {"lock is some other file", [](const QString&, const QString& lock) { return writeBytes(lock, "x"); },
         "it is a file that does not hold a lock"},
        {"lock is held",
         [&held](const QString&, const QString& lock) {
             held.emplace(lock);
             return held->tryLock(0);
         },
         ""},
    };
    for (const Case& c : cases) {
        QTemporaryDir dir;
        const QString ini = iniPath(dir);
        const QString lock = ini + QStringLiteral(".lock");
        Settings settings(dir.path());
        ASSERT_TRUE(c.arrange(ini, lock)) << c.name;
        QStringList said;
        settings.setWriteFailureHandler([&said](const QString& text) { said << text; });
        EXPECT_FALSE(settings.set(Keys::CommPort, QStringLiteral("2"))) << c.name;
        EXPECT_FALSE(settings.setBool(Keys::Autosize, true)) << c.name;
        EXPECT_EQ(settings.get(Keys::CommPort), QStringLiteral("2")) << c.name;
        const QString why =
            !c.why   ? QString()
            : *c.why ? lock + QStringLiteral(" is in the way: ") + QLatin1String(c.why) +
                           QStringLiteral(", not a lock file")
                     : QStringLiteral("another program is saving them at this moment; it holds ") + lock;
        EXPECT_EQ(said, QStringList{SettingsStore::cannotSaveText(ini, why)}) << c.name;
        EXPECT_FALSE(QFileInfo(ini).isFile()) << c.name;
    }
}

} // namespace
