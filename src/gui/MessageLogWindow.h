// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QWidget>

class MessageLog;
class QPlainTextEdit;
class QPushButton;
class Settings;

// The message log window (frmErrorList): shows the log's lines as they come,
// not modal, above the main window. Closing it discards the text, so the next line opens a fresh
// window.
class MessageLogWindow : public QWidget {
    Q_OBJECT
public:
    // Designed size and the place "Force windows onto the primary desktop" puts it, in twips.
    static constexpr int kDesignHeight = 3060;
    static constexpr int kDesignWidth = 8130;
    static constexpr int kForcedTop = 0;
    static constexpr int kForcedLeft = 2760;
    static constexpr int kMinimumHeight = 2000;

    MessageLogWindow(MessageLog& log, Settings& settings, QWidget* parent = nullptr);

    static QString title();

    // Puts the window at its designed place on the primary screen and shows it.
    void forceOntoPrimaryScreen();

public slots:
    void copyToClipboard();
    void clearMessages();
    void saveSizeAndPosition();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void restorePosition();
    void showLine(const QString& line, bool cleared);

    MessageLog& m_log;
    Settings& m_settings;
    QPlainTextEdit* m_text;
};
