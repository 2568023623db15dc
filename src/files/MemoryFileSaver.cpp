// SPDX-License-Identifier: GPL-3.0-or-later
#include "MemoryFileSaver.h"

#include "DescriptionFile.h"
#include "FileDialogs.h"
#include "InterruptedSave.h"
#include "MemoryFile.h"
#include "io/LockFileCheck.h"
#include "io/SafeFileWriter.h"
#include "io/TextFileWriter.h"
#include "state/AppState.h"
#include "state/MessageLog.h"
#include "state/Prompter.h"
#include "state/Settings.h"

#include <QDir>
#include <QFileInfo>
#include <QLockFile>

MemoryFileSaver::MemoryFileSaver(AppState& state, Prompter& prompter, MessageLog& log, Settings& settings)
    : m_state(state), m_prompter(prompter), m_log(log), m_settings(settings)
{
}

QString MemoryFileSaver::readOnlyText(const QString& fileName)
{
    return QStringLiteral("File ") + fileName +
           QStringLiteral(" is read-only and cannot be over-written. Please choose another filename.");
}

QString MemoryFileSaver::replaceText(const QString& fileName)
{
    return QStringLiteral("Filename ") + fileName +
           QStringLiteral(" already exists\r\nDo you wish to replace it?");
}

QString MemoryFileSaver::errorText(int number, const QString& description, int location)
{
    return QStringLiteral("An error has been encountered when trying to save the file.\r\nError number ") +
           QString::number(number) + QStringLiteral(" (") + description + QStringLiteral(") in line ") +
           QString::number(location) +
           QStringLiteral("\r\n\r\nCannot save the file here - please try an alternative location");
}

QString MemoryFileSaver::refusedText(const QStringList& labels)
{
    return QStringLiteral(
               "These channels were not saved, because the radio could not take them as they stand: ") +
           labels.join(QStringLiteral(", ")) +
           QStringLiteral(".\r\nThey are still in the table; the message log says what is wrong with each.");
}

QString MemoryFileSaver::partialReadText(const QString& saved, const QString& chosen, bool chosenExists)
{
    return QStringLiteral("the read was incomplete; what was read is saved in ") + saved +
           (chosenExists ? QStringLiteral(" and ") + chosen + QStringLiteral(" was left as it was")
                         : QString());
}

QString MemoryFileSaver::noPartialNameText(const QString& chosenPath)
{
    return QStringLiteral("the read was incomplete, and every name for it beside ") + chosenPath +
           QStringLiteral(" is taken; nothing was saved");
}

MemoryFileSaver::Saved MemoryFileSaver::save()
{
    return save(Request());
}

MemoryFileSaver::Saved MemoryFileSaver::save(const Request& request)
{
    Saved saved;
    saved.askBeforeReplace = request.askBeforeReplace;
    if (m_state.dataSource() == 0) {
        saved.result = Result::NothingToSave;
        return saved;
    }
    // Save As and a failed attempt offer an empty name in the dialog; the
    // tables' file stays what it was (the title names it) until a save works.
    m_preset = m_state.currentFilePath();
    m_askBeforeReplace = request.askBeforeReplace;
    if (request.kind == Kind::Save) {
        m_askBeforeReplace = false;
    } else if (request.kind == Kind::SaveAs) {
        m_preset.clear();
        m_askBeforeReplace = true;
    }
    m_refused.clear();
    m_memoryLines.clear();
    m_composed = false;

    m_state.setBusy(true);
    saved.result = run(request, saved);
    m_state.setBusy(false);
    saved.askBeforeReplace = m_askBeforeReplace;
    saved.refused = m_refused;
    return saved;
}

MemoryFileSaver::Result MemoryFileSaver::run(const Request& request, Saved& saved)
{
    QString given = request.path;
    for (;;) {
        QString path = given.isEmpty()
                           ? m_prompter.chooseSaveFile(
                                 QString::fromLatin1(FileDialogs::kSaveTitle), m_state.dataFolder(),
                                 QString::fromLatin1(FileDialogs::kSaveFilters), m_preset)
                           : given;
        given.clear();
        if (path.isEmpty())
            return Result::Cancelled;
        if (!MemoryFile::endsWithMemoryExtension(path))
            path += QLatin1String(MemoryFile::kExtension);

        // An incomplete read never takes the place of the file chosen; the
        // file it was saved to before is its own.
        saved.partialOf.clear();
        if (m_state.unreadCount() > 0 && QFileInfo(path).absoluteFilePath() != m_state.currentFilePath()) {
            saved.partialOf = path;
            path = MemoryFile::freePairPath(path, QStringLiteral("partial read"));
            if (path.isEmpty())
                return Result::NoPartialName;
        }

        const QFileInfo info(path);
        if (info.exists()) {
            if (SafeFileWriter::isReadOnly(info)) {
                m_preset.clear();
                m_prompter.inform(readOnlyText(info.fileName()));
                continue;
            }
            if (m_askBeforeReplace) {
                m_askBeforeReplace = false;
                if (m_prompter.askSafely(replaceText(info.fileName()), Prompter::Buttons::YesNo,
                                         Prompter::Icon::Question,
                                         Prompter::Answer::No) != Prompter::Answer::Yes)
                    return Result::Declined;
            }
        }

        if (!m_composed) {
            m_memoryLines = MemoryFile::compose(m_state.tables(), m_log, &m_refused);
            m_composed = true;
        }
        Failure failure;
        if (!writePair(path, failure)) {
            m_preset.clear();
            m_prompter.inform(errorText(failure.number, failure.description, failure.location));
            continue;
        }

        const QString fullPath = info.absoluteFilePath();
        m_state.setDataFolder(info.absolutePath());
        m_settings.set(Keys::LastOpened, fullPath);
        m_state.setCurrentFilePath(fullPath);
        saved.path = path;
        saved.fileName = info.fileName();
        if (!m_refused.isEmpty()) {
            // The table still holds channels the files do not: it stays
            // "changed", and a save before closing does not count as done.
            m_prompter.inform(refusedText(m_refused), Prompter::Icon::Exclamation);
            m_state.setChanged(true);
            return Result::SavedIncomplete;
        }
        m_state.setChanged(false);
        return Result::Saved;
    }
}

