// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QIODevice>
#include <QSet>
#include <QString>
#include <QStringList>
#include <functional>
#include <memory>

class AppState;
class CsvHeader;
class MessageLog;
class Prompter;

// The export options of the Import/Export window.
struct CsvExportOptions {
    bool onlySelected = false; // "Export only selected mems"
    bool tab = false;          // field separator "Tab" instead of "Comma"
    bool keepNumbers = false;  // "Keep existing mem numbers"
    bool omitHeader = false;   // "Omit header"
    // The common layout of other channel editors instead of this program's
    // own; it always separates with "," (tab is not used).
    bool common = false;
    QSet<int> selectedRows; // memories-table rows selected in the window
    QString path;           // the file to write, already chosen; empty asks for one
};

// Writes the memories table as a CSV file in this program's own layout (or
// the common layout of other channel editors), or (preview) the same lines
// into the message log.
class CsvExport {
public:
    enum class Result { Exported, Previewed, Cancelled, Declined, Failed };

    CsvExport(AppState& state, Prompter& prompter, MessageLog& log, CsvHeader& csv,
              const CsvExportOptions& options);

    Result ExportCsv(bool preview);

    // The row is selected (or selection does not matter) and not empty.
    bool IsRowExported(int row) const;

    // The lines an export writes under the separator now in force; losses
    // receives one line per channel the layout could not carry exactly.
    QStringList lines(QStringList* losses = nullptr) const;
    // What the last run could not carry exactly, one log line per channel.
    const QStringList& losses() const { return m_losses; }
    // "Export completed" and, when channels were changed or left out, how many.
    static QString completedText(int losses);

    // The header record joined with a separator.
    static QString headerLine(QChar separator);
    static QString replaceText(const QString& upperFileName);
    static QString errorText(int number, const QString& description, int location);

    // An existing CSV file whose read-only attribute is set is not replaced.
    static QString readOnlyText(const QString& fileName);

private:
    AppState& m_state;
    Prompter& m_prompter;
    MessageLog& m_log;
    CsvHeader& m_csv;
    CsvExportOptions m_options;
    QStringList m_losses;
};
