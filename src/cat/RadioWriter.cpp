// SPDX-License-Identifier: GPL-3.0-or-later
#include "RadioWriter.h"

#include "CatLink.h"
#include "LinkSetUp.h"
#include "ProgressReporter.h"
#include "files/RadioBackup.h"
#include "model/CatCodec.h"
#include "model/Channel.h"
#include "model/ChannelMap.h"
#include "state/AppState.h"
#include "state/MessageLog.h"
#include "state/Prompter.h"

#include <QDir>

namespace {
const QString kCrLf = QStringLiteral("\r\n");
} // namespace

const QString& RadioWriter::writingMessage()
{
    static const QString text = kCrLf + QStringLiteral("Writing to the radio") + kCrLf + kCrLf +
                                QStringLiteral("Wait for the process to complete") + kCrLf +
                                QStringLiteral("or click here to cancel");
    return text;
}

RadioWriter::~RadioWriter() = default;

RadioWriter::RadioWriter(AppState& state, Prompter& prompter, MessageLog& log, CatLink& link,
                         ProgressReporter& progress)
    : m_state(state), m_prompter(prompter), m_log(log), m_link(link), m_progress(progress)
{
}

RadioWriter::Result RadioWriter::run()
{
    return run(Options());
}

RadioWriter::Result RadioWriter::run(const Options& options)
{
    m_backupEnabled = options.backup;
    m_dryRun = options.dryRun;
    m_verify = options.verify;
    m_answeredRate.clear();
    Result result;
    result.outcome = write();
    result.answeredRate = m_answeredRate;
    return result;
}

