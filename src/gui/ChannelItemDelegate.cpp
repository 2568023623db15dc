// SPDX-License-Identifier: GPL-3.0-or-later
#include "ChannelItemDelegate.h"

#include "editing/CellEntry.h"

#include <QComboBox>
#include <QLineEdit>

ChannelItemDelegate::ChannelItemDelegate(TableKind kind, QObject* parent)
    : QStyledItemDelegate(parent), m_kind(kind)
{
    connect(this, &QAbstractItemDelegate::closeEditor, this, [this] { emit editingFinished(); });
}

QStringList ChannelItemDelegate::choices(const QString& list)
{
    QStringList items = list.split(QLatin1Char('|'));
    if (!items.isEmpty() && items.last().isEmpty())
        items.removeLast();
    return items;
}

QWidget* ChannelItemDelegate::createEditor(QWidget* parent, const QStyleOptionViewItem&,
                                           const QModelIndex& index) const
{
    emit editingStarted(index.row() + 1, index.column());
    // A screen reader names the editor by the column's heading, then speaks its value.
    const QString heading =
        index.model()->headerData(index.column(), Qt::Horizontal, Qt::AccessibleTextRole).toString();
    const QString list = CellEntry::choiceList(m_kind, index.column());
    if (list.isEmpty()) {
        auto* edit = new QLineEdit(parent);
        edit->setAccessibleName(heading);
        edit->setFrame(false);
        if (index.column() == Column::kDescription)
            edit->setMaxLength(CellEntry::kDescriptionLimit * 2);
        return edit;
    }
    auto* combo = new QComboBox(parent);
    combo->setAccessibleName(heading);
    combo->addItems(choices(list));
    // The tone list has 50 entries: a scrolling list of a sensible height,
    // not one the height of the screen (some styles ignore the limit
    // unless the popup is a plain list).
    combo->setMaxVisibleItems(kVisibleChoices);
    combo->setStyleSheet(QStringLiteral("QComboBox { combobox-popup: 0; }"));
    // A pasted text may be anything; the commit rules decide whether it stays.
    combo->setEditable(m_hasPending);
    return combo;
}

void ChannelItemDelegate::setEditorData(QWidget* editor, const QModelIndex& index) const
{
    const QString text = m_hasPending ? m_pendingText : index.data(Qt::EditRole).toString();
    m_hasPending = false;
    m_pendingText.clear();
    if (auto* combo = qobject_cast<QComboBox*>(editor)) {
        const int at = combo->findText(text);
        if (at >= 0)
            combo->setCurrentIndex(at);
        else if (combo->isEditable())
            combo->setEditText(text);
        return;
    }
    if (auto* edit = qobject_cast<QLineEdit*>(editor)) {
        edit->setText(text);
        edit->selectAll();
    }
}

void ChannelItemDelegate::setModelData(QWidget* editor, QAbstractItemModel* model,
                                       const QModelIndex& index) const
{
    QString text;
    if (auto* combo = qobject_cast<QComboBox*>(editor))
        text = combo->currentText();
    else if (auto* edit = qobject_cast<QLineEdit*>(editor))
        text = edit->text();
    else
        return;
    // An unchanged text is committed too: re-entering a frequency applies
    // the repeater rules again.
    m_lastCommitAccepted = model->setData(index, text, Qt::EditRole);
}
