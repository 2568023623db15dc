// SPDX-License-Identifier: GPL-3.0-or-later
#include "MemoryFileOpener.h"

#include "DescriptionFile.h"
#include "FileDialogs.h"
#include "InterruptedSave.h"
#include "MemoryFile.h"
#include "io/SafeFileWriter.h"
#include "io/TextFileReader.h"
#include "state/AppState.h"
#include "state/MessageLog.h"
#include "state/Prompter.h"
#include "state/Settings.h"

#include <QFile>
#include <QFileInfo>

MemoryFileOpener::MemoryFileOpener(AppState& state, Prompter& prompter, MessageLog& log, Settings& settings)
    : m_state(state), m_prompter(prompter), m_log(log), m_settings(settings)
{
}

QString MemoryFileOpener::doesNotExistText(const QString& path)
{
    return QStringLiteral("Filename ") + path + QStringLiteral(" does not exist");
}

QString MemoryFileOpener::unsavedChangesText()
{
    return QStringLiteral(
        "Changes have been made but not yet saved to disk\r\nAre you sure you want to continue?");
}

void MemoryFileOpener::reportRefusedDescriptions(const QString& path, const QString& why, Opened& opened)
{
    if (why.isEmpty())
        return;
    opened.descriptionsRefused = true;
    const QString file = DescriptionFile::pathFor(path);
    m_log.notice(QStringLiteral("Cannot read ") + file + QStringLiteral(": ") + why);
    m_prompter.inform(QStringLiteral("The file ") + QFileInfo(file).fileName() +
                          QStringLiteral(" cannot be read (") + why + QStringLiteral(")."),
                      Prompter::Icon::Exclamation);
}

MemoryFileOpener::Opened MemoryFileOpener::open()
{
    return open(Request());
}

MemoryFileOpener::Opened MemoryFileOpener::open(const Request& request)
{
    Opened opened;
    if (m_state.changed() &&
        m_prompter.askSafely(unsavedChangesText(), Prompter::Buttons::YesNo, Prompter::Icon::Question,
                             Prompter::Answer::No) != Prompter::Answer::Yes) {
        opened.result = Result::Declined;
        return opened;
    }

    m_state.setBusy(true);
    opened.result = run(request, opened);
    m_state.setBusy(false);
    return opened;
}

MemoryFileOpener::Result MemoryFileOpener::run(const Request& request, Opened& opened)
{
    QString path = request.path;
    if (path.isEmpty()) {
        path = m_prompter.chooseOpenFile(QString::fromLatin1(FileDialogs::kOpenTitle), m_state.dataFolder(),
                                         QString::fromLatin1(FileDialogs::kOpenFilters));
        if (path.isEmpty())
            return Result::Cancelled;
    }
    if (!MemoryFile::endsWithMemoryExtension(path) && !MemoryFile::endsWithDescriptionExtension(path))
        path += QLatin1String(MemoryFile::kExtension);

    // Only regular files are opened: a FIFO would block the program for good.
    const QString problem = SafeFileWriter::pathProblem(path);
    if (QFileInfo::exists(path) && !problem.isEmpty()) {
        m_log.notice(QStringLiteral("Cannot read ") + path + QStringLiteral(": ") + problem);
        m_prompter.inform(QStringLiteral("The file ") + QFileInfo(path).fileName() +
                              QStringLiteral(" cannot be read (") + problem + QStringLiteral(")."),
                          Prompter::Icon::Exclamation);
        return Result::Unreadable;
    }
    if (!QFileInfo(path).isFile()) {
        if (!request.quietWhenMissing)
            m_prompter.inform(doesNotExistText(path), Prompter::Icon::Exclamation);
        return Result::Missing;
    }

    if (MemoryFile::endsWithDescriptionExtension(path)) {
        // Descriptions come into the tables as they are: a step to undo like any other.
        const UndoStep step(m_state, QStringLiteral("Load descriptions"));
        reportRefusedDescriptions(path, DescriptionFile::load(path, m_state, m_settings), opened);
        return Result::DescriptionsLoaded;
    }

    // A save of this pair that was interrupted is told, and the pair it
    // kept is offered; the files themselves are left as they are.
    QString source = path;
    const InterruptedSave::Report interrupted = InterruptedSave::inspect(path);
    if (interrupted.interrupted) {
        const bool ask = request.offerPrevious && InterruptedSave::offersPrevious(interrupted);
        const QString text = InterruptedSave::reportText(path, interrupted, ask);
        if (ask) {
            if (m_prompter.askSafely(text, Prompter::Buttons::YesNo, Prompter::Icon::Exclamation,
                                     Prompter::Answer::No) == Prompter::Answer::Yes)
                source = interrupted.previousPath;
        } else {
            m_prompter.inform(text, Prompter::Icon::Exclamation);
        }
    }

    // The whole file is read before the tables are touched, so a file that
    // cannot be read leaves them as they were.
    QFile file(source);
    TextFileReader reader;
    if (!file.open(QIODevice::ReadOnly) || !reader.read(file)) {
        const QString why = reader.tooLarge() ? reader.errorText() : file.errorString();
        m_log.notice(QStringLiteral("Cannot read ") + source + QStringLiteral(": ") + why);
        m_prompter.inform(QStringLiteral("The file ") + QFileInfo(source).fileName() +
                              QStringLiteral(" cannot be read (") + why + QStringLiteral(")."),
                          Prompter::Icon::Exclamation);
        return Result::Unreadable;
    }
    file.close();

    m_state.tables().reset();
    const QFileInfo info(path);
    const int skipped =
        MemoryFile::load(reader.lines(), m_state.tables(), m_log, QFileInfo(source).fileName());
    opened.skippedLines = skipped;
    if (skipped > 0)
        m_prompter.inform(
            QStringLiteral("%1 line(s) of %2 could not be read and were skipped. The message log names them.")
                .arg(skipped)
                .arg(QFileInfo(source).fileName()),
            Prompter::Icon::Exclamation);

    const QString fullPath = info.absoluteFilePath();
    m_settings.set(Keys::LastOpened, fullPath);
    m_state.setCurrentFilePath(fullPath);
    // The previous pair stands in for this one until it is saved as it.
    m_state.setChanged(source != path);
    m_state.clearClipboard();
    const QString canonical = info.canonicalFilePath();
    opened.path = fullPath;
    opened.fileName = QFileInfo(canonical.isEmpty() ? fullPath : canonical).fileName();
    m_state.setFilePresent(true);
    m_state.setReadPresent(false);
    m_state.setDataSource(AppState::File);
    m_state.applyHideSetting();

    reportRefusedDescriptions(source, DescriptionFile::load(source, m_state, m_settings), opened);
    return Result::Loaded;
}
