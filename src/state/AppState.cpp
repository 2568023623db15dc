#include "AppState.h"

AppState::AppState(QObject* parent) : QObject(parent) {}

void AppState::setChanged(bool on)
{
    changed = on;
    // Cleared by a load, a save or a read: this is the saved position.
    if (!on)
        history.markClean();
    ShowMemoryStatus();
}

void AppState::setDataSource(int source)
{
    dataSource = source;
    // Marks belong to the read that set them; a load or a new read starts afresh.
    if (source != Radio)
        unreadPositions.clear();
    // The steps were changes to other tables than the ones coming now.
    history.clear();
    emit undoChanged();
    ShowMemoryStatus();
}

UndoHistory::Tables AppState::tableRows() const
{
    return {tables.memories.dataRows(), tables.pms.dataRows()};
}

void AppState::setTableRows(const UndoHistory::Tables& rows)
{
    tables.memories.setDataRows(rows.memories);
    tables.pms.setDataRows(rows.pms);
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
    if (history.push(m_stepName, m_stepBefore, tableRows()))
        emit undoChanged();
    m_stepBefore = {};
}

bool AppState::undoStep()
{
    if (m_stepDepth > 0 || !history.canUndo())
        return false;
    setTableRows(history.undo());
    setChanged(!history.isClean());
    emit undoChanged();
    return true;
}

bool AppState::redoStep()
{
    if (m_stepDepth > 0 || !history.canRedo())
        return false;
    setTableRows(history.redo());
    setChanged(!history.isClean());
    emit undoChanged();
    return true;
}

void AppState::setBusy(bool on)
{
    busy = on;
    emit busyChanged(on);
    if (!on)
        ShowMemoryStatus();
}

void AppState::setFilePanel(const QString& text)
{
    m_filePanel = text;
    emit filePanelChanged(text);
}

void AppState::setHideEmpty(bool on)
{
    m_hideEmpty = on;
    applyHideSetting();
}

void AppState::clearClipboard()
{
    clipboard.clear();
    emit clipboardChanged();
}
