// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QPointer>
#include <QStyledItemDelegate>
#include <functional>

class QLineEdit;

// The cell editors of the repeater rule grid: drop-down lists for the shift
// direction and the tuning step, line editors for the bounds and the offset.
// A typed value is judged when the user leaves the cell; a refused value
// keeps its editor open for correction.
class RuleGridDelegate : public QStyledItemDelegate {
    Q_OBJECT
public:
    // Judges a typed text for a column; may replace the text with its shown
    // form. Shows its own messages.
    using Check = std::function<bool(int column, QString& text)>;

    static constexpr int kDirectionColumn = 2;
    static constexpr int kStepColumn = 4;

    explicit RuleGridDelegate(Check check, QObject* parent = nullptr);

    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                          const QModelIndex& index) const override;
    void setEditorData(QWidget* editor, const QModelIndex& index) const override;
    void setModelData(QWidget* editor, QAbstractItemModel* model, const QModelIndex& index) const override;

    // An editor is open in the grid.
    bool isEditing() const { return m_open && m_open->isVisible(); }

signals:
    // A value was written into the cell.
    void committed(int row, int column) const;
    // The view closed an editor whose value was refused; the window opens it
    // again with the typed text.
    void reopen(const QModelIndex& index) const;

protected:
    bool eventFilter(QObject* object, QEvent* event) override;

private:
    // Runs the check once per text typed into an editor.
    bool judge(QLineEdit* editor) const;

    Check m_check;
    mutable bool m_checking = false;
    // The text last judged for an editor, and the verdict.
    mutable QPointer<QLineEdit> m_judged;
    mutable QString m_judgedText;
    mutable QString m_shownText;
    mutable bool m_accepted = false;
    mutable QPointer<QWidget> m_open;
    mutable QString m_pendingText;
    mutable bool m_hasPending = false;
};
