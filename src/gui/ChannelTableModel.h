// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "model/ChannelMap.h"

#include <QAbstractTableModel>
#include <QColor>

class AppState;
class ChannelTable;
class Prompter;

// Shows one channel table to a view: model row i is table row i + 1, the
// two-line header is the horizontal header. Edits go through the core's cell
// entry rules; the model never judges a value itself.
class ChannelTableModel : public QAbstractTableModel {
    Q_OBJECT
public:
    // Rows 21-40 and 61-80 of the memories table are shaded to guide the eye.
    static constexpr QRgb kShadeColour = qRgb(235, 235, 235);
    // Shown in the frequency cell of an empty row the last read did not get.
    static constexpr char kNotRead[] = "Not read";

    ChannelTableModel(AppState& state, TableKind kind, Prompter& prompter, QObject* parent = nullptr);

    TableKind kind() const { return m_kind; }
    ChannelTable& table() const;

    // Table row of a model index and back.
    static int tableRow(const QModelIndex& index) { return index.row() + 1; }
    QModelIndex cell(int tableRow, int column) const { return index(tableRow - 1, column); }

    // Background of rows without shading; follows where the data came from.
    void setTint(const QColor& colour);
    QColor tint() const { return m_tint; }
    static bool isShadedRow(TableKind kind, int tableRow);

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role = Qt::EditRole) override;

signals:
    // A typed value was committed (accepted or refused).
    void editCommitted(int tableRow, int column, bool accepted);

private:
    bool isUnreadRow(int tableRow) const;
    AppState& m_state;
    TableKind m_kind;
    Prompter& m_prompter;
    QColor m_tint;
};
