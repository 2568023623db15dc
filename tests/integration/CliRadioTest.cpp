// SPDX-License-Identifier: GPL-3.0-or-later
// quaystone-cli read and write against the simulated radio: a backup to a
// file and a restore from it, and the exit status of runs that cannot work.

#include "files/FileTestSupport.h"
#include "support/TestText.h"

#include "RadioSimulator.h"

#include "support/CliRun.h"
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <gtest/gtest.h>

namespace {

// With what the tables do not show: the radio's data in characters 14-20 and 22, hertz
// between 10 Hz steps, mode, encoding and shift codes outside the tables.
const QStringList kChannels = {"MW00007050005-000500210000;", "MW00514250000+000000100000;",
                               "MW09950110000+000000A71159;", "MW10029620000+000000402082;"};

const QByteArray kChannelFile = (kChannels.join(QStringLiteral("\r\n")) + QStringLiteral("\r\n")).toLatin1();

class CliRadio : public CliTest {
protected:
    QByteArray contents(const char* name) const { return FileTestSupport::readBytes(path(name)); }
    void writeChannels(const char* name)
    {
        ASSERT_TRUE(FileTestSupport::writeBytes(path(name), kChannelFile));
    }

    // Starts the radio holding `channels`; returns its device.
    static QString start(RadioSimulator& radio, const QStringList& channels = kChannels)
    {
        for (const QString& line : channels)
            EXPECT_TRUE(radio.setChannel(line));
        const QString device = radio.start();
        EXPECT_FALSE(device.isEmpty()) << radio.errorText().toStdString();
        return device;
    }
};

// The read finds the radio at 4800 and keeps that rate, which the next read tries first; neither
// writes trace or progress lines to a standard error that is no terminal.
TEST_F(CliRadio, BacksUpTheRadioAndRestoresItIntoAnEmptyOne)
{
    RadioSimulator::Options options;
    options.startRate = 4800;
    RadioSimulator source(options);
    const QString sourceDevice = start(source);
    const auto identityRates = [&source] {
        QList<int> rates;
        for (const RadioSimulator::Exchange& exchange : source.traffic()) {
            if (exchange.command == QLatin1String("ID;"))
                rates << exchange.clientBaud;
        }
        return rates;
    };
    const CliRun backup =
        cli({"read", "--device", sourceDevice, "--speed", "4800", "--out", path("backup.950")});
    EXPECT_EQ(backup.status, 0) << backup.err.toStdString();
    EXPECT_EQ(contents("backup.950"), kChannelFile);
    EXPECT_FALSE(backup.err.contains(QStringLiteral("Baud rate")) ||
                 backup.err.contains(QStringLiteral("slot 1 of 118")));
    source.clearTraffic();
    const CliRun again = cli({"read", "--device", sourceDevice, "--speed", "4800", "--out", "-"});
    EXPECT_EQ(again.status, 0);
    EXPECT_EQ(again.out.toLatin1(), kChannelFile);
    EXPECT_EQ(identityRates(), QList<int>({4800, 4800}));

    RadioSimulator target;
    const QString targetDevice = start(target, {});
    const CliRun restore =
        cli({"write", path("backup.950"), "--device", targetDevice, "--speed", "19200", "--trace"});
    EXPECT_EQ(restore.status, 0) << restore.err.toStdString();
    for (int channel = 0; channel < RadioSimulator::kChannelCount; ++channel)
        EXPECT_EQ(target.channel(channel), source.channel(channel)) << channel;
    EXPECT_EQ(target.catRate(), 19200);
}

// An incomplete read never replaces the file named: it is saved beside it, named as partial, and
// the run says so and exits 3 (done, but not all of it). An earlier partial read keeps its name and
// bytes, and a link of such a name is not written through: the next free name is taken.
TEST_F(CliRadio, AnIncompleteReadIsSavedBesideTheFileUnderAFreeNameAndExits3)
{
    RadioSimulator::Options options;
    options.faults.drop = 0.04;
    options.faultSeed = 3;
    RadioSimulator radio(options);
    const QString device = start(radio);
    const QByteArray old = "MW00007050000+000000200000;\r\nMW00114250000+000000100000;\r\n";
    for (const char* name : {"out.950", "out (partial read).950", "elsewhere.txt"})
        ASSERT_TRUE(FileTestSupport::writeBytes(path(name), old));
    ASSERT_TRUE(QFile::link(path("elsewhere.txt"), path("out (partial read).950dsc")));
    const CliRun run = cli({"read", "--device", device, "--out", path("out.950")});
    EXPECT_EQ(run.status, 3);
    EXPECT_TRUE(run.err.contains(QStringLiteral("the read was incomplete; what was read is saved in ") +
                                 path("out (partial read 2).950") + QStringLiteral(" and ") +
                                 path("out.950") + QStringLiteral(" was left as it was")))
        << run.err.toStdString();
    for (const char* name : {"out.950", "out (partial read).950", "elsewhere.txt"})
        EXPECT_EQ(contents(name), old) << name;
    EXPECT_TRUE(QFileInfo(path("out (partial read).950dsc")).isSymLink());
    EXPECT_FALSE(contents("out (partial read 2).950").isEmpty());
    EXPECT_EQ(contents("out (partial read 2).950dsc").count("\r\n"), 101);

    // Standard output takes it too; the status tells it apart.
    const CliRun piped = cli({"read", "--device", device, "--out", "-"});
    EXPECT_EQ(piped.status, 3) << piped.err.toStdString();
    EXPECT_TRUE(
        piped.err.contains(QStringLiteral("the read was incomplete; standard output holds what was read")));
    EXPECT_TRUE(piped.out.startsWith(QStringLiteral("MW000"))) << piped.out.toStdString();
}

QStringList writeCommands(const RadioSimulator& radio)
{
    return radio.commands().filter(QRegularExpression(QStringLiteral("^MW")));
}

// A preview reads the radio and lists, side by side, each channel a write would send; it sends none.
// The write then sends them, and keeps no backup of what they replace when told not to (what the
// backup holds: RadioLinkTest).
TEST_F(CliRadio, DryRunListsWhatAWriteWouldSendAndNoBackupKeepsNone)
{
    writeChannels("new.950");
    RadioSimulator radio;
    // Channel 0 identical, 5 another, P1L another tone.
    const QString device = start(radio, {QStringLiteral("MR") + kChannels.at(0).mid(2),
                                         "MR00514070000+000000200000;", "MR10029620000+000000402072;"});

    const CliRun run = cli({"write", path("new.950"), "--device", device, "--dry-run"});
    EXPECT_EQ(run.status, 0) << run.err.toStdString();
    EXPECT_TRUE(writeCommands(radio).isEmpty());
    EXPECT_TRUE(QDir(folder.path()).entryList({QStringLiteral("Radio backup *")}).isEmpty());
    QStringList lines = run.out.split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    ASSERT_EQ(lines.size(), 4) << run.out.toStdString();
    EXPECT_EQ(lines.takeFirst().simplified(), QStringLiteral("Slot Radio Table Differs"));
    EXPECT_EQ(lines.at(0).simplified(),
              QStringLiteral("5 14.07000 USB Simplex 67.0 14.25000 LSB Simplex 67.0 Frequency, Mode"));
    EXPECT_EQ(lines.at(2).simplified(), QStringLiteral("P1L 29.620000 FM Minus CTCSS Enc 85.4 29.620000 FM "
                                                       "Minus CTCSS Enc 88.5 Tone"));
    EXPECT_TRUE(run.err.contains(QStringLiteral("3 channel(s) would be written; nothing was sent")))
        << run.err.toStdString();

    const CliRun written = cli({"write", path("new.950"), "--device", device, "--no-backup"});
    EXPECT_EQ(written.status, 0) << written.err.toStdString();
    EXPECT_EQ(writeCommands(radio).size(), 3);
    EXPECT_TRUE(QDir(folder.path()).entryList({QStringLiteral("Radio backup *")}).isEmpty());
}

// Each channel sent is read back: one the radio silently did not store is named and not counted as
// written, and the run exits 3; --no-verify leaves the read-back out.
TEST_F(CliRadio, AChannelTheRadioDidNotStoreIsReported)
{
    writeChannels("new.950");
    struct Case {
        const char* option;
        int status;
        int queries; // memory-read commands: one per channel, and one per channel written if verified
        const char* summary;
    };
    const Case cases[] = {
        {"--trace", 3, 8,
         "Transfer of memories completed.\n3 channels written, 0 identical, 1 refused.\n"
         "Not stored as sent (read back different): memory 6.\n"},
        {"--no-verify", 0, 4,
         "Transfer of memories completed.\n4 channels written, 0 identical, 0 refused.\n"},
    };
    for (const Case& c : cases) {
        RadioSimulator::Options options;
        options.dropWrite = 2;
        RadioSimulator radio(options);
        const CliRun run = cli({"write", path("new.950"), "--device", start(radio, {}), c.option});
        EXPECT_EQ(run.status, c.status) << c.option << run.err.toStdString();
        EXPECT_EQ(radio.commands().filter(QRegularExpression(QStringLiteral("^MR\\d{3};$"))).size(),
                  c.queries);
        EXPECT_TRUE(run.err.contains(QString::fromLatin1(c.summary))) << run.err.toStdString();
        EXPECT_EQ(run.err.contains(QStringLiteral("Memory 6 (5) not stored as sent: the radio holds ?;\n")),
                  c.status == 3)
            << run.err.toStdString();
    }
}

// Each run that cannot work exits non-zero with its message and saves nothing. "DEV" stands for a
// device that does not exist, "SIM" for the simulated radio with the row's fault.
TEST_F(CliRadio, RunsThatCannotWorkExitNonZeroWithTheMessage)
{
    struct Case {
        const char* args;
        int exitCode;
        const char* message;
        bool noAnswer = false;
        int garbageChannel = 0;
    };
    const Case cases[] = {
        {"read --device DEV --out out.950", 1,
         "COM Port /nonexistent/quaystone-tty is not available. It may be in use by another program.\n"
         "The requested operation cannot continue.\n"},
        {"read --out out.950", 2, "give either --port N or --device PATH"},
        {"read --port 1 --device DEV --out out.950", 2, "give either --port N or --device PATH"},
        {"read --port 17 --out out.950", 2, "--port takes a number from 1 to 16"},
        {"read --device DEV --speed 57600 --out out.950", 2, "--speed takes 4800, 9600, 19200 or 38400"},
        {"read --device DEV", 2, "--out FILE.950 is needed"},
        {"write --device DEV", 2, "name the memory file to write"},
        {"write missing.950 --device DEV", 1, "cannot load missing.950"},
        {"read --device SIM --out out.950", 1, "Two attempts to set the CAT rate have failed.\n", true},
        {"read --device SIM --out out.950", 1,
         "Error 13 (Type mismatch) in line 11 of procedure cmdRead_Click of Form Form1", false, 3},
    };
    for (const Case& c : cases) {
        RadioSimulator::Options options;
        options.noAnswer = c.noAnswer;
        options.garbageChannel = c.garbageChannel;
        RadioSimulator radio(options);
        QString args = QString::fromLatin1(c.args);
        args.replace(QStringLiteral("DEV"), QStringLiteral("/nonexistent/quaystone-tty"));
        if (args.contains(QStringLiteral("SIM")))
            args.replace(QStringLiteral("SIM"), radio.start());
        const CliRun run = cli(args.split(QLatin1Char(' ')));
        EXPECT_EQ(run.status, c.exitCode) << c.args;
        EXPECT_TRUE(run.err.contains(QString::fromLatin1(c.message))) << run.err.toStdString();
        EXPECT_FALSE(QFile::exists(path("out.950")));
    }
}

} // namespace
