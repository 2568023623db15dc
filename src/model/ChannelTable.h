// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "Channel.h"
#include "ChannelMap.h"

#include <QObject>
#include <QVector>

// One of the two channel tables: a fixed number of channel slots, numbered
// exactly as the channel map numbers them (row 1 is the first; the labels
// come from the map). Views show it through a model adapter and learn of
// changes by rowsChanged; the words they show are made by ChannelText.
class ChannelTable : public QObject {
    Q_OBJECT
public:
    explicit ChannelTable(TableKind kind, QObject* parent = nullptr);

    TableKind kind() const { return m_kind; }
    int rowCount() const { return ChannelMap::rowCount(m_kind); } // data rows
    int columnCount() const { return ChannelMap::columnCount(m_kind); }

    // Two-line header of a column, lines separated by "\n".
    static QString headerText(TableKind kind, int column);

    // The channel of a row 1..rowCount; no channel for a row outside the table.
    Channel channel(int row) const;
    // Writes a row's channel; the PMS table keeps no description.
    void setChannel(int row, const Channel& channel);
    bool isEmptyRow(int row) const { return !channel(row).present; }
    void clearRow(int row);
    // Empties every row.
    void reset();

    // Every row's channel (index 0 = row 1). setChannels fills rows past the
    // list with no channel.
    const QVector<Channel>& channels() const { return m_rows; }
    void setChannels(const QVector<Channel>& channels);

signals:
    // Channels of rows first..last changed.
    void rowsChanged(int first, int last);

private:
    TableKind m_kind;
    QVector<Channel> m_rows;
};
