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
    ShowMemoryStatus();
}

bool AppState::takeSnapshot(const QString& label)
{
    const bool ok = undo.take(tables.memories, label);
    emit undoChanged();
    return ok;
}
