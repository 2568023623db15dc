#include "FakeSerialPort.h"
#include "LinkTestSupport.h"
#include "support/ScriptedPrompter.h"

#include "app/MessageLog.h"
#include "app/Settings.h"
#include "cat/CatLink.h"
#include "cat/PortDirectory.h"

#include <QElapsedTimer>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

const QString kReply5 = QStringLiteral("MR00507000000+000000100000;");
const QString kReply6 = QStringLiteral("MR00614250000+000000200120;");

class CatLinkTest : public ::testing::Test {
protected:
    CatLinkTest() : link(port, log, prompter, [this] { ++yields; })
    {
        log.setTraceEnabled(true);
        CatLink::Options options;
        options.portNumber = 3;
        options.device = QStringLiteral("/dev/fake");
        link.setOptions(options);
    }

    FakeSerialPort port;
    MessageLog log;
    ScriptedPrompter prompter;
    int yields = 0;
    CatLink link;
};

// ---- Collecting a reply ------------------------------------------------------

struct ReceiveCase {
    const char* name;
    QVector<FakeSerialPort::Piece> pieces;
    bool ok;
    QString reply;
    QStringList log;
    int minMs;
    int maxMs;
};

class ReceiveRules : public CatLinkTest, public ::testing::WithParamInterface<ReceiveCase> {};

TEST_P(ReceiveRules, CollectsOneReplyWithinTheWindow)
{
    const ReceiveCase& c = GetParam();
    ASSERT_TRUE(link.openPort(3, QStringLiteral("38400,N,8,2")));
    log.clear();
    port.answer(QStringLiteral("MR006;"), c.pieces);
    link.send(QStringLiteral("MR006;"));
    QElapsedTimer timer;
    timer.start();
    const bool ok = link.receive(6);
    const qint64 ms = timer.elapsed();
    EXPECT_EQ(ok, c.ok);
    EXPECT_EQ(link.reply(), c.reply);
    EXPECT_EQ(logLines(log), c.log);
    EXPECT_GE(ms, c.minMs);
    EXPECT_LE(ms, c.maxMs);
}

const QByteArray kNoise(300, 'A');

INSTANTIATE_TEST_SUITE_P(
    CatLink, ReceiveRules,
    ::testing::Values(
        ReceiveCase{"Whole", {{0, kReply6.toLatin1()}}, true, kReply6, {}, 0, 60},
        ReceiveCase{"TwoPieces", {{0, "MR00614"}, {40, "250000+000000200120;"}}, true, kReply6, {}, 35, 250},
        ReceiveCase{"StartsLateButInTime", {{100, kReply6.toLatin1()}}, true, kReply6, {}, 95, 250},
        ReceiveCase{"Silence", {}, false, QString(), {}, 120, 300},
        ReceiveCase{"SecondPieceTooLate",
                    {{0, "MR00614"}, {200, "250000+000000200120;"}},
                    false,
                    QString(),
                    {},
                    120,
                    190},
        ReceiveCase{"EmptySlot", {{0, "?;"}}, true, QStringLiteral("?;"), {}, 0, 60},
        ReceiveCase{"Overlong",
                    {{0, kNoise}},
                    false,
                    QString(),
                    {QStringLiteral("ReceiveData: reply longer than 256 characters discarded")},
                    0,
                    60},
        ReceiveCase{"OverlongInPieces",
                    {{0, kNoise.left(100)}, {20, kNoise.left(100)}, {40, kNoise.left(100)}, {60, "x;"}},
                    false,
                    QString(),
                    {QStringLiteral("ReceiveData: reply longer than 256 characters discarded")},
                    35,
                    250},
        ReceiveCase{
            "LateReplyForPreviousChannelDropped",
            {{0, kReply5.toLatin1()}, {30, kReply6.toLatin1()}},
            true,
            kReply6,
            {QStringLiteral("ReceiveData: reply for channel 005 dropped while waiting for channel 006")},
            25,
            250},
        ReceiveCase{
            "TwoRepliesInOnePiece",
            {{0, (kReply5 + kReply6).toLatin1()}},
            true,
            kReply6,
            {QStringLiteral("ReceiveData: reply for channel 005 dropped while waiting for channel 006")},
            0,
            60},
        ReceiveCase{
            "OnlyAnotherChannel",
            {{0, kReply5.toLatin1()}},
            false,
            QString(),
            {QStringLiteral("ReceiveData: reply for channel 005 dropped while waiting for channel 006")},
            120,
            300}),
    [](const ::testing::TestParamInfo<ReceiveCase>& row) { return std::string(row.param.name); });

