// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "cat/ProgressReporter.h"

#include <QWidget>

class QLabel;
class QProgressBar;

// The small "Read/write instructions" window shown while the radio is read
// or written: a progress bar and a message that stops the transfer when it
// is clicked.
class ProgressWindow : public QWidget, public ProgressReporter {
    Q_OBJECT
public:
    explicit ProgressWindow(QWidget* parent = nullptr);

    static QString title();

    // Shows the window with the message and the bar at 0 (of maximum steps).
    void show(const QString& message, int maximum) override;
    void setPosition(int position) override;
    // Hides the window and puts the bar back to 0.
    void hide() override;

    bool stopRequested() const override { return m_stopRequested; }
    void clearStopRequest() override { m_stopRequested = false; }
    // What a click on the message does.
    void requestStop();

signals:
    void stopRequestedChanged();
    // The bar moved: the sequence position being transferred, 0 when hidden.
    void positionChanged(int position);

protected:
    // Closing the window while a transfer shows it (Alt+F4, the window
    // manager's close) stops the transfer as a click on the message does;
    // the window stays in view until the transfer has stopped.
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QLabel* m_message;
    QProgressBar* m_bar;
    bool m_stopRequested = false;
};
