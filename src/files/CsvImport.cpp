// SPDX-License-Identifier: GPL-3.0-or-later
#include "CsvImport.h"

#include "CsvHeader.h"
#include "CsvRecordParser.h"
#include "FileDialogs.h"
#include "io/SafeFileWriter.h"
#include "io/TextFileReader.h"
#include "model/Frequency.h"
#include "state/AppState.h"
#include "state/MessageLog.h"
#include "state/Prompter.h"

#include <QFile>
#include <QFileInfo>

namespace {
constexpr int kMemoryRows = 100;

QString text(const char* s)
{
    return QString::fromLatin1(s);
}

QString recordText(int record)
{
    return QStringLiteral("Record ") + QString::number(record);
}

// Whether the records' memory numbers are the memories' own labels 0 to 99
// rather than the running count 1, 2, 3 ... an export writes without "Keep
// existing mem numbers": anything else (a 0, a gap, another order) is
// numbered with the labels, as an export that keeps them writes.
bool numbersAreLabels(const QVector<CsvRecord>& records)
{
    qint64 expected = 1;
    for (const CsvRecord& r : records) {
        if (r.blank || !r.number)
            continue;
        if (*r.number != expected)
            return true;
        ++expected;
    }
    return false;
}
} // namespace

CsvImport::CsvImport(AppState& state, Prompter& prompter, MessageLog& log, CsvHeader& csv,
                     CsvImportOptions& options)
    : m_state(state), m_prompter(prompter), m_log(log), m_csv(csv), m_options(options)
{
}

QString CsvImport::underscoreLine()
{
    return QString(55, QLatin1Char('_'));
}

QString CsvImport::startRangeText()
{
    return QStringLiteral("The start memory number must be a whole number from 1 to 100");
}

QString CsvImport::labelNumbersText()
{
    return QStringLiteral("The memory numbers of the file are read as the memories' own numbers 0 to 99");
}

QString CsvImport::noneImportedText()
{
    return QStringLiteral("No record of the import file could be imported. The message log says why.");
}

bool CsvImport::somethingSkipped() const
{
    return m_error || m_counts.changed > 0 || m_counts.leftOut > 0;
}

QString CsvImport::summaryText(const Counts& counts)
{
    return QStringLiteral(
               "Import: %1 record(s) imported, %2 of them changed, %3 left out, %4 duplicate(s) omitted")
        .arg(counts.imported)
        .arg(counts.changed)
        .arg(counts.leftOut)
        .arg(counts.omitted);
}

bool CsvImport::isDuplicate(qint32 value) const
{
    if (!m_options.omitDuplicates)
        return false;
    const ChannelTable& memories = m_state.tables().memories;
    for (int row = 1; row <= kMemoryRows; ++row) {
        if (memories.isEmptyRow(row))
            continue;
        if (memories.channel(row).tenHertzSteps() == value)
            return true;
    }
    return false;
}

void CsvImport::fail(const QString& message)
{
    m_log.notice(message);
    m_error = true;
    m_failed = true;
}

void CsvImport::yieldOnce()
{
    if (m_yield)
        m_yield();
}

CsvImport::Result CsvImport::ImportCsv(bool preview)
{
    m_recordsRead = 0;
    m_duplicates = 0;
    m_error = false;
    m_counts = {};
    m_plan.clear();

    int startRow = 1;
    QString path;
    QStringList lines;
    if (const std::optional<Result> stop = readStartRow(startRow))
        return *stop;
    if (const std::optional<Result> stop = readFile(path, lines))
        return *stop;
    if (const std::optional<Result> stop = readHeader(path, lines.value(0), preview))
        return *stop;
    if (preview)
        return this->preview(lines);

    // Every record is read once, for the pre-check and the placement alike.
    const CsvRecordParser parser(m_csv, m_state.rules(), m_prompter, m_common);
    QVector<CsvRecord> records;
    for (int i = 1; i < lines.size(); ++i)
        records << parser.parse(lines.at(i));
    if (const std::optional<Result> stop = check(records, startRow))
        return *stop;
    return place(records);
}

