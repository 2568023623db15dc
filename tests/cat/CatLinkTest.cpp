// SPDX-License-Identifier: GPL-3.0-or-later
#include "FakeSerialPort.h"
#include "support/ScriptedPrompter.h"
#include "support/TestText.h"

#include "cat/CatLink.h"
#include "cat/LinkSetUp.h"
#include "cat/PortDirectory.h"
#include "cat/RadioWriter.h"
#include "state/MessageLog.h"
#include "state/Settings.h"

#include <QElapsedTimer>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <tuple>

namespace {

const QString kReply6 = QStringLiteral("MR00614250000+000000200120;");

class CatLinkTest : public ::testing::Test {
protected:
    CatLinkTest() : link(port, log, [this] { ++yields; })
    {
        log.setTraceEnabled(true);
        CatLink::Options options;
        options.portNumber = 3;
        options.device = QStringLiteral("/dev/fake");
        link.setOptions(options);
    }

    FakeSerialPort port;
    MessageLog log;
    int yields = 0;
    CatLink link;
};

// ---- Collecting a reply ------------------------------------------------------

TEST_F(CatLinkTest, CollectsOneReplyWithinTheWindow)
{
    const QByteArray r6 = kReply6.toLatin1(), noise(300, 'A');
    const QString tooLong = QStringLiteral("ReceiveData: reply longer than 256 characters discarded");
    using Expect = CatLink::Expect;
    struct Case {
        QVector<FakeSerialPort::Piece> pieces;
        QString reply; // empty: the receive fails
        QString log;
        int minMs, maxMs;
        Expect expect = Expect::memory(6);
    };
    const QString waitingForId = QStringLiteral("\" dropped while waiting for the identity");
    const Case cases[] = {
        {{{0, "MR00614"}, {40, "250000+000000200120;"}}, kReply6, {}, 35, 250}, // two pieces
        {{{100, r6}}, kReply6, {}, 95, 250},                                    // starts late but in time
        {{}, {}, {}, 120, 300},                                                 // silence
        {{{0, "MR00614"}, {200, "250000+000000200120;"}}, {}, {}, 120, 190},    // second piece too late
        {{{0, noise}}, {}, tooLong, 0, 60},
        {{{0, noise.left(100)}, {20, noise.left(100)}, {40, noise.left(100)}, {60, "x;"}},
         {},
         tooLong,
         35,
         250},
        // Replies for another channel, or that are no memory reply: on a real line in RadioLinkTest.
        // The identity alone, or with an empty reply as its other answer.
        {{{0, "?;ID0310;"}}, "ID0310;", "ReceiveData: \"?;" + waitingForId, 0, 60, Expect::identity()},
        {{{0, r6 + "?;"}},
         "?;",
         "ReceiveData: reply for channel 006 dropped while waiting for the identity",
         0,
         60,
         Expect::identityOrEmpty()},
        {{{0, "ID0310;"}}, {}, "ReceiveData: \"ID0310;\" dropped while waiting for channel 006", 120, 300},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.pieces.isEmpty() ? std::string("silence")
                                        : c.pieces.first().text.left(30).toStdString());
        FakeSerialPort fresh; // each case on its own line, so nothing is left over from the one before
        CatLink each(fresh, log, [] {});
        each.setOptions(link.options());
        ASSERT_EQ(each.openPort(3, QStringLiteral("38400,N,8,2")), CatLink::Opened::Yes);
        log.clear();
        fresh.answer(QStringLiteral("MR006;"), c.pieces);
        each.send(QStringLiteral("MR006;"));
        QElapsedTimer timer;
        timer.start();
        const CatLink::Received received = each.receive(c.expect);
        const qint64 ms = timer.elapsed();
        EXPECT_EQ(bool(received), !c.reply.isEmpty());
        EXPECT_EQ(received.text(), c.reply);
        EXPECT_EQ(logLines(log), c.log.isEmpty() ? QStringList() : QStringList{c.log});
        EXPECT_GE(ms, c.minMs);
        EXPECT_LE(ms, c.maxMs);
    }
}

