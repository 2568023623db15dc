// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "Channel.h"
#include "ChannelMap.h"

#include <QString>
#include <QVector>

// The undo history of the two channel tables, kept in memory: each step is a
// name and the rows it changed, each with its channel before and after, so a
// step costs what it changed. Undo and redo walk an index through the steps;
// a new step drops the steps that had been undone. The history remembers
// which position matches the saved file, so the changed flag can follow undo
// and redo.
class UndoHistory {
public:
    // Both tables' channels, as a step starts and ends.
    struct Tables {
        QVector<Channel> memories;
        QVector<Channel> pms;
        bool operator==(const Tables& other) const { return memories == other.memories && pms == other.pms; }
        bool operator!=(const Tables& other) const { return !(*this == other); }
    };
    // One row a step changed.
    struct RowChange {
        TableKind table = TableKind::Memories;
        int row = 0; // 1-based
        Channel before;
        Channel after;
    };

    // Far more than a session of editing needs; the oldest steps go first.
    static constexpr int kLimit = 500;

    explicit UndoHistory(int limit = kLimit) : m_limit(limit) {}

    // Records a finished step as the rows that differ between before and
    // after; a step that changed nothing is not kept. Returns whether it was kept.
    bool push(const QString& name, const Tables& before, const Tables& after);

    bool canUndo() const { return m_index > 0; }
    bool canRedo() const { return m_index < m_steps.size(); }
    QString undoName() const { return canUndo() ? m_steps.at(m_index - 1).name : QString(); }
    QString redoName() const { return canRedo() ? m_steps.at(m_index).name : QString(); }
    // The rows of the step undone / redone (put back each one's before /
    // after); the index moves. Empty when there is no step that way.
    QVector<RowChange> undo();
    QVector<RowChange> redo();

    // The current position matches the saved file (or the loaded one).
    void markClean() { m_clean = m_index; }
    bool isClean() const { return m_clean == m_index; }
    // Forgets every step: the tables now hold something new (a load, a read).
    void clear();

    int count() const { return int(m_steps.size()); }
    int index() const { return m_index; }
    // How many changed rows the steps hold, all together.
    int rowsHeld() const;

private:
    struct Step {
        QString name;
        QVector<RowChange> rows;
    };
    QVector<Step> m_steps;
    int m_index = 0;
    int m_clean = 0; // -1 when the saved position has been dropped
    int m_limit;
};
