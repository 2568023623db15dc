#include "MemoryFileSaver.h"

#include "DescriptionFile.h"
#include "FileDialogs.h"
#include "MemoryFile.h"
#include "TextFileWriter.h"
#include "app/AppState.h"
#include "app/MessageLog.h"
#include "app/Prompter.h"
#include "app/Settings.h"

#include <QFileInfo>
#include <QSaveFile>

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

MemoryFileSaver::Result MemoryFileSaver::save(Kind kind)
{
    if (m_state.dataSource == 0)
        return Result::NothingToSave;
    if (kind == Kind::Save) {
        m_state.askBeforeReplace = false;
    } else if (kind == Kind::SaveAs) {
        m_state.currentFilePath.clear();
        m_state.askBeforeReplace = true;
    }
    m_refused.clear();
    m_memoryLines.clear();
    m_composed = false;

    m_state.setBusy(true);
    m_state.saveSucceeded = false;
    const Result result = run();
    m_state.setBusy(false);
    return result;
}

namespace {
bool isReadOnly(const QFileInfo& info)
{
    // The owner's write bit is the file's read-only attribute; checking it
    // too keeps the answer the same for a user who may write anything.
    return !info.isWritable() || !(info.permissions() & QFileDevice::WriteOwner);
}
} // namespace

MemoryFileSaver::Result MemoryFileSaver::run()
{
    for (;;) {
        QString path = m_prompter.chooseSaveFile(
            QString::fromLatin1(FileDialogs::kSaveTitle), m_state.dataFolder,
            QString::fromLatin1(FileDialogs::kSaveFilters), m_state.currentFilePath);
        if (path.isEmpty())
            return Result::Cancelled;
        if (!MemoryFile::endsWithMemoryExtension(path))
            path += QLatin1String(MemoryFile::kExtension);

        const QFileInfo info(path);
        if (info.exists()) {
            if (isReadOnly(info)) {
                m_state.currentFilePath.clear();
                m_prompter.inform(readOnlyText(info.fileName()));
                continue;
            }
            if (m_state.askBeforeReplace) {
                m_state.askBeforeReplace = false;
                if (m_prompter.ask(replaceText(info.fileName()), Prompter::Buttons::YesNo,
                                   Prompter::Icon::Question) != Prompter::Answer::Yes)
                    return Result::Declined;
            }
        }

        if (!m_composed) {
            m_memoryLines = MemoryFile::compose(m_state.tables, m_log, &m_refused);
            m_composed = true;
        }
        Failure failure;
        if (!writePair(path, failure)) {
            m_state.currentFilePath.clear();
            m_prompter.inform(errorText(failure.number, failure.description, failure.location));
            continue;
        }

        const QString fullPath = info.absoluteFilePath();
        m_state.dataFolder = info.absolutePath();
        m_settings.set(Keys::LastOpened, fullPath);
        m_state.currentFilePath = fullPath;
        m_state.setFilePanel(QStringLiteral(" ") + info.fileName());
        if (!m_refused.isEmpty()) {
            // The table still holds channels the files do not: it stays
            // "changed", and a save before closing does not count as done.
            m_prompter.inform(refusedText(m_refused), Prompter::Icon::Exclamation);
            m_state.setChanged(true);
            return Result::SavedIncomplete;
        }
        m_state.setChanged(false);
        m_state.saveSucceeded = true;
        return Result::Saved;
    }
}

bool MemoryFileSaver::writeFile(const QString& path, const QStringList& lines, int createLocation,
                                QSaveFile& file, Failure& failure)
{
    if (!file.open(QIODevice::WriteOnly)) {
        failure = {int(file.error()), file.errorString(), createLocation};
        return false;
    }
    std::unique_ptr<QIODevice> wrapped = m_wrapper ? m_wrapper(file, path) : nullptr;
    QIODevice& device = wrapped ? *wrapped : static_cast<QIODevice&>(file);
    TextFileWriter writer;
    if (!writer.write(device, TextFileWriter::encode(lines))) {
        const int number =
            file.error() != QFileDevice::NoError ? int(file.error()) : int(QFileDevice::WriteError);
        failure = {number, writer.errorText(), createLocation + 1};
        file.cancelWriting();
        return false;
    }
    return true;
}

bool MemoryFileSaver::writePair(const QString& path, Failure& failure)
{
    const QString descriptionPath = path + QLatin1String(MemoryFile::kDescriptionSuffix);
    QSaveFile memoryFile(path);
    QSaveFile descriptionFile(descriptionPath);
    if (!writeFile(path, m_memoryLines, CreateMemoryFile, memoryFile, failure))
        return false;
    if (!writeFile(descriptionPath, DescriptionFile::compose(m_state), CreateDescriptionFile, descriptionFile,
                   failure)) {
        memoryFile.cancelWriting();
        return false;
    }
    // Both are written in full; only now are the old files replaced.
    if (!memoryFile.commit()) {
        failure = {int(memoryFile.error()), memoryFile.errorString(), ReplaceMemoryFile};
        descriptionFile.cancelWriting();
        return false;
    }
    if (!descriptionFile.commit()) {
        failure = {int(descriptionFile.error()), descriptionFile.errorString(), ReplaceDescriptionFile};
        m_log.notice(QStringLiteral("The memory file ") + path +
                     QStringLiteral(" was saved, but its description file ") + descriptionPath +
                     QStringLiteral(" could not be replaced and still holds the old descriptions."));
        return false;
    }
    return true;
}
