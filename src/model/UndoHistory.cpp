// SPDX-License-Identifier: GPL-3.0-or-later
#include "UndoHistory.h"

namespace {
void addChanges(QVector<UndoHistory::RowChange>& changes, TableKind table, const QVector<Channel>& before,
                const QVector<Channel>& after)
{
    const int rows = int(qMax(before.size(), after.size()));
    for (int i = 0; i < rows; ++i) {
        const Channel was = before.value(i);
        const Channel now = after.value(i);
        if (was != now)
            changes.push_back({table, i + 1, was, now});
    }
}
} // namespace

bool UndoHistory::push(const QString& name, const Tables& before, const Tables& after)
{
    QVector<RowChange> changes;
    addChanges(changes, TableKind::Memories, before.memories, after.memories);
    addChanges(changes, TableKind::Pms, before.pms, after.pms);
    if (changes.isEmpty())
        return false;
    // The undone steps cannot be redone past a new change.
    if (m_clean > m_index)
        m_clean = -1;
    m_steps.resize(m_index);
    m_steps.push_back({name, changes});
    ++m_index;
    while (m_steps.size() > m_limit) {
        m_steps.removeFirst();
        --m_index;
        if (m_clean >= 0)
            --m_clean; // reaching -1 means the saved position is gone
    }
    return true;
}

QVector<UndoHistory::RowChange> UndoHistory::undo()
{
    if (!canUndo())
        return {};
    return m_steps.at(--m_index).rows;
}

QVector<UndoHistory::RowChange> UndoHistory::redo()
{
    if (!canRedo())
        return {};
    return m_steps.at(m_index++).rows;
}

void UndoHistory::clear()
{
    m_steps.clear();
    m_index = 0;
    m_clean = 0;
}

int UndoHistory::rowsHeld() const
{
    int rows = 0;
    for (const Step& step : m_steps)
        rows += int(step.rows.size());
    return rows;
}
