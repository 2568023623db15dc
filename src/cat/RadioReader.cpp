// SPDX-License-Identifier: GPL-3.0-or-later
#include "RadioReader.h"

#include "CatLink.h"
#include "LinkSetUp.h"
#include "ProgressReporter.h"
#include "model/CatCodec.h"
#include "model/ChannelMap.h"
#include "state/AppState.h"
#include "state/MessageLog.h"
#include "state/Prompter.h"

namespace {
const QString kCrLf = QStringLiteral("\r\n");

// The procedure's own step labels, quoted by the failure message.
constexpr int kStepReadLoop = 11;
} // namespace

const QString& RadioReader::readingMessage()
{
    static const QString text = kCrLf + QStringLiteral("Reading the radio.") + kCrLf + kCrLf +
                                QStringLiteral("Wait for the process to complete") + kCrLf +
                                QStringLiteral("or click this message to cancel.");
    return text;
}

RadioReader::RadioReader(AppState& state, Prompter& prompter, MessageLog& log, CatLink& link,
                         ProgressReporter& progress)
    : m_state(state), m_prompter(prompter), m_log(log), m_link(link), m_progress(progress)
{
}

RadioReader::Result RadioReader::run()
{
    Result result;
    result.outcome = read();
    result.unanswered = m_unanswered;
    result.lastQueried = m_lastQueried;
    result.answeredRate = m_answeredRate;
    return result;
}

RadioReader::Outcome RadioReader::read()
{
    if (m_state.changed() &&
        m_prompter.askSafely(QStringLiteral("Changes have been made but not yet saved to disk") + kCrLf +
                                 QStringLiteral("Are you sure you want to continue?"),
                             Prompter::Buttons::YesNo, Prompter::Icon::Question,
                             Prompter::Answer::No) != Prompter::Answer::Yes)
        return Outcome::Declined;

    m_unanswered = 0;
    m_lastQueried = 0;
    m_stopped = false;
    // A stop asked for from here on ends the read, during the link set-up too.
    const LinkSetUp::Result setUp = LinkSetUp::runForTransfer(m_link, m_log, m_prompter, m_progress);
    m_answeredRate = setUp.answeredRate;
    if (!setUp.ready()) {
        if (setUp.outcome != LinkSetUp::Outcome::Stopped)
            return Outcome::NoLink;
        m_log.notice(stoppedBeforeReadText());
        return Outcome::StoppedBeforeRead;
    }

    m_state.setBusy(true);

    // The tables are emptied only once the user has said OK: a cancel here
    // (or a stop) leaves them, their file and their changed state as they were.
    m_log.trace(QStringLiteral("Read: issue initial instructions"));
    const Prompter::Answer answer =
        m_progress.stopRequested()
            ? Prompter::Answer::Cancel
            : m_prompter.ask(QStringLiteral("You are about to read the Radio. ") + kCrLf + kCrLf +
                                 QStringLiteral("  1. Ensure your radio is on and connected.") + kCrLf +
                                 QStringLiteral("  2. Click the OK button") + kCrLf + kCrLf +
                                 QStringLiteral("or click Cancel to abort the memory read."),
                             Prompter::Buttons::OkCancel, Prompter::Icon::Question);
    if (answer != Prompter::Answer::Ok || m_progress.stopRequested()) {
        const bool stopped = m_progress.stopRequested();
        m_log.trace(QStringLiteral("Read: user cancelled before read"));
        if (stopped)
            m_log.notice(stoppedBeforeReadText());
        m_state.setBusy(false);
        m_link.closePort();
        return stopped ? Outcome::StoppedBeforeRead : Outcome::Cancelled;
    }

    m_state.setReadPresent(false);
    m_state.setFilePresent(false);
    m_state.setCurrentFilePath(QString());
    m_state.setDataSource(AppState::Nothing);
    m_state.clearClipboard();
    m_state.tables().reset();
    // The user agreed to give up the unsaved edits; empty tables hold nothing to save.
    m_state.setChanged(false);

    m_progress.show(readingMessage(), ChannelMap::kSlotCount);
    m_progress.setPosition(0);
    m_link.discardInput();

    QVector<bool> unread(ChannelMap::kSlotCount, true);
    bool stopped = false;
    for (int p = 1; p <= ChannelMap::kSlotCount; ++p) {
        m_progress.setPosition(p);
        m_link.send(CatCodec::memoryReadQuery(p));
        const CatLink::Received received = m_link.receive(CatLink::Expect::memory(p - 1));
        const bool answered = bool(received);
        // The radio answers at the speed it was moved to; the next search starts there.
        if (answered)
            m_answeredRate = m_link.lineSettings();
        if (answered && !received.isEmpty()) {
            if (const auto error = CatCodec::decodeInto(m_state.tables(), received.text(), p)) {
                fail(kStepReadLoop, error->number, error->description);
                return Outcome::Failed;
            }
        } else if (!answered && received.error != CatLink::LinkError::Lost) {
            // An empty slot answers "?;"; silence says nothing about the
            // channel, so the empty row must not pass for the radio's content.
            ++m_unanswered;
            m_log.notice(
                QStringLiteral("Memory %1 (%2): no reply from the radio; the slot is shown as \"Not read\"")
                    .arg(p)
                    .arg(ChannelMap::slotOf(p).label));
        }
        if (received.error == CatLink::LinkError::Lost) {
            // Half a radio shown as a completed read would be taken for the
            // whole of it; the tables go back to empty as after any failure.
            m_link.closePort();
            m_prompter.inform(
                QStringLiteral("The connection to the radio was lost while reading memory ") +
                    QString::number(p) + QLatin1Char('.') + kCrLf +
                    QStringLiteral("The read has been abandoned; check the cable and the radio, "
                                   "then read again."),
                Prompter::Icon::Exclamation);
            m_state.setReadPresent(false);
            m_state.setDataSource(AppState::Nothing);
            m_state.tables().reset();
            finish(false);
            return Outcome::LinkLost;
        }
        if (answered)
            unread[p - 1] = false;
        m_lastQueried = p;
        if (m_progress.stopRequested()) {
            stopped = true;
            break;
        }
    }

    if (m_unanswered == m_lastQueried) {
        // Not one slot answered: there is nothing of the radio's to show.
        m_state.setReadPresent(false);
        m_state.setDataSource(AppState::Nothing);
        m_state.tables().reset();
        finish(true);
        return Outcome::NoAnswer;
    }
    m_state.setChanged(false);
    m_state.setReadPresent(true);
    m_state.setDataSource(AppState::Radio);
    m_state.setUnreadPositions(unread);
    m_state.applyHideSetting();
    m_stopped = stopped;
    finish(true);
    return stopped ? Outcome::Stopped : Outcome::Completed;
}

