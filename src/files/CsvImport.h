// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "CsvRecord.h"

#include <QString>
#include <QStringList>
#include <QVector>
#include <QtGlobal>
#include <functional>
#include <optional>

class AppState;
class CsvHeader;
class MessageLog;
class Prompter;

// The import options of the Import/Export window.
struct CsvImportOptions {
    QString startText = QStringLiteral("1"); // "Start at mem number"; set to "1" when found empty
    bool useNumbers = false;                 // "Use imported mem numbers"
    bool clearAll = false;                   // "Clear all before import"
    bool omitDuplicates = false;             // "Omit duplicate frequencies"
    QString path;                            // a file already chosen (dropped); empty asks for one
};

// Reads a CSV file in this program's own layout, or in the common layout of
// other channel editors, into the memories table in three steps: a parse of
// every line into a record (CsvRecordParser), a pre-check that reports every
// problem to the message log without touching the table and decides what
// becomes of each record, and (if the user agrees when there were problems)
// a placement that carries out exactly that. A preview only lists the file in
// the log. The whole import is one undo step.
class CsvImport {
public:
    enum class Result {
        Imported,
        Previewed,
        BadStart,        // start memory number outside 1 to 100
        Cancelled,       // no file chosen
        Missing,         // the file does not exist
        Unreadable,      // the file could not be read
        NotImportable,   // unknown or foreign header
        NothingToImport, // every record a duplicate (or none at all)
        Declined,        // No after the pre-check found errors
        ClearRefused,    // anything but Yes to the clear-all question
        NoneImported,    // no record could be placed
    };

    CsvImport(AppState& state, Prompter& prompter, MessageLog& log, CsvHeader& csv,
              CsvImportOptions& options);

    Result ImportCsv(bool preview);

    // Called once per record in the pre-check and the placement so that a window can repaint.
    void setYield(std::function<void()> yield) { m_yield = std::move(yield); }

    int recordsRead() const { return m_recordsRead; }
    int duplicates() const { return m_duplicates; }

    // What the placement did with the records (blank lines are none).
    struct Counts {
        int imported = 0; // placed in a memory row ...
        int changed = 0;  // ... of them, placed other than the file gave them (the log says how)
        int leftOut = 0;  // not placed although the user did not ask for that (the log says why)
        int omitted = 0;  // duplicate frequencies left out as "Omit duplicate frequencies" asked
    };
    const Counts& counts() const { return m_counts; }
    // The pre-check found problems, or records were changed or left out. Duplicates
    // the user asked to omit are not a refusal and do not count.
    bool somethingSkipped() const;
    static QString noneImportedText();
    // The log's closing line of a load pass.
    static QString summaryText(const Counts& counts);
    // Logged when "Use imported mem numbers" reads the numbers as the
    // memories' own labels 0 to 99.
    static QString labelNumbersText();

    static QString underscoreLine();
    static QString startRangeText();

private:
    // What the pre-check decided for one record; the placement carries it out.
    struct Placement {
        enum class Kind {
            Pass,     // a blank record: nothing to do, nothing to say
            Place,    // the channel goes into row
            LeaveOut, // left out; note (when not empty) is the placement's log line
            Omit,     // a duplicate frequency "Omit duplicate frequencies" leaves out
            NoRoom,   // no free row from the start row on: the placement stops here
        };
        Kind kind = Kind::Pass;
        int row = 0;
        QString note;
    };

    // The steps of one import, in order; a step that returns a result ends the import with it.
    std::optional<Result> readStartRow(int& startRow);
    std::optional<Result> readFile(QString& path, QStringList& lines);
    std::optional<Result> readHeader(const QString& path, const QString& firstLine, bool preview);
    Result preview(const QStringList& lines);
    std::optional<Result> check(const QVector<CsvRecord>& records, int startRow);
    Result place(const QVector<CsvRecord>& records);

    // The pre-check of one record: its log lines.
    void checkRecord(int record, const CsvRecord& r);
    void checkMemoryNumber(const QString& prefix, const CsvRecord& r);
    // Where each record goes, the memory rows taken as the placement will
    // find them (cleared when "Clear all before import" is ticked). It ends
    // with the record that finds no free row, if one does.
    QVector<Placement> plan(const QVector<CsvRecord>& records, int startRow) const;
    // With "Omit duplicate frequencies", whether a memory row holds value now
    // (the pre-check's duplicate count; the plan follows the rows as they fill).
    bool isDuplicate(qint32 value) const;
    // "Too many records" for the count read so far.
    void checkRecordCount();
    void yieldOnce();
    void fail(const QString& message);

    AppState& m_state;
    Prompter& m_prompter;
    MessageLog& m_log;
    CsvHeader& m_csv;
    CsvImportOptions& m_options;
    std::function<void()> m_yield;

    int m_recordsRead = 0;
    int m_duplicates = 0;
    bool m_error = false;
    bool m_failed = false; // the record being checked has failed a check
    bool m_numbersAreLabels = false;
    bool m_common = false; // the file is in the common layout of other channel editors
    Counts m_counts;
    // Per record (index from 0): the pre-check reported it, or left it out
    // because an earlier record names the same memory.
    QVector<bool> m_reported;
    QVector<bool> m_sameMemory;
    QVector<int> m_claimedRows; // row -> the record (from 1) that names it, 0 for none
    QVector<Placement> m_plan;
};
