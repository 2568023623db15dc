#include "RadioWriter.h"

#include "CatCodec.h"
#include "CatLink.h"
#include "ProgressReporter.h"
#include "app/AppState.h"
#include "app/MessageLog.h"
#include "app/Prompter.h"
#include "files/RadioBackup.h"
#include "model/ChannelMap.h"
#include "model/MemoryRecord.h"

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

RadioWriter::Outcome RadioWriter::run()
{
    m_refused = 0;
    m_unread = 0;
    m_unconfirmed = 0;
    m_backup = std::make_unique<RadioBackup>(m_state.dataFolder, m_state.descriptionColumnWidth);
    m_state.showMemoriesPage();
    if (!m_link.connect())
        return Outcome::NoLink;

    m_state.setBusy(true);
    m_state.setChannelPanel(QStringLiteral("0"));

    m_log.trace(QStringLiteral("Write: issue initial instructions"));
    const Prompter::Answer answer = m_prompter.ask(
        QStringLiteral("If you want to clear the existing memories in the radio. ") + kCrLf + kCrLf +
            QStringLiteral("  1. Power Off the Radio") + kCrLf +
            QStringLiteral("  2. Hold in the A>M button and power on the radio") + kCrLf + kCrLf +
            QStringLiteral("To minimise relay chatter switch the radio to VFO mode.") + kCrLf + kCrLf +
            QStringLiteral("When you are ready to write click the OK button,") + kCrLf +
            QStringLiteral("or click Cancel to abort the memory write."),
        Prompter::Buttons::OkCancel, Prompter::Icon::Question);
    if (answer != Prompter::Answer::Ok) {
        m_state.setBusy(false);
        m_link.closePort();
        return Outcome::Cancelled;
    }

    m_progress.show(writingMessage(), ChannelMap::kSlotCount);
    m_progress.setPosition(0);
    m_progress.clearStopRequest();
    m_link.discardInput();

    for (int p = 1; p <= ChannelMap::kSlotCount; ++p) {
        m_state.setChannelPanel(QString::number(p));
        m_progress.setPosition(p);
        if (!m_state.tables.isEmptyAt(p)) {
            // A record the radio cannot take is never turned into a malformed
            // command; it is reported and its slot in the radio left alone.
            const CatCodec::EncodeResult encoded = CatCodec::encodeSlot(m_state.tables, p);
            if (!encoded.ok()) {
                ++m_refused;
                m_log.notice(QStringLiteral("Memory ") + QString::number(p) + QStringLiteral(" (") +
                             ChannelMap::slotOf(p).label + QStringLiteral(") not written: ") +
                             encoded.problem);
            } else {
                QString radioCopy;
                const bool known = readRadioCopy(p, radioCopy);
                const bool added = known && radioCopy == QLatin1String(CatCodec::kEmptyReply);
                if (known && radioCopy == encoded.command) {
                    m_log.trace(QStringLiteral("Memory ") + QString::number(p) +
                                QStringLiteral(" is identical - no action required"));
                } else if (!known && m_backupEnabled && !m_link.isLost()) {
                    // Whatever the radio holds there could not be kept, so it is not replaced.
                    ++m_unread;
                    m_log.notice(QStringLiteral("Memory ") + QString::number(p) + QStringLiteral(" (") +
                                 ChannelMap::slotOf(p).label +
                                 QStringLiteral(") not written: the radio did not answer its read, so "
                                                "its old content could not be kept in the backup"));
                } else if (known && !added && m_backupEnabled && !m_backup->add(radioCopy)) {
                    return backupFailed(p);
                } else if (!m_link.isLost()) {
                    m_unconfirmed = p;
                    m_link.send(encoded.command);
                    m_link.pause(kWritePauseMs);
                    m_log.trace(QStringLiteral("Memory ") + QString::number(p) +
                                (known && !added ? QStringLiteral(" replaced") : QStringLiteral(" added")));
                }
            }
        }
        if (m_link.isLost()) {
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
            m_state.setChannelPanel(QStringLiteral("0"));
            return Outcome::LinkLost;
        }
        if (m_progress.stopRequested())
            break;
    }

    reportBackup();
    m_progress.hide();
    m_link.closePort();
    const bool stopped = m_progress.stopRequested();
    if (stopped)
        m_prompter.inform(QStringLiteral("Write cancelled by user request"));
    else
        m_prompter.inform(QStringLiteral("Transfer of memories completed."), Prompter::Icon::Information);
    m_state.setBusy(false);
    m_state.setChannelPanel(QStringLiteral("0"));
    return stopped ? Outcome::Stopped : Outcome::Completed;
}

bool RadioWriter::readRadioCopy(int p, QString& radioCopy)
{
    // One more query when the first gets no usable answer: a reply lost on
    // the line is common, a radio that never answers for a slot is not.
    for (int attempt = 0; attempt < 2 && !m_link.isLost(); ++attempt) {
        m_link.send(CatCodec::memoryReadQuery(p));
        if (!m_link.receive(p - 1))
            continue;
        // The radio answers in order: the write before this query has arrived.
        m_unconfirmed = 0;
        const QString reply = m_link.reply();
        MemoryRecord record;
        if (reply == QLatin1String(CatCodec::kEmptyReply)) {
            radioCopy = reply;
            return true;
        }
        if (reply.size() == CatCodec::kCommandLength && reply.startsWith(QLatin1String("MR")) &&
            CatCodec::channelOf(reply) == p - 1 && !CatCodec::decode(reply, p, record)) {
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
                          QStringLiteral(" could not be kept in a backup file:") + kCrLf + m_backup->errorText() +
                          kCrLf +
                          QStringLiteral("The write has been stopped before replacing it; memories before it "
                                         "were written, the rest were not."),
                      Prompter::Icon::Exclamation);
    m_state.setBusy(false);
    m_state.setChannelPanel(QStringLiteral("0"));
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
