// SPDX-License-Identifier: GPL-3.0-or-later
#include "GuiPrompter.h"

#include <QFileDialog>
#include <QGuiApplication>
#include <QInputDialog>
#include <QKeyEvent>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>

namespace {
// A message box that takes Return as keypad Enter is taken. QDialog ignores
// Return when any modifier is down but takes keypad Enter with one, so an
// Alt still held from the access key that started a command (or a keyboard
// group switch) left the box deaf to Return alone.
class MessageBox : public QMessageBox {
public:
    using QMessageBox::QMessageBox;

protected:
    void keyPressEvent(QKeyEvent* event) override
    {
        const Qt::KeyboardModifiers stray = Qt::AltModifier | Qt::GroupSwitchModifier | Qt::KeypadModifier;
        if ((event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) && event->modifiers() != 0 &&
            (event->modifiers() & ~stray) == 0) {
            auto* focused = qobject_cast<QPushButton*>(focusWidget());
            QPushButton* target = focused && focused->autoDefault() ? focused : defaultButton();
            if (target && target->isVisible() && target->isEnabled()) {
                target->click();
                return;
            }
        }
        QMessageBox::keyPressEvent(event);
    }
};

QMessageBox::Icon boxIcon(Prompter::Icon icon)
{
    switch (icon) {
    case Prompter::Icon::Information:
        return QMessageBox::Information;
    case Prompter::Icon::Question:
        return QMessageBox::Question;
    case Prompter::Icon::Exclamation:
        return QMessageBox::Warning;
    case Prompter::Icon::Critical:
        return QMessageBox::Critical;
    case Prompter::Icon::None:
        break;
    }
    return QMessageBox::NoIcon;
}

QMessageBox::StandardButtons boxButtons(Prompter::Buttons buttons)
{
    switch (buttons) {
    case Prompter::Buttons::OkCancel:
        return QMessageBox::Ok | QMessageBox::Cancel;
    case Prompter::Buttons::YesNo:
        return QMessageBox::Yes | QMessageBox::No;
    case Prompter::Buttons::YesNoCancel:
        return QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel;
    case Prompter::Buttons::Ok:
        break;
    }
    return QMessageBox::Ok;
}

// Texts are written with CR LF line breaks; a label wants plain LF.
QString displayText(const QString& text)
{
    QString shown = text;
    shown.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    return shown;
}
// The program's messages are written with their own line breaks; a box is
// made wide enough to keep each line whole, as long as it fits the screen,
// and never narrower than its title needs beside the frame's icon and
// buttons (a short message would otherwise leave the title cut to "Qu…").
void keepLinesWhole(QMessageBox& box, const QString& text, const QString& title)
{
    auto* label = box.findChild<QLabel*>(QStringLiteral("qt_msgbox_label"));
    if (!label)
        return;
    const QFontMetrics metrics(label->font());
    int widest = 0;
    for (const QString& line : text.split(QLatin1Char('\n')))
        widest = qMax(widest, metrics.horizontalAdvance(line));
    const QScreen* screen = box.screen() ? box.screen() : QGuiApplication::primaryScreen();
    const int limit = screen ? screen->availableGeometry().width() * 3 / 4 : 1000;
    // Title bars often use a larger, bold font; the frame's icon and three
    // buttons take about eight text lines' height. (The box sets its own
    // size from its label's.)
    QFont titleFont = label->font();
    titleFont.setBold(true);
    const int titleRoom = QFontMetrics(titleFont).horizontalAdvance(title) * 5 / 4 + 8 * metrics.height();
    const int width = qMax(widest + 8, titleRoom);
    if (width <= limit) {
        label->setWordWrap(false);
        label->setMinimumWidth(width);
    }
}
} // namespace

QString GuiPrompter::defaultTitle()
{
    return QStringLiteral("Quaystone");
}

Prompter::Answer GuiPrompter::ask(const QString& text, Buttons buttons, Icon icon, const QString& title)
{
    if (m_beforeAsk)
        m_beforeAsk();
    const QString shownTitle = title.isEmpty() ? defaultTitle() : title;
    MessageBox box(boxIcon(icon), shownTitle, displayText(text), boxButtons(buttons), m_parent);
    box.setTextFormat(Qt::PlainText);
    keepLinesWhole(box, displayText(text), shownTitle);
    // The first button is the default, as the desktop's own message boxes do,
    // unless the question names a safe answer.
    switch (buttons) {
    case Buttons::OkCancel:
    case Buttons::Ok:
        box.setDefaultButton(QMessageBox::Ok);
        break;
    case Buttons::YesNo:
    case Buttons::YesNoCancel:
        box.setDefaultButton(QMessageBox::Yes);
        break;
    }
    if (const std::optional<Answer> safe = safeAnswer()) {
        switch (*safe) {
        case Answer::No:
            box.setDefaultButton(QMessageBox::No);
            break;
        case Answer::Cancel:
            box.setDefaultButton(QMessageBox::Cancel);
            break;
        case Answer::Yes:
        case Answer::Ok:
            break;
        }
    }
    if (buttons == Buttons::OkCancel || buttons == Buttons::YesNoCancel)
        box.setEscapeButton(QMessageBox::Cancel);
    else if (buttons == Buttons::YesNo)
        box.setEscapeButton(QMessageBox::No);
    switch (box.exec()) {
    case QMessageBox::Cancel:
        return Answer::Cancel;
    case QMessageBox::Yes:
        return Answer::Yes;
    case QMessageBox::No:
        return Answer::No;
    case QMessageBox::Ok:
        return Answer::Ok;
    default:
        // Closed by the window's close box: the safe answer.
        return buttons == Buttons::Ok ? Answer::Ok : buttons == Buttons::YesNo ? Answer::No : Answer::Cancel;
    }
}

std::optional<QString> GuiPrompter::inputText(const QString& title, const QString& prompt,
                                              const QString& defaultText)
{
    bool ok = false;
    const QString text = QInputDialog::getText(m_parent, title.isEmpty() ? defaultTitle() : title,
                                               displayText(prompt), QLineEdit::Normal, defaultText, &ok);
    if (!ok)
        return std::nullopt;
    return text;
}

QString GuiPrompter::chooseOpenFile(const QString& title, const QString& folder, const QString& filters)
{
    return QFileDialog::getOpenFileName(m_parent, title, folder, filters);
}

QString GuiPrompter::chooseSaveFile(const QString& title, const QString& folder, const QString& filters,
                                    const QString& presetName)
{
    // The preset name may be a full path; otherwise it starts in the folder.
    QString start = folder;
    if (!presetName.isEmpty())
        start = QFileInfo(presetName).isAbsolute() ? presetName : QDir(folder).filePath(presetName);
    // The question about replacing a file is the program's own.
    return QFileDialog::getSaveFileName(m_parent, title, start, filters, nullptr,
                                        QFileDialog::DontConfirmOverwrite);
}

QString GuiPrompter::chooseFolder(const QString& title, const QString& folder)
{
    return QFileDialog::getExistingDirectory(m_parent, title, folder, QFileDialog::ShowDirsOnly);
}
