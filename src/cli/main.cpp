#include "CliCommands.h"
#include "CliFileCommands.h"
#include "CliPrint.h"
#include "CliReadWrite.h"
#include "Version.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <QTextStream>
#include <cstdio>
#include <memory>

namespace {

// Commands are added here as they are implemented, each in its own file.
const CliCommand kCommands[] = {
    {"version", "version                      Show the program version.",
     [](const QStringList&) {
         QTextStream(stdout) << "quaystone-cli " << QUAYSTONE_VERSION << Qt::endl;
         return 0;
     }},
    {"show", CliFileCommands::kShowUsage, CliFileCommands::show},
    {"export", CliFileCommands::kExportUsage, CliFileCommands::exportCsv},
    {"import", CliFileCommands::kImportUsage, CliFileCommands::importCsv},
    {"read", CliReadWrite::kReadUsage, CliReadWrite::read},
    {"write", CliReadWrite::kWriteUsage, CliReadWrite::write},
    {"print", CliPrint::kUsage, CliPrint::print},
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

int main(int argc, char* argv[])
{
    // Printing measures the listing font on a printer, which needs the GUI
    // application object; it shows no window, so it needs no display.
    const bool gui = CliPrint::needsGuiApplication(argc, argv);
    if (gui && qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    const std::unique_ptr<QCoreApplication> application(gui ? new QGuiApplication(argc, argv)
                                                            : new QCoreApplication(argc, argv));
    QCoreApplication& app = *application;
    QCoreApplication::setApplicationName(QStringLiteral("quaystone-cli"));
    QCoreApplication::setApplicationVersion(QStringLiteral(QUAYSTONE_VERSION));

    QTextStream err(stderr);
    const QStringList args = app.arguments().mid(1);
    if (args.isEmpty()) {
        err << usage();
        return 2;
    }
    const QString name = args.first();
    if (name == QLatin1String("--help") || name == QLatin1String("-h") || name == QLatin1String("help")) {
        QTextStream(stdout) << usage();
        return 0;
    }
    const CliCommand* command = findCliCommand(name == QLatin1String("--version") ? QStringLiteral("version") : name);
    if (!command) {
        err << "quaystone-cli: unknown command '" << name << "'\n\n" << usage();
        return 2;
    }
    return command->run(args.mid(1));
}
