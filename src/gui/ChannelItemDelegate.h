// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "model/ChannelMap.h"

#include <QStyledItemDelegate>

// The cell editors of a channel table: a drop-down list for the columns that
// have a choice list (mode, shift, encoding, tone), a line editor otherwise.
class ChannelItemDelegate : public QStyledItemDelegate {
    Q_OBJECT
public:
    // Rows a drop-down list shows before it scrolls.
    static constexpr int kVisibleChoices = 12;

    explicit ChannelItemDelegate(TableKind kind, QObject* parent = nullptr);

    // Whether the table took the last committed text (the entry rules may refuse it).
    bool lastCommitAccepted() const { return m_lastCommitAccepted; }

    // The text the next editor opens with instead of the cell's text (Shift+Insert).
    void setPendingText(const QString& text)
    {
        m_pendingText = text;
        m_hasPending = true;
    }

    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                          const QModelIndex& index) const override;
    void setEditorData(QWidget* editor, const QModelIndex& index) const override;
    void setModelData(QWidget* editor, QAbstractItemModel* model, const QModelIndex& index) const override;

    // The choices of a column's list, in order ("|"-separated, trailing "|" ends it).
    static QStringList choices(const QString& list);

signals:
    // An editor was opened on a cell, and when it closed again.
    void editingStarted(int tableRow, int column) const;
    void editingFinished() const;

private:
    TableKind m_kind;
    mutable QString m_pendingText;
    mutable bool m_hasPending = false;
    mutable bool m_lastCommitAccepted = false;
};