TEST_F(CatLinkTest, WaitingYieldsToTheEventLoopButATakenReplyDoesNot)
{
    ASSERT_TRUE(link.openPort(3, QStringLiteral("38400,N,8,2")));
    port.answer(QStringLiteral("MR006;"), {{50, kReply6.toLatin1()}});
    link.send(QStringLiteral("MR006;"));
    ASSERT_TRUE(link.receive(6));
    EXPECT_GT(yields, 3);

    yields = 0;
    port.answerWith(QStringLiteral("MR006;"), kReply6);
    link.send(QStringLiteral("MR006;"));
    ASSERT_TRUE(link.receive(6));
    EXPECT_EQ(yields, 0);
}

TEST_F(CatLinkTest, SendDiscardsAnswersToEarlierCommands)
{
    ASSERT_TRUE(link.openPort(3, QStringLiteral("38400,N,8,2")));
    port.answerWith(QStringLiteral("AI0;"), QStringLiteral("AI0;"));
    port.answer(QStringLiteral("MR006;"), {{10, kReply6.toLatin1()}});
    link.send(QStringLiteral("AI0;"));
    link.send(QStringLiteral("MR006;"));
    ASSERT_TRUE(link.receive(6));
    EXPECT_EQ(link.reply(), kReply6);
    EXPECT_EQ(port.bytesToWrite(), 0);
}

TEST_F(CatLinkTest, APulledCableEndsTheWaitAtOnceAndIsLatched)
{
    ASSERT_TRUE(link.openPort(3, QStringLiteral("38400,N,8,2")));
    log.clear();
    port.loseAfterMs(20);
    link.send(QStringLiteral("MR006;"));
    QElapsedTimer timer;
    timer.start();
    EXPECT_FALSE(link.receive(6));
    EXPECT_LT(timer.elapsed(), 110);
    EXPECT_TRUE(link.isLost());
    EXPECT_EQ(logLines(log), QStringList{QStringLiteral("SetCommPort: the port has gone away (fake error)")});
    link.send(QStringLiteral("MR007;"));
    EXPECT_EQ(port.written().last(), QStringLiteral("MR006;"));
}

TEST_F(CatLinkTest, PauseWaitsTheWholeTimeAndKeepsYielding)
{
    QElapsedTimer timer;
    timer.start();
    link.pause(100);
    EXPECT_GE(timer.elapsed(), 100);
    EXPECT_LT(timer.elapsed(), 250);
    EXPECT_GE(yields, 10);
}

// ---- Opening the port ----------------------------------------------------------

TEST_F(CatLinkTest, AClosedPortSendsNothingAndReceivesNothing)
{
    link.send(QStringLiteral("MR000;"));
    EXPECT_TRUE(port.written().isEmpty());
    EXPECT_FALSE(link.receive());
}

struct OpenFailureCase {
    const char* name;
    bool permission;
    bool deviceNamed;
    QString logLine;
    QString message;
};

class OpenFailure : public CatLinkTest, public ::testing::WithParamInterface<OpenFailureCase> {};

TEST_P(OpenFailure, ShowsOneMessageAndConnectGivesUp)
{
    const OpenFailureCase& c = GetParam();
    CatLink::Options options = link.options();
    options.deviceNamed = c.deviceNamed;
    link.setOptions(options);
    port.setOpenFails(true, c.permission);
    EXPECT_FALSE(link.connect());
    EXPECT_EQ(logLines(log), QStringList{c.logLine});
    ASSERT_EQ(prompter.prompts().size(), 1);
    EXPECT_EQ(prompter.prompts().first().text, c.message);
    EXPECT_EQ(prompter.prompts().first().icon, Prompter::Icon::Exclamation);
    EXPECT_TRUE(port.written().isEmpty());
}

