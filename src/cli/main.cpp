// SPDX-License-Identifier: GPL-3.0-or-later
#include "CliCommands.h"
#include "CliDiff.h"
#include "CliFileCommands.h"
#ifdef QUAYSTONE_CLI_PRINT
#include "CliPrint.h"
#endif
#include "CliReadWrite.h"
#include "CliStdio.h"
#include "ExitStatus.h"
#include "Version.h"

#include <QCoreApplication>
#include <QFile>
#ifdef QUAYSTONE_CLI_PRINT
#include <QGuiApplication>
#endif
#include <QTextStream>
#include <cstdio>
#include <memory>

namespace {

// Commands are added here as they are implemented, each in its own file.
const CliCommand kCommands[] = {
    {"version", "version                      Show the program version.",
     [](const QStringList&) {
         return int(CliStdio::writeStdout(QByteArray("quaystone-cli " QUAYSTONE_VERSION "\n")) ? ExitOk
                                                                                               : ExitFailed);
     }},
    {"show", CliFileCommands::kShowUsage, CliFileCommands::show},
    {"export", CliFileCommands::kExportUsage, CliFileCommands::exportCsv},
    {"import", CliFileCommands::kImportUsage, CliFileCommands::importCsv},
    {"read", CliReadWrite::kReadUsage, CliReadWrite::read},
    {"write", CliReadWrite::kWriteUsage, CliReadWrite::write},
#ifdef QUAYSTONE_CLI_PRINT
    // Printing lays the listing out on a printer: only where the window libraries are built.
    {"print", CliPrint::kUsage, CliPrint::print},
#endif
    {"diff", CliDiff::kUsage, CliDiff::diff},
};

QString usage()
{
    QString text = QStringLiteral("Usage: quaystone-cli <command> [options]\n\n"
                                  "Manages the memory channels of the transceiver from the command line.\n\n"
                                  "Commands:\n");
    for (const CliCommand& command : kCommands)
        text += QStringLiteral("  ") + QString::fromLatin1(command.usage) + QLatin1Char('\n');
    text += QStringLiteral("\n  --help, --version as usual.\n");
    return text;
}

} // namespace

const CliCommand* findCliCommand(const QString& name)
{
    for (const CliCommand& command : kCommands) {
        if (name == QLatin1String(command.name))
            return &command;
    }
    return nullptr;
}

QString parseCliArguments(QCommandLineParser& parser, const QList<QCommandLineOption>& options,
                          const QStringList& args, const QString& unknownText)
{
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    parser.addOptions(options);
    if (parser.parse(QStringList(QString()) + args))
        return {};
    if (!parser.unknownOptionNames().isEmpty()) {
        const QString name = parser.unknownOptionNames().constFirst();
        return unknownText +
               (args.contains(QLatin1Char('-') + name) ? QStringLiteral("-") : QStringLiteral("--")) + name;
    }
    for (const QCommandLineOption& option : options) {
        if (!option.valueName().isEmpty() &&
            args.constLast() == QStringLiteral("--") + option.names().constFirst())
            return args.constLast() + QStringLiteral(" needs a value");
    }
    return parser.errorText();
}

int main(int argc, char* argv[])
{
    // Before anything opens a file.
    CliStdio::guardStandardStreams();
    // Printing measures the listing font on a printer, which needs the GUI
    // application object; it shows no window, so it needs no display.
#ifdef QUAYSTONE_CLI_PRINT
    const bool gui = CliPrint::needsGuiApplication(argc, argv);
    if (gui && qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    const std::unique_ptr<QCoreApplication> application(gui ? new QGuiApplication(argc, argv)
                                                            : new QCoreApplication(argc, argv));
#else
    const std::unique_ptr<QCoreApplication> application(new QCoreApplication(argc, argv));
#endif
    QCoreApplication& app = *application;
    QCoreApplication::setApplicationName(QStringLiteral("quaystone-cli"));
    QCoreApplication::setApplicationVersion(QStringLiteral(QUAYSTONE_VERSION));

    QTextStream err(stderr);
    // A name that is not valid UTF-8 would come through as a different name
    // (its bad bytes turned into U+FFFD), and a save would then write that
    // other file: such an argument is refused.
    for (int i = 1; i < argc; ++i) {
        const QByteArray raw(argv[i]);
        if (QFile::encodeName(QFile::decodeName(raw)) != raw) {
            err << "quaystone-cli: the argument " << QString::fromLatin1(raw.toPercentEncoding("/ .-_"))
                << " is not valid UTF-8; rename the file (or use a link with a UTF-8 name)\n";
            return ExitUsage;
        }
    }
    const QStringList args = app.arguments().mid(1);
    if (args.isEmpty()) {
        err << usage();
        return ExitUsage;
    }
    const QString name = args.first();
    if (name == QLatin1String("--help") || name == QLatin1String("-h") || name == QLatin1String("help")) {
        return CliStdio::writeStdout(usage()) ? ExitOk : ExitFailed;
    }
    const CliCommand* command =
        findCliCommand(name == QLatin1String("--version") ? QStringLiteral("version") : name);
    if (!command) {
        err << "quaystone-cli: unknown command '" << name << "'\n\n" << usage();
        return ExitUsage;
    }
    return command->run(args.mid(1));
}