bool MemoryFileSaver::writeFile(const QStringList& lines, int createLocation, SafeFileWriter& file,
                                Failure& failure)
{
    if (file.write(TextFileWriter::encode(lines)))
        return true;
    const bool created = file.failedStep() != SafeFileWriter::Step::Create;
    failure = {file.errorNumber(), file.errorText(), createLocation + (created ? 1 : 0)};
    return false;
}

QString MemoryFileSaver::lockPath(const QString& path)
{
    return path + QStringLiteral(".lock");
}

QString MemoryFileSaver::notALockText(const QString& lockPath, const QString& why)
{
    return QDir::toNativeSeparators(lockPath) + QStringLiteral(" is in the way: ") + why +
           QStringLiteral(", not a lock file. Remove it, then save again");
}

QString MemoryFileSaver::lockedText(const QString& path)
{
    return QStringLiteral("another program is saving ") + QFileInfo(path).fileName() +
           QStringLiteral(" at this moment (it holds ") + QFileInfo(lockPath(path)).fileName() +
           QStringLiteral(")");
}

bool MemoryFileSaver::writePair(const QString& path, Failure& failure)
{
    // Two saves of one pair at once could leave one save's memory file with
    // the other's descriptions: the pair is written under a lock, and a
    // second writer waits a little, then gives up. What stands at the lock's
    // path is looked at first: only a lock file is handed to QLockFile.
    const QString lockFile = lockPath(path);
    QString why = LockFileCheck::problem(lockFile);
    if (why.isEmpty()) {
        QLockFile lock(lockFile);
        if (lock.tryLock(kLockWaitMs) || lock.error() != QLockFile::LockFailedError)
            return writeLocked(path, failure);
        // An empty file that stayed empty all that time is no lock being written.
        why = LockFileCheck::problem(lockFile, true);
        if (why.isEmpty()) {
            failure = {int(QFileDevice::ResourceError), lockedText(path), LockPair};
            return false;
        }
    }
    failure = {int(QFileDevice::OpenError), notALockText(lockFile, why), LockPair};
    return false;
}

bool MemoryFileSaver::writeLocked(const QString& path, Failure& failure)
{
    // A lock that cannot be made at all (a read-only folder, a full disk)
    // means the files cannot be written either: the writes below fail and
    // name the real reason.
    InterruptedSave marker(path, m_log);
    marker.sweep();
    const QString descriptionPath = path + QLatin1String(MemoryFile::kDescriptionSuffix);
    // A description file that cannot be written at all is found before
    // the memory file is touched.
    const QString descriptionProblem = SafeFileWriter::pathProblem(descriptionPath);
    if (!descriptionProblem.isEmpty()) {
        failure = {int(QFileDevice::OpenError), descriptionProblem, CreateDescriptionFile};
        return false;
    }
    SafeFileWriter memoryFile(path);
    if (!writeFile(m_memoryLines, CreateMemoryFile, memoryFile, failure))
        return false;
    // While the two files are replaced one after the other, the pair as it
    // was is kept and a marker says so: a save killed in between is told at
    // the next load.
    const QStringList descriptions = DescriptionFile::compose(m_state);
    if (!marker.begin(TextFileWriter::encode(m_memoryLines), TextFileWriter::encode(descriptions))) {
        failure = {int(QFileDevice::WriteError), marker.errorText(), KeepPreviousPair};
        return false;
    }
    if (!memoryFile.commit()) {
        failure = {memoryFile.errorNumber(), memoryFile.errorText(), ReplaceMemoryFile};
        marker.abandon();
        return false;
    }
    SafeFileWriter descriptionFile(descriptionPath);
    bool written = writeFile(descriptions, CreateDescriptionFile, descriptionFile, failure);
    if (written && !descriptionFile.commit()) {
        failure = {descriptionFile.errorNumber(), descriptionFile.errorText(), ReplaceDescriptionFile};
        written = false;
    }
    if (!written) {
        // A pair is replaced whole or not at all: the old memory file goes back.
        if (!marker.restoreMemoryFile())
            m_log.notice(QStringLiteral("The memory file ") + path +
                         QStringLiteral(" was saved, but its description file ") + descriptionPath +
                         QStringLiteral(" could not be replaced and still holds the old descriptions."));
        return false;
    }
    marker.finish();
    return true;
}
