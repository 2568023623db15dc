#include "FakeSerialPort.h"
#include "support/ScriptedPrompter.h"
#include "support/TestText.h"

#include "state/MessageLog.h"
#include "state/Settings.h"
#include "cat/CatLink.h"
#include "cat/PortDirectory.h"
#include "cat/RadioWriter.h"

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

TEST_F(CatLinkTest, CollectsOneReplyWithinTheWindow)
{
    const QByteArray r5 = kReply5.toLatin1(), r6 = kReply6.toLatin1(), noise(300, 'A');
    const QString tooLong = QStringLiteral("ReceiveData: reply longer than 256 characters discarded");
    const QString dropped =
        QStringLiteral("ReceiveData: reply for channel 005 dropped while waiting for channel 006");
    struct Case {
        QVector<FakeSerialPort::Piece> pieces;
        QString reply; // empty: the receive fails
        QString log;
        int minMs, maxMs;
    };
    const Case cases[] = {
        {{{0, r6}}, kReply6, {}, 0, 60},
        {{{0, "MR00614"}, {40, "250000+000000200120;"}}, kReply6, {}, 35, 250}, // two pieces
        {{{100, r6}}, kReply6, {}, 95, 250},                                    // starts late but in time
        {{}, {}, {}, 120, 300},                                                 // silence
        {{{0, "MR00614"}, {200, "250000+000000200120;"}}, {}, {}, 120, 190},    // second piece too late
        {{{0, "?;"}}, "?;", {}, 0, 60},                                         // an empty slot
        {{{0, noise}}, {}, tooLong, 0, 60},
        {{{0, noise.left(100)}, {20, noise.left(100)}, {40, noise.left(100)}, {60, "x;"}},
         {},
         tooLong,
         35,
         250},
        {{{0, r5}, {30, r6}}, kReply6, dropped, 25, 250}, // a late reply for the previous channel
        {{{0, r5 + r6}}, kReply6, dropped, 0, 60},
        {{{0, r5}}, {}, dropped, 120, 300}, // only another channel
        // the radio's automatic information is never a memory reply
        {{{0, "IF00107000000+000000100000;"}, {20, r6}},
         kReply6,
         "ReceiveData: \"IF00107000000+000000100000;\" dropped while waiting for channel 006",
         15,
         250},
        {{{0, "#A;" + r6}}, kReply6, "ReceiveData: \"#A;\" dropped while waiting for channel 006", 0, 60},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.pieces.isEmpty() ? std::string("silence")
                                        : c.pieces.first().text.left(30).toStdString());
        FakeSerialPort fresh; // each case on its own line, so nothing is left over from the one before
        CatLink each(fresh, log, prompter, [] {});
        each.setOptions(link.options());
        ASSERT_TRUE(each.openPort(3, QStringLiteral("38400,N,8,2")));
        log.clear();
        fresh.answer(QStringLiteral("MR006;"), c.pieces);
        each.send(QStringLiteral("MR006;"));
        QElapsedTimer timer;
        timer.start();
        EXPECT_EQ(each.receive(6), !c.reply.isEmpty());
        const qint64 ms = timer.elapsed();
        EXPECT_EQ(each.reply(), c.reply);
        EXPECT_EQ(logLines(log), c.log.isEmpty() ? QStringList() : QStringList{c.log});
        EXPECT_GE(ms, c.minMs);
        EXPECT_LE(ms, c.maxMs);
    }
}

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

TEST_F(CatLinkTest, AFailedOpenShowsOneMessageAndConnectGivesUp)
{
    const QString notAvailable = QStringLiteral("COM Port %1 is not available. It may be in use by another "
                                                "program.\r\nThe requested operation cannot continue.");
    // The plain and the busy port are shown on a real device by the radio link tests.
    const std::tuple<bool, bool, const char*, QString> cases[] = {
        // permission, device named, port, message
        {false, true, "/dev/fake", notAvailable.arg("/dev/fake")},
        {true, false, "3",
         notAvailable.arg(3) + "\r\nOn Linux, add your user to the 'dialout' group and log in again."},
    };
    for (const auto& [permission, deviceNamed, name, message] : cases) {
        log.clear();
        prompter.clear();
        CatLink::Options options = link.options();
        options.deviceNamed = deviceNamed;
        link.setOptions(options);
        port.setOpenFails(true, permission);
        EXPECT_FALSE(link.connect());
        EXPECT_EQ(logLines(log), QStringList{QStringLiteral("SetCommPort: open failed for port ") + name});
        EXPECT_EQ(prompter.messages(), QStringList{message});
        EXPECT_EQ(prompter.prompts().first().icon, Prompter::Icon::Exclamation);
        EXPECT_TRUE(port.written().isEmpty());
    }
}

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

// Detection itself runs against the simulated radio; here only what the fake port shows better:
// every open's rate, and an unknown stored speed.
TEST_F(CatLinkTest, AnUnknownStoredSpeedFallsBackTo38400)
{
    const QString openOk = QStringLiteral("SetCommPort: open OK for port 3");
    port.setRadioBaud(19200);
    CatLink::Options options = link.options();
    options.userSpeed = QStringLiteral("57600,N,8,2");
    link.setOptions(options);
    ASSERT_TRUE(link.connect());
    EXPECT_EQ(logLines(log),
              (QStringList{"The stored Com speed '57600,N,8,2' is not one of 4800, 9600, 19200 or "
                           "38400; using 38400,N,8,2",
                           openOk, "Baud rate of 38400 not successful", openOk, "Baud rate of 19200 detected",
                           "Turning off Auto Information", "Setting Com speed to 38400,N,8,2", openOk}));
    // The rate found is confirmed with a second fresh identity query.
    EXPECT_EQ(port.written(), QStringList({"ID;", "ID;", "ID;", "AI0;", "EX0263;"}));
    EXPECT_EQ(port.openedRates(), QVector<int>({38400, 19200, 38400}));
    EXPECT_TRUE(link.isOpen());
    EXPECT_TRUE(prompter.prompts().isEmpty());
}

// ---- What a write may send ------------------------------------------------------

TEST(RadioWriterRange, OnlyFrequenciesTheRadioTakesAreSent)
{
    const std::pair<const char*, bool> cases[] = {
        {"MW00000030000+000000100000;", true},  {"MW00056000000+000000100000;", true},
        {"MW00000029999+000000100000;", false}, {"MW00056000001+000000100000;", false},
        {"MW00000000000+000000100000;", false}, {"MW1179999999+0000001000000;", false},
    };
    for (const auto& [command, sent] : cases)
        EXPECT_EQ(RadioWriter::outsideRange(QString::fromLatin1(command)).isEmpty(), sent) << command;
}

// ---- Port numbers --------------------------------------------------------------

#ifndef Q_OS_WIN
TEST(PortDirectory, NumbersNameTheUsualDevices)
{
    const std::pair<int, const char*> cases[] = {{0, ""},
                                                 {1, "/dev/ttyS0"},
                                                 {4, "/dev/ttyS3"},
                                                 {5, "/dev/ttyUSB0"},
                                                 {8, "/dev/ttyUSB3"},
                                                 {9, "/dev/ttyACM0"},
                                                 {12, "/dev/ttyACM3"},
                                                 {13, "/dev/ttyS4"},
                                                 {16, "/dev/ttyS7"},
                                                 {17, ""}};
    for (const auto& [number, device] : cases)
        EXPECT_EQ(PortDirectory().device(number), QString::fromLatin1(device)) << number;
}
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
