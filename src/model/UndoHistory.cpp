// SPDX-License-Identifier: GPL-3.0-or-later
#include "UndoHistory.h"

bool UndoHistory::push(const QString& name, const Tables& before, const Tables& after)
{
    if (before == after)
        return false;
    // The undone steps cannot be redone past a new change.
    if (m_clean > m_index)
        m_clean = -1;
    m_steps.resize(m_index);
    m_steps.push_back({name, before, after});
    ++m_index;
    while (m_steps.size() > m_limit) {
        m_steps.removeFirst();
        --m_index;
        if (m_clean >= 0)
            --m_clean; // reaching -1 means the saved position is gone
    }
    return true;
}

UndoHistory::Tables UndoHistory::undo()
{
    if (!canUndo())
        return {};
    return m_steps.at(--m_index).before;
}

UndoHistory::Tables UndoHistory::redo()
{
    if (!canRedo())
        return {};
    return m_steps.at(m_index++).after;
}

void UndoHistory::clear()
{
    m_steps.clear();
    m_index = 0;
    m_clean = 0;
}
