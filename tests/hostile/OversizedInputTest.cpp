// SPDX-License-Identifier: GPL-3.0-or-later
#include "files/CsvHeader.h"
#include "files/CsvImport.h"
#include "files/FileTestSupport.h"
#include "files/MemoryFile.h"
#include "files/MemoryFileOpener.h"
#include "io/TextFileReader.h"
#include "state/AppState.h"
#include "state/MessageLog.h"
#include "state/Settings.h"
#include "support/ScriptedPrompter.h"
#include "support/TestText.h"

#include <QBuffer>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

constexpr qint64 kMaxBytes = TextFileReader::kMaxFileBytes;
constexpr int kMaxLine = TextFileReader::kMaxLineLength;

QByteArray shortLines(qint64 size)
{
    const QByteArray line = "MW00001840000+000000100000;\r\n";
    QByteArray bytes;
    while (bytes.size() + line.size() <= size)
        bytes += line;
    return bytes + QByteArray(size - bytes.size(), 'x');
}

// The limits themselves, right at and just past each edge.
TEST(OversizedInput, TheReaderRefusesPastTheLimitsAndReadsUpToThem)
{
    struct Case {
        const char* what;
        QByteArray bytes;
        bool refused;
    };
    const Case cases[] = {
        {"file of exactly the limit", shortLines(kMaxBytes), false},
        {"file one byte over", shortLines(kMaxBytes + 1), true},
        {"line of exactly the limit", "a\r\n" + QByteArray(kMaxLine, 'b') + "\r\nc", false},
        {"line one character over", "a\r\n" + QByteArray(kMaxLine + 1, 'b') + "\r\nc", true},
    };
    for (const Case& c : cases) {
        QBuffer buffer;
        buffer.setData(c.bytes);
        TextFileReader reader;
        EXPECT_EQ(reader.read(buffer), !c.refused) << c.what;
        EXPECT_EQ(reader.tooLarge(), c.refused) << c.what;
    }
}

// Each file procedure refuses an oversized file with a message that names
// the file and the limit, and leaves the tables as they were.
TEST(OversizedInput, FileProceduresRefuseWithAClearMessageAndTouchNothing)
{
    QTemporaryDir dir;
    const QByteArray huge = shortLines(4 * kMaxBytes);
    const QByteArray longLine = "0,\"3450\"\r\n1,\"" + QByteArray(64 * 1024, 'd') + "\"\r\n";
    struct Case {
        const char* file;
        QByteArray bytes;
        const char* limit;
    };
    const Case cases[] = {
        {"huge.950", huge, "1024 KB"},
        {"long.950", "MW000" + QByteArray(2 * kMaxLine, '0') + ";\r\n", "4096 characters"},
        {"huge.CSV", huge, "1024 KB"},
        {"pair.950dsc", longLine, "4096 characters"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.file);
        const QString path = dir.filePath(QString::fromLatin1(c.file));
        ASSERT_TRUE(FileTestSupport::writeBytes(path, c.bytes));

        AppState state;
        setRow(state.tables().memories, 5, "7.05000|LSB|Simplex||67.0|kept");
        state.setChanged(false);
        const QVector<Channel> before = state.tables().memories.channels();
        ScriptedPrompter prompter;
        prompter.reply(path);
        MessageLog log;
        Settings settings(dir.filePath(QStringLiteral("config")));
        if (path.endsWith(QLatin1String(".CSV"))) {
            CsvHeader csv;
            CsvImportOptions options;
            EXPECT_EQ(CsvImport(state, prompter, log, csv, options).ImportCsv(false),
                      CsvImport::Result::Unreadable);
        } else {
            MemoryFileOpener opener(state, prompter, log, settings);
            const MemoryFileOpener::Result result = opener.open().result;
            EXPECT_TRUE(result == MemoryFileOpener::Result::Unreadable ||
                        result == MemoryFileOpener::Result::DescriptionsLoaded);
        }
        EXPECT_TRUE(state.tables().memories.channels() == before);
        ASSERT_EQ(prompter.messages().size(), 1);
        const QString message = prompter.messages().first();
        EXPECT_TRUE(message.contains(QString::fromLatin1(c.file))) << message.toStdString();
        EXPECT_TRUE(message.contains(QString::fromLatin1(c.limit))) << message.toStdString();
        EXPECT_FALSE(log.text().isEmpty());
    }
}

} // namespace
