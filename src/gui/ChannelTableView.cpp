// SPDX-License-Identifier: GPL-3.0-or-later
#include "ChannelTableView.h"

#include "ChannelItemDelegate.h"

#include <QHeaderView>
#include <QKeyEvent>

ChannelTableView::ChannelTableView(QWidget* parent) : QTableView(parent)
{
    setSelectionMode(QAbstractItemView::ContiguousSelection);
    setSelectionBehavior(QAbstractItemView::SelectItems);
    setEditTriggers(kEditTriggers);
    setContextMenuPolicy(Qt::CustomContextMenu);
    setWordWrap(false);
    setAlternatingRowColors(false);
    verticalHeader()->setVisible(false);
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    horizontalHeader()->setSectionResizeMode(QHeaderView::Interactive);
    horizontalHeader()->setDefaultAlignment(Qt::AlignCenter);
    horizontalHeader()->setHighlightSections(false);
    horizontalHeader()->setSectionsClickable(false);
    horizontalHeader()->setStretchLastSection(false);
}

void ChannelTableView::setItemDelegate(ChannelItemDelegate* delegate)
{
    m_delegate = delegate;
    QTableView::setItemDelegate(delegate);
}

bool ChannelTableView::pasteIntoCurrentCell(const QString& text)
{
    const QModelIndex index = currentIndex();
    if (!index.isValid() || !m_delegate || !(model()->flags(index) & Qt::ItemIsEditable))
        return false;
    selectionModel()->select(index, QItemSelectionModel::ClearAndSelect);
    m_delegate->setPendingText(text);
    if (!edit(index, QAbstractItemView::AllEditTriggers, nullptr)) {
        m_delegate->setPendingText(QString());
        return false;
    }
    return true;
}

int ChannelTableView::tableRowAt(const QPoint& viewportPos) const
{
    const int row = rowAt(viewportPos.y());
    return row < 0 ? 0 : row + 1;
}

void ChannelTableView::keyPressEvent(QKeyEvent* event)
{
    // Tab moves between cells as in a spreadsheet; Ctrl+Tab and
    // Ctrl+Shift+Tab leave the table for the buttons and the page tabs.
    if ((event->key() == Qt::Key_Tab || event->key() == Qt::Key_Backtab) &&
        (event->modifiers() & Qt::ControlModifier)) {
        QWidget::focusNextPrevChild(event->key() == Qt::Key_Tab && !(event->modifiers() & Qt::ShiftModifier));
        event->accept();
        return;
    }
    if (event->key() == Qt::Key_Insert && event->modifiers() == Qt::ShiftModifier) {
        emit pasteKeyPressed();
        event->accept();
        return;
    }
    if (m_reportDelete && event->key() == Qt::Key_Delete &&
        (event->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier) {
        emit deleteKeyPressed();
        event->accept();
        return;
    }
    QTableView::keyPressEvent(event);
}

void ChannelTableView::closeEditor(QWidget* editor, QAbstractItemDelegate::EndEditHint hint)
{
    const QModelIndex edited = currentIndex();
    // A message box about a refused entry leaves the window inactive while
    // the editor closes; the editor still holds the window's focus then, and
    // the table takes it back, not the window's first button.
    const QWidget* focused = window()->focusWidget();
    const bool heldFocus = editor && focused && (focused == editor || editor->isAncestorOf(focused));
    QTableView::closeEditor(editor, hint);
    if (heldFocus && !hasFocus())
        setFocus();
    // The delegate ends an editor with SubmitModelCache on Return or Enter
    // only (leaving a cell by mouse or focus gives no hint); a refused text
    // keeps the cursor where it is, to be corrected.
    if (hint != QAbstractItemDelegate::SubmitModelCache || !m_delegate || !m_delegate->lastCommitAccepted())
        return;
    const QModelIndex below = edited.sibling(edited.row() + 1, edited.column());
    if (below.isValid())
        setCurrentIndex(below);
}
