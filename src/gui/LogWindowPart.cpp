// SPDX-License-Identifier: GPL-3.0-or-later
#include "LogWindowPart.h"

#include "MessageLogWindow.h"
#include "state/GridLayout.h"
#include "state/MessageLog.h"
#include "state/Settings.h"

#include <QScreen>
#include <QShortcut>
#include <QWidget>

LogWindowPart::LogWindowPart(MessageLog& log, Settings& settings, QWidget* window)
    : QObject(window), m_log(log), m_settings(settings), m_main(window)
{
    connect(&m_log, &MessageLog::lineAdded, this, &LogWindowPart::lineAdded);
    // The message log comes forward without taking the keyboard: F6 takes
    // the keyboard to its newest line, and F6 in the log comes back, so it
    // is read without a mouse.
    connect(new QShortcut(QKeySequence(Qt::Key_F6), window), &QShortcut::activated, this, [this] {
        if (!m_window)
            return;
        bringForward();
        m_window->activateWindow();
    });
}

LogWindowPart::~LogWindowPart()
{
    // The log window goes with the main window.
    if (m_window)
        delete m_window.data();
}

void LogWindowPart::create()
{
    m_window = new MessageLogWindow(m_log, m_settings, m_main);
    m_window->setFont(m_main->font());
}

void LogWindowPart::lineAdded()
{
    // A line nobody sees is lost: the window comes to the front with each
    // one (it is a window of its own that the desktop keeps above this one;
    // the main window's keys stay out of it).
    if (m_window) {
        bringForward();
        return;
    }
    // The first line opens the window; it shows the log's text from then on.
    create();
    m_window->findChild<QWidget*>(QStringLiteral("txtErrorList"))
        ->setAccessibleName(QStringLiteral("Messages"));
    if (!m_settings.find(Keys::ErrorListTop) && !m_settings.find(Keys::ErrorListLeft)) {
        // With no place of its own it opens below the main window when there is
        // room on that screen, else over the window's lower part; either way
        // whole on the screen, frame and buttons included.
        const QRect main = m_main->frameGeometry();
        const QRect geometry = m_main->geometry();
        const QRect area = m_main->screen() ? m_main->screen()->availableGeometry() : main;
        // Its frame is not known before it is shown: the main window's stands in.
        const QMargins frame(geometry.left() - main.left(), geometry.top() - main.top(),
                             main.right() - geometry.right(), main.bottom() - geometry.bottom());
        const QSize size = m_window->size().boundedTo(
            QSize(area.width() - frame.left() - frame.right(), area.height() - frame.top() - frame.bottom()));
        m_window->resize(size.expandedTo(m_window->minimumSize()));
        const QSize outer = m_window->size().grownBy(frame);
        QPoint at(main.left() + Twips::toPixels(600), main.bottom() + 1);
        if (at.y() + outer.height() - 1 > area.bottom())
            at.setY(main.bottom() - outer.height() - Twips::toPixels(600));
        at.setX(qBound(area.left(), at.x(), area.right() + 1 - outer.width()));
        at.setY(qBound(area.top(), at.y(), area.bottom() + 1 - outer.height()));
        m_window->move(at);
    }
    m_window->show();
}

void LogWindowPart::bringForward()
{
    if (!m_window)
        return;
    if (m_window->isMinimized())
        m_window->showNormal();
    else if (!m_window->isVisible())
        m_window->show();
    m_window->raise();
}

void LogWindowPart::close()
{
    if (m_window)
        m_window->close();
}

void LogWindowPart::forceOntoPrimaryScreen()
{
    if (!m_window)
        create();
    m_window->forceOntoPrimaryScreen();
}
