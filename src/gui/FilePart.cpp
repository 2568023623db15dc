// SPDX-License-Identifier: GPL-3.0-or-later
#include "FilePart.h"

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

namespace {
// The core's texts are clauses the command line prints after its name; a
// message box shows them as a sentence.
QString sentence(QString text)
{
    if (!text.isEmpty())
        text[0] = text.at(0).toUpper();
    return text + QLatin1Char('.');
}
} // namespace

QString FilePart::partialReadText(const QString& savedPath, const QString& chosenPath)
{
    // Both stand in one folder: their names say it, as the save's other messages do.
    return sentence(MemoryFileSaver::partialReadText(
        QFileInfo(savedPath).fileName(), QFileInfo(chosenPath).fileName(), QFileInfo::exists(chosenPath)));
}

QString FilePart::noPartialNameText(const QString& chosenPath)
{
    return sentence(MemoryFileSaver::noPartialNameText(QFileInfo(chosenPath).fileName()));
}

void FilePart::open()
{
    MemoryFileOpener::Request request;
    request.offerPrevious = true;
    open(request);
}

void FilePart::openPath(const QString& path)
{
    MemoryFileOpener::Request request;
    request.path = path;
    request.quietWhenMissing = true;
    request.offerPrevious = true;
    open(request);
}

void FilePart::open(const MemoryFileOpener::Request& request)
{
    if (m_blocked())
        return;
    emit memoriesPageWanted();
    const MemoryFileOpener::Opened done =
        MemoryFileOpener(m_state, m_prompter, m_log, m_settings).open(request);
    if (!done.loaded())
        return;
    remember();
    if (done.result == MemoryFileOpener::Result::Loaded)
        emit fileShown(done.fileName);
    emit opened(done.result == MemoryFileOpener::Result::Loaded);
}

bool FilePart::save(MemoryFileSaver::Kind kind)
{
    if (m_blocked())
        return false;
    MemoryFileSaver::Request request;
    request.kind = kind;
    request.askBeforeReplace = m_askBeforeReplace;
    const MemoryFileSaver::Saved saved =
        MemoryFileSaver(m_state, m_prompter, m_log, m_settings).save(request);
    m_askBeforeReplace = saved.askBeforeReplace;
    if (saved.result == MemoryFileSaver::Result::NoPartialName) {
        m_prompter.inform(noPartialNameText(saved.partialOf), Prompter::Icon::Exclamation);
        return false;
    }
    if (!saved.written())
        return false;
    emit fileShown(saved.fileName);
    if (!saved.partialOf.isEmpty())
        m_prompter.inform(partialReadText(saved.path, saved.partialOf), Prompter::Icon::Exclamation);
    if (saved.result != MemoryFileSaver::Result::Saved)
        return false;
    remember();
    return true;
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