// An empty start box means 1; anything else must name a memory row.
std::optional<CsvImport::Result> CsvImport::readStartRow(int& startRow)
{
    if (m_options.startText.trimmed().isEmpty()) {
        m_options.startText = QStringLiteral("1");
        return std::nullopt;
    }
    const std::optional<qint64> start = CsvRecordParser::wholeNumber(m_options.startText);
    if (!start || *start < 1 || *start > kMemoryRows) {
        m_prompter.inform(startRangeText());
        return Result::BadStart;
    }
    startRow = int(*start);
    return std::nullopt;
}

std::optional<CsvImport::Result> CsvImport::readFile(QString& path, QStringList& lines)
{
    path = !m_options.path.isEmpty()
               ? m_options.path
               : m_prompter.chooseOpenFile(text(FileDialogs::kImportTitle), m_state.dataFolder(),
                                           text(FileDialogs::kCsvFilters));
    if (path.isEmpty())
        return Result::Cancelled;
    if (!path.endsWith(QLatin1String(".CSV"), Qt::CaseInsensitive) &&
        !path.endsWith(QLatin1String(".EGP"), Qt::CaseInsensitive))
        path += QStringLiteral(".CSV");
    // Only a regular file is opened: a FIFO would block the program for good.
    const QString problem = SafeFileWriter::pathProblem(path);
    if (!problem.isEmpty() && QFileInfo::exists(path)) {
        m_log.notice(QStringLiteral("Cannot read ") + path + QStringLiteral(": ") + problem);
        m_prompter.inform(QStringLiteral("The file ") + QFileInfo(path).fileName() +
                              QStringLiteral(" cannot be read (") + problem +
                              QStringLiteral(").\r\nImport aborted"),
                          Prompter::Icon::Exclamation);
        return Result::Unreadable;
    }
    if (!QFileInfo(path).isFile()) {
        m_prompter.inform(QStringLiteral("Filename ") + path + QStringLiteral(" does not exist"),
                          Prompter::Icon::Exclamation);
        return Result::Missing;
    }
    QFile file(path);
    TextFileReader reader;
    if (!file.open(QIODevice::ReadOnly) || !reader.read(file)) {
        if (reader.tooLarge()) {
            m_log.notice(QStringLiteral("Cannot read ") + path + QStringLiteral(": ") + reader.errorText());
            m_prompter.inform(QStringLiteral("The file ") + QFileInfo(path).fileName() +
                                  QStringLiteral(" cannot be read (") + reader.errorText() +
                                  QStringLiteral(").\r\nImport aborted"),
                              Prompter::Icon::Exclamation);
            return Result::Unreadable;
        }
        const int number = reader.errorNumber() ? reader.errorNumber() : int(file.error());
        const QString why = reader.errorText().isEmpty() ? file.errorString() : reader.errorText();
        m_prompter.inform(
            QStringLiteral("Problem encountered reading the import file at record 0\r\nError number") +
            QString::number(number) + QStringLiteral(", ") + why + QStringLiteral("\r\nImport aborted"));
        return Result::Unreadable;
    }
    // Every step works on the text read here, so the placement places
    // exactly what the pre-check saw.
    lines = reader.lines();
    return std::nullopt;
}

