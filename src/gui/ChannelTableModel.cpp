// SPDX-License-Identifier: GPL-3.0-or-later
#include "ChannelTableModel.h"

#include "editing/CellEntry.h"
#include "model/ChannelText.h"
#include "state/AppState.h"

ChannelTableModel::ChannelTableModel(AppState& state, TableKind kind, Prompter& prompter, QObject* parent)
    : QAbstractTableModel(parent), m_state(state), m_kind(kind), m_prompter(prompter)
{
    connect(&table(), &ChannelTable::rowsChanged, this, [this](int first, int last) {
        first = qMax(first, 1);
        last = qMin(last, table().rowCount());
        if (first <= last)
            emit dataChanged(index(first - 1, 0), index(last - 1, columnCount() - 1));
    });
    // The unread marks change with the data source, which tells the window this way.
    connect(&m_state, &AppState::memoryStatusChanged, this, [this] {
        emit dataChanged(index(0, Column::kFreq), index(rowCount() - 1, Column::kFreq),
                         {Qt::DisplayRole, Qt::ToolTipRole});
    });
}

ChannelTable& ChannelTableModel::table() const
{
    return m_state.tables().table(m_kind);
}

void ChannelTableModel::setTint(const QColor& colour)
{
    if (colour == m_tint)
        return;
    m_tint = colour;
    emit dataChanged(index(0, 0), index(rowCount() - 1, columnCount() - 1),
                     {Qt::BackgroundRole, Qt::ForegroundRole});
}

bool ChannelTableModel::isShadedRow(TableKind kind, int tableRow)
{
    return kind == TableKind::Memories &&
           ((tableRow >= 21 && tableRow <= 40) || (tableRow >= 61 && tableRow <= 80));
}

bool ChannelTableModel::isUnreadRow(int tableRow) const
{
    return m_state.isUnread(ChannelMap::positionOf(m_kind, tableRow)) && table().isEmptyRow(tableRow);
}

int ChannelTableModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : table().rowCount();
}

int ChannelTableModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : table().columnCount();
}

QVariant ChannelTableModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid())
        return {};
    const int row = tableRow(index);
    switch (role) {
    case Qt::DisplayRole:
        // An empty row the last read did not get says so: it is not the radio's content.
        if (index.column() == Column::kFreq && isUnreadRow(row))
            return QString::fromLatin1(kNotRead);
        return ChannelText::cell(table(), row, index.column());
    case Qt::EditRole:
        return ChannelText::cell(table(), row, index.column());
    case Qt::ToolTipRole:
        if (isUnreadRow(row))
            return QStringLiteral("Not read from the radio: the read stopped before it or the radio did not "
                                  "answer");
        return {};
    case Qt::BackgroundRole:
        if (isShadedRow(m_kind, row))
            return QColor(kShadeColour);
        return m_tint.isValid() ? QVariant(m_tint) : QVariant();
    case Qt::ForegroundRole: {
        // A dark desktop palette has light text, which the light tints would
        // swallow: the text on a light background is black, as in a light palette.
        const QColor back = data(index, Qt::BackgroundRole).value<QColor>();
        if (back.isValid() && back.lightnessF() >= 0.5)
            return QColor(Qt::black);
        return {};
    }
    case Qt::TextAlignmentRole:
        if (index.column() == 0)
            return QVariant(Qt::AlignCenter);
        return QVariant(Qt::AlignLeft | Qt::AlignVCenter);
    default:
        return {};
    }
}

QVariant ChannelTableModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation == Qt::Horizontal && role == Qt::DisplayRole)
        return ChannelTable::headerText(m_kind, section);
    if (orientation == Qt::Vertical && role == Qt::DisplayRole)
        return section + 1;
    // A screen reader names a cell by its row's slot label and its heading on one line.
    if (orientation == Qt::Horizontal && role == Qt::AccessibleTextRole)
        return ChannelTable::headerText(m_kind, section).replace(QLatin1Char('\n'), QLatin1Char(' '));
    if (orientation == Qt::Vertical && role == Qt::AccessibleTextRole && section >= 0 && section < rowCount())
        return ChannelText::cell(table(), section + 1, 0);
    return QAbstractTableModel::headerData(section, orientation, role);
}

Qt::ItemFlags ChannelTableModel::flags(const QModelIndex& index) const
{
    if (!index.isValid())
        return Qt::NoItemFlags;
    Qt::ItemFlags f = Qt::ItemIsEnabled | Qt::ItemIsSelectable;
    // Nothing changes the tables while a transfer is running.
    if (!m_state.busy() && CellEntry::isEditable(m_state, m_kind, tableRow(index), index.column()))
        f |= Qt::ItemIsEditable;
    return f;
}

bool ChannelTableModel::setData(const QModelIndex& index, const QVariant& value, int role)
{
    if (!index.isValid() || role != Qt::EditRole || !(flags(index) & Qt::ItemIsEditable))
        return false;
    const int row = tableRow(index);
    const bool accepted =
        CellEntry::commit(m_state, m_kind, row, index.column(), value.toString(), m_prompter);
    emit editCommitted(row, index.column(), accepted);
    return accepted;
}
