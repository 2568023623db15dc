// SPDX-License-Identifier: GPL-3.0-or-later
#include "AppState.h"

AppState::AppState(QObject* parent) : QObject(parent) {}

void AppState::setChanged(bool on)
{
    m_changed = on;
    // Cleared by a load, a save or a read: this is the saved position.
    if (!on)
        m_history.markClean();
    emit changedFlagChanged();
    ShowMemoryStatus();
}

void AppState::restoreChanged(bool on)
{
    m_changed = on;
    emit changedFlagChanged();
    ShowMemoryStatus();
}

void AppState::setDataSource(int source)
{
    m_dataSource = source;
    // Marks belong to the read that set them; a load or a new read starts afresh.
    if (source != Radio)
        m_unreadPositions.clear();
    // The steps were changes to other tables than the ones coming now.
    m_history.clear();
    emit undoChanged();
    emit dataSourceChanged();
    ShowMemoryStatus();
}

void AppState::setUnreadPositions(const QVector<bool>& unread)
{
    m_unreadPositions = unread;
    ShowMemoryStatus();
}

UndoHistory::Tables AppState::tableRows() const
{
    return {m_tables.memories.channels(), m_tables.pms.channels()};
}

void AppState::putBack(const QVector<UndoHistory::RowChange>& rows, bool after)
{
    for (const UndoHistory::RowChange& change : rows)
        m_tables.table(change.table).setChannel(change.row, after ? change.after : change.before);
}

void AppState::beginStep(const QString& name)
{
    if (m_stepDepth++ > 0)
        return;
    m_stepName = name;
    m_stepBefore = tableRows();
}

void AppState::endStep()
{
    if (m_stepDepth == 0 || --m_stepDepth > 0)
        return;
    if (m_history.push(m_stepName, m_stepBefore, tableRows()))
        emit undoChanged();
    m_stepBefore = {};
}

bool AppState::undoStep()
{
    if (m_stepDepth > 0 || !m_history.canUndo())
        return false;
    putBack(m_history.undo(), false);
    setChanged(!m_history.isClean());
    emit undoChanged();
    return true;
}

bool AppState::redoStep()
{
    if (m_stepDepth > 0 || !m_history.canRedo())
        return false;
    putBack(m_history.redo(), true);
    setChanged(!m_history.isClean());
    emit undoChanged();
    return true;
}

void AppState::setBusy(bool on)
{
    m_busy = on;
    emit busyChanged(on);
    if (!on)
        ShowMemoryStatus();
}

void AppState::setHideEmpty(bool on)
{
    m_hideEmpty = on;
    applyHideSetting();
}

void AppState::setClipboard(const MemoryClipboard& clipboard)
{
    m_clipboard = clipboard;
    emit clipboardChanged();
}

void AppState::clearClipboard()
{
    m_clipboard.clear();
    emit clipboardChanged();
}
