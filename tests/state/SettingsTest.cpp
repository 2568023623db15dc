// SPDX-License-Identifier: GPL-3.0-or-later
#include "state/Settings.h"
#include "files/FileTestSupport.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSettings>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <sys/stat.h>

using namespace FileTestSupport;

namespace {

QString iniPath(const QTemporaryDir& dir)
{
    return dir.path() + QStringLiteral("/Quaystone.ini");
}

TEST(Settings, KeysAndSectionsCompareWithoutRegardToCase)
{
    QTemporaryDir dir;
    // Hand-written, with an unquoted value that holds commas.
    ASSERT_TRUE(
        writeBytes(iniPath(dir), "[settings]\nCommport=5\nGRIDSIZE=Larger\nUserCommSpeed=9600,N,8,2\n"));
    Settings settings(dir.path());
    EXPECT_EQ(settings.get(Keys::CommPort), QStringLiteral("5"));
    EXPECT_EQ(settings.get(Keys::GridSize), QStringLiteral("Larger"));
    EXPECT_EQ(settings.get(Keys::UserCommSpeed), QStringLiteral("9600,N,8,2"));

    // Writing replaces the value under whatever casing it had: one key, one value.
    ASSERT_TRUE(settings.set(Keys::CommPort, QStringLiteral("7")));
    Settings reread(dir.path());
    EXPECT_EQ(reread.get(Keys::CommPort), QStringLiteral("7"));
    QFile file(iniPath(dir));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray text = file.readAll().toLower();
    EXPECT_EQ(text.count("commport"), 1) << text.toStdString();
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
// opened (a FIFO would block the program); writes of every kind fail and say
// so once. (A folder that cannot be made: the command-line test in
// TempAndSettingsFilesTest; one that vanishes: SettingsFailureWindowTest.)
TEST(Settings, AFifoInPlaceOfTheFileIsNotOpened)
{
    QTemporaryDir dir;
    ASSERT_EQ(mkfifo(QFile::encodeName(iniPath(dir)).constData(), 0644), 0);
    Settings settings(dir.path());
    QStringList said;
    settings.setWriteFailureHandler([&said](const QString& text) { said << text; });
    EXPECT_EQ(settings.get(Keys::CommPort), QStringLiteral("1"));
    EXPECT_FALSE(settings.set(Keys::CommPort, QStringLiteral("2")));
    EXPECT_FALSE(settings.setBool(Keys::Autosize, true));
    EXPECT_FALSE(settings.setInt(Keys::MemoryTop, 10));
    EXPECT_EQ(said, QStringList{Settings::cannotSaveText(iniPath(dir))});
    EXPECT_FALSE(QFileInfo(iniPath(dir)).isFile());
}

} // namespace
