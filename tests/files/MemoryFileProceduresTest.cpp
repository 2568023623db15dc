// SPDX-License-Identifier: GPL-3.0-or-later
#include "FileTestSupport.h"
#include "files/InitialMemoryFile.h"
#include "files/MemoryFileOpener.h"
#include "files/MemoryFileSaver.h"
#include "state/AppState.h"
#include "state/Settings.h"
#include "support/ScriptedPrompter.h"
#include "support/TestText.h"

#include <QFileInfo>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <memory>
#include <unistd.h>

using namespace FileTestSupport;
using Opened = MemoryFileOpener::Result;
using Saved = MemoryFileSaver::Result;
using Kind = MemoryFileSaver::Kind;

namespace {

class MemoryFileProcedures : public DecimalMarkTest {
protected:
    void SetUp() override
    {
        DecimalMarkTest::SetUp();
        ASSERT_TRUE(m_dir.isValid());
        m_settings = std::make_unique<Settings>(m_dir.filePath(QStringLiteral("config")));
        m_state.setDataFolder(m_dir.path());
    }
    QString path(const char* name) const { return m_dir.filePath(QString::fromLatin1(name)); }

    // Copies a sample pair into the temporary folder.
    QString copySample(const char* name, const char* as)
    {
        writeBytes(path(as), readBytes(dataPath(name)));
        const QByteArray descriptions = readBytes(dataPath(name) + QStringLiteral("dsc"));
        if (descriptions != "<missing>")
            writeBytes(path(as) + QStringLiteral("dsc"), descriptions);
        return path(as);
    }
    Opened open(const QString& reply)
    {
        m_prompter.reply(reply);
        return MemoryFileOpener(m_state, m_prompter, m_log, *m_settings).open();
    }
    Saved save(Kind kind) { return MemoryFileSaver(m_state, m_prompter, m_log, *m_settings).save(kind); }

