// SPDX-License-Identifier: GPL-3.0-or-later
#include "WindowPlacement.h"

#include "model/ChannelTable.h"
#include "state/GridLayout.h"
#include "state/Settings.h"

#include <QTableView>
#include <QWidget>

void WindowPlacement::restore(QWidget& window, Settings& settings)
{
    QSize size = window.size();
    if (settings.find(Keys::MemoryHeight))
        size.setHeight(
            Twips::toPixels(settings.getInt(Keys::MemoryHeight, Twips::fromPixels(size.height()))));
    if (settings.find(Keys::MemoryWidth))
        size.setWidth(Twips::toPixels(settings.getInt(Keys::MemoryWidth, Twips::fromPixels(size.width()))));
    window.resize(size);
    const bool hasTop = settings.find(Keys::MemoryTop).has_value();
    const bool hasLeft = settings.find(Keys::MemoryLeft).has_value();
    if (hasTop || hasLeft) {
        QPoint at = window.pos();
        if (hasTop)
            at.setY(Twips::toPixels(settings.getInt(Keys::MemoryTop, Twips::fromPixels(at.y()))));
        if (hasLeft)
            at.setX(Twips::toPixels(settings.getInt(Keys::MemoryLeft, Twips::fromPixels(at.x()))));
        window.move(at);
    }
    switch (settings.getInt(Keys::MemoryWindowState, 0)) {
    case 1:
        window.setWindowState(Qt::WindowMinimized);
        break;
    case 2:
        window.setWindowState(Qt::WindowMaximized);
        break;
    default:
        window.setWindowState(Qt::WindowNoState);
        break;
    }
}

void WindowPlacement::save(const QWidget& window, const QTableView& memories, Settings& settings)
{
    int state = 0;
    if (window.windowState() & Qt::WindowMinimized)
        state = 1;
    else if (window.windowState() & Qt::WindowMaximized)
        state = 2;
    Settings::Batch batch(settings); // one rewrite of the file for the twelve keys
    settings.setInt(Keys::MemoryWindowState, state);
    settings.setInt(Keys::MemoryHeight, Twips::fromPixels(window.height()));
    settings.setInt(Keys::MemoryWidth, Twips::fromPixels(window.width()));
    settings.setInt(Keys::MemoryTop, Twips::fromPixels(window.pos().y()));
    settings.setInt(Keys::MemoryLeft, Twips::fromPixels(window.pos().x()));
    for (int c = 0; c <= Column::kDescription; ++c)
        settings.setInt(Keys::Column[c], Twips::fromPixels(memories.columnWidth(c)));
}
