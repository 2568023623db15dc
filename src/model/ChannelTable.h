// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ChannelMap.h"
#include "MemoryRecord.h"

#include <QObject>
#include <QStringList>
#include <QVector>

// One of the two channel tables: a header row 0 and a fixed number of data
// rows of text cells, numbered exactly as the channel map numbers them.
// Views show it through a model adapter; they learn of changes by rowsChanged.
// Behind its visible cells each data row holds one more, never shown: the
// record's Kept text (what the radio gave the channel). It travels with the
// row wherever whole rows go (moves, paste, sorts, undo steps) and is
// cleared with the row.
class ChannelTable : public QObject {
    Q_OBJECT
public:
    explicit ChannelTable(TableKind kind, QObject* parent = nullptr);

    TableKind kind() const { return m_kind; }
    int rowCount() const { return ChannelMap::rowCount(m_kind); } // data rows
    int columnCount() const { return ChannelMap::columnCount(m_kind); }

    // Two-line header of a column, lines separated by "\n".
    static QString headerText(TableKind kind, int column);

    // Row 0 gives the header. Out-of-range cells read as empty text.
    QString text(int row, int column) const;
    void setText(int row, int column, const QString& text);

    bool isEmptyRow(int row) const; // Freq is exactly "Empty"
    void makeRowEmpty(int row);
    // Empties every data row and rewrites the slot labels.
    void reset();
    // Rewrites the label column of every data row.
    void renumber();

    // Every visible cell of a data row, label first; empty for a row outside the table.
    QStringList rowFields(int row) const;

    // The row's Kept text (see MemoryRecord); empty for a row outside the table.
    QString kept(int row) const;
    void setKept(int row, const QString& kept);

    MemoryRecord record(int row) const;
    // Writes the data fields of a record; Description only in the memories table.
    void setRecord(int row, const MemoryRecord& record);

    // Whole data rows (index 0 = row 1), every column including the label,
    // then the Kept text. setDataRows also takes rows without it (as rows
    // from before the Kept text was kept): those rows keep nothing.
    QVector<QStringList> dataRows() const { return m_rows; }
    void setDataRows(const QVector<QStringList>& rows);

signals:
    // Cells of data rows first..last changed.
    void rowsChanged(int first, int last);

private:
    bool isCell(int row, int column) const;
    int keptIndex() const { return columnCount(); }
    QStringList emptyRow(int row) const;

    TableKind m_kind;
    QVector<QStringList> m_rows;
};
