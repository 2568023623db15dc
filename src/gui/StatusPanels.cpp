// SPDX-License-Identifier: GPL-3.0-or-later
#include "StatusPanels.h"

#include "state/GridLayout.h"

#include <QEvent>
#include <QLabel>
#include <QLocale>
#include <QMainWindow>
#include <QStatusBar>
#include <QTime>
#include <QTimer>

namespace {
// Each panel's name, tooltip, and the name a screen reader gives it before its text.
struct PanelInfo {
    const char* name;
    const char* tooltip;
    const char* spokenName;
};
const PanelInfo kPanels[] = {
    {"panelFile", " Double click to show the path ", "File"},
    {"panelChanged", " Whether any of the memories have been changed ", "Changes"},
    {"panelFirstRow", " Block no, or lowest memory selected on Left ", "First selected memory"},
    {"panelLastRow", " Highest memory number selected on Left ", "Last selected memory"},
    {"panelClock", " Time of day ", "Time"},
};
} // namespace

StatusPanels::StatusPanels(QMainWindow* window) : QObject(window), m_bar(new QStatusBar(window))
{
    m_bar->setObjectName(QStringLiteral("StatusBar1"));
    m_bar->setSizeGripEnabled(true);
    window->setStatusBar(m_bar);
    for (int i = 0; i < 5; ++i) {
        auto* panel = new QLabel(m_bar);
        panel->setObjectName(QString::fromLatin1(kPanels[i].name));
        panel->setToolTip(QString::fromLatin1(kPanels[i].tooltip));
        panel->setAccessibleName(QString::fromLatin1(kPanels[i].spokenName));
        panel->setFrameStyle(QFrame::Panel | QFrame::Sunken);
        panel->setMinimumWidth(Twips::toPixels(i == File ? 3000 : i == Changed ? 2200 : 900));
        panel->installEventFilter(this);
        m_bar->addPermanentWidget(panel, i == File ? 1 : 0);
        m_panels.append(panel);
    }
    m_panels[FirstRow]->setText(QStringLiteral("0"));
    m_panels[LastRow]->setText(QStringLiteral("0"));
    auto* clock = new QTimer(this);
    connect(clock, &QTimer::timeout, this, &StatusPanels::updateClock);
    clock->start(1000);
    updateClock();
}

void StatusPanels::updateClock()
{
    m_panels[Clock]->setText(QLocale().toString(QTime::currentTime(), QLocale::ShortFormat));
}

bool StatusPanels::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::MouseButtonDblClick && m_panels.contains(qobject_cast<QLabel*>(watched))) {
        emit pathRequested();
        return true;
    }
    return QObject::eventFilter(watched, event);
}
