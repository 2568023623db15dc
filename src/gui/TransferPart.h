// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "cat/RadioWriter.h"

#include <QObject>
#include <QString>
#include <functional>
#include <memory>

class AppState;
class CatLink;
class MessageLog;
class ProgressWindow;
class Prompter;
class SerialPort;
class Settings;
class QWidget;

// The main window's transfers with the radio: read, write, the write
// preview, the progress window and its stop, and the CAT link they share.
// A transfer yields to the event loop; from its link set-up to its last
// message every other command is refused (blocked()).
class TransferPart : public QObject {
    Q_OBJECT
public:
    // devicePath: a serial device for this run instead of the numbered port.
    TransferPart(AppState& state, Prompter& prompter, MessageLog& log, Settings& settings,
                 const QString& devicePath, QWidget* window);
    ~TransferPart() override;

    ProgressWindow* progress() const { return m_progress; }
    bool blocked() const;
    void read();
    void write();
    // Reads the radio and shows what a write would change; the user may go on to write.
    void preview();
    // Runs a command that yields to the event loop (a transfer, an import)
    // with every other command refused from its start to its last message.
    void runExclusive(const std::function<void()>& command);
    void closePort();

signals:
    // A command started or ended under runExclusive.
    void blockedChanged();
    // A read put the radio's channels into the tables.
    void channelsRead();
    // The memories page is to be in front: a transfer works on the tables.
    void memoriesPageWanted();
    // The sequence position being transferred (0 before the first and after
    // the last), for the status bar's channel panel.
    void positionReached(int position);

private:
    // The CAT link of this run, set up for the port and device now chosen.
    CatLink& link();
    // Runs a write or a preview with the options the menus hold now.
    RadioWriter::Result runWriter(RadioWriter& writer, bool dryRun);

    AppState& m_state;
    Prompter& m_prompter;
    MessageLog& m_log;
    Settings& m_settings;
    QString m_devicePath;
    QWidget* m_window;
    ProgressWindow* m_progress;
    std::unique_ptr<SerialPort> m_port;
    std::unique_ptr<CatLink> m_link;
    bool m_exclusive = false;
};
