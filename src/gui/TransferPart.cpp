// SPDX-License-Identifier: GPL-3.0-or-later
#include "TransferPart.h"

#include "ProgressWindow.h"
#include "WritePreviewDialog.h"
#include "cat/CatLink.h"
#include "cat/LinkOptions.h"
#include "cat/QtSerialPortAdapter.h"
#include "cat/RadioReader.h"
#include "cat/RadioWriter.h"
#include "state/AppState.h"
#include "state/Settings.h"

#include <QCoreApplication>

TransferPart::TransferPart(AppState& state, Prompter& prompter, MessageLog& log, Settings& settings,
                           const QString& devicePath, QWidget* window)
    : QObject(window), m_state(state), m_prompter(prompter), m_log(log), m_settings(settings),
      m_devicePath(devicePath), m_window(window), m_progress(new ProgressWindow(window))
{
    // The progress window goes once a transfer has ended.
    connect(&m_state, &AppState::busyChanged, this, [this](bool busy) {
        if (!busy && m_progress->isVisible())
            m_progress->hide();
        // A transfer works on the memories page and counts from 0 as soon
        // as its link is set up.
        if (busy && m_exclusive) {
            emit memoriesPageWanted();
            emit positionReached(0);
        }
    });
    connect(m_progress, &ProgressWindow::positionChanged, this, &TransferPart::positionReached);
}

TransferPart::~TransferPart() = default;

CatLink& TransferPart::link()
{
    if (!m_link) {
        m_port = std::make_unique<QtSerialPortAdapter>();
        // While the link waits for the radio the window keeps painting and
        // the progress window takes its stop click.
        m_link = std::make_unique<CatLink>(*m_port, m_log,
                                           [] { QCoreApplication::processEvents(QEventLoop::AllEvents); });
    }
    // The menus store their choices at once; each transfer takes them as they are now.
    LinkOptions::Overrides overrides;
    overrides.device = m_devicePath;
    m_link->setOptions(LinkOptions::fromSettings(m_settings, overrides));
    return *m_link;
}

void TransferPart::closePort()
{
    if (m_link)
        m_link->closePort();
}

bool TransferPart::blocked() const
{
    return m_state.busy() || m_exclusive;
}

void TransferPart::runExclusive(const std::function<void()>& command)
{
    if (blocked())
        return;
    m_exclusive = true;
    emit blockedChanged();
    command();
    m_exclusive = false;
    emit blockedChanged();
}

void TransferPart::read()
{
    // The link's set-up already yields to the event loop, before the reader
    // sets the busy state: a second click then must not start another read.
    // The unsaved-changes question comes first; a read that goes ahead
    // shows the memories page (after the question, once its link is set up).
    bool declined = false;
    runExclusive([this, &declined] {
        if (!m_state.changed())
            emit memoriesPageWanted();
        RadioReader reader(m_state, m_prompter, m_log, link(), *m_progress);
        const RadioReader::Result result = reader.run();
        LinkOptions::rememberAnsweredRate(m_settings, result.answeredRate);
        declined = result.outcome == RadioReader::Outcome::Declined;
    });
    if (!declined && !blocked())
        emit memoriesPageWanted();
    if (m_state.holdsChannels() && !blocked())
        emit channelsRead();
}

RadioWriter::Result TransferPart::runWriter(RadioWriter& writer, bool dryRun)
{
    emit memoriesPageWanted();
    RadioWriter::Options options;
    options.dryRun = dryRun;
    options.verify = m_settings.getBool(Keys::VerifyWrites);
    const RadioWriter::Result result = writer.run(options);
    LinkOptions::rememberAnsweredRate(m_settings, result.answeredRate);
    // A write counts back to 0 when it ends; a read leaves the last slot it reached.
    emit positionReached(0);
    return result;
}

void TransferPart::write()
{
    if (!m_state.holdsChannels())
        return;
    runExclusive([this] {
        RadioWriter writer(m_state, m_prompter, m_log, link(), *m_progress);
        runWriter(writer, false);
    });
}

void TransferPart::preview()
{
    if (!m_state.holdsChannels())
        return;
    bool read = false;
    QVector<ChannelDifference> differences;
    int refused = 0;
    int unread = 0;
    runExclusive([&] {
        RadioWriter preview(m_state, m_prompter, m_log, link(), *m_progress);
        read = runWriter(preview, true).outcome == RadioWriter::Outcome::Completed;
        differences = preview.differences();
        refused = preview.refusedCount();
        unread = preview.unreadCount();
    });
    if (!read)
        return;
    WritePreviewDialog dialog(differences, refused, unread, m_window);
    if (dialog.exec() == QDialog::Accepted)
        write();
}