INSTANTIATE_TEST_SUITE_P(
    CatLink, OpenFailure,
    ::testing::Values(
        OpenFailureCase{"InUse", false, false, QStringLiteral("SetCommPort: open failed for port 3"),
                        QStringLiteral("COM Port 3 is not available. It may be in use by another program.\r\n"
                                       "The requested operation cannot continue.")},
        OpenFailureCase{
            "NamedDevice", false, true, QStringLiteral("SetCommPort: open failed for port /dev/fake"),
            QStringLiteral("COM Port /dev/fake is not available. It may be in use by another program.\r\n"
                           "The requested operation cannot continue.")},
        OpenFailureCase{"Permission", true, false, QStringLiteral("SetCommPort: open failed for port 3"),
                        QStringLiteral("COM Port 3 is not available. It may be in use by another program.\r\n"
                                       "The requested operation cannot continue.\r\n"
                                       "On Linux, add your user to the 'dialout' group and log in again.")}),
    [](const ::testing::TestParamInfo<OpenFailureCase>& row) { return std::string(row.param.name); });

TEST_F(CatLinkTest, NeverOpensWithAnUnknownSettingsText)
{
    EXPECT_FALSE(link.openPort(3, QStringLiteral("57600,N,8,2")));
    EXPECT_TRUE(port.openedRates().isEmpty());
}

TEST_F(CatLinkTest, HandshakeFollowsTheNoRtsOption)
{
    ASSERT_TRUE(link.openPort(3, QStringLiteral("9600,N,8,2")));
    EXPECT_TRUE(port.lastRtsCts());
    CatLink::Options options = link.options();
    options.noRts = true;
    link.setOptions(options);
    ASSERT_TRUE(link.openPort(3, QStringLiteral("9600,N,8,2")));
    EXPECT_FALSE(port.lastRtsCts());
    EXPECT_EQ(port.openedRates(), (QVector<int>{9600, 9600}));
}

// ---- Link set-up ---------------------------------------------------------------

struct ConnectCase {
    const char* name;
    int radioBaud;
    QString userSpeed;
    QStringList log;
    QStringList written;
    QVector<int> opened;
};

class Connect : public CatLinkTest, public ::testing::WithParamInterface<ConnectCase> {};

TEST_P(Connect, FindsTheRadioAndMovesItToTheUserSpeed)
{
    const ConnectCase& c = GetParam();
    port.setRadioBaud(c.radioBaud);
    CatLink::Options options = link.options();
    options.userSpeed = c.userSpeed;
    link.setOptions(options);
    ASSERT_TRUE(link.connect());
    EXPECT_EQ(logLines(log), c.log);
    EXPECT_EQ(port.written(), c.written);
    EXPECT_EQ(port.openedRates(), c.opened);
    EXPECT_TRUE(link.isOpen());
    EXPECT_TRUE(prompter.prompts().isEmpty());
}

const QString kOpenOk = QStringLiteral("SetCommPort: open OK for port 3");

INSTANTIATE_TEST_SUITE_P(
    CatLink, Connect,
    ::testing::Values(
        ConnectCase{"At38400",
                    38400,
                    QStringLiteral("38400,N,8,2"),
                    {kOpenOk, QStringLiteral("Baud rate of 38400 detected"),
                     QStringLiteral("Turning off Auto Information"),
                     QStringLiteral("Setting Com speed to 38400,N,8,2"), kOpenOk},
                    {QStringLiteral("ID;"), QStringLiteral("AI0;"), QStringLiteral("EX0263;")},
                    {38400, 38400}},
        ConnectCase{"At4800ToUser9600",
                    4800,
                    QStringLiteral("9600,N,8,2"),
                    {kOpenOk, QStringLiteral("Baud rate of 38400 not successful"), kOpenOk,
                     QStringLiteral("Baud rate of 19200 not successful"), kOpenOk,
                     QStringLiteral("Baud rate of 9600 not successful"), kOpenOk,
                     QStringLiteral("Baud rate of 4800 detected"),
                     QStringLiteral("Turning off Auto Information"),
                     QStringLiteral("Setting Com speed to 9600,N,8,2"), kOpenOk},
                    {QStringLiteral("ID;"), QStringLiteral("ID;"), QStringLiteral("ID;"),
                     QStringLiteral("ID;"), QStringLiteral("AI0;"), QStringLiteral("EX0261;")},
                    {38400, 19200, 9600, 4800, 9600}},
        ConnectCase{
            "UnknownStoredSpeedFallsBackTo38400",
            19200,
            QStringLiteral("57600,N,8,2"),
            {QStringLiteral("The stored Com speed '57600,N,8,2' is not one of 4800, 9600, 19200 or 38400; "
                            "using 38400,N,8,2"),
             kOpenOk, QStringLiteral("Baud rate of 38400 not successful"), kOpenOk,
             QStringLiteral("Baud rate of 19200 detected"), QStringLiteral("Turning off Auto Information"),
             QStringLiteral("Setting Com speed to 38400,N,8,2"), kOpenOk},
            {QStringLiteral("ID;"), QStringLiteral("ID;"), QStringLiteral("AI0;"), QStringLiteral("EX0263;")},
            {38400, 19200, 38400}}),
    [](const ::testing::TestParamInfo<ConnectCase>& row) { return std::string(row.param.name); });