RadioWriter::Outcome RadioWriter::write()
{
    m_refused = 0;
    m_lost = false;
    m_outOfRange = 0;
    m_unread = 0;
    m_written = 0;
    m_identical = 0;
    m_unconfirmed = 0;
    m_unverified.clear();
    m_differences.clear();
    m_backup = std::make_unique<RadioBackup>(m_state.dataFolder(), m_state.descriptionColumnWidth());
    // A stop asked for from here on ends the write, during the link set-up
    // and at the instructions too.
    const QString stoppedText =
        QStringLiteral("Write: stopped before the first memory; nothing was written.");
    const LinkSetUp::Result setUp = LinkSetUp::runForTransfer(m_link, m_log, m_prompter, m_progress);
    m_answeredRate = setUp.answeredRate;
    if (!setUp.ready()) {
        if (setUp.outcome != LinkSetUp::Outcome::Stopped)
            return Outcome::NoLink;
        m_log.notice(stoppedText);
        return Outcome::Cancelled;
    }

    m_state.setBusy(true);

    // A preview sends nothing, so there is nothing to prepare the radio for.
    m_log.trace(m_dryRun ? QStringLiteral("Preview: reading the radio's copy of each channel")
                         : QStringLiteral("Write: issue initial instructions"));
    const Prompter::Answer answer =
        m_progress.stopRequested() ? Prompter::Answer::Cancel
        : m_dryRun
            ? Prompter::Answer::Ok
            : m_prompter.ask(
                  QStringLiteral("If you want to clear the existing memories in the radio. ") + kCrLf +
                      kCrLf + QStringLiteral("  1. Power Off the Radio") + kCrLf +
                      QStringLiteral("  2. Hold in the A>M button and power on the radio") + kCrLf + kCrLf +
                      QStringLiteral("To minimise relay chatter switch the radio to VFO mode.") + kCrLf +
                      kCrLf + QStringLiteral("When you are ready to write click the OK button,") + kCrLf +
                      QStringLiteral("or click Cancel to abort the memory write."),
                  Prompter::Buttons::OkCancel, Prompter::Icon::Question);
    if (answer != Prompter::Answer::Ok || m_progress.stopRequested()) {
        if (m_progress.stopRequested())
            m_log.notice(stoppedText);
        m_state.setBusy(false);
        m_link.closePort();
        return Outcome::Cancelled;
    }

    m_progress.show(writingMessage(), ChannelMap::kSlotCount);
    m_progress.setPosition(0);
    m_link.discardInput();

    for (int p = 1; p <= ChannelMap::kSlotCount; ++p) {
        m_progress.setPosition(p);
        if (!m_state.tables().isEmptyAt(p)) {
            // A record the radio cannot take is never turned into a malformed
            // command; it is reported and its slot in the radio left alone.
            const CatCodec::EncodeResult encoded = CatCodec::encodeSlot(m_state.tables(), p);
            const QString rangeProblem = encoded.ok() ? outsideRange(encoded.command) : QString();
            if (!encoded.ok() || !rangeProblem.isEmpty()) {
                ++(encoded.ok() ? m_outOfRange : m_refused);
                m_log.notice(QStringLiteral("Memory ") + QString::number(p) + QStringLiteral(" (") +
                             ChannelMap::slotOf(p).label + QStringLiteral(") not written: ") +
                             (encoded.ok() ? rangeProblem : encoded.problem));
            } else {
                QString radioCopy;
                const bool known = readRadioCopy(p, radioCopy);
                const bool added = known && radioCopy == QLatin1String(CatCodec::kEmptyReply);
                if (known && radioCopy == encoded.command) {
                    ++m_identical;
                    m_log.trace(QStringLiteral("Memory ") + QString::number(p) +
                                QStringLiteral(" is identical - no action required"));
                } else if (!known && m_backupEnabled && !m_lost) {
                    // Whatever the radio holds there could not be kept, so it is not replaced.
                    ++m_unread;
                    m_log.notice(QStringLiteral("Memory ") + QString::number(p) + QStringLiteral(" (") +
                                 ChannelMap::slotOf(p).label +
                                 QStringLiteral(") not written: the radio did not answer its read, so "
                                                "its old content could not be kept in the backup"));
                } else if (known && !added && m_backupEnabled && !m_dryRun && !m_backup->add(radioCopy)) {
                    return backupFailed(p);
                } else if (!m_lost) {
                    noteDifference(p, known, radioCopy);
                    if (m_dryRun) {
                        ++m_written;
                    } else {
                        m_unconfirmed = p;
                        m_lost = !m_link.send(encoded.command);
                        m_link.pause(kWritePauseMs);
                        m_log.trace(
                            QStringLiteral("Memory ") + QString::number(p) +
                            (known && !added ? QStringLiteral(" replaced") : QStringLiteral(" added")));
                        sendAndVerify(p, encoded.command);
                    }
                }
            }
        }
        if (m_lost) {
            reportBackup();
            m_progress.hide();
            m_link.closePort();
            // The loss shows only at the next command; a write the radio has not
            // answered anything after may never have arrived.
            const int lostAt = m_unconfirmed > 0 ? m_unconfirmed : p;
            m_prompter.inform(QStringLiteral("The connection to the radio was lost while writing memory ") +
                                  QString::number(lostAt) + QLatin1Char('.') + kCrLf +
                                  QStringLiteral("The write has been abandoned; memories before it were "
                                                 "written, the rest were not."),
                              Prompter::Icon::Exclamation);
            m_state.setBusy(false);
            return Outcome::LinkLost;
        }
        if (m_progress.stopRequested())
            break;
    }

    reportBackup();
    m_progress.hide();
    m_link.closePort();
    const bool stopped = m_progress.stopRequested();
    if (m_dryRun)
        m_log.trace(QStringLiteral("Preview: %1 would be written").arg(m_written));
    else if (stopped)
        m_prompter.inform(QStringLiteral("Write cancelled by user request") + kCrLf + summary());
    else
        m_prompter.inform(QStringLiteral("Transfer of memories completed.") + kCrLf + summary(),
                          notWrittenCount() > 0 ? Prompter::Icon::Exclamation : Prompter::Icon::Information);
    m_state.setBusy(false);
    return stopped ? Outcome::Stopped : Outcome::Completed;
}

void RadioWriter::noteDifference(int p, bool known, const QString& radioCopy)
{
    std::optional<Channel> radio;
    if (known) {
        radio = Channel();
        // "?;" is an empty channel: it stays without a channel.
        if (radioCopy != QLatin1String(CatCodec::kEmptyReply))
            CatCodec::decode(radioCopy, *radio);
    }
    if (auto difference = ChannelComparison::compare(p, radio, m_state.tables().channelAt(p), false))
        m_differences << *difference;
}

void RadioWriter::sendAndVerify(int p, const QString& command)
{
    if (!m_verify) {
        ++m_written;
        return;
    }
    // The radio does not answer a write; only its copy read back shows it
    // stored the channel as sent.
    QString stored;
    const bool read = readRadioCopy(p, stored);
    if (m_lost)
        return;
    if (read && stored == command) {
        ++m_written;
        return;
    }
    m_unverified << p;
    m_log.notice(QStringLiteral("Memory ") + QString::number(p) + QStringLiteral(" (") +
                 ChannelMap::slotOf(p).label + QStringLiteral(") not stored as sent: ") +
                 (read ? QStringLiteral("the radio holds ") + stored
                       : QStringLiteral("the radio did not answer its read-back")));
}

QString RadioWriter::outsideRange(const QString& command)
{
    // The frequency field of the command, in hertz: what would reach the radio.
    bool ok = false;
    const qint64 hertz = command.mid(5, 8).toLongLong(&ok);
    if (ok && hertz >= kLowestHertz && hertz <= kHighestHertz)
        return {};
    return QStringLiteral("the frequency %1 MHz is outside the range of the radio (0.03 to 56 MHz)")
        .arg(QString::number(hertz / 1e6, 'f', 6));
}

