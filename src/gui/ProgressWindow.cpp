// SPDX-License-Identifier: GPL-3.0-or-later
#include "ProgressWindow.h"

#include "state/GridLayout.h"

#include <QCloseEvent>
#include <QEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QProgressBar>
#include <QVBoxLayout>

ProgressWindow::ProgressWindow(QWidget* parent)
    : QWidget(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint),
      m_message(new QLabel(this)), m_bar(new QProgressBar(this))
{
    setObjectName(QStringLiteral("frmProgress"));
    setWindowTitle(title());
    m_message->setObjectName(QStringLiteral("lblInstructions"));
    m_message->setAlignment(Qt::AlignCenter);
    m_message->setCursor(Qt::PointingHandCursor);
    QFont font = m_message->font();
    font.setPointSize(10);
    m_message->setFont(font);
    m_message->installEventFilter(this);
    // The message is the stop control: it takes the keyboard, so that
    // Space, Return or Escape stop the transfer as a click does.
    m_message->setFocusPolicy(Qt::StrongFocus);
    m_message->setAccessibleDescription(QStringLiteral("Press Escape, Space or Return to stop"));
    // A label draws no focus of its own: a dotted frame shows where the keyboard
    // is. The frame is always there, unseen without focus, so the text keeps its room.
    m_message->setStyleSheet(QStringLiteral("QLabel { border: 1px solid transparent; padding: 2px; }"
                                            "QLabel:focus { border: 1px dotted palette(window-text); }"));
    m_bar->setObjectName(QStringLiteral("ProgressBar1"));
    m_bar->setAccessibleName(QStringLiteral("Progress"));
    m_bar->setTextVisible(false);
    m_bar->setValue(0);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_message, 1);
    layout->addWidget(m_bar);
    setMinimumWidth(Twips::toPixels(4500));
    m_message->setVisible(false);
    m_bar->setVisible(false);
}

QString ProgressWindow::title()
{
    return QString::fromLatin1(ProgressReporter::kTitle);
}

void ProgressWindow::show(const QString& message, int maximum)
{
    m_message->setText(QString(message).replace(QLatin1String("\r\n"), QLatin1String("\n")));
    m_bar->setRange(0, qMax(1, maximum));
    m_bar->setValue(0);
    m_message->setVisible(true);
    m_bar->setVisible(true);
    adjustSize();
    if (parentWidget()) {
        const QRect area = parentWidget()->frameGeometry();
        move(area.center() - rect().center());
    }
    QWidget::show();
    raise();
    activateWindow();
    m_message->setFocus();
}

void ProgressWindow::setPosition(int position)
{
    m_bar->setValue(qBound(m_bar->minimum(), position, m_bar->maximum()));
    emit positionChanged(position);
}

void ProgressWindow::hide()
{
    m_message->setVisible(false);
    m_bar->setVisible(false);
    m_bar->setValue(0);
    QWidget::hide();
}

void ProgressWindow::requestStop()
{
    m_stopRequested = true;
    emit stopRequestedChanged();
}

void ProgressWindow::closeEvent(QCloseEvent* event)
{
    if (m_message->isVisible()) {
        requestStop();
        event->ignore();
        return;
    }
    QWidget::closeEvent(event);
}

bool ProgressWindow::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_message && event->type() == QEvent::MouseButtonRelease) {
        requestStop();
        return true;
    }
    if (watched == m_message && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Escape || key == Qt::Key_Space || key == Qt::Key_Return || key == Qt::Key_Enter) {
            requestStop();
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}