    QTemporaryDir m_dir;
    std::unique_ptr<Settings> m_settings;
    AppState m_state;
    QSignalSpy m_filePanel{&m_state, &AppState::filePanelChanged};
    MessageLog m_log;
    ScriptedPrompter m_prompter;
};

TEST_P(MemoryFileProcedures, LoadingTheSampleSetsTheStateAndSavingReproducesItByteForByte)
{
    const QString source = copySample("sample.950", "sample.950");
    m_state.setClipboard({1, 3, false});
    m_state.setChanged(true);
    m_prompter.answer(Prompter::Answer::Yes); // continue despite changes
    ASSERT_EQ(open(source), Opened::Loaded);
    EXPECT_EQ(m_prompter.messages(), QStringList{MemoryFileOpener::unsavedChangesText()});
    EXPECT_EQ(m_prompter.prompts().at(0).safe, Prompter::Answer::No) << "Return keeps the changes";
    EXPECT_FALSE(m_state.changed() || m_state.clipboard().hasRows() || m_state.readPresent() ||
                 m_state.busy());
    EXPECT_TRUE(m_state.filePresent());
    EXPECT_EQ(m_state.dataSource(), AppState::File);
    EXPECT_EQ(m_filePanel.last().at(0).toString(), QStringLiteral(" sample.950"));
    EXPECT_EQ(m_settings->get(Keys::LastOpened), source);
    EXPECT_EQ(rowText(m_state.tables().memories, 21),
              recText(rec("29.62000|FM|Minus|CTCSS Enc|103.5|10 m repeater RH1")));
    EXPECT_EQ(cellText(m_state.tables().pms, 6, Column::kFreq), local("29.700000"));
    EXPECT_EQ(m_state.descriptionColumnWidth(), 3450);

    m_state.setChanged(true);
    m_prompter.reply(path("copy"));
    ASSERT_EQ(save(Kind::SaveAs), Saved::Saved);
    EXPECT_EQ(readBytes(path("copy.950")), readBytes(dataPath("sample.950")));
    EXPECT_EQ(readBytes(path("copy.950dsc")), readBytes(dataPath("sample.950dsc")));
    EXPECT_FALSE(m_state.changed());
    EXPECT_TRUE(m_state.saveSucceeded() &&
                m_state.askBeforeReplace()); // no question was needed for a new name
    EXPECT_EQ(m_state.currentFilePath(), path("copy.950"));
    EXPECT_EQ(m_settings->get(Keys::LastOpened), path("copy.950"));
    EXPECT_EQ(m_filePanel.last().at(0).toString(), QStringLiteral(" copy.950"));
}

TEST_P(MemoryFileProcedures, AnEmptyTableSavesAsZeroLinesAndA101LineDescriptionFile)
{
    m_state.setDataSource(AppState::File);
    m_prompter.reply(path("empty.950"));
    ASSERT_EQ(save(Kind::WriteDiskFile), Saved::Saved);
    EXPECT_EQ(readBytes(path("empty.950")), QByteArray());
    const QByteArray descriptions = readBytes(path("empty.950dsc"));
    EXPECT_EQ(descriptions.count("\r\n"), 101);
    EXPECT_TRUE(descriptions.startsWith("0,\"3450\"\r\n1,\"\"\r\n2,\"\"\r\n"));
    EXPECT_TRUE(descriptions.endsWith("100,\"\"\r\n"));

    // And it loads back as an empty table.
    setCell(m_state.tables().memories, 5, Column::kFreq, local("7.00000"));
    ASSERT_EQ(open(path("empty.950")), Opened::Loaded);
    for (int p = 1; p <= ChannelMap::kSlotCount; ++p)
        EXPECT_TRUE(m_state.tables().isEmptyAt(p)) << p;
}

TEST_P(MemoryFileProcedures, ABrokenFileLoadsItsGoodLinesAndNamesTheBadOnes)
{
    ASSERT_EQ(open(copySample("broken.950", "broken.950")), Opened::Loaded);
    EXPECT_EQ(cellText(m_state.tables().memories, 1, Column::kFreq), local("1.84000"));
    EXPECT_EQ(cellText(m_state.tables().memories, 100, Column::kFreq), local("29.62000"));
    EXPECT_EQ(cellText(m_state.tables().pms, 6, Column::kFreq), local("14.250000"));
    for (const int row : {2, 3, 4})
        EXPECT_TRUE(m_state.tables().memories.isEmptyRow(row)) << row;
    const QStringList logged = logLines(m_log);
    ASSERT_EQ(logged.size(), 5);
    for (const int line : {2, 3, 4, 5, 8})
        EXPECT_EQ(logged.filter(QStringLiteral("Line %1 of broken.950 skipped").arg(line)).size(), 1) << line;
    ASSERT_EQ(m_prompter.messages().size(), 1);
    EXPECT_TRUE(m_prompter.messages().first().startsWith(QStringLiteral("5 line(s) of broken.950")));
}

TEST_P(MemoryFileProcedures, ChoosingADescriptionFileChangesOnlyDescriptionsAndWidth)
{
    const QString sample = copySample("sample.950", "sample.950");
    writeBytes(path("other.950dsc"), readBytes(dataPath("short.950dsc")));
    ASSERT_EQ(open(sample), Opened::Loaded);
    m_state.setChanged(true);
    m_settings->set(Keys::GridSize, QStringLiteral("Larger"));
    m_prompter.answer(Prompter::Answer::Yes);
    ASSERT_EQ(open(path("other.950dsc")), Opened::DescriptionsLoaded);
    EXPECT_TRUE(m_state.changed());
    EXPECT_EQ(m_settings->get(Keys::LastOpened), sample);
    EXPECT_EQ(m_state.currentFilePath(), sample);
    EXPECT_EQ(m_state.descriptionColumnWidth(), 3540); // "wide" is no number: three Larger number columns
    const ChannelTable& m = m_state.tables().memories;
    EXPECT_EQ(QStringList({cellText(m, 1, Column::kDescription), cellText(m, 2, Column::kDescription),
                           cellText(m, 3, Column::kDescription), cellText(m, 1, Column::kFreq)}),
              QStringList({"Top band, digital", "", "80 m FT8", local("1.84000")}));
}

TEST_P(MemoryFileProcedures, OpenPathsAndTheirOutcomes)
{
    const QString sample = copySample("sample.950", "sample.950");
    struct Case {
        const char* reply; // relative to the temporary folder; "" cancels
        Opened result;
        const char* message; // "%1" is the full path
    };
    const Case cases[] = {
        {"sample", Opened::Loaded, nullptr},
        {"sample.950", Opened::Loaded, nullptr},
        {"nothere.950", Opened::Missing, "Filename %1 does not exist"},
        {"nothere", Opened::Missing, "Filename %1.950 does not exist"},
        {"", Opened::Cancelled, nullptr},
    };
    for (const Case& c : cases) {
        m_prompter.clear();
        m_state.tables().reset();
        const QString reply = *c.reply ? path(c.reply) : QString();
        EXPECT_EQ(open(reply), c.result) << c.reply;
        EXPECT_EQ(m_prompter.messages(),
                  c.message ? QStringList{QString::fromLatin1(c.message).arg(reply)} : QStringList());
        if (c.message) {
            EXPECT_EQ(m_prompter.prompts().last().icon, Prompter::Icon::Exclamation);
            EXPECT_TRUE(m_state.tables().isEmptyAt(1));
        }
        EXPECT_FALSE(m_state.busy());
    }

    // A start-up path opens without a dialog; a missing one is dropped silently.
    m_prompter.clear();
    MemoryFileOpener opener(m_state, m_prompter, m_log, *m_settings);
    for (const QString& startup : {path("gone.950"), sample}) {
        m_state.setStartupFilePath(startup);
        EXPECT_EQ(opener.open(), startup == sample ? Opened::Loaded : Opened::Missing);
        EXPECT_TRUE(m_prompter.prompts().isEmpty());
        EXPECT_TRUE(m_state.startupFilePath().isEmpty());
    }

    // Saying No to unsaved changes leaves everything as it was.
    m_state.setChanged(true);
    setCell(m_state.tables().memories, 1, Column::kFreq, local("3.50000"));
    m_prompter.answer(Prompter::Answer::No);
    EXPECT_EQ(opener.open(), Opened::Declined);
    EXPECT_EQ(cellText(m_state.tables().memories, 1, Column::kFreq), local("3.50000"));
    EXPECT_TRUE(m_state.changed());
    ASSERT_EQ(m_prompter.prompts().size(), 1);
    EXPECT_EQ(m_prompter.prompts()[0].buttons, Prompter::Buttons::YesNo);
    EXPECT_EQ(m_prompter.prompts()[0].icon, Prompter::Icon::Question);
}

TEST_P(MemoryFileProcedures, ReplacingAnExistingFileAsksOnlyWhenTheFlagSaysSo)
{
    EXPECT_EQ(save(Kind::SaveAs), Saved::NothingToSave); // nothing loaded yet
    EXPECT_TRUE(m_prompter.prompts().isEmpty());

    const QString sample = copySample("sample.950", "sample.950");
    ASSERT_EQ(open(sample), Opened::Loaded);
    const QByteArray before = readBytes(sample);
    m_state.tables().clearAt(1);
    const QString question = MemoryFileSaver::replaceText(QStringLiteral("sample.950"));
    struct Case {
        Kind kind;
        bool flagBefore;
        std::optional<Prompter::Answer> answer; // nullopt: no question expected
        Saved result;
    };
    const Case cases[] = {
        {Kind::Save, true, std::nullopt, Saved::Saved},
        {Kind::WriteDiskFile, false, std::nullopt, Saved::Saved},
        {Kind::WriteDiskFile, true, Prompter::Answer::No, Saved::Declined},
        {Kind::WriteDiskFile, true, Prompter::Answer::Yes, Saved::Saved},
        {Kind::SaveAs, false, Prompter::Answer::No, Saved::Declined},
        {Kind::SaveAs, false, Prompter::Answer::Yes, Saved::Saved},
    };
    for (int i = 0; i < int(std::size(cases)); ++i) {
        const Case& c = cases[i];
        writeBytes(sample, before);
        m_prompter.clear();
        m_state.setAskBeforeReplace(c.flagBefore);
        m_prompter.reply(sample);
        if (c.answer)
            m_prompter.answer(*c.answer);
        EXPECT_EQ(save(c.kind), c.result) << i;
        EXPECT_EQ(m_prompter.messages(), c.answer ? QStringList{question} : QStringList{}) << i;
        if (c.answer) { // the save dialog offers the current name; Return keeps the old file
            EXPECT_EQ(m_prompter.prompts().first().preset, c.kind == Kind::WriteDiskFile ? sample : QString())
                << i;
            EXPECT_EQ(m_prompter.prompts().at(1).safe, Prompter::Answer::No) << i;
        }
        EXPECT_EQ(readBytes(sample) != before, c.result == Saved::Saved) << i;
        EXPECT_FALSE(m_state.askBeforeReplace()) << i; // cleared by Save, or by asking
        EXPECT_EQ(m_state.saveSucceeded(), c.result == Saved::Saved) << i;
    }
}

// A read-only file is refused; a folder that cannot take the file (a
// read-only one: DiskFailureTest) gives the error. Either way the dialog comes
// back without the name: cancelled, or answered until a save works.
TEST_P(MemoryFileProcedures, AnUnwritableTargetIsRefusedAndTheDialogComesBackEmpty)
{
    const QString locked = copySample("sample.950", "locked.950");
    ASSERT_EQ(open(locked), Opened::Loaded);
    QFile::setPermissions(locked, QFileDevice::ReadOwner | QFileDevice::ReadGroup);
    const QByteArray before = readBytes(locked);
    writeBytes(path("plainfile"), "x");
    const struct {
        QString target, then;
        Saved result;
        QString message;
        bool exact; // else a part of the message
    } cases[] = {
        {locked, QString(), Saved::Cancelled, MemoryFileSaver::readOnlyText(QStringLiteral("locked.950")),
         true},
        {path("plainfile") + QStringLiteral("/inside.950"), path("good"), Saved::Saved,
         QStringLiteral(") in line 1\r\n\r\nCannot save the file here"), false},
    };
    for (const auto& c : cases) {
        m_prompter.clear();
        m_prompter.reply(c.target).reply(c.then);
        EXPECT_EQ(save(Kind::Save), c.result);
        ASSERT_EQ(m_prompter.messages().size(), 1);
        const QString said = m_prompter.messages().first();
        EXPECT_TRUE(c.exact ? said == c.message : said.contains(c.message)) << said;
        const auto& prompts = m_prompter.prompts();
        ASSERT_EQ(prompts.size(), 3);
        if (c.exact) {
            EXPECT_EQ(prompts[0].preset, locked) << "the dialog offers the current name";
        }
        EXPECT_EQ(prompts[2].preset, QString()) << "the name was cleared";
        EXPECT_EQ(m_state.saveSucceeded(), c.result == Saved::Saved);
    }
    EXPECT_EQ(readBytes(locked), before);
    EXPECT_TRUE(QFileInfo::exists(path("good.950")));
    QFile::setPermissions(locked, QFileDevice::ReadOwner | QFileDevice::WriteOwner);
}

TEST_P(MemoryFileProcedures, ChannelsThatCannotBeWrittenAreReportedAndKeepTheTableChanged)
{
    ASSERT_EQ(open(copySample("sample.950", "sample.950")), Opened::Loaded);
    setCell(m_state.tables().memories, 6, Column::kMode, QString::fromLatin1("?? "));
    m_state.setChanged(true);
    m_prompter.reply(path("out"));
    MemoryFileSaver saver(m_state, m_prompter, m_log, *m_settings);
    EXPECT_EQ(saver.save(Kind::Save), Saved::SavedIncomplete);
    EXPECT_EQ(saver.refusedChannels(), QStringList{"5"});
    EXPECT_EQ(m_prompter.messages(), QStringList{MemoryFileSaver::refusedText({"5"})});
    EXPECT_EQ(m_prompter.prompts().last().icon, Prompter::Icon::Exclamation);
    EXPECT_TRUE(m_log.text().contains(QStringLiteral("Channel 5 not saved: ")));
    EXPECT_TRUE(m_state.changed());
    EXPECT_FALSE(m_state.saveSucceeded());
    const QByteArray written = readBytes(path("out.950"));
    EXPECT_EQ(written.count("\r\n"), 35);
    EXPECT_FALSE(written.contains("MW005"));
}

TEST_P(MemoryFileProcedures, TheInitialMemoryFileIsMadeOnceAndBecomesTheStartUpFile)
{
    const QString initial = path("Initial memory file.950");
    EXPECT_TRUE(InitialMemoryFile::create(m_state, *m_settings, m_log));
    EXPECT_EQ(readBytes(initial), QByteArray("MR00007000000+000000100000;\r\n"));
    EXPECT_EQ(m_settings->get(Keys::LastOpened), initial);
    EXPECT_EQ(m_state.startupFilePath(), initial);

    // A later start finds it and leaves it (and LastOpened) alone; start-up then loads it.
    writeBytes(initial, "MW00014250000+000000200000;\r\n");
    m_settings->set(Keys::LastOpened, QStringLiteral("elsewhere"));
    m_state.setStartupFilePath(QString());
    EXPECT_TRUE(InitialMemoryFile::create(m_state, *m_settings, m_log));
    EXPECT_EQ(readBytes(initial), QByteArray("MW00014250000+000000200000;\r\n"));
    EXPECT_EQ(m_settings->get(Keys::LastOpened), QStringLiteral("elsewhere"));
    EXPECT_EQ(MemoryFileOpener(m_state, m_prompter, m_log, *m_settings).open(), Opened::Loaded);
    EXPECT_EQ(cellText(m_state.tables().memories, 1, Column::kFreq), local("14.25000"));

    // An empty file, as a failed creation used to leave, is made afresh.
    writeBytes(initial, QByteArray());
    EXPECT_TRUE(InitialMemoryFile::create(m_state, *m_settings, m_log));
    EXPECT_EQ(readBytes(initial), QByteArray("MR00007000000+000000100000;\r\n"));

    // A data folder that cannot take the file: reported, and start-up goes on.
    writeBytes(path("plainfile"), "x");
    m_state.setDataFolder(path("plainfile"));
    EXPECT_FALSE(InitialMemoryFile::create(m_state, *m_settings, m_log));
    EXPECT_TRUE(m_log.text().contains(QStringLiteral("could not be created")));
    EXPECT_EQ(m_state.startupFilePath(), path("plainfile") + QStringLiteral("/Initial memory file.950"));
}

QUAYSTONE_BOTH_DECIMAL_MARKS(MemoryFileProcedures);

} // namespace
