#include "CliFileCommands.h"
#include "CliCommands.h"
#include "CliSession.h"

#include "CliJson.h"
#include "CliPathPrompter.h"
#include "CliStdio.h"
#include "state/AppState.h"
#include "state/MessageLog.h"
#include "state/Settings.h"
#include "state/SettingsStore.h"
#include "files/CsvExport.h"
#include "files/CsvHeader.h"
#include "files/CsvImport.h"
#include "files/MemoryFile.h"
#include "files/MemoryFileOpener.h"
#include "files/MemoryFileSaver.h"
#include "model/ChannelMap.h"
#include "rules/RuleSet.h"

#include <QDir>
#include <QFileInfo>
#include <QTextStream>
#include <cstdio>

namespace CliFileCommands {
namespace {

using Session = CliSession;

// Options of the form --name and --name VALUE after the positional ones.
struct Arguments {
    QStringList positional;
    QStringList flags;
    QMap<QString, QString> values;
    QString error;
};

Arguments parse(const QStringList& args, const QStringList& flagNames, const QStringList& valueNames)
{
    Arguments out;
    for (int i = 0; i < args.size(); ++i) {
        const QString& a = args.at(i);
        if (!a.startsWith(QLatin1String("--"))) {
            out.positional << a;
        } else if (flagNames.contains(a)) {
            out.flags << a;
        } else if (valueNames.contains(a)) {
            if (i + 1 >= args.size()) {
                out.error = a + QStringLiteral(" needs a value");
                return out;
            }
            out.values.insert(a, args.at(++i));
        } else {
            out.error = QStringLiteral("unknown option ") + a;
            return out;
        }
    }
    return out;
}

int usageError(const QString& message, const char* usage)
{
    return cliUsageError(message, usage);
}

int failure(const QString& message)
{
    return cliFailure(message);
}

// Loads a memory file (and its descriptions) as the window's Open does,
// with the path as the dialog's answer.
bool load(Session& session, const QString& path, int* skipped = nullptr)
{
    session.prompter.setOpenAnswer(path);
    MemoryFileOpener opener(session.state, session.prompter, session.log, session.settings);
    const MemoryFileOpener::Result result = opener.open();
    // A description file that could not be read counts as a skipped line.
    if (skipped)
        *skipped = opener.skippedLines() + (opener.descriptionsRefused() ? 1 : 0);
    if (result == MemoryFileOpener::Result::Loaded)
        return true;
    if (result == MemoryFileOpener::Result::DescriptionsLoaded)
        failure(path + QStringLiteral(" is a description file; name its memory file (.950)"));
    else
        failure(QStringLiteral("cannot load ") + path);
    return false;
}

} // namespace

int show(const QStringList& args)
{
    const Arguments a = parse(args, {}, {QStringLiteral("--format")});
    if (!a.error.isEmpty() || a.positional.size() != 1)
        return usageError(a.error.isEmpty() ? QStringLiteral("show takes one memory file") : a.error,
                          kShowUsage);
    const QString format = a.values.value(QStringLiteral("--format"), QStringLiteral("text"));
    if (format != QLatin1String("text") && format != QLatin1String("json"))
        return usageError(QStringLiteral("--format takes text or json"), kShowUsage);
    Session session(false);
    CliStdio stdio;
    const KeptSetting lastOpened(session.settings, Keys::LastOpened, CliStdio::isStdio(a.positional.first()));
    const QString path = CliStdio::isStdio(a.positional.first())
                             ? stdio.readStdin(QStringLiteral("standard input.950"))
                             : a.positional.first();
    int skipped = 0;
    if (path.isEmpty() || !load(session, path, &skipped))
        return ExitFailed;
    QTextStream out(stdout);
    if (format == QLatin1String("json")) {
        out << CliJson::slotsDocument(session.state.tables());
        out.flush();
        return skipped > 0 ? ExitPartial : ExitOk;
    }
    for (int position = 1; position <= ChannelMap::kSlotCount; ++position) {
        const SlotInfo slot = ChannelMap::slotOf(position);
        const ChannelTable& table = session.state.tables().table(slot.table);
        QStringList fields = table.rowFields(slot.row);
        out << fields.join(QLatin1Char('\t')) << '\n';
    }
    out.flush();
    return skipped > 0 ? ExitPartial : ExitOk;
}

int exportCsv(const QStringList& args)
{
    const QStringList flags{QStringLiteral("--tab"), QStringLiteral("--keep-numbers"),
                            QStringLiteral("--omit-header"), QStringLiteral("--preview"),
                            QStringLiteral("--yes")};
    const Arguments a = parse(args, flags, {QStringLiteral("--csv"), QStringLiteral("--format")});
    const bool preview = a.flags.contains(QStringLiteral("--preview"));
    if (!a.error.isEmpty())
        return usageError(a.error, kExportUsage);
    const QString format = a.values.value(QStringLiteral("--format"), QStringLiteral("quaystone"));
    if (format != QLatin1String("quaystone") && format != QLatin1String("common"))
        return usageError(QStringLiteral("--format is quaystone or common"), kExportUsage);
    if (a.positional.size() != 1)
        return usageError(QStringLiteral("export takes one memory file"), kExportUsage);
    if (!preview && !a.values.contains(QStringLiteral("--csv")))
        return usageError(QStringLiteral("--csv OUT is required"), kExportUsage);

    Session session(a.flags.contains(QStringLiteral("--yes")));
    int skipped = 0;
    if (!load(session, a.positional.first(), &skipped))
        return ExitFailed;
    CsvExportOptions options;
    options.tab = a.flags.contains(QStringLiteral("--tab"));
    options.keepNumbers = a.flags.contains(QStringLiteral("--keep-numbers"));
    options.omitHeader = a.flags.contains(QStringLiteral("--omit-header"));
    options.common = format == QLatin1String("common");
    // The common layout carries the repeater offset and step the radio will use.
    if (options.common) {
        SettingsStore rulesStore(QString::fromLatin1(RuleSet::kApplication));
        session.state.rules().LoadRules(rulesStore, session.prompter);
    }
    CsvHeader csv;
    CsvExport exporter(session.state, session.prompter, session.log, csv, options);
    // "--csv -": the export is made in a private folder, then copied to standard output.
    CliStdio stdio;
    const bool toStdout = CliStdio::isStdio(a.values.value(QStringLiteral("--csv")));
    const QString csvPath =
        toStdout ? stdio.scratchPath(QStringLiteral("export.csv")) : a.values.value(QStringLiteral("--csv"));
    session.prompter.setSaveAnswer(csvPath);
    switch (exporter.ExportCsv(preview)) {
    case CsvExport::Result::Exported:
        if (toStdout && !CliStdio::copyToStdout(csvPath))
            return ExitFailed;
        return skipped > 0 ? ExitPartial : ExitOk;
    case CsvExport::Result::Previewed:
        return skipped > 0 ? ExitPartial : ExitOk;
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
    const QStringList flags{QStringLiteral("--use-numbers"), QStringLiteral("--clear"),
                            QStringLiteral("--omit-duplicates"), QStringLiteral("--yes"),
                            QStringLiteral("--preview")};
    const Arguments a = parse(args, flags, {QStringLiteral("--into"), QStringLiteral("--start")});
    if (!a.error.isEmpty())
        return usageError(a.error, kImportUsage);
    if (a.positional.size() != 1)
        return usageError(QStringLiteral("import takes one CSV file"), kImportUsage);
    if (!a.values.contains(QStringLiteral("--into")))
        return usageError(QStringLiteral("--into FILE.950 is required"), kImportUsage);

    const bool yes = a.flags.contains(QStringLiteral("--yes"));
    const bool preview = a.flags.contains(QStringLiteral("--preview"));
    Session session(yes);
    SettingsStore rulesStore(QString::fromLatin1(RuleSet::kApplication));
    session.state.rules().LoadRules(rulesStore, session.prompter);

    QString target = a.values.value(QStringLiteral("--into"));
    if (MemoryFile::endsWithDescriptionExtension(target))
        return usageError(QStringLiteral("--into names a description file; name the memory file (.950)"),
                          kImportUsage);
    if (!MemoryFile::endsWithMemoryExtension(target))
        target += QLatin1String(MemoryFile::kExtension);
    int skipped = 0;
    if (QFileInfo::exists(target)) {
        if (!load(session, target, &skipped))
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
    if (a.values.contains(QStringLiteral("--start")))
        options.startText = a.values.value(QStringLiteral("--start"));
    options.useNumbers = a.flags.contains(QStringLiteral("--use-numbers"));
    options.clearAll = a.flags.contains(QStringLiteral("--clear"));
    options.omitDuplicates = a.flags.contains(QStringLiteral("--omit-duplicates"));
    CsvHeader csv;
    CsvImport importer(session.state, session.prompter, session.log, csv, options);
    session.prompter.setOpenAnswer(a.positional.first());
    const CsvImport::Result result = importer.ImportCsv(preview);
    if (result == CsvImport::Result::Previewed)
        return skipped > 0 ? ExitPartial : ExitOk;
    if (result != CsvImport::Result::Imported)
        return failure(QStringLiteral("nothing imported"));
    const bool partial = skipped > 0 || importer.somethingSkipped();

    session.prompter.setSaveAnswer(target);
    MemoryFileSaver saver(session.state, session.prompter, session.log, session.settings);
    switch (saver.save(MemoryFileSaver::Kind::Save)) {
    case MemoryFileSaver::Result::Saved:
        if (partial)
            QTextStream(stderr) << "quaystone-cli: saved " << target
                                << "; some records or lines were left out (the lines above say which)"
                                << Qt::endl;
        return partial ? ExitPartial : ExitOk;
    case MemoryFileSaver::Result::SavedIncomplete:
        cliFailure(QStringLiteral("saved ") + target + QStringLiteral(" without some channels"));
        return ExitPartial;
    case MemoryFileSaver::Result::NothingToSave:
    case MemoryFileSaver::Result::Cancelled:
    case MemoryFileSaver::Result::Declined:
        break;
    }
    return failure(QStringLiteral("could not save ") + target);
}

} // namespace CliFileCommands
