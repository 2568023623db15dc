// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>
#include <QPointer>

class MessageLog;
class MessageLogWindow;
class QWidget;
class Settings;

// The message log's window of the main window: opened by the log's first
// line, brought forward with each one (a line nobody sees is lost), and F6
// takes the keyboard to it and back.
class LogWindowPart : public QObject {
    Q_OBJECT
public:
    LogWindowPart(MessageLog& log, Settings& settings, QWidget* window);
    ~LogWindowPart() override;

    MessageLogWindow* window() const { return m_window.data(); }
    // Shows the log window above the main one, when it is open.
    void bringForward();
    void close();
    void forceOntoPrimaryScreen();

private:
    void lineAdded();
    void create();

    MessageLog& m_log;
    Settings& m_settings;
    QWidget* m_main;
    QPointer<MessageLogWindow> m_window;
};
