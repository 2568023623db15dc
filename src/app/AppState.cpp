#include "AppState.h"

AppState::AppState(QObject* parent) : QObject(parent) {}

void AppState::setChanged(bool on)
{
    changed = on;
    ShowMemoryStatus();
}

void AppState::setDataSource(int source)
{
    dataSource = source;
    // Marks belong to the read that set them; a load or a new read starts afresh.
    if (source != Radio)
        unreadPositions.clear();
    ShowMemoryStatus();
}

QString AppState::snapshotFailedText(const QString& why)
{
    return QStringLiteral("The undo copy of the memories could not be written (") + why +
           QStringLiteral("); this change cannot be undone.");
}

bool AppState::takeSnapshot(const QString& label)
{
    const bool ok = undo.take(tables.memories, label);
    emit undoChanged();
    if (!ok)
        emit snapshotFailed(snapshotFailedText(undo.errorText()));
    return ok;
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
