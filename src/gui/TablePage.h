// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "editing/TableEditing.h"
#include "model/ChannelTable.h"
#include "state/GridLayout.h"

#include <QObject>
#include <QVector>

class AppState;
class ChannelTableModel;
class ChannelTableView;
class Prompter;
class QColor;
class QFont;
class QMenu;
class QWidget;

// One table page of the main window (the memories or the PMS edges): its
// view, model and cell editors, what is selected on it, its columns and
// its tint. The window's menus carry out the commands on it.
class TablePage : public QObject {
    Q_OBJECT
public:
    // name is the view's object name, spokenName what a screen reader calls it.
    TablePage(AppState& state, TableKind kind, Prompter& prompter, const QString& name,
              const QString& spokenName, QWidget* pages);

    ChannelTableView* view() const { return m_view; }
    ChannelTableModel* model() const { return m_model; }
    // Makes the cell current and scrolls to it.
    void selectCell(int tableRow, int column);
    void selectRows(const TableSelection& selection);
    // The current cell's table row; 0 when there is none.
    int currentRow() const;
    // The rows and columns selected (the current cell when none is), as the block commands take them.
    TableSelection selection() const;
    QVector<bool> hiddenColumns() const;
    // The tint and the spoken description say where the channels came from.
    void showOrigin(const QColor& tint, const QString& origin);
    void setGridSize(const GridLayout::GridSize& size, const QFont& windowFont);
    // Widths in twips, a negative one left as it is; fit widens a choice
    // column to its longest choice in the font the platform substitutes.
    void placeColumns(const QVector<int>& twips, bool fit);
    // Columns sized to their content; allColumns: the frequency to the description too.
    void autosize(bool allColumns);
    // Memories: rows "Hide empty memories" leaves out.
    void hideEmptyRows(bool hide);
    // The page's menu, offered over a data row while the tables hold channels.
    void setContextMenu(QMenu* menu);

signals:
    void editingStarted();
    void selectionChanged();
    void headingClicked(int column);

private:
    AppState& m_state;
    ChannelTableView* m_view;
    ChannelTableModel* m_model;
    QMenu* m_menu = nullptr;
    bool m_hideQueued = false;
};
