// SPDX-License-Identifier: GPL-3.0-or-later
// Reads and writes against a simulated radio whose line drops, delays,
// repeats, garbles and misaddresses replies and hangs up at random (a fixed
// seed): every slot holds the radio's content or is reported, and every
// replaced channel is in the write's backup.

#include "ScriptedProgress.h"
#include "support/ScriptedPrompter.h"
#include "support/TestText.h"

#include "RadioSimulator.h"
#include "cat/CatLink.h"
#include "cat/QtSerialPortAdapter.h"
#include "cat/RadioReader.h"
#include "cat/RadioWriter.h"
#include "files/MemoryFile.h"
#include "io/TextFileReader.h"
#include "model/CatCodec.h"
#include "model/ChannelMap.h"
#include "model/Vocabulary.h"
#include "state/AppState.h"
#include "state/MessageLog.h"

#include <QDeadlineTimer>
#include <QFile>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QThread>
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <random>

namespace {

using Options = RadioSimulator::Options;

constexpr unsigned int kSeed = 20261207;
// Each worker has its own radio and link; the waits of one overlap the others'.
constexpr int kWorkers = 4;
constexpr int kTransfersPerWorker = 12;
// No transfer of 118 slots comes near this, even on a loaded machine; a run
// that takes longer has hung.
constexpr qint64 kHangLimitMs = 60000;

// A radio's memory line for a position, from random parts (the radio's own form: "MR...").
QString randomLine(int position, std::mt19937& random)
{
    static const char* const kModes[] = {"LSB", "USB", "CW", "AM", "FM"};
    const qint64 tensOfHz = std::uniform_int_distribution<qint64>(180000, 2970000)(random);
    Channel channel;
    channel.present = true;
    channel.hertz = tensOfHz * 10;
    channel.mode =
        Vocabulary::modeCode(QString::fromLatin1(kModes[std::uniform_int_distribution<int>(0, 4)(random)]));
    channel.shift = QLatin1Char('0'); // Simplex
    const CatCodec::EncodeResult encoded = CatCodec::encode(channel, position);
    EXPECT_TRUE(encoded.ok()) << encoded.problem;
    QString line = encoded.command;
    line[1] = QLatin1Char('R');
    return line;
}

QString writeForm(QString line)
{
    if (line.size() >= 2)
        line[1] = QLatin1Char('W');
    return line;
}

// One radio, one data folder and a run of reads and writes, each checked slot by slot.
class FaultWorker {
public:
    explicit FaultWorker(int index) : m_index(index), m_random(kSeed + index)
    {
        Options options;
        options.faultSeed = kSeed + index;
        options.faults.drop = 0.025;
        options.faults.late = 0.015;
        options.faults.duplicate = 0.03;
        options.faults.garbage = 0.012;
        options.faults.wrongChannel = 0.02;
        options.faults.hangUp = 0.004;
        m_radio = std::make_unique<RadioSimulator>(options);
        for (int p = 1; p <= ChannelMap::kSlotCount; ++p) {
            if (std::uniform_int_distribution<int>(0, 9)(m_random) < 6)
                m_radio->setChannel(randomLine(p, m_random));
        }
        m_state.setDataFolder(m_folder.path());
    }

    void run()
    {
        SCOPED_TRACE(QStringLiteral("seed %1, worker %2").arg(kSeed).arg(m_index).toStdString());
        for (int t = 0; t < kTransfersPerWorker; ++t) {
            SCOPED_TRACE(QStringLiteral("transfer %1").arg(t).toStdString());
            // On a loaded machine the radio may still be working through the
            // last transfer's commands; each transfer starts from what it holds.
            ASSERT_TRUE(!m_radio->isRunning() || m_radio->waitUntilIdle(kHangLimitMs));
            if (!m_radio->isRunning() || m_radio->hungUp()) {
                m_radio->stop();
                ASSERT_FALSE(m_radio->start().isEmpty()) << m_radio->errorText();
            }
            if (t % 2 == 0)
                readOnce();
            else
                writeOnce();
        }
    }

    QVector<int> faults() const { return m_radio->faultCounts(); }

private:
    struct Transfer {
        QtSerialPortAdapter port;
        MessageLog log;
        ScriptedPrompter prompter;
        ScriptedProgress progress;
        CatLink link;
        explicit Transfer(const QString& device) : link(port, log)
        {
            CatLink::Options options;
            options.device = device;
            link.setOptions(options);
            prompter.answer(Prompter::Answer::Ok);
        }
        // A log line that names the slot: "Memory 12 (...".
        bool reported(int p) const
        {
            return !logLines(log)
                        .filter(QRegularExpression(QStringLiteral("^Memory %1 \\(").arg(p)))
                        .isEmpty();
        }
    };

    QVector<QString> radioChannels() const
    {
        QVector<QString> lines;
        for (int c = 0; c < RadioSimulator::kChannelCount; ++c)
            lines << m_radio->channel(c);
        return lines;
    }

