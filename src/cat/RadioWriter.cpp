#include "RadioWriter.h"

#include "CatCodec.h"
#include "CatLink.h"
#include "ProgressReporter.h"
#include "app/AppState.h"
#include "app/MessageLog.h"
#include "app/Prompter.h"
#include "model/ChannelMap.h"

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

RadioWriter::RadioWriter(AppState& state, Prompter& prompter, MessageLog& log, CatLink& link,
                         ProgressReporter& progress)
    : m_state(state), m_prompter(prompter), m_log(log), m_link(link), m_progress(progress)
{
}

RadioWriter::Outcome RadioWriter::run()
{
    m_refused = 0;
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
                m_link.send(CatCodec::memoryReadQuery(p));
                QString radioCopy = QString::fromLatin1(CatCodec::kEmptyReply);
                if (m_link.receive(p - 1)) {
                    radioCopy = m_link.reply();
                    if (radioCopy.size() >= 2)
                        radioCopy[1] = QLatin1Char('W');
                }
                if (radioCopy == encoded.command) {
                    m_log.trace(QStringLiteral("Memory ") + QString::number(p) +
                                QStringLiteral(" is identical - no action required"));
                } else if (!m_link.isLost()) {
                    m_link.send(encoded.command);
                    m_link.pause(kWritePauseMs);
                    const bool added =
                        radioCopy == QLatin1String("?W") || radioCopy == QLatin1String(CatCodec::kEmptyReply);
                    m_log.trace(QStringLiteral("Memory ") + QString::number(p) +
                                (added ? QStringLiteral(" added") : QStringLiteral(" replaced")));
                }
            }
        }
        if (m_link.isLost()) {
            m_progress.hide();
            m_link.closePort();
            m_prompter.inform(QStringLiteral("The connection to the radio was lost while writing memory ") +
                                  QString::number(p) + QLatin1Char('.') + kCrLf +
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
