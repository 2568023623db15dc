// SPDX-License-Identifier: GPL-3.0-or-later
#include "FileTestSupport.h"
#include "files/CsvExport.h"
#include "files/CsvHeader.h"
#include "files/InitialMemoryFile.h"
#include "files/MemoryFileOpener.h"
#include "files/MemoryFileSaver.h"
#include "state/AppState.h"
#include "state/MessageLog.h"
#include "state/Settings.h"
#include "support/CliRun.h"
#include "support/DiskFull.h"
#include "support/ScriptedPrompter.h"
#include "support/TestText.h"

#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <algorithm>
#include <csignal>
#include <functional>
#include <gtest/gtest.h>
#include <memory>
#include <sys/stat.h>

using namespace FileTestSupport;

namespace {

// How the disk lets a writer down.
enum class Failure { FullAtFirstByte, FullPartWay, FolderReadOnly, TargetIsFifo };

const char* const kFailureNames[] = {"disk full at the first byte", "disk full part-way", "folder read-only",
                                     "target is a FIFO"};

// One run of a writer: everything it may need, made afresh for each case.
struct Context {
    QString work; // the folder that fails
    AppState state;
    MessageLog log;
    ScriptedPrompter prompter;
    std::unique_ptr<Settings> settings;
    QString file(const char* n) const { return work + QLatin1Char('/') + QString::fromLatin1(n); }
    void loadSample()
    {
        writeBytes(file("keep.950"), readBytes(dataPath("sample.950")));
        writeBytes(file("keep.950dsc"), readBytes(dataPath("sample.950dsc")));
        MemoryFileOpener(state, prompter, log, *settings).open({file("keep.950"), false, false});
        // The new content differs from the old in both files.
        state.tables().clearAt(1);
        setCell(state.tables().memories, 2, Column::kDescription, QStringLiteral("changed"));
        state.setChanged(true);
    }
};

struct Outcome {
    bool failed;  // the writer said it did not save (result or return value)
    QString said; // what the user or the log was told
};

struct Writer {
    const char* what;
    const char* target; // the file that must come through unchanged
    rlim_t partWay;     // a limit inside the new content
    std::function<void(Context&)> prepare;
    std::function<Outcome(Context&)> act;
    const char* expected; // part of what is said; "|" between alternatives
};

const Writer kWriters[] = {
    {"memory file pair", "keep.950", 1050, [](Context& c) { c.loadSample(); },
     [](Context& c) {
         c.prompter.clear();
         c.prompter.reply(c.file("keep.950")).reply(QString());
         const MemoryFileSaver::Saved saved = MemoryFileSaver(c.state, c.prompter, c.log, *c.settings)
                                                  .save({MemoryFileSaver::Kind::Save, false, QString()});
         return Outcome{!saved.written(), c.prompter.messages().join('\n')};
     },
     "An error has been encountered when trying to save the file.|is read-only and cannot be over-written"},
    {"CSV export", "keep.CSV", 200,
     [](Context& c) {
         c.loadSample();
         writeBytes(c.file("keep.CSV"), "precious\r\n");
     },
     [](Context& c) {
         c.prompter.clear();
         c.prompter.reply(c.file("keep.CSV")).answer(Prompter::Answer::Yes);
         CsvHeader csv;
         CsvExport exporter(c.state, c.prompter, c.log, csv, CsvExportOptions());
         const bool failed = exporter.ExportCsv(false) == CsvExport::Result::Failed;
         return Outcome{failed, c.prompter.messages().join('\n')};
     },
     "An error has been encountered when trying to export the file.|is read-only and cannot be over-written"},
    {"initial memory file", "Initial memory file.950", 10, [](Context&) {},
     [](Context& c) {
         const QString made = InitialMemoryFile::create(c.work, *c.settings, c.log);
         return Outcome{!QFileInfo(made).isFile() || QFileInfo(made).size() == 0, QString(c.log.text())};
     },
     "could not be created"},
};

// Every file in the folder with its bytes ("<fifo>" for a FIFO).
QMap<QString, QByteArray> contents(const QString& folder)
{
    QMap<QString, QByteArray> out;
    for (const QFileInfo& info :
         QDir(folder).entryInfoList(QDir::AllEntries | QDir::System | QDir::NoDotAndDotDot)) {
        out.insert(info.fileName(), info.isFile() ? readBytes(info.filePath()) : QByteArray("<fifo>"));
    }
    return out;
}

class DiskFailure : public ::testing::TestWithParam<Failure> {};

// Whatever way the disk fails, the old file stays byte for byte what it
// was, no half-written file takes its place, and the writer says so.
TEST_P(DiskFailure, EveryWriterKeepsTheOldFileAndSaysItFailed)
{
    const Failure failure = GetParam();
    for (const Writer& w : kWriters) {
        SCOPED_TRACE(std::string(w.what) + ", " + kFailureNames[int(failure)]);
        QTemporaryDir dir;
        ASSERT_TRUE(dir.isValid());
        Context c;
        c.work = dir.filePath(QStringLiteral("work"));
        QDir().mkpath(c.work);
        // Settings live outside the folder that fails.
        c.settings = std::make_unique<Settings>(dir.filePath(QStringLiteral("home/config/Quaystone")));

        std::unique_ptr<ReadOnlyBind> readOnly;
        w.prepare(c);
        const QString target = c.file(w.target);
        if (failure == Failure::TargetIsFifo) {
            QFile::remove(target);
            ASSERT_EQ(mkfifo(QFile::encodeName(target).constData(), 0644), 0);
        }
        const QMap<QString, QByteArray> before = contents(c.work);

        // Root writes through permissions, so for root a read-only folder is a read-only mount.
        if (failure == Failure::FolderReadOnly && geteuid() == 0) {
            readOnly = std::make_unique<ReadOnlyBind>(c.work);
            if (!readOnly->mounted())
                GTEST_SKIP() << "a read-only mount is refused here";
        } else if (failure == Failure::FolderReadOnly) {
            QFile::setPermissions(c.work, QFileDevice::ReadOwner | QFileDevice::ExeOwner);
        }
        std::unique_ptr<FileSizeLimit> limit;
        if (failure == Failure::FullAtFirstByte || failure == Failure::FullPartWay)
            limit = std::make_unique<FileSizeLimit>(failure == Failure::FullAtFirstByte ? 0 : w.partWay);
        const Outcome outcome = w.act(c);
        limit.reset();
        readOnly.reset();
        QFile::setPermissions(c.work,
                              QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
        EXPECT_TRUE(outcome.failed) << outcome.said.toStdString();
        const QStringList expected = QString::fromLatin1(w.expected).split(QLatin1Char('|'));
        EXPECT_TRUE(std::any_of(expected.begin(), expected.end(), [&](const QString& e) {
            return outcome.said.contains(e);
        })) << outcome.said.toStdString();
        EXPECT_EQ(contents(c.work), before) << "old files kept, nothing new left behind";
    }
}

INSTANTIATE_TEST_SUITE_P(Failures, DiskFailure,
                         ::testing::Values(Failure::FullAtFirstByte, Failure::FullPartWay,
                                           Failure::FolderReadOnly, Failure::TargetIsFifo));

} // namespace

namespace {

// The real command line with its files limited to `bytes` and SIGXFSZ left
// to end it, so it dies by the operating system's hand at the first write
// past the limit. The exit code, or -1 when it was killed.
int runCliUntilKilled(const QString& folder, const QStringList& args, rlim_t bytes)
{
    QProcess process;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("XDG_CONFIG_HOME"), folder + QStringLiteral("/config"));
    process.setProcessEnvironment(env);
    process.setWorkingDirectory(folder);
    process.setChildProcessModifier([bytes] {
        std::signal(SIGXFSZ, SIG_DFL);
        const rlimit limit{bytes, bytes};
        setrlimit(RLIMIT_FSIZE, &limit);
    });
    process.start(QStringLiteral(QUAYSTONE_CLI), args);
    if (!process.waitForFinished(60000))
        return -2;
    return process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
}

// A save killed between the pair's two files: the next load says what
// happened and offers the pair as it was; the next save settles it and
// sweeps what the killed save's temporary files left.
TEST(InterruptedSave, AKillBetweenThePairsFilesIsToldAndOfferedAtTheNextLoad)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const auto file = [&](const char* name) { return dir.filePath(QString::fromLatin1(name)); };
    const QByteArray oldMemory = "MW00007050000+000000200000;\r\n";
    const QByteArray oldDescriptions = readBytes(dataPath("sample.950dsc"));
    writeBytes(file("pair.950"), oldMemory);
    writeBytes(file("pair.950dsc"), oldDescriptions);
    writeBytes(file("in.CSV"), QByteArray(kCsvHeader) + "\r\n1,7.15,LSB,,,,,,,,,,new\r\n");
    // The memory file fits in the limit, the description file does not.
    EXPECT_EQ(runCliUntilKilled(
                  dir.path(),
                  {QStringLiteral("import"), file("in.CSV"), QStringLiteral("--into"), file("pair.950")},
                  600),
              -1);
    const QByteArray newMemory = readBytes(file("pair.950"));
    ASSERT_NE(newMemory, oldMemory) << "killed after the memory file was replaced";
    EXPECT_EQ(readBytes(file("pair.950dsc")), oldDescriptions);
    EXPECT_EQ(readBytes(file("pair (previous).950")), oldMemory);
    EXPECT_EQ(readBytes(file("pair (previous).950dsc")), oldDescriptions);
    ASSERT_TRUE(QFileInfo::exists(file("pair.950.saving")));

