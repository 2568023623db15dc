#include "Version.h"

#include <QCoreApplication>
#include <QTextStream>
#include <cstdio>

namespace {
const char kUsage[] = "Usage: quaystone-cli <command> [options]\n"
                      "\n"
                      "Manages the memory channels of the transceiver from the command line.\n"
                      "\n"
                      "Options:\n"
                      "  --help      Show this help and exit.\n"
                      "  --version   Show the program version and exit.\n";
}

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("quaystone-cli"));
    QCoreApplication::setApplicationVersion(QStringLiteral(QUAYSTONE_VERSION));

    QTextStream out(stdout);
    QTextStream err(stderr);
    const QStringList args = app.arguments().mid(1);
    if (args.isEmpty()) {
        err << kUsage;
        return 2;
    }
    const QString command = args.first();
    if (command == QLatin1String("--help") || command == QLatin1String("-h") || command == QLatin1String("help")) {
        out << kUsage;
        return 0;
    }
    if (command == QLatin1String("--version")) {
        out << "quaystone-cli " << QUAYSTONE_VERSION << Qt::endl;
        return 0;
    }
    err << "quaystone-cli: unknown command '" << command << "'\n\n" << kUsage;
    return 2;
}
