// SPDX-License-Identifier: GPL-3.0-or-later
// The link, the read and the write against the simulated radio on a real
// pseudo-terminal, through QSerialPort: what the radio saw, what the log
// says and what the user was told, and the backup a write keeps.

#include "ScriptedProgress.h"
#include "files/FileTestSupport.h"
#include "support/DiskFull.h"
#include "support/PromptText.h"
#include "support/ScriptedPrompter.h"
#include "support/TestText.h"

#include "RadioSimulator.h"
#include "cat/CatLink.h"
#include "cat/LinkSetUp.h"
#include "cat/QtSerialPortAdapter.h"
#include "cat/RadioReader.h"
#include "cat/RadioWriter.h"
#include "files/RadioBackup.h"
#include "model/CatCodec.h"
#include "model/ChannelMap.h"
#include "state/AppState.h"
#include "state/MessageLog.h"

#include <QFile>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <functional>
#include <gtest/gtest.h>
#include <memory>

namespace {

using Options = RadioSimulator::Options;

const QString kOpenOk = QStringLiteral("SetCommPort: open OK for port 1");
const QString kInstructions = QStringLiteral("You are about to read the Radio. \r\n\r\n"
                                             "  1. Ensure your radio is on and connected.\r\n"
                                             "  2. Click the OK button\r\n\r\n"
                                             "or click Cancel to abort the memory read.");
const QString kReadDone =
    QStringLiteral("The read of memories from the Radio has completed successfully.\r\n"
                   "It is recommended that you save a copy to disk using Write Disk File "
                   "button.");
const QString kNotReadNote =
    QStringLiteral("Memories not read are shown as \"Not read\"; Write Radio leaves them in the radio as "
                   "they are.");
const QString kNotAvailable =
    QStringLiteral("COM Port %1 is not available. It may be in use by another program.\r\n"
                   "The requested operation cannot continue.");
const QString kTwoAttempts =
    QStringLiteral("Two attempts to set the CAT rate have failed.\r\n"
                   "Please check your Com port connection and radio power on state.");

// A memory-write command for a sequence position, from a record written with "." (see rec()).
QString command(int position, const char* record)
{
    Channel r = rec(record);
    if (r.shift.isNull())
        r.shift = QLatin1Char('0'); // Simplex
    const CatCodec::EncodeResult result = CatCodec::encode(r, position);
    EXPECT_TRUE(result.ok()) << result.problem.toStdString();
    return result.command;
}

QStringList queries(int first, int last)
{
    QStringList list;
    for (int p = first; p <= last; ++p)
        list << CatCodec::memoryReadQuery(p);
    return list;
}

// The identity query, its confirmation, auto information off and the user speed.
const QStringList kSetUp = {QStringLiteral("ID;"), QStringLiteral("ID;"), QStringLiteral("AI0;"),
                            QStringLiteral("EX0263;")};

class RadioLink : public ::testing::Test {
protected:
    RadioLink() : link(port, log, [] {})
    {
        log.setTraceEnabled(true);
        state.setDataFolder(dataFolder.path()); // where a write's backup goes
    }
    ~RadioLink() override { link.closePort(); }

    // The link set-up, telling the user what the window would.
    bool connect()
    {
        const LinkSetUp::Result result = LinkSetUp::run(link, log);
        LinkSetUp::tell(prompter, result);
        return result.ready();
    }