// A closed port sends and receives nothing. Waiting yields to the event loop, but a reply already
// there is taken without; a send first discards the answers to earlier commands.
TEST_F(CatLinkTest, OnlyAnOpenPortExchangesAndWaitingYields)
{
    EXPECT_FALSE(link.send(QStringLiteral("MR000;")));
    EXPECT_TRUE(port.written().isEmpty());
    const CatLink::Received closed = link.receive(CatLink::Expect::memory(0));
    EXPECT_FALSE(closed);
    EXPECT_EQ(closed.error, CatLink::LinkError::NoReply);

    ASSERT_EQ(link.openPort(3, QStringLiteral("38400,N,8,2")), CatLink::Opened::Yes);
    port.answer(QStringLiteral("MR006;"), {{50, kReply6.toLatin1()}});
    link.send(QStringLiteral("MR006;"));
    ASSERT_TRUE(link.receive(CatLink::Expect::memory(6)));
    EXPECT_GT(yields, 3);

    yields = 0;
    log.clear();
    port.answer(QStringLiteral("AI0;"), {{0, "AI0;"}});
    port.answer(QStringLiteral("MR006;"), {{0, kReply6.toLatin1()}});
    link.send(QStringLiteral("AI0;"));
    link.send(QStringLiteral("MR006;"));
    EXPECT_EQ(link.receive(CatLink::Expect::memory(6)).text(), kReply6);
    EXPECT_EQ(yields, 0);
    EXPECT_EQ(port.bytesToWrite(), 0);
    EXPECT_TRUE(logLines(log).isEmpty()) << "the earlier answer was read as a stray reply";
}

// ---- Opening the port ----------------------------------------------------------

// A port the user may not open says how to be let in: the set-up words it,
// the caller shows it. (A missing and a busy port are shown on a real device
// by the radio link tests.)
TEST_F(CatLinkTest, AFailedOpenForWantOfPermissionSaysHowToGetIt)
{
    port.denyOpen();
    ScriptedPrompter prompter;
    LinkSetUp::tell(prompter, LinkSetUp::run(link, log));
    EXPECT_EQ(logLines(log), QStringList{QStringLiteral("SetCommPort: open failed for port 3")});
    EXPECT_EQ(prompter.messages(), QStringList{QStringLiteral(
                                       "COM Port 3 is not available. It may be in use by another program.\r\n"
                                       "The requested operation cannot continue.\r\nOn Linux, add your "
                                       "user to the 'dialout' group and log in again.")});
    EXPECT_EQ(prompter.prompts().first().icon, Prompter::Icon::Exclamation);
}

TEST_F(CatLinkTest, HandshakeFollowsTheNoRtsOption)
{
    ASSERT_EQ(link.openPort(3, QStringLiteral("9600,N,8,2")), CatLink::Opened::Yes);
    EXPECT_TRUE(port.lastRtsCts());
    CatLink::Options options = link.options();
    options.noRts = true;
    link.setOptions(options);
    ASSERT_EQ(link.openPort(3, QStringLiteral("9600,N,8,2")), CatLink::Opened::Yes);
    EXPECT_FALSE(port.lastRtsCts());
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

// The window passes only a device named for the run; the command line its
// port or device, speed and handshake. What is not overridden is as stored.
TEST(PortDirectory, SettingsOverrideOneNumberAndReachTheLinkOptions)
{
    QTemporaryDir folder;
    Settings settings(folder.path());
    settings.set(Keys::CommPort, QStringLiteral("5"));
    settings.set(Keys::CommPortDevice[5], QStringLiteral("/dev/rfcomm0"));
    settings.set(Keys::RTS, QStringLiteral("True"));
    settings.set(Keys::UserCommSpeed, QStringLiteral("9600,N,8,2"));
    settings.set(Keys::LastCommSpeed, QStringLiteral("4800,N,8,2"));

    struct Case {
        LinkOptions::Overrides overrides;
        int port;
        QString device;
        bool named, noRts;
        QString speed;
    };
    const QString pts = QStringLiteral("/dev/pts/7"), at19200 = QStringLiteral("19200,N,8,2");
    const Case cases[] = {
        {{}, 5, QStringLiteral("/dev/rfcomm0"), false, true, QStringLiteral("9600,N,8,2")},
        {{std::nullopt, pts, {}, std::nullopt}, 5, pts, true, true, QStringLiteral("9600,N,8,2")},
        {{6, {}, at19200, false}, 6, PortDirectory::defaultDevice(6), false, false, at19200},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.device.toStdString());
        const LinkOptions options = LinkOptions::fromSettings(settings, c.overrides);
        EXPECT_EQ(std::tie(options.portNumber, options.device, options.deviceNamed, options.noRts,
                           options.userSpeed),
                  std::tie(c.port, c.device, c.named, c.noRts, c.speed));
        EXPECT_EQ(options.rememberedSpeed, QStringLiteral("4800,N,8,2"));
    }
}

} // namespace
