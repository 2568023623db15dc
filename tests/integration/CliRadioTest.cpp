// quaystone-cli read and write against the simulated radio: a backup to a
// file and a restore from it, and the exit status of runs that cannot work.

#include "cat/LinkTestSupport.h"

#include "RadioSimulator.h"

#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

struct CliRun {
    int exitCode = -1;
    QString err;
};

class CliRadio : public ::testing::Test {
protected:
    CliRun cli(const QStringList& args)
    {
        QProcess process;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("XDG_CONFIG_HOME"), folder.filePath(QStringLiteral("config")));
        process.setProcessEnvironment(env);
        process.setWorkingDirectory(folder.path());
        process.start(QStringLiteral(QUAYSTONE_CLI), args);
        EXPECT_TRUE(process.waitForFinished(30000));
        return {process.exitCode(), QString::fromLocal8Bit(process.readAllStandardError())};
    }
    QString path(const char* name) const { return folder.filePath(QString::fromLatin1(name)); }
    QByteArray contents(const char* name) const
    {
        QFile file(path(name));
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

    QTemporaryDir folder;
};

const QStringList kChannels = {
    QStringLiteral("MW00007050000+000000200000;"), QStringLiteral("MW00514250000+000000100000;"),
    QStringLiteral("MW09950110000+000000401150;"), QStringLiteral("MW10029620000+000000402082;")};

TEST_F(CliRadio, BacksUpTheRadioAndRestoresItIntoAnEmptyOne)
{
    RadioSimulator::Options options;
    options.startRate = 9600;
    RadioSimulator source(options);
    for (const QString& line : kChannels)
        ASSERT_TRUE(source.setChannel(line));
    const QString sourceDevice = source.start();
    ASSERT_FALSE(sourceDevice.isEmpty());

    const CliRun backup = cli({QStringLiteral("read"), QStringLiteral("--device"), sourceDevice,
                               QStringLiteral("--out"), path("backup.950")});
    EXPECT_EQ(backup.exitCode, 0) << backup.err.toStdString();
    EXPECT_EQ(contents("backup.950"),
              (kChannels.join(QStringLiteral("\r\n")) + QStringLiteral("\r\n")).toLatin1());
    // No trace lines without --trace.
    EXPECT_FALSE(backup.err.contains(QStringLiteral("Baud rate")));

    RadioSimulator target;
    const QString targetDevice = target.start();
    ASSERT_FALSE(targetDevice.isEmpty());
    const CliRun restore =
        cli({QStringLiteral("write"), path("backup.950"), QStringLiteral("--device"), targetDevice,
             QStringLiteral("--speed"), QStringLiteral("19200"), QStringLiteral("--trace")});
    EXPECT_EQ(restore.exitCode, 0) << restore.err.toStdString();
    for (int channel = 0; channel < RadioSimulator::kChannelCount; ++channel)
        EXPECT_EQ(target.channel(channel), source.channel(channel)) << channel;
    EXPECT_EQ(target.catRate(), 19200);
    EXPECT_TRUE(restore.err.contains(QStringLiteral("Memory 1 added\nMemory 6 added\nMemory 100 added\n"
                                                    "Memory 101 added\n")))
        << restore.err.toStdString();

    // A second restore finds every channel identical and writes nothing.
    target.clearTraffic();
    const CliRun again =
        cli({QStringLiteral("write"), path("backup.950"), QStringLiteral("--device"), targetDevice});
    EXPECT_EQ(again.exitCode, 0);
    EXPECT_TRUE(target.commands().filter(QRegularExpression(QStringLiteral("^MW"))).isEmpty());
}

struct FailureCase {
    const char* name;
    QStringList args;
    int exitCode;
    QString message;
};

class CliRadioFailure : public CliRadio, public ::testing::WithParamInterface<FailureCase> {};

TEST_P(CliRadioFailure, ExitsNonZeroWithTheMessage)
{
    const CliRun run = cli(GetParam().args);
    EXPECT_EQ(run.exitCode, GetParam().exitCode);
    EXPECT_TRUE(run.err.contains(GetParam().message)) << run.err.toStdString();
    EXPECT_FALSE(QFile::exists(path("out.950")));
}