const QString& RadioReader::stoppedBeforeReadText()
{
    static const QString text = QStringLiteral("Read: stopped before the first memory; nothing was read.");
    return text;
}

QString RadioReader::incompleteText() const
{
    QString text;
    if (m_lastQueried == m_unanswered && m_lastQueried > 0)
        return QStringLiteral("The radio did not answer any of the %1 memory queries; nothing was read.")
                   .arg(m_lastQueried) +
               kCrLf + QStringLiteral("Check that the radio is on and connected, then read again.");
    if (m_stopped)
        text = QStringLiteral("The read of memories from the Radio was stopped at memory %1; the %2 "
                              "memories after it were not read.")
                   .arg(m_lastQueried)
                   .arg(ChannelMap::kSlotCount - m_lastQueried);
    if (m_unanswered > 0) {
        if (!text.isEmpty())
            text += kCrLf;
        text += QStringLiteral("The read of memories from the Radio is incomplete: the radio did not answer "
                               "for %1 memor%2 (named in the message log).")
                    .arg(m_unanswered)
                    .arg(m_unanswered == 1 ? QStringLiteral("y") : QStringLiteral("ies"));
    }
    if (!text.isEmpty())
        text += kCrLf + QStringLiteral("Memories not read are shown as \"Not read\"; Write Radio leaves them "
                                       "in the radio as they are.");
    return text;
}

void RadioReader::fail(int step, int number, const QString& description)
{
    m_prompter.inform(QStringLiteral("Error ") + QString::number(number) + QStringLiteral(" (") +
                      description + QStringLiteral(") in line ") + QString::number(step) +
                      QStringLiteral(" of procedure cmdRead_Click of Form Form1"));
    m_state.setReadPresent(false);
    m_state.setDataSource(AppState::Nothing);
    m_state.tables().reset();
    finish(false);
}

void RadioReader::finish(bool report)
{
    m_progress.hide();
    m_progress.setPosition(0);
    const QString incomplete = report ? incompleteText() : QString();
    if (!incomplete.isEmpty())
        m_prompter.inform(incomplete, Prompter::Icon::Exclamation);
    else if (report && m_state.readPresent())
        m_prompter.inform(
            QStringLiteral("The read of memories from the Radio has completed successfully.") + kCrLf +
                QStringLiteral("It is recommended that you save a copy to disk using Write Disk File "
                               "button."),
            Prompter::Icon::Information);
    m_state.setBusy(false);
    m_link.closePort();
}
