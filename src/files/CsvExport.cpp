// SPDX-License-Identifier: GPL-3.0-or-later
#include "CsvExport.h"

#include "CommonCsv.h"
#include "CsvHeader.h"
#include "FileDialogs.h"
#include "io/SafeFileWriter.h"
#include "io/TextFileWriter.h"
#include "model/ChannelText.h"
#include "state/AppState.h"
#include "state/MessageLog.h"
#include "state/Prompter.h"

#include <QFileInfo>

namespace {
const char* const kHeaderFields[] = {"Memory",  "RX Freq",   "RX Mode",    "Shift", "TX Shift/Freq",
                                     "TX Mode", "CTCSS/DCS", "Tone/Code",  "Show",  "Name",
                                     "Scan",    "Group",     "Description"};
const char kCsvExtension[] = ".CSV";
} // namespace

CsvExport::CsvExport(AppState& state, Prompter& prompter, MessageLog& log, CsvHeader& csv,
                     const CsvExportOptions& options)
    : m_state(state), m_prompter(prompter), m_log(log), m_csv(csv), m_options(options)
{
}

QString CsvExport::headerLine(QChar separator)
{
    QStringList fields;
    for (const char* field : kHeaderFields)
        fields << QString::fromLatin1(field);
    return fields.join(separator);
}

QString CsvExport::replaceText(const QString& upperFileName)
{
    return QStringLiteral("Filename ") + upperFileName +
           QStringLiteral(" already exists\r\nDo you wish to replace it?");
}

QString CsvExport::errorText(int number, const QString& description, int location)
{
    return QStringLiteral("An error has been encountered when trying to export the file.\r\nError number ") +
           QString::number(number) + QStringLiteral(" (") + description + QStringLiteral(") in line ") +
           QString::number(location) +
           QStringLiteral("\r\n\r\nCannot export the file here - please try an alternative location");
}

QString CsvExport::readOnlyText(const QString& fileName)
{
    return QStringLiteral("File ") + fileName +
           QStringLiteral(" is read-only and cannot be over-written. Please choose another filename.");
}

bool CsvExport::IsRowExported(int row) const
{
    if (m_options.onlySelected && !m_options.selectedRows.contains(row))
        return false;
    return !m_state.tables().memories.isEmptyRow(row);
}

QString CsvExport::completedText(int losses)
{
    if (losses == 0)
        return QStringLiteral("Export completed");
    return QStringLiteral(
               "Export completed\r\n%1 channel(s) could not be exported exactly; the message log says "
               "which")
        .arg(losses);
}

QStringList CsvExport::lines(QStringList* losses) const
{
    const auto label = [](int row) { return ChannelMap::slotLabel(TableKind::Memories, row); };
    const QChar sep = m_csv.separator();
    QStringList out;
    if (!m_options.omitHeader)
        out << (m_options.common ? CommonCsv::headerLine() : headerLine(sep));
    const ChannelTable& memories = m_state.tables().memories;
    int count = 0;
    for (int row = 1; row <= memories.rowCount(); ++row) {
        if (!IsRowExported(row))
            continue;
        ++count;
        if (m_options.common) {
            // Locations count from 0 as the memories' own numbers do, so a
            // file read back by its locations fills the memories from the first.
            const int location = m_options.keepNumbers ? label(row).toInt() : count - 1;
            const CommonCsv::Row common = CommonCsv::line(memories.channel(row), location, m_state.rules());
            out << common.line;
            if (losses && !common.losses.isEmpty())
                *losses << QStringLiteral("Memory ") + label(row) + QStringLiteral(" (") +
                               ChannelText::cell(memories, row, Column::kFreq) + QStringLiteral(" MHz): ") +
                               common.losses.join(QStringLiteral("; "));
            continue;
        }
        const int number = m_options.keepNumbers ? label(row).toInt() : count;
        const QStringList cells = ChannelText::rowFields(memories, row);
        QStringList fields;
        fields << QString::number(number) << cells[Column::kFreq] << cells[Column::kMode]
               << cells[Column::kShift] << QString() << QString() << cells[Column::kEncDec]
               << cells[Column::kTone] << QString() << QString() << QString() << QString()
               << cells[Column::kDescription];
        out << fields.join(sep);
    }
    return out;
}

CsvExport::Result CsvExport::ExportCsv(bool preview)
{
    m_csv.resetSeparator(m_options.tab);
    if (m_options.common)
        m_csv.setSeparator(QLatin1Char(','));
    m_losses.clear();
    if (preview) {
        for (const QString& line : lines(&m_losses))
            m_log.notice(line);
        for (const QString& loss : m_losses)
            m_log.notice(loss);
        return Result::Previewed;
    }

    QString path =
        !m_options.path.isEmpty()
            ? m_options.path
            : m_prompter.chooseSaveFile(QString::fromLatin1(FileDialogs::kExportTitle), m_state.dataFolder(),
                                        QString::fromLatin1(FileDialogs::kCsvFilters), QString());
    if (path.isEmpty())
        return Result::Cancelled;
    if (!path.endsWith(QLatin1String(kCsvExtension), Qt::CaseInsensitive))
        path += QLatin1String(kCsvExtension);
    const QFileInfo info(path);
    // As for memory files, the read-only attribute is honoured even by a
    // user (root) whom the system would let write.
    if (info.isFile() && SafeFileWriter::isReadOnly(info)) {
        m_prompter.inform(readOnlyText(info.fileName()), Prompter::Icon::Exclamation);
        return Result::Failed;
    }
    if (info.exists() &&
        m_prompter.askSafely(replaceText(info.fileName().toUpper()), Prompter::Buttons::YesNo,
                             Prompter::Icon::Question, Prompter::Answer::No) != Prompter::Answer::Yes)
        return Result::Declined;

    // Written beside the target and put in its place only when complete, so
    // a failed export leaves an existing file as it was.
    SafeFileWriter file(path);
    const QStringList out = lines(&m_losses);
    if (!file.write(TextFileWriter::encode(out)) || !file.commit()) {
        m_losses.clear();
        const int location = file.failedStep() == SafeFileWriter::Step::Create  ? 1
                             : file.failedStep() == SafeFileWriter::Step::Write ? 2
                                                                                : 3;
        m_prompter.inform(errorText(file.errorNumber(), file.errorText(), location));
        return Result::Failed;
    }
    for (const QString& loss : m_losses)
        m_log.notice(loss);
    m_prompter.inform(completedText(int(m_losses.size())), Prompter::Icon::Information);
    return Result::Exported;
}