std::optional<CsvImport::Result> CsvImport::readHeader(const QString& path, const QString& firstLine,
                                                       bool preview)
{
    const QString header = m_csv.CleanLine(firstLine, true);
    m_csv.IdentifyHeader(header);
    const CsvHeader::Type type = m_csv.headerType();
    if (type == CsvHeader::Type::Unknown) {
        m_log.notice(QStringLiteral("Filename: ") + path);
        m_log.notice(header);
        m_log.notice(QStringLiteral("First record is not recognised as a header record"));
        m_prompter.inform(QStringLiteral("Import aborted due to errors"), Prompter::Icon::Exclamation);
        return Result::NotImportable;
    }
    m_common = type == CsvHeader::Type::Common;
    if (type != CsvHeader::Type::Plainsong && !m_common) {
        m_log.notice(QStringLiteral("Header looks like one from ") + CsvHeader::typeName(type) +
                     QStringLiteral(". Import aborted"));
        return Result::NotImportable;
    }
    if (preview) {
        m_log.notice(QStringLiteral("Header type identified as: ") + CsvHeader::typeName(type));
        m_log.notice(header);
    }
    return std::nullopt;
}

void CsvImport::checkRecordCount()
{
    if (m_recordsRead - m_duplicates > kMemoryRows)
        fail(QStringLiteral("The import file holds ") + QString::number(m_recordsRead) +
             QStringLiteral(" records, more than the 100 memories can take. The file must be reduced"));
}

CsvImport::Result CsvImport::preview(const QStringList& lines)
{
    for (int i = 1; i < lines.size(); ++i) {
        ++m_recordsRead;
        m_log.notice(m_csv.CleanLine(lines.at(i), false));
        yieldOnce();
    }
    checkRecordCount();
    m_log.notice(QStringLiteral("\r\n") + underscoreLine());
    return Result::Previewed;
}

std::optional<CsvImport::Result> CsvImport::check(const QVector<CsvRecord>& records, int startRow)
{
    // How "Use imported mem numbers" reads the numbers: as a running count
    // (row numbers) or as the memories' own labels 0 to 99.
    // The common layout's Location is always the memory's own number.
    m_numbersAreLabels = m_common;
    if (m_options.useNumbers && !m_common) {
        m_numbersAreLabels = numbersAreLabels(records);
        if (m_numbersAreLabels)
            m_log.notice(labelNumbersText());
    }

    m_reported.clear();
    m_sameMemory = QVector<bool>(records.size(), false);
    m_claimedRows = QVector<int>(kMemoryRows + 1, 0);
    for (const CsvRecord& r : records) {
        ++m_recordsRead;
        m_failed = false;
        checkRecord(m_recordsRead, r);
        m_reported << m_failed;
        yieldOnce();
    }
    m_plan = plan(records, startRow);

    checkRecordCount();
    if (m_recordsRead == m_duplicates) {
        m_log.notice(QStringLiteral("Every one of the") + QString::number(m_recordsRead) +
                     QStringLiteral(" records is a duplicate frequency.\r\nNothing to import"));
        return Result::NothingToImport;
    }

    // Space.
    int usedRows = 0;
    if (!m_options.clearAll) {
        for (int row = 1; row <= kMemoryRows; ++row) {
            if (!m_state.tables().memories.isEmptyRow(row))
                ++usedRows;
        }
        if (usedRows == kMemoryRows)
            m_prompter.inform(QStringLiteral("Memory is full. Delete some memories to make space"),
                              Prompter::Icon::Exclamation);
    }
    if (usedRows + m_recordsRead - m_duplicates > kMemoryRows)
        fail(QStringLiteral("You have") + QString::number(usedRows) +
             QStringLiteral(" memories and there is not") + QStringLiteral(" enough space to add") +
             QString::number(m_recordsRead) + QStringLiteral(" more."));

    if (m_error) {
        m_log.notice(QStringLiteral("\r\n") + underscoreLine());
        if (m_prompter.askSafely(
                QStringLiteral(
                    "The pre-check of the import file has errors. Do you want to try and load it?"),
                Prompter::Buttons::YesNo, Prompter::Icon::None,
                Prompter::Answer::No) != Prompter::Answer::Yes)
            return Result::Declined;
    }
    return std::nullopt;
}