QString RadioWriter::summary() const
{
    auto channels = [](int n) {
        return QString::number(n) + (n == 1 ? QStringLiteral(" channel") : QStringLiteral(" channels"));
    };
    QString text = QStringLiteral("%1 written, %2 identical, %3 refused.")
                       .arg(channels(m_written))
                       .arg(m_identical)
                       .arg(notWrittenCount());
    if (m_outOfRange > 0)
        text += kCrLf + QStringLiteral("Refused: %1 with a frequency outside the range of the radio "
                                       "(0.03 to 56 MHz).")
                            .arg(channels(m_outOfRange));
    if (m_refused > 0)
        text += kCrLf + QStringLiteral("Refused: %1 with a mode, tone or frequency the radio cannot take.")
                            .arg(channels(m_refused));
    if (m_unread > 0)
        text += kCrLf + QStringLiteral("Refused: %1 whose old content the radio did not send, so it could "
                                       "not be kept in the backup.")
                            .arg(channels(m_unread));
    if (!m_unverified.isEmpty()) {
        QStringList numbers;
        for (int p : m_unverified)
            numbers << QString::number(p);
        text += kCrLf + QStringLiteral("Not stored as sent (read back different): memory %1.")
                            .arg(numbers.join(QStringLiteral(", ")));
    }
    if (notWrittenCount() > 0)
        text += kCrLf + QStringLiteral("Each refused channel is named in the message log.");
    if (backedUpCount() > 0)
        text += kCrLf + QStringLiteral("The radio's old content of the %1 replaced is in %2")
                            .arg(channels(backedUpCount()))
                            .arg(QDir::toNativeSeparators(m_backup->path()));
    else if (!m_backupEnabled && m_written > 0)
        text += kCrLf + QStringLiteral("No backup was kept of the channels replaced.");
    else
        text += kCrLf + QStringLiteral("No channel was replaced, so no backup was needed.");
    return text;
}

bool RadioWriter::readRadioCopy(int p, QString& radioCopy)
{
    // One more query when the first gets no usable answer: a reply lost on
    // the line is common, a radio that never answers for a slot is not.
    for (int attempt = 0; attempt < 2 && !m_lost; ++attempt) {
        m_link.send(CatCodec::memoryReadQuery(p));
        const CatLink::Received received = m_link.receive(CatLink::Expect::memory(p - 1));
        if (!received) {
            m_lost = received.error == CatLink::LinkError::Lost;
            continue;
        }
        // The radio answers in order: the write before this query has arrived.
        m_unconfirmed = 0;
        // It answers at the speed it was moved to; the next search starts there.
        m_answeredRate = m_link.lineSettings();
        const QString reply = received.text();
        Channel record;
        if (reply == QLatin1String(CatCodec::kEmptyReply)) {
            radioCopy = reply;
            return true;
        }
        if (reply.size() == CatCodec::kCommandLength && reply.startsWith(QLatin1String("MR")) &&
            CatCodec::channelOf(reply) == p - 1 && !CatCodec::decode(reply, record)) {
            radioCopy = reply;
            radioCopy[1] = QLatin1Char('W');
            return true;
        }
        m_log.trace(QStringLiteral("Memory ") + QString::number(p) + QStringLiteral(": unreadable reply ") +
                    reply);
    }
    return false;
}

void RadioWriter::reportBackup()
{
    if (!m_backup || m_backup->count() == 0)
        return;
    m_log.notice(QStringLiteral("Radio backup of %1 replaced channel%2 written to %3")
                     .arg(m_backup->count())
                     .arg(m_backup->count() == 1 ? QString() : QStringLiteral("s"))
                     .arg(QDir::toNativeSeparators(m_backup->path())));
}

RadioWriter::Outcome RadioWriter::backupFailed(int p)
{
    reportBackup();
    m_progress.hide();
    m_link.closePort();
    m_prompter.inform(QStringLiteral("The radio's memory ") + QString::number(p) +
                          QStringLiteral(" could not be kept in a backup file:") + kCrLf +
                          m_backup->errorText() + kCrLf +
                          QStringLiteral("The write has been stopped before replacing it; memories before it "
                                         "were written, the rest were not."),
                      Prompter::Icon::Exclamation);
    m_state.setBusy(false);
    return Outcome::BackupFailed;
}

QString RadioWriter::backupPath() const
{
    return m_backup && m_backup->count() > 0 ? m_backup->path() : QString();
}

int RadioWriter::backedUpCount() const
{
    return m_backup ? m_backup->count() : 0;
}