TEST_F(CatLinkTest, AnIdentityOtherThanTheRadiosFailsTwiceWithoutNotSuccessfulLines)
{
    port.setIdReply(QStringLiteral("?;"));
    EXPECT_FALSE(link.connect());
    EXPECT_EQ(port.written(), QStringList(8, QStringLiteral("ID;")));
    // Only the rate the radio hears at gets the "?;"; the others stay silent.
    const QStringList pass = {kOpenOk,
                              kOpenOk,
                              QStringLiteral("Baud rate of 19200 not successful"),
                              kOpenOk,
                              QStringLiteral("Baud rate of 9600 not successful"),
                              kOpenOk,
                              QStringLiteral("Baud rate of 4800 not successful")};
    EXPECT_EQ(logLines(log), pass + pass);
    EXPECT_EQ(prompter.messages(),
              QStringList{QStringLiteral("Two attempts to set the CAT rate have failed.\r\n"
                                         "Please check your Com port connection and radio power on state.")});
    EXPECT_EQ(prompter.prompts().first().icon, Prompter::Icon::None);
    EXPECT_FALSE(link.isOpen());
}

// ---- Port numbers --------------------------------------------------------------

struct PortCase {
    int number;
    const char* device;
};

class PortTable : public ::testing::TestWithParam<PortCase> {};

TEST_P(PortTable, NumbersNameTheUsualDevices)
{
    EXPECT_EQ(PortDirectory().device(GetParam().number), QString::fromLatin1(GetParam().device));
}

#ifndef Q_OS_WIN
INSTANTIATE_TEST_SUITE_P(CatLink, PortTable,
                         ::testing::Values(PortCase{0, ""}, PortCase{1, "/dev/ttyS0"},
                                           PortCase{4, "/dev/ttyS3"}, PortCase{5, "/dev/ttyUSB0"},
                                           PortCase{8, "/dev/ttyUSB3"}, PortCase{9, "/dev/ttyACM0"},
                                           PortCase{12, "/dev/ttyACM3"}, PortCase{13, "/dev/ttyS4"},
                                           PortCase{16, "/dev/ttyS7"}, PortCase{17, ""}));
#endif

TEST(PortDirectory, SettingsOverrideOneNumberAndReachTheLinkOptions)
{
    QTemporaryDir folder;
    Settings settings(folder.path());
    settings.set(Keys::CommPort, QStringLiteral("5"));
    settings.set(Keys::CommPortDevice[5], QStringLiteral("/dev/rfcomm0"));
    settings.set(Keys::RTS, QStringLiteral("True"));
    settings.set(Keys::UserCommSpeed, QStringLiteral("9600,N,8,2"));
    const PortDirectory ports(settings);
    EXPECT_EQ(ports.device(5), QStringLiteral("/dev/rfcomm0"));
    EXPECT_EQ(ports.device(6), PortDirectory::defaultDevice(6));

    const CatLink::Options options = CatLink::Options::fromSettings(settings);
    EXPECT_EQ(options.portNumber, 5);
    EXPECT_EQ(options.device, QStringLiteral("/dev/rfcomm0"));
    EXPECT_FALSE(options.deviceNamed);
    EXPECT_TRUE(options.noRts);
    EXPECT_EQ(options.userSpeed, QStringLiteral("9600,N,8,2"));

    const CatLink::Options named = CatLink::Options::fromSettings(settings, QStringLiteral("/dev/pts/7"));
    EXPECT_EQ(named.device, QStringLiteral("/dev/pts/7"));
    EXPECT_TRUE(named.deviceNamed);
}

} // namespace