void CsvImport::checkRecord(int record, const CsvRecord& r)
{
    const QString prefix = recordText(record);

    // Other editors number their channels as they please; their numbers
    // matter only when they are to choose the memories.
    if (!m_common || m_options.useNumbers)
        checkMemoryNumber(prefix, r);

    if (!r.numeric)
        fail(prefix + QStringLiteral(". Frequency of '") + r.freq + QStringLiteral("' is not numeric."));
    else if (!r.inRange)
        fail(prefix + QStringLiteral(". Frequency of '") + r.freq +
             QStringLiteral("' is outside the range of the radio"));

    if (!m_error && r.inRange && isDuplicate(r.value)) {
        ++m_duplicates;
        return;
    }
    // Two records for one memory: the first is placed, the later ones left out.
    if (m_options.useNumbers && r.inRange && r.modeKnown && r.number &&
        (m_numbersAreLabels || *r.number != 0)) {
        const qint64 row = m_numbersAreLabels ? *r.number + 1 : *r.number;
        if (row >= 1 && row <= kMemoryRows) {
            if (m_claimedRows[int(row)] != 0) {
                fail(prefix + QStringLiteral(". Memory number of ") + r.memory +
                     QStringLiteral(" is also that of record ") + QString::number(m_claimedRows[int(row)]) +
                     QStringLiteral(". The record will be left out"));
                m_sameMemory[record - 1] = true;
            } else {
                m_claimedRows[int(row)] = record;
            }
        }
    }
    // What a record of another layout that is not imported anyway would
    // have lost is not worth a line.
    if (m_common && !r.inRange)
        return;
    for (const QString& problem : r.problems)
        fail(prefix + QStringLiteral(". ") + problem);
}

void CsvImport::checkMemoryNumber(const QString& prefix, const CsvRecord& r)
{
    if (r.memory.isEmpty()) {
        if (m_options.useNumbers)
            fail(prefix +
                 QStringLiteral(
                     ". Memory number is missing, but is required due to 'Use imported mem numbers'."));
    } else if (r.number) {
        const int lowest = m_numbersAreLabels ? 0 : 1;
        if (*r.number < lowest || *r.number > lowest + kMemoryRows - 1)
            fail(prefix + QStringLiteral(". Memory number of ") + r.memory +
                 QStringLiteral(" is outside the range %1 to %2").arg(lowest).arg(lowest + kMemoryRows - 1));
    } else {
        fail(prefix + QStringLiteral(". Memory number of ") + r.memory + QStringLiteral(" is not numeric"));
    }
}