    // What a save killed at its last rename leaves, and names it must not touch.
    writeBytes(file("pair.950dsc.AbxQCd"), "half");
    writeBytes(file("pair.950dsc.backup"), "mine");
    writeBytes(file("target"), "mine");
    ASSERT_TRUE(QFile::link(file("target"), file("pair.950.ZzqwYy")));

    // The command line tells and names the previous pair; the window (as here in process) asks.
    const QString told = QStringLiteral(
        "The last save of pair.950 was interrupted between its two files: pair.950 holds the new channels, "
        "but pair.950dsc still holds the descriptions from before. The pair as it was before that save is "
        "whole in pair (previous).950 and pair (previous).950dsc.");
    const CliRun shown = runCli(dir.path(), {QStringLiteral("show"), file("pair.950")});
    EXPECT_TRUE(shown.err.contains(told + QLatin1Char('\n'))) << shown.err.toStdString();
    EXPECT_TRUE(shown.out.contains(QStringLiteral("7.15000"))) << "the file given, as it is";

    EXPECT_TRUE(QFileInfo::exists(file("pair.950.lock"))) << "the killed save's lock, stale now";
    Settings settings(dir.filePath(QStringLiteral("config/Quaystone")));
    MessageLog log;
    for (const auto answer : {Prompter::Answer::No, Prompter::Answer::Yes}) {
        AppState state;
        ScriptedPrompter prompter;
        prompter.answer(answer);
        ASSERT_EQ(
            MemoryFileOpener(state, prompter, log, settings).open({file("pair.950"), false, true}).result,
            MemoryFileOpener::Result::Loaded);
        EXPECT_EQ(prompter.messages(),
                  QStringList{told + QStringLiteral("\r\nOpen that previous pair instead? (No "
                                                    "opens pair.950 as it is. No file is "
                                                    "changed either way.)")});
        EXPECT_EQ(prompter.prompts().last().safe, Prompter::Answer::No)
            << "Return keeps the files as they are";
        const bool previous = answer == Prompter::Answer::Yes;
        EXPECT_EQ(state.tables().isEmptyAt(2), previous) << "memory 1 is the one the import added";
        EXPECT_EQ(state.currentFilePath(), file("pair.950"));
        EXPECT_EQ(state.changed(), previous) << "the previous pair is not yet saved as pair.950";
        if (!previous)
            continue;
        ASSERT_EQ(MemoryFileSaver(state, prompter, log, settings)
                      .save({MemoryFileSaver::Kind::Save, false, file("pair.950")})
                      .result,
                  MemoryFileSaver::Result::Saved);
    }
    EXPECT_EQ(readBytes(file("pair.950")), oldMemory);
    EXPECT_EQ(readBytes(file("pair.950dsc")), oldDescriptions);
    EXPECT_FALSE(QFileInfo::exists(file("pair.950.saving")));
    EXPECT_FALSE(QFileInfo::exists(file("pair.950dsc.AbxQCd")));
    EXPECT_EQ(readBytes(file("pair.950dsc.backup")), "mine");
    EXPECT_TRUE(QFileInfo(file("pair.950.ZzqwYy")).isSymLink());
    EXPECT_EQ(readBytes(file("target")), "mine");
    // The pair that save kept stays: it is not the pair as it stood.
    EXPECT_EQ(readBytes(file("pair (previous).950")), oldMemory);
    EXPECT_TRUE(log.text().contains(QStringLiteral("stays in"))) << log.text().toStdString();
}

} // namespace
