// SPDX-License-Identifier: GPL-3.0-or-later
#include "FileTestSupport.h"
#include "files/InitialMemoryFile.h"
#include "files/MemoryFileOpener.h"
#include "files/MemoryFileSaver.h"
#include "state/AppState.h"
#include "state/Settings.h"
#include "support/ScriptedPrompter.h"
#include "support/TestText.h"

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
        for (const QString suffix : {"", "dsc"})
            QFile::copy(dataPath(name) + suffix, path(as) + suffix);
        return path(as);
    }
    // Through the dialog (reply), or a path given (the start-up file, quiet when missing).
    Opened open(const QString& reply, const QString& given = QString())
    {
        if (given.isEmpty())
            m_prompter.reply(reply);
        return MemoryFileOpener(m_state, m_prompter, m_log, *m_settings)
            .open({given, !given.isEmpty(), false})
            .result;
    }
    // The ask-before-replace flag goes in and comes back as the window keeps it.
    Saved save(Kind kind)
    {
        m_saved = MemoryFileSaver(m_state, m_prompter, m_log, *m_settings).save({kind, m_ask, QString()});
        m_ask = m_saved.askBeforeReplace;
        return m_saved.result;
    }

    QTemporaryDir m_dir;
    std::unique_ptr<Settings> m_settings;
    AppState m_state;
    MemoryFileSaver::Saved m_saved;
    bool m_ask = false;
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
    EXPECT_EQ(m_prompter.prompts().at(0).safe, Prompter::Answer::No) << "Return keeps the changes";
    EXPECT_FALSE(m_state.changed() || m_state.clipboard().hasRows() || m_state.readPresent() ||
                 m_state.busy());
    EXPECT_TRUE(m_state.filePresent() && m_state.dataSource() == AppState::File);
    EXPECT_EQ(m_settings->get(Keys::LastOpened), source);
    // The channels as loaded: CliFilesTest's show, and the byte-for-byte save below.
    EXPECT_EQ(m_state.descriptionColumnWidth(), 3450);

    m_state.setChanged(true);
    m_prompter.reply(path("copy"));
    ASSERT_EQ(save(Kind::SaveAs), Saved::Saved);
    EXPECT_EQ(readBytes(path("copy.950")), readBytes(dataPath("sample.950")));
    EXPECT_EQ(readBytes(path("copy.950dsc")), readBytes(dataPath("sample.950dsc")));
    EXPECT_TRUE(!m_state.changed() && m_ask); // no question was needed for a new name
    EXPECT_EQ(m_state.currentFilePath(), path("copy.950"));
    EXPECT_EQ(m_settings->get(Keys::LastOpened), path("copy.950"));

    // A channel the radio could not take is left out, named, and keeps the table changed.
    setCell(m_state.tables().memories, 6, Column::kMode, QString::fromLatin1("?? "));
    m_prompter.clear();
    m_prompter.reply(path("out"));
    EXPECT_EQ(save(Kind::Save), Saved::SavedIncomplete);
    EXPECT_EQ(m_saved.refused, QStringList{"5"});
    EXPECT_EQ(m_prompter.messages(), QStringList{MemoryFileSaver::refusedText({"5"})});
    EXPECT_EQ(m_prompter.prompts().last().icon, Prompter::Icon::Exclamation);
    EXPECT_TRUE(m_state.changed());

    // An empty table saves as an empty memory file (its description file: DescriptionFileContents).
    m_state.tables().reset();
    m_prompter.reply(path("empty.950"));
    ASSERT_EQ(save(Kind::WriteDiskFile), Saved::Saved);
    EXPECT_EQ(readBytes(path("empty.950")), QByteArray());
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

// A chosen file that is missing is said; a given (start-up) one is dropped
// without a word. A broken file loads its good lines and says how many were
// skipped (which, and why: MemoryFileLines).
TEST_P(MemoryFileProcedures, OpenPathsAndTheirOutcomes)
{
    const QString sample = copySample("sample.950", "sample.950");
    copySample("broken.950", "broken.950");
    const struct {
        const char* name; // in the temporary folder; "" cancels
        bool given;       // else chosen in the dialog
        Opened result;
        const char* message; // "%1" is the full path
    } cases[] = {
        {"sample", false, Opened::Loaded, nullptr},
        {"nothere", false, Opened::Missing, "Filename %1.950 does not exist"},
        {"", false, Opened::Cancelled, nullptr},
        {"gone.950", true, Opened::Missing, nullptr},
        {"sample.950", true, Opened::Loaded, nullptr},
        {"broken.950", false, Opened::Loaded,
         "5 line(s) of broken.950 could not be read and were skipped. The message log names them."},
    };
    for (const auto& c : cases) {
        m_prompter.clear();
        m_state.tables().reset();
        const QString name = *c.name ? path(c.name) : QString();
        EXPECT_EQ(c.given ? open(QString(), name) : open(name), c.result) << c.name;
        EXPECT_EQ(m_prompter.prompts().size(), (c.given ? 0 : 1) + (c.message ? 1 : 0)) << c.name;
        EXPECT_EQ(m_prompter.messages(),
                  c.message ? QStringList{QString::fromLatin1(c.message).replace(QStringLiteral("%1"), name)}
                            : QStringList());
        EXPECT_TRUE(!c.message || m_prompter.prompts().last().icon == Prompter::Icon::Exclamation);
        EXPECT_EQ(m_state.tables().isEmptyAt(1), c.result != Opened::Loaded) << c.name;
        EXPECT_FALSE(m_state.busy());
    }

    // Saying No to unsaved changes leaves everything as it was.
    m_prompter.clear();
    m_state.setChanged(true);
    setCell(m_state.tables().memories, 1, Column::kFreq, local("3.50000"));
    m_prompter.answer(Prompter::Answer::No);
    EXPECT_EQ(open(QString(), sample), Opened::Declined);
    EXPECT_EQ(cellText(m_state.tables().memories, 1, Column::kFreq), local("3.50000"));
    EXPECT_TRUE(m_state.changed());
    ASSERT_EQ(m_prompter.prompts().size(), 1);
    EXPECT_TRUE(m_prompter.prompts()[0].buttons == Prompter::Buttons::YesNo &&
                m_prompter.prompts()[0].icon == Prompter::Icon::Question);
}

