// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/Form1.h"
#include "Version.h"
#include "files/LeftoverUndoFiles.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QDir>
#include <QTextStream>
#include <memory>

#ifdef QUAYSTONE_WITH_SIMULATOR
#include "RadioSimulator.h"
#endif

#ifdef QUAYSTONE_WITH_SIMULATOR
namespace {
// The channels the simulated radio holds when it starts: a realistic HF set.
constexpr char kSimulatedChannels[] = ":/radiosim/simulated-radio.950";
} // namespace
#endif

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Quaystone"));
    QApplication::setApplicationVersion(QStringLiteral(QUAYSTONE_VERSION));
    // Undo files that runs of earlier versions left when they crashed or were killed.
    LeftoverUndoFiles::remove(QDir::tempPath());

    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("Manages the memory channels of the transceiver."));
    parser.addHelpOption();
    parser.addVersionOption();
    const QCommandLineOption device(QStringLiteral("device"),
                                    QStringLiteral("Use this serial device for the radio in this run."),
                                    QStringLiteral("PATH"));
    parser.addOption(device);
#ifdef QUAYSTONE_WITH_SIMULATOR
    const QCommandLineOption simulate(
        QStringLiteral("simulate"),
        QStringLiteral("Talk to a simulated radio, started inside the program, instead of a real one."));
    parser.addOption(simulate);
#endif
    parser.addPositionalArgument(QStringLiteral("file"), QStringLiteral("A memory file (.950) to open."));
    parser.process(app);

    QTextStream err(stderr);
#ifdef QUAYSTONE_WITH_SIMULATOR
    if (parser.isSet(device) && parser.isSet(simulate)) {
        err << "quaystone: --device and --simulate cannot be used together\n";
        return 2;
    }
#endif

    Form1Options options;
    options.devicePath = parser.value(device);
    // The desktop hands over one path; a path with blanks may arrive split.
    if (!parser.positionalArguments().isEmpty())
        options.startupFilePath = parser.positionalArguments().join(QLatin1Char(' '));

#ifdef QUAYSTONE_WITH_SIMULATOR
    std::unique_ptr<RadioSimulator> radio;
    if (parser.isSet(simulate)) {
        RadioSimulator::Options simOptions;
        // Answer at the pace of a real cable so that the progress can be followed.
        simOptions.wireTiming = true;
        simOptions.latencyUs = 2000;
        radio = std::make_unique<RadioSimulator>(simOptions);
        QStringList problems;
        if (!radio->loadFile(QString::fromLatin1(kSimulatedChannels), &problems))
            err << "quaystone: the simulated radio starts empty: " << problems.join(QLatin1String("; "))
                << '\n';
        options.devicePath = radio->start();
        if (options.devicePath.isEmpty()) {
            err << "quaystone: the simulated radio could not be started: " << radio->errorText() << '\n';
            return 1;
        }
        err << "quaystone: simulated radio on " << options.devicePath << '\n';
    }
#endif

    int status = 1;
    {
        Form1 window(options);
        if (window.startUp()) {
            window.show();
            status = app.exec();
        }
    }
#ifdef QUAYSTONE_WITH_SIMULATOR
    if (radio)
        radio->stop();
#endif
    return status;
}
