// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QTableView>

class ChannelItemDelegate;

// A channel table on screen: a grid with a two-line header, cell editors from
// the delegate, Shift+Insert reported to the window (which reads the clipboard
// and pastes into the current cell), and the Delete key reported to the window
// (the PMS table deletes a pair with it).
class ChannelTableView : public QTableView {
    Q_OBJECT
public:
    static constexpr QAbstractItemView::EditTriggers kEditTriggers{QAbstractItemView::DoubleClicked |
                                                                   QAbstractItemView::EditKeyPressed |
                                                                   QAbstractItemView::AnyKeyPressed};

    explicit ChannelTableView(QWidget* parent = nullptr);

    void setItemDelegate(ChannelItemDelegate* delegate);
    ChannelItemDelegate* channelDelegate() const { return m_delegate; }

    // Reports the Delete key instead of leaving it to the view.
    void setDeleteKeyReported(bool on) { m_reportDelete = on; }

    // Opens the current cell's editor with the clipboard text in it, when the
    // cell may be edited. Returns whether an editor was opened.
    bool pasteIntoCurrentCell(const QString& text);

    // Whether a cell editor is open.
    bool isEditing() const { return state() == QAbstractItemView::EditingState; }

    // Table row (1-based) of the row under a point of the viewport, 0 for none.
    int tableRowAt(const QPoint& viewportPos) const;

    // Type-ahead search is off: a key on a cell that refuses editing would
    // otherwise jump to another row's cell, and the next keys edit that one.
    void keyboardSearch(const QString&) override {}

signals:
    void deleteKeyPressed();
    void pasteKeyPressed();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    // Return commits a cell and moves down a row, as in a spreadsheet.
    void closeEditor(QWidget* editor, QAbstractItemDelegate::EndEditHint hint) override;

private:
    ChannelItemDelegate* m_delegate = nullptr;
    bool m_reportDelete = false;
};