    void readOnce()
    {
        const QVector<QString> radio = radioChannels();
        Transfer x(m_radio->devicePath());
        m_state.setChanged(false);
        const UndoHistory::Tables before = m_state.tableRows();
        const RadioReader::Outcome outcome =
            RadioReader(m_state, x.prompter, x.log, x.link, x.progress).run().outcome;
        // A transfer that could not set up its link (no identity on a loaded
        // machine, or a cable pulled before it began) changes nothing.
        if (outcome == RadioReader::Outcome::NoLink) {
            EXPECT_TRUE(m_state.tableRows() == before);
            return;
        }
        if (outcome != RadioReader::Outcome::Completed) {
            // A failed read shows nothing, never half a radio.
            EXPECT_TRUE(outcome == RadioReader::Outcome::Failed || outcome == RadioReader::Outcome::LinkLost)
                << int(outcome);
            for (int p = 1; p <= ChannelMap::kSlotCount; ++p)
                ASSERT_TRUE(m_state.tables().isEmptyAt(p)) << p;
            return;
        }
        for (int p = 1; p <= ChannelMap::kSlotCount; ++p) {
            const QString& held = radio.at(p - 1);
            if (m_state.tables().isEmptyAt(p)) {
                if (!held.isEmpty()) {
                    EXPECT_TRUE(x.reported(p)) << "slot " << p << " silently empty, radio holds " << held;
                }
                continue;
            }
            EXPECT_EQ(CatCodec::encodeSlot(m_state.tables(), p).command, writeForm(held)) << "slot " << p;
        }
    }

    void writeOnce()
    {
        const QVector<QString> radio = radioChannels();
        // The radio's channels with a few replaced, a few added and a few left out.
        m_state.tables().reset();
        for (int p = 1; p <= ChannelMap::kSlotCount; ++p) {
            if (!radio.at(p - 1).isEmpty()) {
                ASSERT_FALSE(CatCodec::decodeInto(m_state.tables(), radio.at(p - 1), p));
            }
        }
        for (int k = 0; k < 6; ++k) {
            const int p = std::uniform_int_distribution<int>(1, ChannelMap::kSlotCount)(m_random);
            if (k < 4)
                ASSERT_FALSE(CatCodec::decodeInto(m_state.tables(), randomLine(p, m_random), p));
            else
                m_state.tables().clearAt(p);
        }
        Transfer x(m_radio->devicePath());
        RadioWriter writer(m_state, x.prompter, x.log, x.link, x.progress);
        const RadioWriter::Outcome outcome = writer.run().outcome;
        ASSERT_TRUE(m_radio->waitUntilIdle(kHangLimitMs)); // every write sent has arrived
        int lostAt = ChannelMap::kSlotCount + 1;
        if (outcome == RadioWriter::Outcome::NoLink) // nothing is sent before the link is set up
            return;
        if (outcome == RadioWriter::Outcome::LinkLost) {
            const QRegularExpressionMatch m =
                QRegularExpression(QStringLiteral("while writing memory (\\d+)\\."))
                    .match(x.prompter.messages().last());
            ASSERT_TRUE(m.hasMatch()) << x.prompter.messages().last();
            lostAt = m.captured(1).toInt();
        } else {
            EXPECT_EQ(outcome, RadioWriter::Outcome::Completed);
        }

        const QVector<QString> after = radioChannels();
        for (int p = 1; p <= ChannelMap::kSlotCount; ++p) {
            if (m_state.tables().isEmptyAt(p))
                continue;
            const QString wanted = CatCodec::encodeSlot(m_state.tables(), p).command;
            if (writeForm(after.at(p - 1)) == wanted || p >= lostAt)
                continue;
            EXPECT_TRUE(x.reported(p)) << "slot " << p << " silently not written";
        }

        // Every channel that changed is in the backup with exactly its old content.
        QStringList backup;
        if (!writer.backupPath().isEmpty()) {
            QFile file(writer.backupPath());
            TextFileReader reader;
            ASSERT_TRUE(file.open(QIODevice::ReadOnly) && reader.read(file));
            backup = reader.lines();
            backup.removeAll(QString());
        }
        for (const QString& line : backup)
            EXPECT_EQ(line, writeForm(radio.at(MemoryFile::channelNumber(line)))) << "backup line " << line;
        for (int c = 0; c < RadioSimulator::kChannelCount; ++c) {
            if (!radio.at(c).isEmpty() && after.at(c) != radio.at(c)) {
                EXPECT_TRUE(backup.contains(writeForm(radio.at(c)))) << "channel " << c << " replaced unkept";
            }
        }
    }

    int m_index;
    std::mt19937 m_random;
    std::unique_ptr<RadioSimulator> m_radio;
    QTemporaryDir m_folder;
    AppState m_state;
};

TEST(RadioFaults, EverySlotHoldsTheRadiosContentOrIsReportedAndNoTransferHangs)
{
    std::vector<std::unique_ptr<FaultWorker>> workers;
    for (int w = 0; w < kWorkers; ++w)
        workers.push_back(std::make_unique<FaultWorker>(w));
    // Threads Qt knows, so the serial ports can watch their devices.
    std::vector<std::unique_ptr<QThread>> threads;
    for (auto& worker : workers) {
        threads.emplace_back(QThread::create([&worker] { worker->run(); }));
        threads.back()->start();
    }
    for (auto& thread : threads) {
        if (!thread->wait(QDeadlineTimer(kHangLimitMs * kTransfersPerWorker))) {
            std::fprintf(stderr, "transfers hung: seed %u\n", kSeed);
            std::abort();
        }
    }

    QString summary = QStringLiteral("seed %1, faults:").arg(kSeed);
    int injected = 0;
    for (int k = 0; k < RadioSimulator::kFaultKinds; ++k) {
        int total = 0;
        for (const auto& worker : workers)
            total += worker->faults().value(k);
        const char* name = RadioSimulator::faultName(RadioSimulator::Fault(k));
        summary += QStringLiteral(" %1 %2").arg(QLatin1String(name)).arg(total);
        injected += total;
        // Every kind was met, or the run proved nothing about it (nor does a
        // run whose transfers mostly could not be set up: faults come after it).
        EXPECT_GT(total, 0) << name;
    }
    std::fprintf(stderr, "%s\n", qPrintable(summary));
    EXPECT_GE(injected, 200) << summary;
}

} // namespace
