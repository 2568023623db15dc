// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QStringList>
#include <QVector>

// The undo history of the two channel tables, kept in memory: each step is a
// name and the whole data rows of both tables before and after it (rows are
// implicitly shared, so a step costs little more than the rows it changed).
// Undo and redo walk an index through the steps; a new step drops the steps
// that had been undone. The history remembers which position matches the
// saved file, so the changed flag can follow undo and redo.
class UndoHistory {
public:
    struct Tables {
        QVector<QStringList> memories;
        QVector<QStringList> pms;
        bool operator==(const Tables& other) const { return memories == other.memories && pms == other.pms; }
        bool operator!=(const Tables& other) const { return !(*this == other); }
    };

    // Far more than a session of editing needs; the oldest steps go first.
    static constexpr int kLimit = 500;

    explicit UndoHistory(int limit = kLimit) : m_limit(limit) {}

    // Records a finished step; a step that changed nothing is not kept.
    // Returns whether it was kept.
    bool push(const QString& name, const Tables& before, const Tables& after);

    bool canUndo() const { return m_index > 0; }
    bool canRedo() const { return m_index < m_steps.size(); }
    QString undoName() const { return canUndo() ? m_steps.at(m_index - 1).name : QString(); }
    QString redoName() const { return canRedo() ? m_steps.at(m_index).name : QString(); }
    // The tables to show after undoing / redoing one step; the index moves.
    Tables undo();
    Tables redo();

    // The current position matches the saved file (or the loaded one).
    void markClean() { m_clean = m_index; }
    bool isClean() const { return m_clean == m_index; }
    // Forgets every step: the tables now hold something new (a load, a read).
    void clear();

    int count() const { return int(m_steps.size()); }
    int index() const { return m_index; }

private:
    struct Step {
        QString name;
        Tables before;
        Tables after;
    };
    QVector<Step> m_steps;
    int m_index = 0;
    int m_clean = 0; // -1 when the saved position has been dropped
    int m_limit;
};
