// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QList>
#include <QObject>

class QLabel;
class QMainWindow;
class QStatusBar;

// The main window's status bar: five panels, left to right the file, the
// changed flag, the first and last selected memory (the running channel
// during a transfer) and the time of day. A double click on one asks for the
// file's path.
class StatusPanels : public QObject {
    Q_OBJECT
public:
    enum Panel { File = 0, Changed = 1, FirstRow = 2, LastRow = 3, Clock = 4 };

    explicit StatusPanels(QMainWindow* window);
    QStatusBar* bar() const { return m_bar; }
    const QList<QLabel*>& panels() const { return m_panels; }

signals:
    void pathRequested();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void updateClock();

    QStatusBar* m_bar;
    QList<QLabel*> m_panels;
};
