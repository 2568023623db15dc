// SPDX-License-Identifier: GPL-3.0-or-later
#include "RuleGridDelegate.h"

#include "ChannelItemDelegate.h"
#include "rules/RuleSet.h"

#include <QComboBox>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QTimer>

namespace {
const char kColumnProperty[] = "ruleColumn";

QString choiceList(int column)
{
    if (column == RuleGridDelegate::kDirectionColumn)
        return QString::fromLatin1(RuleSet::kDirectionList);
    if (column == RuleGridDelegate::kStepColumn)
        return QString::fromLatin1(RuleSet::kStepList);
    return QString();
}
} // namespace

RuleGridDelegate::RuleGridDelegate(Check check, QObject* parent)
    : QStyledItemDelegate(parent), m_check(std::move(check))
{
}

QWidget* RuleGridDelegate::createEditor(QWidget* parent, const QStyleOptionViewItem&,
                                        const QModelIndex& index) const
{
    const QString list = choiceList(index.column());
    if (!list.isEmpty()) {
        auto* combo = new QComboBox(parent);
        combo->addItems(ChannelItemDelegate::choices(list));
        m_open = combo;
        return combo;
    }
    auto* edit = new QLineEdit(parent);
    edit->setFrame(false);
    edit->setProperty(kColumnProperty, index.column());
    m_open = edit;
    return edit;
}

void RuleGridDelegate::setEditorData(QWidget* editor, const QModelIndex& index) const
{
    const QString text = m_hasPending ? m_pendingText : index.data(Qt::EditRole).toString();
    m_hasPending = false;
    if (auto* combo = qobject_cast<QComboBox*>(editor)) {
        combo->setCurrentIndex(qMax(0, combo->findText(text)));
    } else if (auto* edit = qobject_cast<QLineEdit*>(editor)) {
        edit->setText(text);
        edit->selectAll();
    }
}

void RuleGridDelegate::setModelData(QWidget* editor, QAbstractItemModel* model,
                                    const QModelIndex& index) const
{
    QString text;
    if (auto* combo = qobject_cast<QComboBox*>(editor)) {
        text = combo->currentText();
    } else if (auto* edit = qobject_cast<QLineEdit*>(editor)) {
        // The view may close an editor by itself (a click on another cell);
        // a refused value then comes back in a fresh editor.
        if (!judge(edit)) {
            m_pendingText = edit->text();
            m_hasPending = true;
            emit reopen(index);
            return;
        }
        text = m_shownText;
    } else {
        return;
    }
    if (model->setData(index, text, Qt::EditRole))
        emit committed(index.row(), index.column());
}

bool RuleGridDelegate::judge(QLineEdit* editor) const
{
    if (m_judged == editor && m_judgedText == editor->text())
        return m_accepted;
    QString text = editor->text();
    m_checking = true;
    const bool accepted = m_check(editor->property(kColumnProperty).toInt(), text);
    m_checking = false;
    m_judged = editor;
    m_judgedText = editor->text();
    m_shownText = text;
    m_accepted = accepted;
    return accepted;
}

bool RuleGridDelegate::eventFilter(QObject* object, QEvent* event)
{
    auto* edit = qobject_cast<QLineEdit*>(object);
    if (!edit)
        return QStyledItemDelegate::eventFilter(object, event);
    if (event->type() == QEvent::KeyPress) {
        switch (static_cast<QKeyEvent*>(event)->key()) {
        case Qt::Key_Return:
        case Qt::Key_Enter:
        case Qt::Key_Tab:
        case Qt::Key_Backtab:
            if (!judge(edit))
                return true;
            break;
        default:
            break;
        }
    } else if (event->type() == QEvent::FocusOut) {
        const Qt::FocusReason reason = static_cast<QFocusEvent*>(event)->reason();
        // A message box of the check itself, another window or a popup took
        // the focus: the edit goes on when the focus comes back.
        if (m_checking || reason == Qt::ActiveWindowFocusReason || reason == Qt::PopupFocusReason)
            return true;
        if (!judge(edit)) {
            QTimer::singleShot(0, edit, [edit] { edit->setFocus(); });
            return true;
        }
    }
    return QStyledItemDelegate::eventFilter(object, event);
}
