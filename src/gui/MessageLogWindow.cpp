// SPDX-License-Identifier: GPL-3.0-or-later
#include "MessageLogWindow.h"

#include "state/GridLayout.h"
#include "state/MessageLog.h"
#include "state/Settings.h"

#include <QClipboard>
#include <QCloseEvent>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QShortcut>
#include <QVBoxLayout>

// A dialog-type window: the desktop keeps it above the main window, and its
// own access keys work while it is active (a tool window would share the
// main window's menu and page keys, which then win over its buttons).
MessageLogWindow::MessageLogWindow(MessageLog& log, Settings& settings, QWidget* parent)
    : QWidget(parent, Qt::Dialog), m_log(log), m_settings(settings), m_text(new QPlainTextEdit(this))
{
    setObjectName(QStringLiteral("frmErrorList"));
    setWindowTitle(title());
    setAttribute(Qt::WA_DeleteOnClose);

    m_text->setObjectName(QStringLiteral("txtErrorList"));
    m_text->setReadOnly(true);
    m_text->setLineWrapMode(QPlainTextEdit::NoWrap);

    auto* copy = new QPushButton(QStringLiteral("C&opy to clipboard"), this);
    copy->setObjectName(QStringLiteral("cmdCopy"));
    auto* clear = new QPushButton(QStringLiteral("C&lear messages"), this);
    clear->setObjectName(QStringLiteral("cmdClear"));
    auto* save = new QPushButton(QStringLiteral("&Save size and position"), this);
    save->setObjectName(QStringLiteral("cmdSetPosition"));
    auto* close = new QPushButton(QStringLiteral("&Close"), this);
    close->setObjectName(QStringLiteral("cmdClose"));
    connect(copy, &QPushButton::clicked, this, &MessageLogWindow::copyToClipboard);
    connect(clear, &QPushButton::clicked, this, &MessageLogWindow::clearMessages);
    connect(save, &QPushButton::clicked, this, &MessageLogWindow::saveSizeAndPosition);
    connect(close, &QPushButton::clicked, this, &QWidget::close);
    // F6 takes the keyboard back to the main window (its own F6 brought it
    // here); the main window's keys do not reach into this one.
    connect(new QShortcut(QKeySequence(Qt::Key_F6), this), &QShortcut::activated, this, [this] {
        if (QWidget* main = parentWidget()) {
            main->activateWindow();
            main->raise();
        }
    });

    auto* buttons = new QHBoxLayout;
    for (QPushButton* b : {copy, clear, save, close})
        buttons->addWidget(b);
    buttons->addStretch(1);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(Twips::toPixels(135), Twips::toPixels(90), Twips::toPixels(135),
                               Twips::toPixels(90));
    layout->addWidget(m_text, 1);
    layout->addLayout(buttons);

    setMinimumHeight(Twips::toPixels(kMinimumHeight));
    resize(Twips::toPixels(kDesignWidth), Twips::toPixels(kDesignHeight));
    restorePosition();

    // Each line is appended as its own paragraph; the text's final line
    // break would otherwise show as an empty line.
    QString text = m_log.text().replace(QLatin1String("\r\n"), QLatin1String("\n"));
    if (text.endsWith(QLatin1Char('\n')))
        text.chop(1);
    m_text->setPlainText(text);
    connect(&m_log, &MessageLog::lineAdded, this, &MessageLogWindow::showLine);
    connect(&m_log, &MessageLog::textCleared, m_text, &QPlainTextEdit::clear);
}

QString MessageLogWindow::title()
{
    return QStringLiteral("Quaystone Messages");
}

void MessageLogWindow::restorePosition()
{
    const auto height = m_settings.find(Keys::ErrorListHeight);
    const auto width = m_settings.find(Keys::ErrorListWidth);
    const auto top = m_settings.find(Keys::ErrorListTop);
    const auto left = m_settings.find(Keys::ErrorListLeft);
    QSize size = this->size();
    if (height)
        size.setHeight(
            Twips::toPixels(m_settings.getInt(Keys::ErrorListHeight, Twips::fromPixels(size.height()))));
    if (width)
        size.setWidth(
            Twips::toPixels(m_settings.getInt(Keys::ErrorListWidth, Twips::fromPixels(size.width()))));
    resize(size);
    QPoint at = pos();
    if (top)
        at.setY(Twips::toPixels(m_settings.getInt(Keys::ErrorListTop, Twips::fromPixels(at.y()))));
    if (left)
        at.setX(Twips::toPixels(m_settings.getInt(Keys::ErrorListLeft, Twips::fromPixels(at.x()))));
    if (top || left)
        move(at);
}

void MessageLogWindow::showLine(const QString& line, bool cleared)
{
    if (cleared)
        m_text->clear();
    // A line may itself hold line breaks (the copy stamp ends with one).
    QString shown = line;
    shown.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    if (shown.endsWith(QLatin1Char('\n')))
        shown.chop(1);
    m_text->appendPlainText(shown);
    m_text->moveCursor(QTextCursor::End);
    m_text->verticalScrollBar()->setValue(m_text->verticalScrollBar()->maximum());
    // Lines are read from their start: a long one must not leave the view
    // scrolled sideways.
    m_text->horizontalScrollBar()->setValue(0);
}

void MessageLogWindow::copyToClipboard()
{
    // The stamp is a notice line, so the copied text always ends with it.
    m_log.log(MessageLog::copyStamp() + QStringLiteral("\r\n"));
    QClipboard* clipboard = QGuiApplication::clipboard();
    clipboard->clear();
    clipboard->setText(m_log.text());
}

void MessageLogWindow::clearMessages()
{
    m_log.clear();
}

void MessageLogWindow::saveSizeAndPosition()
{
    Settings::Batch batch(m_settings);
    m_settings.setInt(Keys::ErrorListHeight, Twips::fromPixels(height()));
    m_settings.setInt(Keys::ErrorListWidth, Twips::fromPixels(width()));
    m_settings.setInt(Keys::ErrorListTop, Twips::fromPixels(pos().y()));
    m_settings.setInt(Keys::ErrorListLeft, Twips::fromPixels(pos().x()));
}

void MessageLogWindow::forceOntoPrimaryScreen()
{
    showNormal();
    resize(Twips::toPixels(kDesignWidth), Twips::toPixels(kDesignHeight));
    QPoint origin;
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        origin = screen->geometry().topLeft();
    move(origin + QPoint(Twips::toPixels(kForcedLeft), Twips::toPixels(kForcedTop)));
    show();
    raise();
}

void MessageLogWindow::closeEvent(QCloseEvent* event)
{
    // The text goes with the window; the next line starts a fresh one.
    m_log.clear();
    QWidget::closeEvent(event);
}