    // A fresh radio with the faults `arm` sets, and a fresh log and prompter.
    void startRadio(const std::function<void(Options&)>& arm = {})
    {
        Options options;
        if (arm)
            arm(options);
        log.clear();
        prompter.clear();
        radio = std::make_unique<RadioSimulator>(options);
        const QString device = radio->start();
        ASSERT_FALSE(device.isEmpty()) << radio->errorText().toStdString();
        useDevice(device);
    }
    void useDevice(const QString& device)
    {
        CatLink::Options options;
        options.portNumber = 1;
        options.device = device;
        link.setOptions(options);
    }
    RadioReader::Outcome read() { return RadioReader(state, prompter, log, link, progress).run().outcome; }
    RadioWriter::Outcome write()
    {
        RadioWriter writer(state, prompter, log, link, progress);
        const RadioWriter::Outcome outcome = writer.run().outcome;
        backupPath = writer.backupPath();
        return outcome;
    }
    QStringList mwSent() const { return radio->commands().filter(QRegularExpression(QStringLiteral("^MW"))); }
    // After any end of a procedure: not busy, the port closed.
    void expectIdle()
    {
        EXPECT_FALSE(state.busy());
        EXPECT_FALSE(link.isOpen());
    }
    void expectAllEmptyFrom(int first)
    {
        for (int p = first; p <= ChannelMap::kSlotCount; ++p)
            ASSERT_TRUE(state.tables().isEmptyAt(p)) << "position " << p;
    }

