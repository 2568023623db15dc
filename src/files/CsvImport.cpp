// SPDX-License-Identifier: GPL-3.0-or-later
#include "CsvImport.h"

#include "CommonCsv.h"
#include "CsvHeader.h"
#include "FileDialogs.h"
#include "io/SafeFileWriter.h"
#include "io/TextFileReader.h"
#include "model/CatCodec.h"
#include "model/Frequency.h"
#include "model/Vocabulary.h"
#include "state/AppState.h"
#include "state/MessageLog.h"
#include "state/OutcomePresenter.h"
#include "state/Prompter.h"

#include <QFile>
#include <QFileInfo>
#include <limits>

namespace {
// Field numbers of the records, as the export writes them.
constexpr int kFieldMemory = 1;
constexpr int kFieldFreq = 2;
constexpr int kFieldMode = 3;
constexpr int kFieldShift = 4;
constexpr int kFieldEncoding = 7;
constexpr int kFieldTone = 8;
constexpr int kFieldDescription = 13;
constexpr int kMemoryRows = 100;
constexpr int kDescriptionLength = 100;

QString text(const char* s)
{
    return QString::fromLatin1(s);
}

// A whole number, optionally signed, with nothing else but surrounding blanks.
std::optional<qint64> wholeNumber(const QString& field)
{
    const QString t = field.trimmed();
    int i = 0;
    if (i < t.size() && (t[i] == QLatin1Char('+') || t[i] == QLatin1Char('-')))
        ++i;
    if (i == t.size())
        return std::nullopt;
    for (int j = i; j < t.size(); ++j) {
        if (t[j] < QLatin1Char('0') || t[j] > QLatin1Char('9'))
            return std::nullopt;
    }
    // Too many digits to hold: a number all the same, far out of any range.
    if (t.size() - i > 18)
        return t[0] == QLatin1Char('-') ? std::numeric_limits<qint64>::min()
                                        : std::numeric_limits<qint64>::max();
    return t.toLongLong();
}

// "67" becomes "67.0"; "67.5" and one-character tones stay.
QString completeTone(const QString& tone)
{
    if (tone.size() > 1 && tone.at(tone.size() - 2) != QLatin1Char('.'))
        return tone + QStringLiteral(".0");
    return tone;
}

// What the pre-check reports of the mode, shift and encoding words of this
// program's own layout. It reads them in any case and has never known NFM.
QStringList ownWordProblems(const CsvRecord& r)
{
    QStringList problems;
    const QString mode = r.mode.trimmed().toUpper();
    if (!CsvImport::storedMode(mode) || mode == QLatin1String("NFM"))
        problems << QStringLiteral("Mode of '") + mode +
                        QStringLiteral("' is not recognised as a Plainsong mode");
    const QString shift = r.shift.trimmed().toUpper();
    if (!shift.isEmpty() && shift != QLatin1String("SIMPLEX") && shift != QLatin1String("PLUS") &&
        shift != QLatin1String("MINUS") && shift != QLatin1String("SPLIT"))
        problems << QStringLiteral("Shift of '") + shift +
                        QStringLiteral("' is not Simplex, Plus, Minus, Split or omitted");
    const QString encoding = r.encoding.trimmed().toUpper();
    if (!encoding.isEmpty() && encoding != QLatin1String("CTCSS ENC") &&
        encoding != QLatin1String("CTCSS ENC+DEC") && encoding != QLatin1String("DCS"))
        problems << QStringLiteral("Encoding state of '") + encoding +
                        QStringLiteral("' is not CTCSS Enc, CTCSS Enc/Dec, DCS or omitted");
    return problems;
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

std::optional<QString> CsvImport::storedMode(const QString& field)
{
    static const QStringList fm{"NFM", "WFM", "FMN", "PKTF", "FM", "PKT"};
    static const QStringList am{"AM", "WAM", "AMN", "AMS"};
    static const QStringList cw{"CWN", "CWRN", "CW", "CWR"};
    static const QStringList lsb{"DIG", "PKTL", "LSB", "RTYL"};
    static const QStringList usb{"USB", "RTYU"};
    static const QStringList user{"USRU", "USRL"};
    const QString mode = field.trimmed();
    if (mode.isEmpty())
        return QString();
    // The memories table's own modes come back as themselves, so that an
    // export imported again changes nothing; the table below maps the modes
    // other programs write.
    if (Vocabulary::modeNames().contains(mode))
        return mode;
    if (fm.contains(mode))
        return QStringLiteral("FM");
    if (am.contains(mode))
        return QStringLiteral("AM");
    if (cw.contains(mode))
        return QStringLiteral("CW");
    if (lsb.contains(mode))
        return QStringLiteral("LSB");
    if (usb.contains(mode))
        return QStringLiteral("USB");
    if (user.contains(mode))
        return mode;
    return std::nullopt;
}

QString CsvImport::labelNumbersText()
{
    return QStringLiteral("The memory numbers of the file are read as the memories' own numbers 0 to 99");
}

int CsvImport::firstFreeRow(int start) const
{
    for (int row = qMax(start, 1); row <= kMemoryRows; ++row) {
        if (m_state.tables().memories.isEmptyRow(row))
            return row;
    }
    return 0;
}

bool CsvImport::isDuplicate(qint32 value) const
{
    if (!m_options.omitDuplicates)
        return false;
    const ChannelTable& memories = m_state.tables().memories;
    for (int row = 1; row <= kMemoryRows; ++row) {
        if (memories.isEmptyRow(row))
            continue;
        const std::optional<qint32> cell = Frequency::parse(memories.text(row, Column::kFreq));
        if (cell && *cell == value)
            return true;
    }
    return false;
}

CsvImport::FrequencyCheck CsvImport::checkFrequency(const QString& field, Prompter& prompter)
{
    FrequencyCheck result;
    bool overflow = false;
    const std::optional<qint32> value = Frequency::parse(field, &overflow);
    // A number too large to hold is still a number, just not one in range.
    result.numeric = value.has_value() || overflow;
    if (!value)
        return result;
    QString t = field;
    const Frequency::Reading reading = Frequency::check(t);
    if (reading.value != -1)
        result.value = reading.value;
    result.inRange = OutcomePresenter::show(prompter, reading, true);
    result.text = t;
    return result;
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

CsvRecord CsvImport::readRecord(const QString& rawLine) const
{
    const QString line = m_csv.CleanLine(rawLine, false);
    CsvRecord r;
    if (m_common) {
        r = CommonCsv::read(m_csv, rawLine, m_state.rules());
    } else {
        const QStringList fields = line.split(m_csv.separator());
        r.memory = fields.value(kFieldMemory - 1);
        r.freq = m_csv.adaptDecimal(fields.value(kFieldFreq - 1));
        r.mode = fields.value(kFieldMode - 1);
        r.shift = fields.value(kFieldShift - 1);
        r.encoding = fields.value(kFieldEncoding - 1);
        r.tone = fields.value(kFieldTone - 1);
        r.description = fields.value(kFieldDescription - 1);
        r.problems = ownWordProblems(r);
        // The line's quotes are read as quoting and become blanks.
        if (rawLine.contains(QLatin1Char('"')))
            r.problems << quotesText();
    }
    r.blank = line.trimmed().isEmpty();
    r.memory = r.memory.trimmed();
    r.number = wholeNumber(r.memory);
    const FrequencyCheck frequency = checkFrequency(r.freq, m_prompter);
    r.numeric = frequency.numeric;
    r.inRange = frequency.inRange;
    r.value = frequency.value;

    const std::optional<QString> mode = storedMode(r.mode);
    r.modeKnown = mode.has_value();
    // A shift the pre-check does not know is placed as written.
    QString shift = r.shift.trimmed();
    if (shift.isEmpty())
        shift = QStringLiteral("Simplex");
    for (const char* word : {"Simplex", "Plus", "Minus"}) {
        if (shift.compare(QLatin1String(word), Qt::CaseInsensitive) == 0)
            shift = text(word);
    }
    const QString encoding = r.encoding.trimmed().toUpper();
    // A tone outside the tone table becomes the default tone whatever the
    // encoding: a channel without CTCSS does not use it, but the radio (and
    // so the memory file) can only hold a tone of the table. The pre-check
    // names it only under CTCSS.
    const QString tone = completeTone(r.tone.trimmed());
    const bool badTone = !tone.isEmpty() && Vocabulary::toneIndex(tone) < 0;
    if (badTone && encoding.startsWith(QLatin1String("CTC")))
        r.problems << QStringLiteral("CTCSS tone of '") + tone +
                          QStringLiteral("' is not valid. Will be set to 67.0");
    r.channel = {frequency.text,
                 r.modeKnown && r.inRange && mode->isEmpty() ? m_state.rules().defaultMode(r.value)
                                                             : mode.value_or(QString()),
                 shift,
                 encoding == QLatin1String("CTCSS ENC")       ? QStringLiteral("CTCSS Enc")
                 : encoding == QLatin1String("CTCSS ENC+DEC") ? QStringLiteral("CTCSS Enc+Dec")
                                                              : QStringLiteral(" "),
                 tone.isEmpty() || badTone ? QStringLiteral("67.0") : tone,
                 r.description.trimmed().left(kDescriptionLength)};
    // Hertz the table's ten-hertz steps do not show are kept as the radio
    // keeps them, so that a save and a write carry them.
    const std::optional<qint64> hertz = CatCodec::hertzOf(r.freq);
    if (r.inRange && r.modeKnown && hertz && *hertz % 10 != 0 &&
        *hertz <= qint64(Frequency::kRadioHigh) * 10) {
        MemoryRecord exact = r.channel;
        exact.Freq = Frequency::formatHz5(*hertz);
        exact.Kept = CatCodec::keptForHertz(exact, 1, *hertz);
        if (!exact.Kept.isEmpty())
            r.channel = exact;
    }
    return r;
}

void CsvImport::checkRecord(int record, const CsvRecord& r)
{
    const QString prefix = QStringLiteral("Record ") + QString::number(record);

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

bool CsvImport::loadRecord(int record, const CsvRecord& r, int startRow)
{
    if (r.blank || r.freq.isEmpty() || m_sameMemory.value(record - 1))
        return true;
    // A memory number the pre-check calls not numeric leaves the record out, as it said.
    if (!r.memory.isEmpty() && !r.number && (!m_common || m_options.useNumbers)) {
        m_log.notice(QStringLiteral("Record ") + QString::number(record) +
                     QStringLiteral(". Skipped due to memory number of ") + r.memory +
                     QStringLiteral(", which is not numeric"));
        return true;
    }
    const qint64 memory = r.number.value_or(0);
    if (!r.inRange) {
        m_log.notice(QStringLiteral("Record ") + QString::number(record) + QStringLiteral(" memory ") +
                     QString::number(memory) + QStringLiteral(". Skipped due to bad RX frequency of ") +
                     r.freq);
        return true;
    }
    if (isDuplicate(r.value)) {
        ++m_counts.omitted;
        return true;
    }
    if (!r.modeKnown) {
        // The pre-check has named a mode of another layout already.
        if (!m_common)
            m_log.notice(QStringLiteral("Record ") + QString::number(record) + QStringLiteral(" memory ") +
                         QString::number(memory) + QStringLiteral(". Skipped due to mode of '") +
                         r.mode.trimmed() + QLatin1Char('\''));
        return true;
    }

    qint64 row = m_numbersAreLabels && r.number ? memory + 1 : memory;
    if (!m_options.useNumbers || (m_numbersAreLabels ? !r.number : memory == 0)) {
        row = firstFreeRow(startRow);
        if (row == 0) {
            m_prompter.inform(QStringLiteral("Cannot find an empty slot to use for importing"));
            return false;
        }
    }
    if (row < 1 || row > kMemoryRows) {
        m_log.notice(QStringLiteral("Requested memory number of ") + QString::number(memory) +
                     QStringLiteral(" is too high - the memory was not added"));
        return true;
    }
    // A record placed by this import is never overwritten by a later one.
    if (m_placedRows.value(int(row))) {
        m_log.notice(QStringLiteral("Record ") + QString::number(record) + QStringLiteral(" memory ") +
                     QString::number(memory) +
                     QStringLiteral(". Skipped because an earlier record of the file went to that memory"));
        return true;
    }
    m_placedRows[int(row)] = true;
    // A new channel: nothing of what the radio gave the row's old one stays.
    m_state.tables().memories.setRecord(int(row), r.channel);
    ++m_counts.imported;
    if (m_reported.value(record - 1))
        ++m_counts.changed;
    return true;
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

QString CsvImport::quotesText()
{
    return QStringLiteral("Double quotes were replaced by blanks");
}

CsvImport::Result CsvImport::ImportCsv(bool preview)
{
    m_recordsRead = 0;
    m_duplicates = 0;
    m_error = false;
    m_counts = {};
    m_reported.clear();
    m_claimedRows = QVector<int>(kMemoryRows + 1, 0);
    m_placedRows = QVector<bool>(kMemoryRows + 1, false);

    // 1. Start row.
    int startRow = 1;
    if (m_options.startText.trimmed().isEmpty()) {
        m_options.startText = QStringLiteral("1");
    } else {
        const std::optional<qint64> start = wholeNumber(m_options.startText);
        if (!start || *start < 1 || *start > kMemoryRows) {
            m_prompter.inform(startRangeText());
            return Result::BadStart;
        }
        startRow = int(*start);
    }

    // 2. File.
    QString path = !m_options.path.isEmpty()
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
    file.close();
    // Both passes work on the text read here, so the load pass places
    // exactly what the pre-check saw.
    const QStringList lines = reader.lines();

    // 3. Header.
    const QString header = m_csv.CleanLine(lines.value(0), true);
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

    // 4. Preview header.
    if (preview) {
        m_log.notice(QStringLiteral("Header type identified as: ") + CsvHeader::typeName(type));
        m_log.notice(header);
    }

    // Every record is read once, for the pre-check and the load pass alike.
    QVector<CsvRecord> records;
    for (int i = 1; i < lines.size() && !preview; ++i)
        records << readRecord(lines.at(i));
    m_sameMemory = QVector<bool>(records.size(), false);

    // How "Use imported mem numbers" reads the numbers: as a running count
    // (row numbers) or as the memories' own labels 0 to 99.
    // The common layout's Location is always the memory's own number.
    m_numbersAreLabels = m_common;
    if (m_options.useNumbers && !preview && !m_common) {
        m_numbersAreLabels = numbersAreLabels(records);
        if (m_numbersAreLabels)
            m_log.notice(labelNumbersText());
    }

    // 5. Pre-check.
    for (int i = 1; i < lines.size(); ++i) {
        ++m_recordsRead;
        if (preview)
            m_log.notice(m_csv.CleanLine(lines.at(i), false));
        else {
            m_failed = false;
            checkRecord(m_recordsRead, records.at(i - 1));
            m_reported << m_failed;
        }
        yieldOnce();
    }

    // 6. Too many records.
    if (m_recordsRead - m_duplicates > kMemoryRows)
        fail(QStringLiteral("The import file holds ") + QString::number(m_recordsRead) +
             QStringLiteral(" records, more than the 100 memories can take. The file must be reduced"));

    // 7. A preview ends here.
    if (preview) {
        m_log.notice(QStringLiteral("\r\n") + underscoreLine());
        return Result::Previewed;
    }

    // 8. Nothing new.
    if (m_recordsRead == m_duplicates) {
        m_log.notice(QStringLiteral("Every one of the") + QString::number(m_recordsRead) +
                     QStringLiteral(" records is a duplicate frequency.\r\nNothing to import"));
        return Result::NothingToImport;
    }

    // 9. Space.
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

    // 10. Errors: load anyway?
    if (m_error) {
        m_log.notice(QStringLiteral("\r\n") + underscoreLine());
        if (m_prompter.askSafely(
                QStringLiteral(
                    "The pre-check of the import file has errors. Do you want to try and load it?"),
                Prompter::Buttons::YesNo, Prompter::Icon::None,
                Prompter::Answer::No) != Prompter::Answer::Yes)
            return Result::Declined;
    }

    // 11. One undo step for the whole import (a failure is told through the state).
    const UndoStep step(m_state, QStringLiteral("Import"));

    // 12. Clear all.
    if (m_options.clearAll) {
        if (m_prompter.askSafely(
                QStringLiteral("Are you sure you want to clear ALL memories before importing?"),
                Prompter::Buttons::YesNoCancel, Prompter::Icon::None,
                Prompter::Answer::Cancel) != Prompter::Answer::Yes)
            return Result::ClearRefused;
        m_state.tables().memories.reset();
    }

    // 13. Load pass.
    int nonBlank = 0;
    for (const CsvRecord& r : records)
        nonBlank += r.blank ? 0 : 1;
    for (int i = 1; i < lines.size(); ++i) {
        const bool room = loadRecord(i, records.at(i - 1), startRow);
        yieldOnce();
        if (!room)
            break;
    }
    // Whatever was neither placed nor omitted as asked was left out, those
    // after the last free row included.
    m_counts.leftOut = nonBlank - m_counts.imported - m_counts.omitted;
    m_log.notice(summaryText(m_counts));

    // 14. Done; but an import that placed nothing did not complete.
    if (m_counts.imported == 0 && m_counts.omitted < nonBlank) {
        if (m_options.clearAll)
            m_state.setChanged(true);
        m_state.showMemoriesPage();
        m_prompter.inform(noneImportedText(), Prompter::Icon::Exclamation);
        return Result::NoneImported;
    }
    m_state.setChanged(true);
    m_state.showMemoriesPage();
    m_prompter.inform(QStringLiteral("Import completed"));
    return Result::Imported;
}
