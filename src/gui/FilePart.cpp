// SPDX-License-Identifier: GPL-3.0-or-later
#include "FilePart.h"

#include "files/MemoryFileOpener.h"
#include "state/AppState.h"
#include "state/Prompter.h"
#include "state/RecentFiles.h"

#include <QAction>
#include <QFileInfo>
#include <QMenu>
#include <QMimeData>
#include <QUrl>

FilePart::FilePart(AppState& state, Prompter& prompter, MessageLog& log, Settings& settings,
                   std::function<bool()> blocked, QObject* parent)
    : QObject(parent), m_state(state), m_prompter(prompter), m_log(log), m_settings(settings),
      m_blocked(std::move(blocked))
{
}

void FilePart::open()
{
    if (m_blocked())
        return;
    MemoryFileOpener opener(m_state, m_prompter, m_log, m_settings);
    opener.setOfferPrevious(true);
    const MemoryFileOpener::Result result = opener.open();
    if (result == MemoryFileOpener::Result::Loaded ||
        result == MemoryFileOpener::Result::DescriptionsLoaded) {
        remember();
        emit opened(result == MemoryFileOpener::Result::Loaded);
    }
}

void FilePart::openPath(const QString& path)
{
    m_state.setStartupFilePath(path);
    open();
    m_state.setStartupFilePath(QString());
}

void FilePart::save(MemoryFileSaver::Kind kind)
{
    if (m_blocked())
        return;
    MemoryFileSaver(m_state, m_prompter, m_log, m_settings).save(kind);
    if (m_state.saveSucceeded())
        remember();
}

void FilePart::remember()
{
    // What the tables hold is that file now (a read of the radio saved to a
    // file is that file from then on).
    if (m_state.holdsChannels() && !m_state.changed() && !m_state.currentFilePath().isEmpty())
        RecentFiles::add(m_settings, m_state.currentFilePath());
}

void FilePart::fillRecentFiles(QMenu* menu)
{
    menu->clear();
    const QStringList paths = RecentFiles::list(m_settings);
    for (int i = 0; i < paths.size(); ++i) {
        const QString path = paths.at(i);
        // "&1 club.950" and so on; the full path is the status tip.
        QAction* entry = menu->addAction(QStringLiteral("&%1 %2").arg(i + 1).arg(QFileInfo(path).fileName()));
        entry->setObjectName(QStringLiteral("mnuRecentFile%1").arg(i + 1));
        entry->setStatusTip(path);
        entry->setToolTip(path);
        connect(entry, &QAction::triggered, this, [this, path] { openRecent(path); });
    }
    if (paths.isEmpty())
        menu->addAction(QStringLiteral("(none)"))->setEnabled(false);
}

void FilePart::openRecent(const QString& path)
{
    if (m_blocked())
        return;
    // The file may have gone since the menu was filled. The list leaves out
    // files that no longer exist, so the entry is gone when it opens again.
    if (!QFileInfo(path).isFile()) {
        m_prompter.inform(MemoryFileOpener::doesNotExistText(path), Prompter::Icon::Exclamation);
        return;
    }
    openPath(path);
}

QString FilePart::droppedFile(const QMimeData* data)
{
    const QList<QUrl> urls = data ? data->urls() : QList<QUrl>();
    if (urls.size() != 1 || !urls.first().isLocalFile())
        return {};
    const QString path = urls.first().toLocalFile();
    for (const char* suffix : {".950", ".csv"}) {
        if (path.endsWith(QLatin1String(suffix), Qt::CaseInsensitive))
            return path;
    }
    return {};
}

void FilePart::openDropped(const QString& path)
{
    if (path.endsWith(QLatin1String(".csv"), Qt::CaseInsensitive)) {
        // The import needs channels to add to, as its button does.
        if (m_state.holdsChannels())
            emit csvDropped(path);
        return;
    }
    openPath(path);
}
