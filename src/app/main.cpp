#include "Form1.h"
#include "Version.h"

#include <QApplication>
#include <QCommandLineParser>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Quaystone"));
    QApplication::setApplicationVersion(QStringLiteral(QUAYSTONE_VERSION));

    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("Manages the memory channels of the transceiver."));
    parser.addHelpOption();
    parser.addVersionOption();
    const QCommandLineOption device(QStringLiteral("device"),
                                    QStringLiteral("Use this serial device for the radio in this run."),
                                    QStringLiteral("PATH"));
    parser.addOption(device);
    parser.addPositionalArgument(QStringLiteral("file"), QStringLiteral("A memory file (.950) to open."));
    parser.process(app);

    Form1Options options;
    options.devicePath = parser.value(device);
    if (!parser.positionalArguments().isEmpty())
        options.startupFilePath = parser.positionalArguments().join(QLatin1Char(' '));

    Form1 window(options);
    if (!window.startUp())
        return 1;
    window.show();
    return app.exec();
}
