// SPDX-License-Identifier: GPL-3.0-or-later
#include "TablePage.h"

#include "ChannelItemDelegate.h"
#include "ChannelTableModel.h"
#include "ChannelTableView.h"
#include "editing/CellEntry.h"
#include "state/AppState.h"

#include <QHeaderView>
#include <QMenu>
#include <QStyle>
#include <QTimer>

namespace {
// Width a column needs for its header lines and its longest possible entry.
int widestEntry(const QTableView* view, int column)
{
    const auto* model = static_cast<const ChannelTableModel*>(view->model());
    QStringList texts = ChannelTable::headerText(model->kind(), column).split(QLatin1Char('\n'));
    if (column == Column::kFreq)
        texts << QStringLiteral("88.888888");
    else
        texts << ChannelItemDelegate::choices(CellEntry::choiceList(model->kind(), column));
    const QFontMetrics metrics(view->font());
    int widest = 0;
    for (const QString& text : texts)
        widest = qMax(widest, metrics.horizontalAdvance(text));
    return widest + 2 * view->style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, view) + 8;
}
} // namespace

TablePage::TablePage(AppState& state, TableKind kind, Prompter& prompter, const QString& name,
                     const QString& spokenName, QWidget* pages)
    : QObject(pages), m_state(state), m_view(new ChannelTableView(pages)),
      m_model(new ChannelTableModel(state, kind, prompter, this))
{
    m_view->setObjectName(name);
    m_view->setAccessibleName(spokenName);
    m_view->setModel(m_model);
    auto* delegate = new ChannelItemDelegate(kind, m_view);
    m_view->setItemDelegate(delegate);
    connect(m_view, &QWidget::customContextMenuRequested, this, [this](const QPoint& pos) {
        if (m_menu && m_state.holdsChannels() && m_view->tableRowAt(pos) != 0)
            m_menu->popup(m_view->viewport()->mapToGlobal(pos));
    });
    if (kind == TableKind::Memories) {
        connect(delegate, &ChannelItemDelegate::editingStarted, this, &TablePage::editingStarted);
        connect(m_view->selectionModel(), &QItemSelectionModel::selectionChanged, this,
                &TablePage::selectionChanged);
        connect(m_view->selectionModel(), &QItemSelectionModel::currentChanged, this,
                &TablePage::selectionChanged);
        // The description column takes the width the other columns leave
        // free on screen; the width a memory file states for it is kept as
        // it was set, not the stretch to the window's edge.
        m_view->horizontalHeader()->setStretchLastSection(true);
        // A click on the frequency or description heading sorts every
        // memory by it, as the Memories menu's sort entries do.
        m_view->horizontalHeader()->setSectionsClickable(true);
        connect(m_view->horizontalHeader(), &QHeaderView::sectionClicked, this, &TablePage::headingClicked);
        // With "Hide empty memories" on, the rows shown follow the table's content.
        connect(&m_state.tables().memories, &ChannelTable::rowsChanged, this, [this] {
            if (!m_state.hideEmpty() || m_hideQueued)
                return;
            m_hideQueued = true;
            QTimer::singleShot(0, this, [this] {
                m_hideQueued = false;
                hideEmptyRows(m_state.hideEmpty());
            });
        });
    }
    m_view->horizontalHeader()->resizeSection(0, Twips::toPixels(900));
}

void TablePage::selectCell(int tableRow, int column)
{
    const QModelIndex index = m_model->cell(tableRow, column);
    if (!index.isValid())
        return;
    m_view->selectionModel()->setCurrentIndex(index, QItemSelectionModel::ClearAndSelect);
    m_view->scrollTo(index);
}

void TablePage::selectRows(const TableSelection& selection)
{
    const TableSelection s = selection.normalized();
    const QModelIndex first = m_model->cell(s.firstRow, s.firstColumn);
    const QModelIndex last = m_model->cell(s.lastRow, s.lastColumn);
    if (!first.isValid() || !last.isValid())
        return;
    m_view->selectionModel()->setCurrentIndex(first, QItemSelectionModel::NoUpdate);
    m_view->selectionModel()->select(QItemSelection(first, last), QItemSelectionModel::ClearAndSelect);
}

int TablePage::currentRow() const
{
    const QModelIndex current = m_view->currentIndex();
    return current.isValid() ? current.row() + 1 : 0;
}

TableSelection TablePage::selection() const
{
    TableSelection s;
    const QModelIndexList cells = m_view->selectionModel()->selectedIndexes();
    if (cells.isEmpty()) {
        const QModelIndex current = m_view->currentIndex();
        if (current.isValid())
            s = {current.row() + 1, current.column(), current.row() + 1, current.column()};
        return s;
    }
    s = {cells.first().row() + 1, cells.first().column(), cells.first().row() + 1, cells.first().column()};
    for (const QModelIndex& cell : cells) {
        s.firstRow = qMin(s.firstRow, cell.row() + 1);
        s.lastRow = qMax(s.lastRow, cell.row() + 1);
        s.firstColumn = qMin(s.firstColumn, cell.column());
        s.lastColumn = qMax(s.lastColumn, cell.column());
    }
    return s;
}

QVector<bool> TablePage::hiddenColumns() const
{
    QVector<bool> hidden(m_model->columnCount(), false);
    for (int c = 0; c < hidden.size(); ++c)
        hidden[c] = m_view->isColumnHidden(c);
    return hidden;
}

void TablePage::showOrigin(const QColor& tint, const QString& origin)
{
    m_model->setTint(tint);
    m_view->setAccessibleDescription(origin);
}

void TablePage::setGridSize(const GridLayout::GridSize& size, const QFont& windowFont)
{
    QFont gridFont = windowFont;
    gridFont.setPointSize(size.fontPoints);
    m_view->setFont(gridFont);
    m_view->horizontalHeader()->setFont(gridFont);
    const QFontMetrics metrics(gridFont);
    // Two header lines must fit whatever font the platform substitutes.
    const int header = qMax(Twips::toPixels(size.headerHeight), 2 * metrics.lineSpacing() + 8);
    m_view->horizontalHeader()->setFixedHeight(header);
    m_view->verticalHeader()->setDefaultSectionSize(metrics.height() + 6);
    m_view->horizontalHeader()->resizeSection(0, Twips::toPixels(size.numberColumnWidth));
}

void TablePage::placeColumns(const QVector<int>& twips, bool fit)
{
    for (int column = 0; column < twips.size(); ++column) {
        if (twips[column] < 0)
            continue;
        int width = Twips::toPixels(twips[column]);
        if (fit && column >= Column::kFreq && column <= Column::kTone)
            width = qMax(width, widestEntry(m_view, column));
        m_view->setColumnWidth(column, width);
    }
}

void TablePage::autosize(bool allColumns)
{
    if (allColumns) {
        for (int c = 1; c <= 6; ++c)
            m_view->resizeColumnToContents(c);
    }
    m_view->resizeColumnToContents(Column::kTone);
    m_view->setColumnWidth(Column::kTone,
                           m_view->columnWidth(Column::kTone) + Twips::toPixels(GridLayout::kToneExtra));
}

void TablePage::hideEmptyRows(bool hide)
{
    const QVector<bool> hidden = TableEditing::hiddenRows(m_state.tables().memories, hide);
    for (int row = 1; row <= m_state.tables().memories.rowCount(); ++row)
        m_view->setRowHidden(row - 1, row < hidden.size() && hidden[row]);
}

void TablePage::setContextMenu(QMenu* menu)
{
    m_menu = menu;
}
