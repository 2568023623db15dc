// SPDX-License-Identifier: GPL-3.0-or-later
#include "FileTestSupport.h"
#include "state/Settings.h"

#include "support/CliRun.h"

#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLockFile>
#include <QTemporaryDir>
#include <functional>
#include <gtest/gtest.h>
#include <sys/stat.h>

using namespace FileTestSupport;

namespace {

using CliFiles = CliTest;

// Every slot, as tab-separated text or as JSON (null for an empty slot's frequency).
TEST_F(CliFiles, ShowPrintsEverySlotAsTextOrJson)
{
    const CliRun text = cli({"show", dataPath("sample.950")});
    const CliRun json = cli({"show", dataPath("sample.950"), "--format", "json"});
    ASSERT_EQ(text.status + json.status, 0) << text.err.toStdString() << json.err.toStdString();
    const QStringList lines = text.out.split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    const QJsonArray slotList =
        QJsonDocument::fromJson(json.out.toUtf8()).object().value(QStringLiteral("slots")).toArray();
    ASSERT_EQ(lines.size(), 118);
    ASSERT_EQ(slotList.size(), 118);
    const struct {
        int index;
        const char* line;
        const char* json; // the fields checked
    } cases[] = {
        {0, "0\t1.84000\tLSB\tSimplex\t\t67.0\t160 m digital",
         R"({"frequency": 1840000, "description": "160 m digital"})"},
        {20, "20\t29.62000\tFM\tMinus\tCTCSS Enc\t103.5\t10 m repeater RH1",
         R"({"shift": "Minus", "encoding": "CTCSS Enc", "tone": "103.5"})"},
        {99, "99\tEmpty\t\t\t\t\t", R"({"frequency": null})"},
        // PMS slots have no description column.
        {100, "P1L\t14.000000\tUSB\tSimplex\t\t67.0",
         R"({"slot": 101, "label": "P1L", "table": "pms", "mode": "USB"})"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(lines[c.index], QString::fromLatin1(c.line));
        const QJsonObject expected = QJsonDocument::fromJson(c.json).object();
        for (auto field = expected.begin(); field != expected.end(); ++field)
            EXPECT_EQ(slotList.at(c.index).toObject().value(field.key()), field.value())
                << field.key().toStdString();
    }
}

TEST_F(CliFiles, ExitStatusForUsageFailureAndRefusal)
{
    struct Case {
        const char* args; // "data/" names a file of the test data, other names are in the folder
        int status;
        const char* err; // part of stderr
    };
    writeBytes(path("taken.CSV"), "keep\r\n");
    const QByteArray header = QByteArray(kCsvHeader) + "\r\n";
    writeBytes(path("rejected.CSV"), header + "1,abc,LSB\r\n2,99.5,USB\r\n");
    writeBytes(path("some.CSV"), header + "1,7.1,LSB\r\n2,99.5,USB\r\n");
    writeBytes(path("twice.CSV"), header + "1,7.1,LSB\r\n2,7.1,USB\r\n");
    writeBytes(path("damaged.950"), readBytes(dataPath("sample.950")) + "hello\r\n");
    writeBytes(path("damaged.950dsc"), readBytes(dataPath("sample.950dsc")));
    writeBytes(path("user.950"), "MW00014100000+000000C00000;\r\n");
    writeBytes(path("broken.950"), readBytes(dataPath("broken.950")));
    // Only regular files are read: a FIFO or a folder is named, never opened.
    mkfifo(QFile::encodeName(path("fifo.950")).constData(), 0644);
    writeBytes(path("pair.950"), readBytes(dataPath("sample.950")));
    mkfifo(QFile::encodeName(path("pair.950dsc")).constData(), 0644);
    QDir(folder.path()).mkdir(QStringLiteral("folder.950"));
    mkfifo(QFile::encodeName(path("fifo.CSV")).constData(), 0644);
    const Case cases[] = {
        // Lines of the file skipped: done, but not all of it.
        {"show data/broken.950", 3, "could not be read and were skipped"},
        {"export data/broken.950 --csv b", 3, "were skipped"},
#ifdef QUAYSTONE_CLI_PRINT
        {"print data/broken.950 --text", 3, "were skipped"},
        {"print", 2, "Usage"},
        {"print data/sample.950", 2, ""},
        {"print data/sample.950 --text --pdf x.pdf", 2, ""},
        {"print data/sample.950 --pdf", 2, "--pdf needs a value"},
        {"print missing.950 --text", 1, "does not exist"},
        {"print data/sample.950 --pdf no/such/dir/x.pdf", 1, ""},
        {"print data/sample.950 --pdf list.pdf", 0, ""},
#endif
        {"show pair.950", 3, "pair.950dsc cannot be read (it is not a regular file)"},
        {"show fifo.950", 1, "cannot be read (it is not a regular file)"},
        {"show folder.950", 1, "cannot be read (it is a folder, not a file)"},
        {"import fifo.CSV --into new.950", 1, "cannot be read (it is not a regular file)"},
        // Every record rejected is a failure, some rejected a partial import.
        {"import rejected.CSV --into new.950 --yes", 1, "No record of the import file could be imported"},
        {"import some.CSV --into new.950 --preview", 0, "identified as: Plainsong"},
        // Saving over a file with unreadable lines would drop them.
        {"import some.CSV --into broken.950", 1, "Line 2 of broken.950 skipped"},
        {"import some.CSV --into folder.950 --yes", 1, "cannot be read (it is a folder, not a file)"},
        // A save or an export the operating system refuses (full disks and the like: DiskFailureTest).
        {"import some.CSV --into no/such/dir/x.950 --yes", 1,
         "quaystone-cli: could not save no/such/dir/x.950"},
        {"export data/sample.950 --csv no/such/dir/x", 1, "quaystone-cli: nothing exported"},
        {"import some.CSV --into some.950 --yes", 3,
         "1 record(s) imported, 0 of them changed, 1 left out, 0 duplicate(s) omitted"},
        // Duplicates left out as asked (also one the file holds twice) are no refusal.
        {"import twice.CSV --into twice.950 --omit-duplicates", 0, "Import completed"},
        {"import twice.CSV --into twice.950 --omit-duplicates", 0, "Nothing to import"},
        // A channel the common layout cannot carry exactly is named; the export is partial.
        {"export user.950 --csv u --format common", 3, "Memory 0 (14.10000 MHz): mode USRU exported as USB"},
        {"show", 2, "Usage"},
        {"show missing.950", 1, "does not exist"},
        {"export data/sample.950", 2, "--csv"},
        {"export data/sample.950 --csv c --format other", 2, "quaystone or common"},
        {"export data/sample.950 --csv taken", 1, "Do you wish to replace it?"},
        {"import taken.CSV", 2, "--into"},
        {"import none.CSV --into new.950 --bogus", 2, "unknown option"},
        {"show data/sample.950 --format xml", 2, "--format takes text or json"},
        // diff as diff(1): 0 the same (DashIsStandardInputOrOutput), 2 trouble (1, different, below).
        {"diff data/sample.950 missing.950", 2, "cannot load"},
        // A skipped line may hide a difference: not "the same".
        {"diff data/sample.950 damaged.950", 3, "lines were skipped"},
        {"diff data/sample.950", 2, "Usage"},
        {"diff - -", 2, "only one side"},
    };
    for (const Case& c : cases) {
        QStringList args = QString::fromLatin1(c.args).split(QLatin1Char(' '));
        for (QString& arg : args) {
            if (arg.startsWith(QLatin1String("data/")))
                arg = dataPath(qPrintable(arg.mid(5)));
        }
        const CliRun run = cli(args);
        EXPECT_EQ(run.status, c.status) << c.args;
        EXPECT_TRUE(run.err.contains(QLatin1String(c.err))) << run.err.toStdString();
        if (args.first() == QLatin1String("print") && !args.contains(QLatin1String("--text"))) {
            EXPECT_TRUE(run.out.isEmpty()) << "nothing on stdout without --text";
        }
    }
#ifdef QUAYSTONE_CLI_PRINT
    EXPECT_FALSE(QFileInfo::exists(path("x.pdf")));
    EXPECT_GT(QFileInfo(path("list.pdf")).size(), 0);
#endif
    EXPECT_EQ(readBytes(path("taken.CSV")), QByteArray("keep\r\n"));
    EXPECT_EQ(readBytes(path("broken.950")), readBytes(dataPath("broken.950")));
    EXPECT_FALSE(QFileInfo::exists(path("new.950")));
}

// "-" reads standard input or writes standard output, giving what the named file gives, and leaves
// no temporary folder behind.
TEST_F(CliFiles, DashIsStandardInputOrOutput)
{
    const QByteArray sample = readBytes(dataPath("sample.950"));
    ASSERT_EQ(cli({"export", dataPath("sample.950"), "--csv", path("named")}).status, 0);
    struct Case {
        QStringList args;
        QByteArray input;
        QByteArray expected; // standard output
    };
    // Standard input has no description file beside it; nor has this file of the name it is given.
    const QString bare = path("standard input.950");
    writeBytes(bare, sample);
    const Case cases[] = {
        {{"show", "-"}, sample, cli({"show", bare}).out.toUtf8()},
        {{"export", dataPath("sample.950"), "--csv", "-"}, {}, readBytes(path("named.CSV"))},
        {{"diff", "-", bare}, sample, {}},
        {{"import", "-", "--into", path("in.950")}, readBytes(path("named.CSV")), {}},
#ifdef QUAYSTONE_CLI_PRINT
        {{"print", "-", "--text"}, sample, cli({"print", bare, "--text"}).out.toUtf8()},
#endif
    };
    for (const Case& c : cases) {
        const CliRun run = runCli(folder.path(), c.args, "C", c.input);
        EXPECT_EQ(run.status, 0) << c.args.join(' ').toStdString() << run.err.toStdString();
        EXPECT_EQ(run.out.toUtf8(), c.expected) << c.args.join(' ').toStdString();
        EXPECT_TRUE(QDir(path("tmp")).isEmpty()) << c.args.join(' ').toStdString();
    }
    EXPECT_EQ(cli({"show", path("in.950")}).out.split(QLatin1Char('\n')).mid(0, 100),
              cli({"show", dataPath("sample.950")}).out.split(QLatin1Char('\n')).mid(0, 100));
    // No private file is left as the window's start-up file.
    EXPECT_FALSE(readBytes(path("config/Quaystone/Quaystone.ini")).contains("standard input"));
}

// Output that cannot be written (a full disk, standard output closed) fails, diff with 2 (trouble);
// standard input past the largest file is refused, not copied until the disk is full. Either way
// the run says why and leaves no temporary folder behind.
TEST_F(CliFiles, StandardStreamsThatFailAreReported)
{
    const QStringList writers[] = {
        {"show", dataPath("sample.950")},
        {"diff", dataPath("sample.950"), dataPath("broken.950")},
        {"export", dataPath("sample.950"), "--csv", "-"},
#ifdef QUAYSTONE_CLI_PRINT
        {"print", dataPath("sample.950"), "--text"},
#endif
    };
    const auto check = [this](const QStringList& args, const char* shell, const char* err) {
        const CliRun run = runCli(folder.path(), args, "C", {}, shell);
        EXPECT_EQ(run.status, args.first() == QLatin1String("diff") ? 2 : 1)
            << shell << ": " << args.join(' ').toStdString();
        EXPECT_TRUE(run.err.contains(QLatin1String(err))) << run.err.toStdString();
        EXPECT_TRUE(QDir(path("tmp")).isEmpty()) << args.join(' ').toStdString();
    };
    for (const char* shell : {"exec \"$0\" \"$@\" >/dev/full", "exec \"$0\" \"$@\" >&-"}) {
        for (const QStringList& args : writers)
            check(args, shell, "cannot write standard output");
    }
    // A file size limit keeps the disk safe should the stream be copied.
    const char* zero = "trap '' XFSZ; ulimit -f 16384; exec \"$0\" \"$@\" </dev/zero";
    check({"show", "-"}, zero, "larger than 1024 KB");
    check({"import", "-", "--into", path("new.950")}, zero, "larger than 1024 KB");
}

TEST_F(CliFiles, DiffListsEachDifferingSlotAndExits1)
{
    // Memory 0 another frequency; 4 Hz more on memory 5, which the table's text does not show;
    // memory 7 gone; memory 20 another tone; PMS P4L added; and memory 3's description changed.
    QByteArray other = readBytes(dataPath("sample.950"));
    other.replace("MW00001840000+", "MW00001845000+");
    other.replace("MW00507030000+", "MW00507030004+");
    other.replace("MW00707150000+000000100000;\r\n", "");
    other.replace("MW02029620000+000000402132;", "MW02029620000+000000402142;");
    other += "MW10650000000+000000200000;\r\n";
    writeBytes(path("other.950"), other);
    QByteArray descriptions = readBytes(dataPath("sample.950dsc"));
    descriptions.replace("80 m SSB net Sunday 0900", "80 m SSB net Monday");
    writeBytes(path("other.950dsc"), descriptions);

    const CliRun run = cli({"diff", dataPath("sample.950"), path("other.950")});
    EXPECT_EQ(run.status, 1) << run.err.toStdString();
    QStringList lines = run.out.split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    EXPECT_TRUE(lines.takeFirst().startsWith(QStringLiteral("Slot  ") + dataPath("sample.950")));
    const QStringList expected = {
        "0 1.84000 LSB Simplex 67.0 \"160 m digital\" 1.84500 LSB Simplex 67.0 "
        "\"160 m digital\" Frequency",
        "3 3.76000 LSB Simplex 67.0 \"80 m SSB net Sunday 0900\" 3.76000 LSB Simplex "
        "67.0 \"80 m SSB net Monday\" Description",
        "5 7.03000 CW Simplex 67.0 \"40 m CW QRP\" 7.03000 CW Simplex 67.0 \"40 m "
        "CW QRP\" radio data",
        "7 7.15000 LSB Simplex 67.0 \"40 m SSB\" Empty whole channel",
        "20 29.62000 FM Minus CTCSS Enc 103.5 \"10 m repeater RH1\" 29.62000 FM Minus CTCSS Enc 107.2 "
        "\"10 m repeater RH1\" Tone",
        "P4L Empty 50.000000 USB Simplex 67.0 whole channel"};
    for (QString& line : lines)
        line = line.simplified();
    EXPECT_EQ(lines, expected);
}

// The common layout of other editors, with the numbers kept, imports back into the same memories (this
// program's own layout: DashIsStandardInputOrOutput). Importing again with clear-all needs --yes;
// without it nothing changes.
TEST_F(CliFiles, ExportThenImportIntoANewFileGivesTheSameMemories)
{
    ASSERT_EQ(
        cli({"export", dataPath("sample.950"), "--csv", path("out"), "--format", "common", "--keep-numbers"})
            .status,
        0);
    const CliRun imported = cli({"import", path("out.CSV"), "--into", path("out.950"), "--use-numbers"});
    ASSERT_EQ(imported.status, 0) << imported.err.toStdString();
    EXPECT_EQ(cli({"show", path("out.950")}).out.split(QLatin1Char('\n')).mid(0, 100),
              cli({"show", dataPath("sample.950")}).out.split(QLatin1Char('\n')).mid(0, 100));

    const QByteArray before = readBytes(path("out.950"));
    EXPECT_EQ(cli({"import", path("out.CSV"), "--into", path("out.950"), "--clear"}).status, 1);
    EXPECT_EQ(readBytes(path("out.950")), before);
    EXPECT_EQ(cli({"import", path("out.CSV"), "--into", path("out.950"), "--clear", "--yes"}).status, 0);
    EXPECT_EQ(readBytes(path("out.950")), before);
}

// A second writer of one memory file waits for the first one's lock, then
// gives up with a clear message and leaves the pair alone. Anything else at
// the lock's path is named, never opened or read: a FIFO would hang the save
// for good (runCli gives up after a minute). Each kind the shared lock check
// names: SettingsTest.
TEST_F(CliFiles, ASaveFailsWhileTheLockIsHeldOrSomethingElseStandsThere)
{
    writeBytes(path("shared.950"), readBytes(dataPath("sample.950")));
    writeBytes(path("shared.950dsc"), readBytes(dataPath("sample.950dsc")));
    ASSERT_EQ(cli({"export", dataPath("sample.950"), "--csv", path("in")}).status, 0);
    const QString lock = path("shared.950.lock");
    const struct {
        const char* what;
        std::function<bool()> make; // none: another program holds the lock
        const char* said;
    } cases[] = {
        {"held by another program", nullptr, "another program is saving shared.950"},
        {"FIFO", [&] { return mkfifo(QFile::encodeName(lock).constData(), 0644) == 0; }, "it is a FIFO"},
        {"oversized file", [&] { return writeBytes(lock, "1\nx\ny\n" + QByteArray(8192, 'z') + "\n"); },
         "it is a file larger than a lock file can be"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        const bool held = !c.make;
        QLockFile first(lock);
        ASSERT_TRUE(held ? first.lock() : c.make());
        const CliRun second = cli({"import", path("in.CSV"), "--into", path("shared.950")});
        EXPECT_EQ(second.status, 1);
        const QString expected = held ? QString::fromLatin1(c.said)
                                      : lock + QStringLiteral(" is in the way: ") +
                                            QString::fromLatin1(c.said) +
                                            QStringLiteral(", not a lock file. Remove it, then save again");
        EXPECT_TRUE(second.err.contains(expected)) << second.err.toStdString();
        EXPECT_EQ(readBytes(path("shared.950")), readBytes(dataPath("sample.950")));
        EXPECT_EQ(readBytes(path("shared.950dsc")), readBytes(dataPath("sample.950dsc")));
        EXPECT_TRUE(QFileInfo::exists(lock)) << "left where it was";
        first.unlock();
        QFile::remove(lock);
    }
    EXPECT_EQ(cli({"import", path("in.CSV"), "--into", path("shared.950")}).status, 0);
    EXPECT_FALSE(QFileInfo::exists(path("shared.950.lock")));
}

// A name that is not valid UTF-8 cannot be named exactly: it is refused
// before anything is read or written, so no file by another name is saved.
TEST_F(CliFiles, ANameThatIsNotValidUtf8IsRefused)
{
    ASSERT_EQ(cli({"export", dataPath("sample.950"), "--csv", path("in")}).status, 0);
    // The shell passes the name's bytes as they are.
    const CliRun run = runCli(folder.path(), {"import", "in.CSV", "--into"}, "C", {},
                              "exec \"$0\" \"$@\" \"$(printf 'bad\\377.950')\"");
    EXPECT_EQ(run.status, 2);
    EXPECT_TRUE(run.err.contains(QStringLiteral("is not valid UTF-8"))) << run.err.toStdString();
}

#ifdef QUAYSTONE_CLI_PRINT
TEST_F(CliFiles, TextFollowsTheStoredOptionsUnderEitherDecimalMark)
{
    {
        Settings stored(folder.filePath(QStringLiteral("config/Quaystone")));
        stored.set(Keys::PrintCol[2], QStringLiteral("0"));
        stored.setBool(Keys::Landscape, false);
        stored.set(Keys::LastOpened, QStringLiteral("/home/op/club.950"));
    }
    const struct {
        const char* locale;
        const char* row21;
    } cases[] = {
        {"C", "        21     29.62000 Minus   Enc     103.5 10 m repeater RH1"},
        {"de_DE.UTF-8", "        21     29,62000 Minus   Enc     103.5 10 m repeater RH1"},
    };
    for (const auto& c : cases) {
        const CliRun run =
            cli({QStringLiteral("print"), dataPath("sample.950"), QStringLiteral("--text")}, c.locale);
        ASSERT_EQ(run.status, 0) << run.err.toStdString();
        const QStringList pages = run.out.split(QLatin1Char('\f'));
        const QStringList lines = pages.first().split(QLatin1Char('\n'));
        EXPECT_EQ(lines.mid(0, 3),
                  QStringList({"              Memory print of   sample.950", "",
                               "              RX Freq   Shift   Decode  Tone  Description    "}));
        EXPECT_TRUE(lines.contains(QString::fromLatin1(c.row21))) << c.locale << run.out.toStdString();
        // Every later page opens with the page header.
        for (int page = 1; page < pages.size(); ++page)
            EXPECT_EQ(pages[page].section(QLatin1Char('\n'), 0, 0), lines.value(2)) << "page " << page;
    }
    // Printing leaves the file to open next alone.
    EXPECT_EQ(Settings(folder.filePath(QStringLiteral("config/Quaystone"))).get(Keys::LastOpened),
              QStringLiteral("/home/op/club.950"));
}
#endif

} // namespace