const QString kNoDevice = QStringLiteral("/nonexistent/quaystone-tty");

INSTANTIATE_TEST_SUITE_P(
    CliRadio, CliRadioFailure,
    ::testing::Values(
        FailureCase{
            "PortCannotBeOpened",
            {QStringLiteral("read"), QStringLiteral("--device"), kNoDevice, QStringLiteral("--out"),
             QStringLiteral("out.950")},
            1,
            QStringLiteral("COM Port /nonexistent/quaystone-tty is not available. It may be in use by "
                           "another program.\nThe requested operation cannot continue.\n")},
        FailureCase{"NeitherPortNorDevice",
                    {QStringLiteral("read"), QStringLiteral("--out"), QStringLiteral("out.950")},
                    2,
                    QStringLiteral("give either --port N or --device PATH")},
        FailureCase{"BothPortAndDevice",
                    {QStringLiteral("read"), QStringLiteral("--port"), QStringLiteral("1"),
                     QStringLiteral("--device"), kNoDevice, QStringLiteral("--out"),
                     QStringLiteral("out.950")},
                    2,
                    QStringLiteral("give either --port N or --device PATH")},
        FailureCase{"PortOutOfRange",
                    {QStringLiteral("read"), QStringLiteral("--port"), QStringLiteral("17"),
                     QStringLiteral("--out"), QStringLiteral("out.950")},
                    2,
                    QStringLiteral("--port takes a number from 1 to 16")},
        FailureCase{"UnknownSpeed",
                    {QStringLiteral("read"), QStringLiteral("--device"), kNoDevice, QStringLiteral("--speed"),
                     QStringLiteral("57600"), QStringLiteral("--out"), QStringLiteral("out.950")},
                    2,
                    QStringLiteral("--speed takes 4800, 9600, 19200 or 38400")},
        FailureCase{"ReadWithoutOut",
                    {QStringLiteral("read"), QStringLiteral("--device"), kNoDevice},
                    2,
                    QStringLiteral("--out FILE.950 is needed")},
        FailureCase{"WriteWithoutFile",
                    {QStringLiteral("write"), QStringLiteral("--device"), kNoDevice},
                    2,
                    QStringLiteral("name the memory file to write")},
        FailureCase{
            "WriteMissingFile",
            {QStringLiteral("write"), QStringLiteral("missing.950"), QStringLiteral("--device"), kNoDevice},
            1,
            QStringLiteral("cannot load missing.950")}),
    [](const ::testing::TestParamInfo<FailureCase>& row) { return std::string(row.param.name); });

TEST_F(CliRadio, ARadioThatDoesNotAnswerFailsTheReadAndSavesNothing)
{
    RadioSimulator::Options options;
    options.noAnswer = true;
    RadioSimulator radio(options);
    const QString device = radio.start();
    ASSERT_FALSE(device.isEmpty());
    const CliRun run = cli({QStringLiteral("read"), QStringLiteral("--device"), device,
                            QStringLiteral("--out"), path("out.950")});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_TRUE(run.err.contains(QStringLiteral("Two attempts to set the CAT rate have failed.\n")));
    EXPECT_EQ(radio.commands().size(), 8);
    EXPECT_FALSE(QFile::exists(path("out.950")));
}

TEST_F(CliRadio, AGarbageReplyFailsTheReadAndSavesNothing)
{
    RadioSimulator::Options options;
    options.garbageChannel = 3;
    RadioSimulator radio(options);
    const QString device = radio.start();
    ASSERT_FALSE(device.isEmpty());
    const CliRun run = cli({QStringLiteral("read"), QStringLiteral("--device"), device,
                            QStringLiteral("--out"), path("out.950")});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_TRUE(run.err.contains(
        QStringLiteral("Error 13 (Type mismatch) in line 11 of procedure cmdRead_Click of Form Form1")));
    EXPECT_FALSE(QFile::exists(path("out.950")));
}

} // namespace
