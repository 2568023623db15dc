// SPDX-License-Identifier: GPL-3.0-or-later
#include "CliFileCommands.h"
#include "CliCommands.h"
#include "CliSession.h"

#include "CliJson.h"
#include "CliStdio.h"
#include "files/CsvExport.h"
#include "files/CsvHeader.h"
#include "files/CsvImport.h"
#include "files/MemoryFile.h"
#include "files/MemoryFileOpener.h"
#include "files/MemoryFileSaver.h"
#include "model/ChannelMap.h"
#include "model/ChannelText.h"
#include "rules/RuleSet.h"
#include "state/AppState.h"
#include "state/MessageLog.h"
#include "state/OutcomePresenter.h"
#include "state/RuleStore.h"
#include "state/Settings.h"
#include "state/SettingsStore.h"

#include <QDir>
#include <QFileInfo>
#include <QTextStream>
#include <cstdio>

namespace CliFileCommands {
namespace {

using Session = CliSession;

int usageError(const QString& message, const char* usage)
{
    return cliUsageError(message, usage);
}

int failure(const QString& message)
{
    return cliFailure(message);
}

// Loads a memory file (and its descriptions) as the window's Open does a
// file it is given; "-" reads it from standard input.
bool load(Session& session, CliStdio& stdio, const QString& name, int* skipped = nullptr)
{
    const bool fromStdin = CliStdio::isStdio(name);
    const QString path = fromStdin ? stdio.readStdin(QStringLiteral("standard input.950")) : name;
    if (path.isEmpty())
        return false;
    const KeptSetting lastOpened(session.settings, Keys::LastOpened, fromStdin);
    MemoryFileOpener::Request request;
    request.path = path;
    const MemoryFileOpener::Opened opened =
        MemoryFileOpener(session.state, session.prompter, session.log, session.settings).open(request);
    // A description file that could not be read counts as a skipped line.
    if (skipped)
        *skipped = opened.skippedLines + (opened.descriptionsRefused ? 1 : 0);
    if (opened.result == MemoryFileOpener::Result::Loaded)
        return true;
    if (opened.result == MemoryFileOpener::Result::DescriptionsLoaded)
        failure(name + QStringLiteral(" is a description file; name its memory file (.950)"));
    else
        failure(QStringLiteral("cannot load ") + name);
    return false;
}

} // namespace

int show(const QStringList& args)
{
    QCommandLineParser parser;
    const QCommandLineOption formatOption(QStringLiteral("format"), {}, QStringLiteral("format"),
                                          QStringLiteral("text"));
    const QString error = parseCliArguments(parser, {formatOption}, args);
    const QStringList files = parser.positionalArguments();
    if (!error.isEmpty() || files.size() != 1)
        return usageError(error.isEmpty() ? QStringLiteral("show takes one memory file") : error, kShowUsage);
    const QString format = parser.value(formatOption);
    if (format != QLatin1String("text") && format != QLatin1String("json"))
        return usageError(QStringLiteral("--format takes text or json"), kShowUsage);
    Session session(false);
    CliStdio stdio;
    int skipped = 0;
    if (!load(session, stdio, files.first(), &skipped))
        return ExitFailed;
    QByteArray output;
    if (format == QLatin1String("json")) {
        output = CliJson::slotsDocument(session.state.tables());
    } else {
        QString text;
        for (int position = 1; position <= ChannelMap::kSlotCount; ++position) {
            const SlotInfo slot = ChannelMap::slotOf(position);
            text += ChannelText::rowFields(session.state.tables().table(slot.table), slot.row)
                        .join(QLatin1Char('\t')) +
                    QLatin1Char('\n');
        }
        output = text.toUtf8();
    }
    if (!CliStdio::writeStdout(output))
        return ExitFailed;
    return skipped > 0 ? ExitPartial : ExitOk;
}

int exportCsv(const QStringList& args)
{
    QCommandLineParser parser;
    const QCommandLineOption csvOption(QStringLiteral("csv"), {}, QStringLiteral("out"));
    const QCommandLineOption formatOption(QStringLiteral("format"), {}, QStringLiteral("format"),
                                          QStringLiteral("quaystone"));
    const QCommandLineOption tab(QStringLiteral("tab")), keepNumbers(QStringLiteral("keep-numbers")),
        omitHeader(QStringLiteral("omit-header")), previewOption(QStringLiteral("preview")),
        yes(QStringLiteral("yes"));
    const QString error = parseCliArguments(
        parser, {csvOption, formatOption, tab, keepNumbers, omitHeader, previewOption, yes}, args);
    if (!error.isEmpty())
        return usageError(error, kExportUsage);
    const bool preview = parser.isSet(previewOption);
    const QString format = parser.value(formatOption);
    if (format != QLatin1String("quaystone") && format != QLatin1String("common"))
        return usageError(QStringLiteral("--format is quaystone or common"), kExportUsage);
    if (parser.positionalArguments().size() != 1)
        return usageError(QStringLiteral("export takes one memory file"), kExportUsage);
    if (!preview && !parser.isSet(csvOption))
        return usageError(QStringLiteral("--csv OUT is required"), kExportUsage);

    Session session(parser.isSet(yes));
    CliStdio stdio;
    int skipped = 0;
    if (!load(session, stdio, parser.positionalArguments().first(), &skipped))
        return ExitFailed;
    CsvExportOptions options;
    options.tab = parser.isSet(tab);
    options.keepNumbers = parser.isSet(keepNumbers);
    options.omitHeader = parser.isSet(omitHeader);
    options.common = format == QLatin1String("common");
    // The common layout carries the repeater offset and step the radio will use.
    if (options.common) {
        SettingsStore rulesStore(QString::fromLatin1(RuleSet::kApplication));
        OutcomePresenter::show(session.prompter, RuleStore::load(session.state.rules(), rulesStore));
    }
    // "--csv -": the export is made in a private folder, then copied to standard output.
    const bool toStdout = CliStdio::isStdio(parser.value(csvOption));
    const QString csvPath =
        toStdout ? stdio.scratchPath(QStringLiteral("export.csv")) : parser.value(csvOption);
    options.path = csvPath;
    CsvHeader csv;
    CsvExport exporter(session.state, session.prompter, session.log, csv, options);
    const CsvExport::Result result = exporter.ExportCsv(preview);
    // Channels the common layout could not carry exactly are named in the log lines above.
    const int losses = int(exporter.losses().size());
    if (losses > 0)
        QTextStream(stderr) << "quaystone-cli: " << losses
                            << " channel(s) could not be exported exactly (the lines above say which)"
                            << Qt::endl;
    const int done = skipped > 0 || losses > 0 ? ExitPartial : ExitOk;
    switch (result) {
    case CsvExport::Result::Exported:
        if (toStdout && !CliStdio::copyToStdout(csvPath))
            return ExitFailed;
        return done;
    case CsvExport::Result::Previewed:
        return done;
    case CsvExport::Result::Declined:
        return failure(QStringLiteral("the CSV file exists; nothing exported (--yes replaces it)"));
    case CsvExport::Result::Cancelled:
    case CsvExport::Result::Failed:
        break;
    }
    return failure(QStringLiteral("nothing exported"));
}

int importCsv(const QStringList& args)
{
    QCommandLineParser parser;
    const QCommandLineOption into(QStringLiteral("into"), {}, QStringLiteral("file"));
    const QCommandLineOption start(QStringLiteral("start"), {}, QStringLiteral("n"));
    const QCommandLineOption useNumbers(QStringLiteral("use-numbers")), clear(QStringLiteral("clear")),
        omitDuplicates(QStringLiteral("omit-duplicates")), yesOption(QStringLiteral("yes")),
        previewOption(QStringLiteral("preview"));
    const QString error = parseCliArguments(
        parser, {into, start, useNumbers, clear, omitDuplicates, yesOption, previewOption}, args);
    if (!error.isEmpty())
        return usageError(error, kImportUsage);
    if (parser.positionalArguments().size() != 1)
        return usageError(QStringLiteral("import takes one CSV file"), kImportUsage);
    if (!parser.isSet(into))
        return usageError(QStringLiteral("--into FILE.950 is required"), kImportUsage);

    const bool yes = parser.isSet(yesOption);
    const bool preview = parser.isSet(previewOption);
    // "-": the CSV file is standard input.
    CliStdio stdio;
    const QString csvName = parser.positionalArguments().first();
    const QString csvPath =
        CliStdio::isStdio(csvName) ? stdio.readStdin(QStringLiteral("standard input.CSV")) : csvName;
    if (csvPath.isEmpty())
        return ExitFailed;
    Session session(yes);
    SettingsStore rulesStore(QString::fromLatin1(RuleSet::kApplication));
    OutcomePresenter::show(session.prompter, RuleStore::load(session.state.rules(), rulesStore));

    QString target = parser.value(into);
    if (MemoryFile::endsWithDescriptionExtension(target))
        return usageError(QStringLiteral("--into names a description file; name the memory file (.950)"),
                          kImportUsage);
    if (!MemoryFile::endsWithMemoryExtension(target))
        target += QLatin1String(MemoryFile::kExtension);
    int skipped = 0;
    if (QFileInfo::exists(target)) {
        if (!load(session, stdio, target, &skipped))
            return ExitFailed;
        // Lines that could not be read would be dropped by the save.
        if (skipped > 0 && !yes && !preview)
            return failure(target +
                           QStringLiteral(" has lines that could not be read; saving it would drop them. "
                                          "Nothing imported (--yes imports anyway)"));
    } else {
        // A new file starts from an empty table.
        session.state.tables().reset();
        session.state.setDataSource(AppState::File);
    }

    CsvImportOptions options;
    if (parser.isSet(start))
        options.startText = parser.value(start);
    options.useNumbers = parser.isSet(useNumbers);
    options.clearAll = parser.isSet(clear);
    options.omitDuplicates = parser.isSet(omitDuplicates);
    options.path = csvPath;
    CsvHeader csv;
    CsvImport importer(session.state, session.prompter, session.log, csv, options);
    const CsvImport::Result result = importer.ImportCsv(preview);
    // Every record left out as a duplicate, as asked: the memories hold them all already.
    const bool allOmitted = result == CsvImport::Result::NothingToImport && importer.recordsRead() > 0;
    if (result == CsvImport::Result::Previewed || allOmitted)
        return skipped > 0 ? ExitPartial : ExitOk;
    if (result != CsvImport::Result::Imported)
        return failure(QStringLiteral("nothing imported"));
    const bool partial = skipped > 0 || importer.somethingSkipped();

    MemoryFileSaver::Request request;
    request.kind = MemoryFileSaver::Kind::Save;
    request.path = target;
    switch (MemoryFileSaver(session.state, session.prompter, session.log, session.settings)
                .save(request)
                .result) {
    case MemoryFileSaver::Result::Saved:
        if (partial) {
            const CsvImport::Counts& counts = importer.counts();
            QTextStream err(stderr);
            err << "quaystone-cli: saved " << target << "; " << counts.imported << " record(s) imported, "
                << counts.changed << " of them changed, " << counts.leftOut << " left out, " << counts.omitted
                << " duplicate(s) omitted";
            if (skipped > 0)
                err << "; " << skipped << " unreadable line(s) of the memory file left out";
            err << " (the lines above say which)" << Qt::endl;
        }
        return partial ? ExitPartial : ExitOk;
    case MemoryFileSaver::Result::SavedIncomplete:
        cliFailure(QStringLiteral("saved ") + target + QStringLiteral(" without some channels"));
        return ExitPartial;
    case MemoryFileSaver::Result::NothingToSave:
    case MemoryFileSaver::Result::Cancelled:
    case MemoryFileSaver::Result::Declined:
    case MemoryFileSaver::Result::NoPartialName:
        break;
    }
    return failure(QStringLiteral("could not save ") + target);
}

} // namespace CliFileCommands
