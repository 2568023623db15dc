// SPDX-License-Identifier: GPL-3.0-or-later
#include "CliPrint.h"
#include "CliCommands.h"

#include "CliPrompter.h"
#include "CliStdio.h"
#include "files/MemoryFileOpener.h"
#include "gui/ListingPrinter.h"
#include "model/Frequency.h"
#include "print/MemoryListing.h"
#include "print/PrintOptions.h"
#include "state/AppState.h"
#include "state/MessageLog.h"
#include "state/Settings.h"

#include <QDir>
#include <QGuiApplication>
#include <QPrinter>
#include <QTemporaryDir>
#include <QTextStream>
#include <cstdio>

namespace CliPrint {
namespace {

int usageError(const QString& message)
{
    return cliUsageError(message, kUsage);
}

int failure(const QString& message)
{
    return cliFailure(message);
}

} // namespace

int print(const QStringList& args)
{
    QCommandLineParser parser;
    const QCommandLineOption textOption(QStringLiteral("text"));
    const QCommandLineOption pdfOption(QStringLiteral("pdf"), {}, QStringLiteral("file"));
    const QString error = parseCliArguments(parser, {textOption, pdfOption}, args);
    if (!error.isEmpty())
        return usageError(error);
    const QStringList files = parser.positionalArguments();
    const bool text = parser.isSet(textOption);
    const QString pdfPath = parser.value(pdfOption);
    if (files.size() != 1)
        return usageError(QStringLiteral("print takes one memory file"));
    if (text == !pdfPath.isEmpty())
        return usageError(QStringLiteral("print needs either --pdf OUT.pdf or --text"));
    if (!qobject_cast<QGuiApplication*>(QCoreApplication::instance()))
        return failure(QStringLiteral("printing needs the GUI application object"));

    // Standard input is taken before any private folder is made.
    CliStdio stdio;
    const QString path = CliStdio::isStdio(files.first())
                             ? stdio.readStdin(QStringLiteral("standard input.950"))
                             : files.first();
    if (path.isEmpty())
        return ExitFailed;

    // The file is loaded as the window's Open does, but against a private
    // store: printing from the command line must not change the file the
    // program opens next.
    QTemporaryDir scratch;
    if (!scratch.isValid())
        return failure(QStringLiteral("cannot create a temporary folder"));
    Settings loadSettings(scratch.path());
    AppState state;
    state.setDataFolder(QDir::currentPath());
    MessageLog log;
    QObject::connect(&log, &MessageLog::lineAdded, [](const QString& line, bool) {
        QString shown = line;
        shown.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
        QTextStream(stderr) << shown << Qt::endl;
    });
    CliPrompter prompter(false);
    MemoryFileOpener::Request request;
    request.path = path;
    const MemoryFileOpener::Opened opened =
        MemoryFileOpener(state, prompter, log, loadSettings).open(request);
    const int done = opened.skippedLines > 0 || opened.descriptionsRefused ? ExitPartial : ExitOk;
    if (opened.result == MemoryFileOpener::Result::DescriptionsLoaded)
        return failure(files.first() + QStringLiteral(" is a description file; name its memory file (.950)"));
    if (opened.result != MemoryFileOpener::Result::Loaded)
        return failure(QStringLiteral("cannot load ") + files.first());
    // The window's file panel shows the name; the listing's title repeats it.
    const QString filePanel = QStringLiteral(" ") + opened.fileName;

    const Settings settings;
    const PrintOptions options = PrintOptions::load(settings);
    const QString title = MemoryListing::title(state.dataSource(), filePanel);
    const QString mark = Frequency::decimalMark();

    if (text) {
        // The pages a PDF of this listing would have.
        QPrinter printer(QPrinter::HighResolution);
        ListingPrinter::setPdfOutput(printer, scratch.filePath(QStringLiteral("layout.pdf")));
        const MemoryListing::Pages pages =
            ListingPrinter::layout(printer, state.tables().memories, options, title, mark);
        QString out;
        for (int page = 0; page < pages.size(); ++page) {
            if (page > 0)
                out += QLatin1Char('\f');
            for (const QString& line : pages[page])
                out += line + QLatin1Char('\n');
        }
        if (!CliStdio::writeStdout(out))
            return ExitFailed;
        return done;
    }

    const bool written = ListingPrinter::exportPdf(pdfPath, [&](QPrinter& printer) {
        return ListingPrinter::printMemories(printer, state.tables().memories, options, title, mark);
    });
    if (!written)
        return failure(QStringLiteral("cannot write ") + QDir::toNativeSeparators(pdfPath));
    QTextStream(stderr) << "Printed " << QDir::toNativeSeparators(files.first()) << " to "
                        << QDir::toNativeSeparators(pdfPath) << Qt::endl;
    return done;
}

} // namespace CliPrint