QVector<CsvImport::Placement> CsvImport::plan(const QVector<CsvRecord>& records, int startRow) const
{
    // The memory rows as the placement will find them, and as it fills them.
    QVector<bool> used(kMemoryRows + 1, false);
    QVector<bool> placed(kMemoryRows + 1, false); // a row this import filled is never overwritten
    QVector<std::optional<qint32>> values(kMemoryRows + 1);
    const ChannelTable& memories = m_state.tables().memories;
    for (int row = 1; row <= kMemoryRows && !m_options.clearAll; ++row) {
        used[row] = !memories.isEmptyRow(row);
        if (used[row])
            values[row] = qint32(memories.channel(row).tenHertzSteps());
    }
    const auto duplicate = [&](qint32 value) {
        for (int row = 1; row <= kMemoryRows && m_options.omitDuplicates; ++row) {
            if (used[row] && values[row] == value)
                return true;
        }
        return false;
    };
    const auto firstFree = [&] {
        for (int row = startRow; row <= kMemoryRows; ++row) {
            if (!used[row])
                return row;
        }
        return 0;
    };

    QVector<Placement> plan;
    for (int i = 0; i < records.size(); ++i) {
        const CsvRecord& r = records.at(i);
        const qint64 memory = r.number.value_or(0);
        const QString recordMemory = recordText(i + 1) + QStringLiteral(" memory ") + QString::number(memory);
        using Kind = Placement::Kind;
        Placement p{Kind::LeaveOut, 0, {}};
        if (r.blank) {
            p.kind = Kind::Pass;
        } else if (r.freq.isEmpty() || m_sameMemory.value(i)) {
            // The pre-check has said why.
        } else if (!r.memory.isEmpty() && !r.number && (!m_common || m_options.useNumbers)) {
            p.note = recordText(i + 1) + QStringLiteral(". Skipped due to memory number of ") + r.memory +
                     QStringLiteral(", which is not numeric");
        } else if (!r.inRange) {
            p.note = recordMemory + QStringLiteral(". Skipped due to bad RX frequency of ") + r.freq;
        } else if (duplicate(r.value)) {
            p.kind = Kind::Omit;
        } else if (!r.modeKnown) {
            // The pre-check has named a mode of another layout already.
            if (!m_common)
                p.note = recordMemory + QStringLiteral(". Skipped due to mode of '") + r.mode.trimmed() +
                         QLatin1Char('\'');
        } else {
            qint64 row = m_numbersAreLabels && r.number ? memory + 1 : memory;
            if (!m_options.useNumbers || (m_numbersAreLabels ? !r.number : memory == 0)) {
                row = firstFree();
                if (row == 0) {
                    plan << Placement{Kind::NoRoom, 0, {}};
                    break;
                }
            }
            if (row < 1 || row > kMemoryRows) {
                p.note = QStringLiteral("Requested memory number of ") + QString::number(memory) +
                         QStringLiteral(" is too high - the memory was not added");
            } else if (placed[int(row)]) {
                p.note =
                    recordMemory +
                    QStringLiteral(". Skipped because an earlier record of the file went to that memory");
            } else {
                p = {Kind::Place, int(row), {}};
                placed[int(row)] = used[int(row)] = true;
                values[int(row)] = qint32(r.channel.tenHertzSteps());
            }
        }
        plan << p;
    }
    return plan;
}

CsvImport::Result CsvImport::place(const QVector<CsvRecord>& records)
{
    // One undo step for the whole import (a failure is told through the state).
    const UndoStep step(m_state, QStringLiteral("Import"));
    if (m_options.clearAll) {
        if (m_prompter.askSafely(
                QStringLiteral("Are you sure you want to clear ALL memories before importing?"),
                Prompter::Buttons::YesNoCancel, Prompter::Icon::None,
                Prompter::Answer::Cancel) != Prompter::Answer::Yes)
            return Result::ClearRefused;
        m_state.tables().memories.reset();
    }

    for (int i = 0; i < m_plan.size(); ++i) {
        const Placement& p = m_plan.at(i);
        if (!p.note.isEmpty())
            m_log.notice(p.note);
        if (p.kind == Placement::Kind::Omit)
            ++m_counts.omitted;
        if (p.kind == Placement::Kind::NoRoom)
            m_prompter.inform(QStringLiteral("Cannot find an empty slot to use for importing"));
        if (p.kind == Placement::Kind::Place) {
            // A new channel: nothing of what the radio gave the row's old one stays.
            m_state.tables().memories.setChannel(p.row, records.at(i).channel);
            ++m_counts.imported;
            if (m_reported.value(i))
                ++m_counts.changed;
        }
        yieldOnce();
    }
    // Whatever was neither placed nor omitted as asked was left out, those
    // after the last free row included.
    int nonBlank = 0;
    for (const CsvRecord& r : records)
        nonBlank += r.blank ? 0 : 1;
    m_counts.leftOut = nonBlank - m_counts.imported - m_counts.omitted;
    m_log.notice(summaryText(m_counts));

    // Done; but an import that placed nothing did not complete.
    if (m_counts.imported == 0 && m_counts.omitted < nonBlank) {
        if (m_options.clearAll)
            m_state.setChanged(true);
        m_prompter.inform(noneImportedText(), Prompter::Icon::Exclamation);
        return Result::NoneImported;
    }
    m_state.setChanged(true);
    m_prompter.inform(QStringLiteral("Import completed"));
    return Result::Imported;
}
