#pragma once

#include <QIODevice>
#include <QString>
#include <QStringList>
#include <functional>
#include <memory>

class AppState;
class MessageLog;
class Prompter;
class QSaveFile;
class Settings;

// Saves the tables as a memory file and its description file, asking for
// the name until a save succeeds or the user cancels. Both files are written
// beside their targets and replace them only when both were written in
// full, so a failed save leaves the previous pair exactly as it was.
class MemoryFileSaver {
public:
    // How the save was started: the "Write Disk File" button keeps the
    // ask-before-replace flag, Save clears it, Save As forgets the current
    // name and sets it.
    enum class Kind { WriteDiskFile, Save, SaveAs };
    enum class Result {
        Saved,
        SavedIncomplete, // written, but some channels could not be written
        NothingToSave,   // nothing loaded or read
        Cancelled,       // no name chosen
        Declined,        // No to the replace question
    };

    MemoryFileSaver(AppState& state, Prompter& prompter, MessageLog& log, Settings& settings);

    Result save(Kind kind = Kind::WriteDiskFile);

    // Labels of the channels the last save had to leave out.
    QStringList refusedChannels() const { return m_refused; }

    // For tests: puts a device between the save and each file written
    // (path is the file's target path), e.g. one that fails part-way.
    using DeviceWrapper = std::function<std::unique_ptr<QIODevice>(QIODevice& file, const QString& path)>;
    void setDeviceWrapper(DeviceWrapper wrapper) { m_wrapper = std::move(wrapper); }

    static QString readOnlyText(const QString& fileName);
    static QString replaceText(const QString& fileName);
    static QString errorText(int number, const QString& description, int location);
    static QString refusedText(const QStringList& labels);

    // Where a save failed, shown after "in line" in the error message.
    enum Location {
        CreateMemoryFile = 1,
        WriteMemoryFile = 2,
        CreateDescriptionFile = 3,
        WriteDescriptionFile = 4,
        ReplaceMemoryFile = 5,
        ReplaceDescriptionFile = 6,
    };

private:
    struct Failure {
        int number = 0;
        QString description;
        int location = 0;
    };
    Result run();
    bool writePair(const QString& path, Failure& failure);
    bool writeFile(const QString& path, const QStringList& lines, int createLocation, QSaveFile& file,
                   Failure& failure);

    AppState& m_state;
    Prompter& m_prompter;
    MessageLog& m_log;
    Settings& m_settings;
    DeviceWrapper m_wrapper;
    QStringList m_refused;
    QStringList m_memoryLines;
    bool m_composed = false;
};