// Replacing an existing file asks only when the flag says so (Save As sets
// it, Save clears it, so does asking). A read-only file is refused, and a
// folder that cannot take the file (a read-only one: DiskFailureTest) gives
// the error; the dialog then comes back without the name.
TEST_P(MemoryFileProcedures, ReplacingAsksWhenTheFlagSaysSoAndAnUnwritableTargetAsksAgain)
{
    EXPECT_EQ(save(Kind::SaveAs), Saved::NothingToSave); // nothing loaded yet
    EXPECT_TRUE(m_prompter.prompts().isEmpty());
    const QString sample = copySample("sample.950", "sample.950");
    const QString locked = copySample("sample.950", "locked.950");
    QFile::setPermissions(locked, QFileDevice::ReadOwner | QFileDevice::ReadGroup);
    writeBytes(path("plainfile"), "x");
    ASSERT_EQ(open(sample), Opened::Loaded);
    const QByteArray before = readBytes(sample);
    m_state.tables().clearAt(1);
    const QString question = MemoryFileSaver::replaceText(QStringLiteral("sample.950"));
    using A = Prompter::Answer;
    const struct {
        Kind kind;
        bool flagBefore;
        const char* target;
        const char* then;        // the dialog's second answer ("" cancels); none when null
        std::optional<A> answer; // to the replace question
        Saved result;
        QString message; // a part of the one message, if any
    } cases[] = {
        {Kind::Save, true, "sample.950", nullptr, std::nullopt, Saved::Saved, {}},
        {Kind::WriteDiskFile, false, "sample.950", nullptr, std::nullopt, Saved::Saved, {}},
        {Kind::WriteDiskFile, true, "sample.950", nullptr, A::No, Saved::Declined, question},
        {Kind::SaveAs, false, "sample.950", nullptr, A::Yes, Saved::Saved, question},
        {Kind::Save, false, "locked.950", "", std::nullopt, Saved::Cancelled,
         MemoryFileSaver::readOnlyText(QStringLiteral("locked.950"))},
        {Kind::Save, false, "plainfile/inside.950", "good", std::nullopt, Saved::Saved,
         QStringLiteral(") in line 1\r\n\r\nCannot save the file here")},
    };
    for (int i = 0; i < int(std::size(cases)); ++i) {
        const auto& c = cases[i];
        writeBytes(sample, before);
        m_prompter.clear();
        m_ask = c.flagBefore;
        m_prompter.reply(path(c.target));
        if (c.then)
            m_prompter.reply(*c.then ? path(c.then) : QString());
        if (c.answer)
            m_prompter.answer(*c.answer);
        EXPECT_EQ(save(c.kind), c.result) << i;
        EXPECT_EQ(m_prompter.messages().size(), c.message.isEmpty() ? 0 : 1) << i;
        EXPECT_TRUE(m_prompter.messages().value(0).contains(c.message)) << i;
        // The dialog offers the current name (Save As none, nor one after a failure); Return keeps the old
        // file.
        const auto& prompts = m_prompter.prompts();
        EXPECT_EQ(prompts.first().preset, c.kind == Kind::SaveAs ? QString() : sample) << i;
        EXPECT_TRUE(!c.answer || prompts.at(1).safe == A::No) << i;
        EXPECT_TRUE(!c.then || prompts.last().preset.isEmpty()) << i;
        EXPECT_EQ(readBytes(sample) != before,
                  c.result == Saved::Saved && QLatin1String(c.target) == "sample.950")
            << i;
        EXPECT_FALSE(m_ask) << i;
    }
    EXPECT_EQ(readBytes(locked), readBytes(dataPath("sample.950")));
    QFile::setPermissions(locked, QFileDevice::ReadOwner | QFileDevice::WriteOwner);
}

TEST_P(MemoryFileProcedures, TheInitialMemoryFileIsMadeOnceAndBecomesTheStartUpFile)
{
    const QString initial = path("Initial memory file.950");
    EXPECT_EQ(InitialMemoryFile::create(m_dir.path(), *m_settings, m_log), initial);
    EXPECT_EQ(readBytes(initial), QByteArray("MR00007000000+000000100000;\r\n"));
    EXPECT_EQ(m_settings->get(Keys::LastOpened), initial);

    // A later start finds it and leaves it (and LastOpened) alone (the window then opens it: MainWindowTest).
    writeBytes(initial, "MW00014250000+000000200000;\r\n");
    m_settings->set(Keys::LastOpened, QStringLiteral("elsewhere"));
    EXPECT_EQ(InitialMemoryFile::create(m_dir.path(), *m_settings, m_log), initial);
    EXPECT_EQ(readBytes(initial), QByteArray("MW00014250000+000000200000;\r\n"));
    EXPECT_EQ(m_settings->get(Keys::LastOpened), QStringLiteral("elsewhere"));

    // An empty file, as a failed creation used to leave, is made afresh.
    writeBytes(initial, QByteArray());
    EXPECT_EQ(InitialMemoryFile::create(m_dir.path(), *m_settings, m_log), initial);
    EXPECT_EQ(readBytes(initial), QByteArray("MR00007000000+000000100000;\r\n"));
}

QUAYSTONE_BOTH_DECIMAL_MARKS(MemoryFileProcedures);

} // namespace