    std::unique_ptr<RadioSimulator> radio;
    QTemporaryDir dataFolder;
    QtSerialPortAdapter port;
    MessageLog log;
    ScriptedPrompter prompter;
    ScriptedProgress progress;
    AppState state;
    CatLink link;
    QString backupPath;
};

// ---- Link set-up -----------------------------------------------------------------

const QString kAutoOff = QStringLiteral("Turning off Auto Information");
const QString kSpeed = QStringLiteral("Setting Com speed to 38400,N,8,2");
const int kRates[] = {38400, 19200, 9600, 4800};

// The log of a search over the rates down to `found` (0: none answered; `unknownId`: "?;" answered
// the first, which then logs no "not successful").
QStringList searchLog(int found, bool unknownId = false)
{
    QStringList lines;
    for (int rate : kRates) {
        lines << kOpenOk;
        if (rate == found)
            return lines << QStringLiteral("Baud rate of %1 detected").arg(rate) << kAutoOff << kSpeed
                         << kOpenOk;
        if (!(unknownId && rate == 38400))
            lines << QStringLiteral("Baud rate of %1 not successful").arg(rate);
    }
    return lines;
}

// A silent radio, and one that answers "?;" to "ID;".
TEST_F(RadioLink, EightIdentityQueriesThenTheTwoAttemptsMessage)
{
    for (bool unknownId : {false, true}) {
        SCOPED_TRACE(unknownId);
        startRadio([unknownId](Options& o) {
            o.unknownId = unknownId;
            o.noAnswer = !unknownId;
        });
        EXPECT_FALSE(connect());
        EXPECT_EQ(radio->commands(), QStringList(8, QStringLiteral("ID;")));
        EXPECT_EQ(logLines(log), searchLog(0, unknownId) + searchLog(0, unknownId));
        EXPECT_EQ(prompter.messages(), QStringList{kTwoAttempts});
        EXPECT_EQ(prompter.prompts().first().icon, Prompter::Icon::None);
        EXPECT_FALSE(link.isOpen());
    }
}

// An identity reply later than the reply window arrives while the next rate is tried; it must not
// pass for the radio at that rate. A radio slow only to wake is found at its own rate on the
// second pass; one always slow is never found at a wrong one.
TEST_F(RadioLink, ALateIdentityIsNeverTakenForAnotherRate)
{
    for (const int lateReplies : {1, -1}) {
        for (const int rate : kRates) {
            SCOPED_TRACE(QStringLiteral("radio at %1, %2 late").arg(rate).arg(lateReplies).toStdString());
            startRadio([&](Options& o) {
                o.startRate = rate;
                o.idLateMs = CatLink::kReplyWindowMs + 15;
                o.idLateReplies = lateReplies;
            });
            const bool found = connect();
            const QStringList detected = logLines(log).filter(QStringLiteral(" detected"));
            if (lateReplies == 1) {
                ASSERT_TRUE(found);
                EXPECT_EQ(detected, QStringList{QStringLiteral("Baud rate of %1 detected").arg(rate)});
            } else {
                EXPECT_FALSE(found);
                EXPECT_TRUE(detected.isEmpty()) << detected.join(QLatin1Char('|')).toStdString();
            }
            link.closePort();
        }
    }
}

// A device held by another program is "in use", not a matter of the dialout group, also when the
// two programs name it differently (a /dev/serial/by-id link and its target).
TEST_F(RadioLink, TwoNamesOfOneDeviceAreOneBusyPort)
{
    startRadio();
    const QString target = radio->devicePath();
    const QString alias = dataFolder.filePath(QStringLiteral("usb-Radio_Cable-if00-port0"));
    ASSERT_TRUE(QFile::link(target, alias));
    const QString busy =
        kNotAvailable +
        QStringLiteral("\r\nThe port is in use by another program; close that program and try again.");
    for (const auto& [held, opened] :
         {std::pair{alias, target}, std::pair{target, alias}, std::pair{target, target}}) {
        SCOPED_TRACE(opened.toStdString());
        QtSerialPortAdapter other;
        ASSERT_TRUE(other.open(held, 38400, false));
        CatLink::Options options;
        options.device = opened;
        options.deviceNamed = true;
        link.setOptions(options);
        EXPECT_EQ(link.openPort(1, QStringLiteral("38400,N,8,2")), CatLink::Opened::InUse);
        EXPECT_EQ(LinkSetUp::portUnavailableText(link.portLabel(), CatLink::Opened::InUse), busy.arg(opened));
        other.close();
        EXPECT_EQ(link.openPort(1, QStringLiteral("38400,N,8,2")), CatLink::Opened::Yes);
        link.closePort();
    }
}

// ---- Reading --------------------------------------------------------------------

using Reading = RadioLink;

// Each slot its own channel, so one stored in the wrong slot shows.
TEST_F(Reading, FilledMemoriesAndEverythingElseEmpty)
{
    startRadio();
    const char* records[] = {"0.13600|USB|Simplex||67.0", "7.05000|USB|Simplex||67.0",
                             "29.62000|FM|Minus|CTCSS Enc|88.5", "50.11000|USB|Simplex||67.0"};
    for (int p = 1; p <= 4; ++p)
        ASSERT_TRUE(radio->setChannel(command(p, records[p - 1])));
    // A stored speed the radio does not have is said once and replaced by its own.
    CatLink::Options options = link.options();
    options.userSpeed = QStringLiteral("57600,N,8,2");
    link.setOptions(options);
    prompter.answer(Prompter::Answer::Ok);

    EXPECT_EQ(read(), RadioReader::Outcome::Completed);

    EXPECT_EQ(radio->commands(), kSetUp + queries(1, 118));
    for (int p = 1; p <= 4; ++p)
        EXPECT_EQ(CatCodec::encodeSlot(state.tables(), p).command, command(p, records[p - 1])) << p;
    expectAllEmptyFrom(5);

    EXPECT_EQ(promptTexts(prompter),
              (QStringList{promptText(kInstructions, Prompter::Buttons::OkCancel, Prompter::Icon::Question),
                           promptText(kReadDone, Prompter::Buttons::Ok, Prompter::Icon::Information)}));
    EXPECT_EQ(logLines(log),
              QStringList{"The stored Com speed '57600,N,8,2' is not one of 4800, 9600, 19200 or "
                          "38400; using 38400,N,8,2"} +
                  searchLog(38400) + QStringList{"Read: issue initial instructions"});
    EXPECT_TRUE(state.readPresent() && !state.filePresent() && !state.changed());
    expectIdle();
    EXPECT_EQ(progress.shown, QStringList{RadioReader::readingMessage()});
    EXPECT_EQ(progress.maximum, 118);
}

// Reads that end short of all 118 slots. One that failed shows nothing; one that stopped or met
// silence shows what came and marks the rest not read (which a write leaves alone: StrayReplies).
struct ShortRead {
    const char* name;
    void (*fault)(Options&);
    int stopAt;
    RadioReader::Outcome outcome;
    int queried; // memory queries sent
    int shown;   // slots 1..shown hold the radio's channels, the rest are empty
    QString message;
    Prompter::Icon icon;
};
const ShortRead kShortReads[] = {
    {"SilentAfterSlot50", [](Options& o) { o.silentAfterChannel = 49; }, 0, RadioReader::Outcome::Completed,
     118, 50,
     QStringLiteral(
         "The read of memories from the Radio is incomplete: the radio did not answer for 68 memories "
         "(named in the message log).\r\n") +
         kNotReadNote,
     Prompter::Icon::Exclamation},
    {"StoppedAtSlot30", [](Options&) {}, 30, RadioReader::Outcome::Stopped, 30, 30,
     QStringLiteral(
         "The read of memories from the Radio was stopped at memory 30; the 88 memories after it were "
         "not read.\r\n") +
         kNotReadNote,
     Prompter::Icon::Exclamation},
    {"NoMemoryQueryAnswered", [](Options& o) { o.faults.drop = 1.0; }, 0, RadioReader::Outcome::NoAnswer, 118,
     0,
     QStringLiteral("The radio did not answer any of the 118 memory queries; nothing was read.\r\n"
                    "Check that the radio is on and connected, then read again."),
     Prompter::Icon::Exclamation},
    {"GarbageAtSlot13", [](Options& o) { o.garbageChannel = 12; }, 0, RadioReader::Outcome::Failed, 13, 0,
     QStringLiteral("Error 13 (Type mismatch) in line 11 of procedure cmdRead_Click of Form Form1"),
     Prompter::Icon::None},
    {"CablePulledAtSlot21", [](Options& o) { o.hangUpAfter = kSetUp.size() + 20; }, 0,
     RadioReader::Outcome::LinkLost, 20, 0,
     QStringLiteral("The connection to the radio was lost while reading memory 21.\r\n"
                    "The read has been abandoned; check the cable and the radio, then read again."),
     Prompter::Icon::Exclamation},
};
class ShortReads : public RadioLink, public ::testing::WithParamInterface<ShortRead> {};

TEST_P(ShortReads, SayHowTheReadEndedAndShowOnlyWhatCame)
{
    const ShortRead& c = GetParam();
    startRadio(c.fault);
    for (int p = 1; p <= 118; ++p)
        radio->setChannel(command(p, "7.10000|CW"));
    progress.stopAt = c.stopAt;
    prompter.answer(Prompter::Answer::Ok);
    EXPECT_EQ(read(), c.outcome);
    EXPECT_EQ(radio->commands(), kSetUp + queries(1, c.queried));
    EXPECT_EQ(prompter.messages(), (QStringList{kInstructions, c.message}));
    EXPECT_EQ(prompter.prompts().last().icon, c.icon);
    for (int p = 1; p <= c.shown; ++p)
        ASSERT_EQ(ChannelText::mode(state.tables().channelAt(p)), QStringLiteral("CW")) << p;
    expectAllEmptyFrom(c.shown + 1);
    EXPECT_EQ(state.readPresent(), c.shown > 0);
    EXPECT_EQ(state.dataSource(), int(c.shown > 0 ? AppState::Radio : AppState::Nothing));
    expectIdle();
    EXPECT_FALSE(progress.visible);
    if (c.shown > 0) {
        EXPECT_EQ(state.unreadCount(), 118 - c.shown);
    }
}
INSTANTIATE_TEST_SUITE_P(Reading, ShortReads, ::testing::ValuesIn(kShortReads),
                         [](const ::testing::TestParamInfo<ShortRead>& row) {
                             return std::string(row.param.name);
                         });

// Replies that are not for the asked channel: a late reply for the previous channel, an empty
// channel's late "?;" (which names no channel, and taken as the next slot's answer would show a
// filled channel empty and let a write replace it unkept), and automatic information lines from a
// radio that kept it on. None is stored; a slot left without its reply is shown empty, and writing
// the read back sends no write command, so the radio keeps that channel.
struct StrayReply {
    const char* name;
    int lateChannel;       // its reply comes late
    bool autoInfo;         // automatic information stays on
    int first, last, step; // the filled slots
    int noReplySlot;       // 0: every slot got its reply
    const char* dropped;   // the log lines of the stray replies
    int droppedAtLeast;
    int askedAgain; // the slot whose query goes out again after the nameless "?;"
    int latencyMs;  // the radio's turnaround before each reply
};
const StrayReply kStrayReplies[] = {
    {"ReplyForThePreviousChannel", 5, false, 1, 8, 1, 6,
     "^ReceiveData: reply for channel 005 dropped while waiting for channel 006$", 1, 0, 0},
    {"EmptyReply", 2, false, 4, 4, 1, 3, nullptr, 0, 4, 0},
    // The slot asked again is empty too, and its first answer comes after the late "?;": the
    // answer to the second query must not pass for the next slot's.
    {"EmptyReplyBeforeAnEmptySlot", 2, false, 5, 5, 1, 3, nullptr, 0, 4, 20},
    {"AutomaticInformation", -1, true, 1, 118, 3, 0,
     "^ReceiveData: \"IF.*\" dropped while waiting for channel \\d{3}$", 118, 0, 0},
};
class StrayReplies : public RadioLink, public ::testing::WithParamInterface<StrayReply> {};

TEST_P(StrayReplies, AreNeverTakenForTheAskedChannel)
{
    const StrayReply& c = GetParam();
    startRadio([&c](Options& o) {
        o.lateChannel = c.lateChannel;
        o.lateMs = 190;
        o.wireTiming = c.latencyMs > 0;
        o.latencyUs = c.latencyMs * 1000;
        o.autoInfoOutput = o.ignoreAutoInfoOff = c.autoInfo;
    });
    for (int p = c.first; p <= c.last; p += c.step) { // each slot its own, so a misplaced reply shows
        const QByteArray record = p > 100 ? QByteArray("21.200000|USB")
                                          : QString::number(7 + p / 1000.0, 'f', 5).toLatin1() + "|LSB";
        radio->setChannel(command(p, record.constData()));
    }
    prompter.answer(Prompter::Answer::Ok);
    ASSERT_EQ(read(), RadioReader::Outcome::Completed);
    if (c.noReplySlot == 0) {
        EXPECT_EQ(prompter.messages().last(), kReadDone);
    }
    for (int p = 1; p <= 118; ++p) {
        const QString held = radio->channel(p - 1);
        if (held.isEmpty() || p == c.noReplySlot)
            ASSERT_TRUE(state.tables().isEmptyAt(p)) << p;
        else
            ASSERT_EQ(CatCodec::encodeSlot(state.tables(), p).command, QStringLiteral("MW") + held.mid(2))
                << p;
    }
    if (c.noReplySlot > 0) {
        EXPECT_EQ(
            logLines(log).filter(QStringLiteral("no reply from the radio")),
            QStringList{
                QStringLiteral("Memory %1 (%2): no reply from the radio; the slot is shown as \"Not read\"")
                    .arg(c.noReplySlot)
                    .arg(c.noReplySlot - 1)});
    }
    if (c.dropped) {
        EXPECT_GE(logLines(log).filter(QRegularExpression(QString::fromLatin1(c.dropped))).size(),
                  c.droppedAtLeast);
    }
    if (c.askedAgain > 0) {
        EXPECT_EQ(radio->commands().filter(CatCodec::memoryReadQuery(c.askedAgain)).size(), 2);
    }

    radio->clearTraffic();
    prompter.answer(Prompter::Answer::Ok);
    if (c.askedAgain > 0) // the write asks again too, here for an edited slot before the late reply
        state.tables().setChannelAt(c.askedAgain - 1, rec("7.00000|LSB|Simplex"));
    ASSERT_EQ(write(), RadioWriter::Outcome::Completed);
    EXPECT_TRUE(mwSent().isEmpty());
}
INSTANTIATE_TEST_SUITE_P(Reading, StrayReplies, ::testing::ValuesIn(kStrayReplies),
                         [](const ::testing::TestParamInfo<StrayReply>& row) {
                             return std::string(row.param.name);
                         });

// No to the unsaved-changes question opens nothing; Cancel at the instructions leaves the tables.
TEST_F(Reading, DecliningBeforeTheReadSendsNoQuery)
{
    startRadio();
    radio->setChannel(command(1, "7.10000|CW"));
    state.setChanged(true);
    state.tables().setChannelAt(1, rec("7.00000|LSB|Simplex|||mine"));
    prompter.answer(Prompter::Answer::No);
    EXPECT_EQ(read(), RadioReader::Outcome::Declined);
    EXPECT_TRUE(radio->commands().isEmpty());
    EXPECT_TRUE(logLines(log).isEmpty());
    // Return keeps the changes.
    EXPECT_EQ(
        promptTexts(prompter),
        QStringList{promptText(QStringLiteral("Changes have been made but not yet saved to disk\r\n"
                                              "Are you sure you want to continue?"),
                               Prompter::Buttons::YesNo, Prompter::Icon::Question, Prompter::Answer::No)});
    EXPECT_EQ(state.tables().channelAt(1).description, QStringLiteral("mine"));

    state.setCurrentFilePath(QStringLiteral("/tmp/x.950"));
    state.setFilePresent(true);
    prompter.answer(Prompter::Answer::Yes).answer(Prompter::Answer::Cancel);
    EXPECT_EQ(read(), RadioReader::Outcome::Cancelled);
    // No reply follows "AI0;" or the rate command: the radio's thread may still be reading them.
    ASSERT_TRUE(radio->waitUntilIdle(5000));
    EXPECT_EQ(radio->commands(), kSetUp);
    // The tables are emptied only after OK: a cancel keeps them, their file and the user's edits.
    EXPECT_EQ(state.tables().channelAt(1).description, QStringLiteral("mine"));
    EXPECT_EQ(state.currentFilePath(), QStringLiteral("/tmp/x.950"));
    EXPECT_TRUE(state.filePresent());
    EXPECT_TRUE(state.changed());
    EXPECT_EQ(logLines(log).mid(5),
              QStringList({"Read: issue initial instructions", "Read: user cancelled before read"}));
    expectIdle();
}

// ---- Writing --------------------------------------------------------------------

// A radio's memory line as a memory file holds it: "MR..." becomes "MW...".
QString writeForm(QString line)
{
    line[1] = QLatin1Char('W');
    return line;
}

using Writing = RadioLink;

TEST_F(Writing, OnlyChangedSlotsAreWrittenAndEmptyOnesNeverSent)
{
    startRadio();
    // Slots 6 and 102 are outside 0.03 to 56 MHz: never sent.
    for (const auto& [slot, text] : {std::pair{1, "7.00000|LSB"},
                                     {2, "14.20000|USB"},
                                     {3, "21.20000|USB"},
                                     {4, "28.40000|?? "},
                                     {101, "14.000000|CW"},
                                     {6, "0.00000|LSB"},
                                     {102, "56.000010|USB"}})
        state.tables().setChannelAt(slot, rec((text + QByteArray("|Simplex")).constData()));
    radio->setChannel(command(1, "7.00000|LSB"));
    // What the tables do not show (hertz between 10 Hz steps, the radio's data in characters 14-20
    // and 22): the backup keeps it byte for byte.
    const QString replaced = QStringLiteral("MR00114250005+000000A01121;");
    radio->setChannel(replaced);
    radio->setChannel(command(5, "3.60000|LSB")); // kept: the table's slot 5 is empty
    prompter.answer(Prompter::Answer::Ok);

    EXPECT_EQ(write(), RadioWriter::Outcome::Completed);

    // Each channel written is read back.
    EXPECT_EQ(radio->commands(),
              kSetUp + QStringList({"MR000;", "MR001;", command(2, "14.20000|USB"), "MR001;", "MR002;",
                                    command(3, "21.20000|USB"), "MR002;", "MR100;",
                                    command(101, "14.000000|CW"), "MR100;"}));
    EXPECT_EQ(logLines(log).mid(5),
              QStringList({"Write: issue initial instructions", "Memory 1 is identical - no action required",
                           "Memory 2 replaced", "Memory 3 added",
                           "Memory 4 (3) not written: the mode '?? ' is not a mode of the radio",
                           "Memory 6 (5) not written: the frequency 0.000000 MHz is outside the range of the "
                           "radio (0.03 to 56 MHz)",
                           "Memory 101 added",
                           "Memory 102 (P1U) not written: the frequency 56.000010 MHz is outside the range "
                           "of the radio (0.03 to 56 MHz)"}) +
                  QStringList{"Radio backup of 1 replaced channel written to " +
                              QDir::toNativeSeparators(backupPath)});
    EXPECT_EQ(
        prompter.messages().last(),
        QStringLiteral("Transfer of memories completed.\r\n"
                       "3 channels written, 1 identical, 3 refused.\r\n"
                       "Refused: 2 channels with a frequency outside the range of the radio (0.03 to 56 "
                       "MHz).\r\n"
                       "Refused: 1 channel with a mode, tone or frequency the radio cannot take.\r\n"
                       "Each refused channel is named in the message log.\r\n"
                       "The radio's old content of the 1 channel replaced is in ") +
            QDir::toNativeSeparators(
                QDir(dataFolder.path()).entryInfoList({"Radio backup *.950"}).value(0).filePath()));
    EXPECT_EQ(prompter.prompts().last().icon, Prompter::Icon::Exclamation);
    // Neither the identical channel nor the ones added to empty channels.
    EXPECT_EQ(FileTestSupport::readBytes(backupPath), (writeForm(replaced) + "\r\n").toLatin1());
    EXPECT_EQ(prompter.prompts().first().text,
              QStringLiteral("If you want to clear the existing memories in the radio. \r\n\r\n"
                             "  1. Power Off the Radio\r\n"
                             "  2. Hold in the A>M button and power on the radio\r\n\r\n"
                             "To minimise relay chatter switch the radio to VFO mode.\r\n\r\n"
                             "When you are ready to write click the OK button,\r\n"
                             "or click Cancel to abort the memory write."));
    expectIdle();
    EXPECT_EQ(progress.shown, QStringList{RadioWriter::writingMessage()});
}

TEST_F(Writing, AStopDuringTheWriteFinishesTheSlotAndSaysSo)
{
    startRadio();
    for (int p = 1; p <= 118; ++p)
        state.tables().setChannelAt(p, rec(p > 100 ? "10.100000|AM|Simplex" : "10.10000|AM|Simplex"));
    progress.stopAt = 3;
    prompter.answer(Prompter::Answer::Ok);
    EXPECT_EQ(write(), RadioWriter::Outcome::Stopped);
    EXPECT_EQ(radio->commands(), kSetUp + QStringList({"MR000;", command(1, "10.10000|AM"), "MR000;",
                                                       "MR001;", command(2, "10.10000|AM"), "MR001;",
                                                       "MR002;", command(3, "10.10000|AM"), "MR002;"}));
    EXPECT_EQ(prompter.messages().last(),
              QStringLiteral("Write cancelled by user request\r\n"
                             "3 channels written, 0 identical, 0 refused.\r\n"
                             "No channel was replaced, so no backup was needed."));
    EXPECT_EQ(prompter.prompts().last().icon, Prompter::Icon::None);
    EXPECT_FALSE(link.isOpen());
}

TEST_F(Writing, APulledCableEndsTheWriteWithAMessage)
{
    // Set-up, MR, MW and the read-back for slot 1, then MR and MW for slot 2.
    startRadio([](Options& o) { o.hangUpAfter = kSetUp.size() + 5; });
    for (int p = 1; p <= 10; ++p)
        state.tables().setChannelAt(p, rec("18.10000|CW|Simplex"));
    prompter.answer(Prompter::Answer::Ok);
    EXPECT_EQ(write(), RadioWriter::Outcome::LinkLost);
    // The write of memory 2 went out just before the line went; nothing confirms it arrived.
    EXPECT_EQ(
        prompter.messages().last(),
        QStringLiteral("The connection to the radio was lost while writing memory 2.\r\n"
                       "The write has been abandoned; memories before it were written, the rest were not."));
    expectIdle();
}

// ---- The backup a write keeps -----------------------------------------------------

using Backup = RadioLink;

// The disk fills part-way through a write: each channel rewrites the whole
// backup, and the rewrite that no longer fits leaves the backup as it was,
// with every channel replaced so far, and stops the write before the channel
// it could not keep.
TEST_F(Backup, ADiskThatFillsPartWayStopsTheWriteWithTheBackupWhole)
{
    startRadio();
    QStringList old;
    for (int channel = 0; channel < 40; ++channel) {
        old << QStringLiteral("MR0%1%2+000000100000;")
                   .arg(channel, 2, 10, QLatin1Char('0'))
                   .arg(700000 + channel, 8, 10, QLatin1Char('0'));
        radio->setChannel(old.last());
        state.tables().setChannelAt(channel + 1, rec("14.10000|USB|Simplex"));
    }
    RadioWriter::Outcome outcome;
    {
        // The description file (702 bytes) fits; 27 backed-up lines (783 bytes) fit, 28 do not.
        FileSizeLimit limit(800);
        prompter.answer(Prompter::Answer::Ok);
        outcome = write();
    }
    EXPECT_EQ(outcome, RadioWriter::Outcome::BackupFailed);
    QString expected;
    for (int channel = 0; channel < 27; ++channel)
        expected += writeForm(old.at(channel)) + QStringLiteral("\r\n");
    EXPECT_EQ(QString::fromLatin1(FileTestSupport::readBytes(backupPath)), expected);
    EXPECT_EQ(mwSent().size(), 27);
    EXPECT_TRUE(logLines(log).contains(QStringLiteral("Radio backup of 27 replaced channels written to ") +
                                       QDir::toNativeSeparators(backupPath)));
    EXPECT_TRUE(prompter.messages().last().startsWith(
        QStringLiteral("The radio's memory 28 could not be kept in a backup file:\r\n")))
        << prompter.messages().last().toStdString();
    EXPECT_TRUE(prompter.messages().last().endsWith(
        QStringLiteral("The write has been stopped before replacing it; memories before it were written, the "
                       "rest were not.")));
    expectIdle();
}

// Two writes in one minute keep two backups; neither replaces the other.
TEST(RadioBackupFile, ASecondBackupInTheSameMinuteGetsItsOwnName)
{
    QTemporaryDir folder;
    const QDateTime when(QDate(2026, 12, 6), QTime(23, 59));
    RadioBackup first(folder.path(), 1500, when);
    RadioBackup second(folder.path(), 1500, when);
    ASSERT_TRUE(first.add(QStringLiteral("MR00007000005+000000100000;")));
    ASSERT_TRUE(second.add(QStringLiteral("MR00514250000+000000A01121;")));
    EXPECT_EQ(QFileInfo(first.path()).fileName(), QStringLiteral("Radio backup 2026-12-06 2359.950"));
    EXPECT_EQ(QFileInfo(second.path()).fileName(), QStringLiteral("Radio backup 2026-12-06 2359 (2).950"));
    const QList<QByteArray> lines =
        FileTestSupport::readBytes(first.path() + QStringLiteral("dsc")).split('\n');
    EXPECT_EQ(lines.value(0) + lines.value(100), QByteArray("0,\"1500\"\r100,\"\"\r"));

    // A description file removed while the write runs is made again.
    ASSERT_TRUE(QFile::remove(first.path() + QStringLiteral("dsc")));
    ASSERT_TRUE(first.add(QStringLiteral("MR00921000000+000000200000;")));
    EXPECT_TRUE(QFileInfo(first.path() + QStringLiteral("dsc")).isFile());
}

} // namespace
