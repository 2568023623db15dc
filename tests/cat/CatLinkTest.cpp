// SPDX-License-Identifier: GPL-3.0-or-later
#include "FakeSerialPort.h"
#include "support/ScriptedPrompter.h"
#include "support/TestText.h"

#include "cat/CatLink.h"
#include "cat/PortDirectory.h"
#include "cat/RadioWriter.h"
#include "state/MessageLog.h"
#include "state/Settings.h"

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
        // Replies for another channel, or that are no memory reply: on a real line in RadioLinkTest.
        {{{0, r5 + r6}}, kReply6, dropped, 0, 60},
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

// ---- Opening the port ----------------------------------------------------------

TEST_F(CatLinkTest, AClosedPortSendsNothingAndReceivesNothing)
{
    link.send(QStringLiteral("MR000;"));
    EXPECT_TRUE(port.written().isEmpty());
    EXPECT_FALSE(link.receive());
}

// A port the user may not open says how to be let in. (A missing and a busy
// port are shown on a real device by the radio link tests.)
TEST_F(CatLinkTest, AFailedOpenForWantOfPermissionSaysHowToGetIt)
{
    port.setOpenFails(true, true);
    EXPECT_FALSE(link.connect());
    EXPECT_EQ(logLines(log), QStringList{QStringLiteral("SetCommPort: open failed for port 3")});
    EXPECT_EQ(prompter.messages(), QStringList{QStringLiteral(
                                       "COM Port 3 is not available. It may be in use by another program.\r\n"
                                       "The requested operation cannot continue.\r\nOn Linux, add your "
                                       "user to the 'dialout' group and log in again.")});
    EXPECT_EQ(prompter.prompts().first().icon, Prompter::Icon::Exclamation);
    EXPECT_TRUE(port.written().isEmpty());
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
