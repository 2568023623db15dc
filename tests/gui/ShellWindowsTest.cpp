// SPDX-License-Identifier: GPL-3.0-or-later
// The port detector, the welcome window, the data-folder chooser, the About
// window and the help menu, driven through the main window.
#include "MainWindowFixture.h"

#include "RadioSimulator.h"
#include "Version.h"
#include "gui/AboutWindow.h"
#include "gui/ComPortDetector.h"
#include "gui/FirstUseWindow.h"

#include <QApplication>
#include <QCheckBox>
#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <QSerialPort>
#include <QTest>
#include <QTimer>

namespace {
bool canOpen(const QString& device)
{
    QSerialPort port(device);
    return port.open(QIODevice::ReadWrite);
}

} // namespace

class ShellWindowsTest : public MainWindowFixture {
protected:
    void recordOpenedUrls()
    {
        window().desktop().setHook([this](const QUrl& url) {
            m_opened.append(url);
            return true;
        });
    }
    QList<QUrl> m_opened;
};

// Port 1 freePort, port 2 held by another program, ports 3 to 16 not there.
TEST_F(ShellWindowsTest, PortDetectorShowsEachPortAndTheMenuFollows)
{
    // Simulated radios only for their pseudo-terminals, which open like a cable's device.
    RadioSimulator freeRadio, busyRadio;
    const QString freePort = freeRadio.start(), busyPort = busyRadio.start();
    ASSERT_FALSE(freePort.isEmpty());
    QSerialPort other(busyPort);
    ASSERT_TRUE(other.open(QIODevice::ReadWrite));
    setSetting(Keys::CommPortDevice[1], freePort);
    setSetting(Keys::CommPortDevice[2], busyPort);
    for (int n = 3; n <= 16; ++n)
        setSetting(Keys::CommPortDevice[n], m_temp.filePath(QStringLiteral("no-such-tty%1").arg(n)));
    setSetting(Keys::CommPort, QStringLiteral("2"));
    startQuietly();
    recordOpenedUrls();
    QAction* com2 = action("mnuCom2");
    ASSERT_TRUE(com2->isChecked());

    const bool seen =
        onModal<ComPortDetector>(action("mnuComPortIdentifier"), [&](ComPortDetector& detector) {
            EXPECT_EQ(detector.windowTitle(), QStringLiteral("Com port detector"));
            const QString instructions = widget<QLabel>("lblInstructions", &detector)->text();
            EXPECT_TRUE(instructions.startsWith(QStringLiteral(
                "To find which Com port numbers are available on your PC:\n\n1. Turn off your radio")));
            auto box = [&](int n) { return widget<QLabel>("lblPort" + QString::number(n), &detector); };
            // The boxes are alike: the last one stands for all.
            EXPECT_EQ(box(16)->text(), QStringLiteral("Not yet detected"));
            EXPECT_EQ(box(16)->palette().color(QPalette::Window), QColor(255, 255, 0));
            // Pass 2 lets go of port 1 first, and finds port 2 free now.
            struct Row {
                int pass, port;
                const char* text;
                QColor colour;
                bool itemEnabled;
            };
            const QColor red(255, 0, 0), green(0, 255, 0);
            const Row rows[] = {{1, 1, "Open", green, true}, {1, 2, "Not available", red, false},
                                {1, 3, "COM3", red, true},   {1, 16, "COM16", red, true},
                                {2, 1, "Open", green, true}, {2, 2, "Open", green, true}};
            for (int pass = 1; pass <= 2; ++pass) {
                if (pass == 2)
                    other.close();
                widget<QPushButton>("cmdDetect", &detector)->click();
                for (const Row& row : rows) {
                    if (row.pass != pass)
                        continue;
                    SCOPED_TRACE(pass * 100 + row.port);
                    EXPECT_EQ(box(row.port)->text(), QString::fromLatin1(row.text));
                    EXPECT_EQ(box(row.port)->palette().color(QPalette::Window), row.colour);
                    EXPECT_EQ(action("mnuCom" + QString::number(row.port))->isEnabled(), row.itemEnabled);
                }
                EXPECT_FALSE(com2->isChecked());
                // What is shown open is held: nobody else gets it meanwhile.
                EXPECT_FALSE(canOpen(freePort));
            }
            QLabel* link = widget<QLabel>("lblLink", &detector);
            emit link->linkActivated(link->text().section(QLatin1Char('"'), 1, 1));
            widget<QPushButton>("cmdExit", &detector)->click();
        });
    ASSERT_TRUE(seen);
    EXPECT_TRUE(canOpen(freePort)) << "every port it held is let go";
    EXPECT_EQ(m_opened, QList<QUrl>{QUrl(QString::fromLatin1(DesktopOpener::kSerialTestPage))});
}

// Welcome window and folder chooser at start-up, with what they leave stored.
TEST_F(ShellWindowsTest, StartUpWelcomeAndFolderLeaveTheirSettings)
{
    struct Case {
        const char* firstTime; // stored before the start; nullptr: nothing
        bool tick;             // the welcome's check box, when it shows
        const char* homeDir;   // "data", "gone" (a folder that no longer exists) or ""
        const char* chosen;    // the folder browser's answer: "picked", "" (cancel), nullptr (not asked)
        bool welcomeShown;
        const char* firstTimeAfter;
        const char* homeDirAfter; // "data", "picked" or "" (nothing stored)
        const char* folderForRun; // "data", "picked" or "cwd"
    };
    const Case cases[] = {
        {nullptr, true, "", "picked", true, "1", "picked", "picked"},
        {"0", false, "gone", "", true, "0", "gone", "cwd"},
        {"1", false, "data", nullptr, false, "1", "data", "data"},
    };
    const QString picked = m_temp.filePath(QStringLiteral("picked"));
    QDir().mkpath(picked);
    const QMap<QString, QString> paths{{"data", QDir::toNativeSeparators(dataFolder())},
                                       {"picked", QDir::toNativeSeparators(picked)},
                                       {"gone", m_temp.filePath(QStringLiteral("gone"))},
                                       {"cwd", QDir::toNativeSeparators(QDir::currentPath())}};
    const auto path = [&](const char* which) { return paths.value(QString::fromLatin1(which)); };
    int row = 0;
    for (const Case& c : cases) {
        SCOPED_TRACE(row++);
        m_window.reset();
        m_prompter.clear();
        QFile::remove(Settings(configFolder()).store().fileName());
        if (c.firstTime)
            setSetting(Keys::FirstTime, QString::fromLatin1(c.firstTime));
        setSetting(Keys::HomeDir, path(c.homeDir));
        setSetting(Keys::LastOpened, QStringLiteral("A:\\nothing.950"));
        if (c.chosen)
            m_prompter.reply(path(c.chosen));

        bool welcome = false;
        QTimer::singleShot(0, [&] {
            auto* first = qobject_cast<FirstUseWindow*>(QApplication::activeModalWidget());
            if (!first)
                return;
            welcome = true;
            EXPECT_EQ(first->windowTitle(), QStringLiteral("First time use"));
            EXPECT_FALSE(widget<QCheckBox>("chkDontShow", first)->isChecked());
            widget<QCheckBox>("chkDontShow", first)->setChecked(c.tick);
            widget<QPushButton>("cmdClose", first)->click();
        });
        StartupDialogs real;
        Form1Options options;
        options.settingsFolder = configFolder();
        m_window = std::make_unique<Form1>(options, &m_prompter, &real);
        ASSERT_TRUE(m_window->startUp());
        QCoreApplication::processEvents();
        EXPECT_EQ(welcome, c.welcomeShown);
        EXPECT_TRUE(m_prompter.allAnswersUsed());
        EXPECT_EQ(m_prompter.prompts().size(), c.chosen ? 1 : 0);
        const Settings stored(configFolder());
        EXPECT_EQ(stored.get(Keys::FirstTime), QString::fromLatin1(c.firstTimeAfter));
        EXPECT_EQ(stored.get(Keys::HomeDir), path(c.homeDirAfter));
        EXPECT_EQ(state().dataFolder(), path(c.folderForRun));
        m_window.reset();
    }
}

// Settings > "Choose a folder for &memory and .CSV files...": a pick is used
// at once; a cancel changes nothing (what the chooser stores: the start-up test).
TEST_F(ShellWindowsTest, MenuFolderChooserUsesOnlyAPick)
{
    startQuietly();
    const QString picked = QDir::toNativeSeparators(m_temp.filePath(QStringLiteral("picked")));
    QDir().mkpath(picked);
    for (const QString& reply : {QString(), picked}) {
        const QString before = state().dataFolder();
        m_prompter.reply(reply);
        action("mnuDataFiles")->trigger();
        EXPECT_EQ(m_prompter.prompts().constLast().text, QString::fromLatin1(StartupDialogs::kFolderTitle));
        EXPECT_EQ(state().dataFolder(), reply.isEmpty() ? before : picked);
    }
}

// About shows the version and the licence; its link, F1, "&Contents" and the download page reach the
// desktop only through the hook.
TEST_F(ShellWindowsTest, AboutAndHelpOpenTheirPagesThroughTheDesktop)
{
    startQuietly();
    recordOpenedUrls();
    const bool seen = onModal<AboutWindow>(action("mnuAbout"), [&](AboutWindow& about) {
        EXPECT_EQ(about.windowTitle(), QStringLiteral("About Quaystone"));
        EXPECT_EQ(widget<QLabel>("lblVersion", &about)->text(), QStringLiteral("Version " QUAYSTONE_VERSION));
        EXPECT_EQ(widget<QLabel>("lblLicence", &about)->text(),
                  QStringLiteral("Licensed under the GNU General Public License, version 3 or later."));
        emit widget<QLabel>("lblLink", &about)->linkActivated(QString::fromLatin1(DesktopOpener::kHomePage));
        widget<QPushButton>("cmdOK", &about)->click();
    });
    EXPECT_TRUE(seen);
    window().activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window()));
    QTest::keyClick(&window(), Qt::Key_F1);
    action("mnuHelp")->trigger();
    action("mnuCheckForUpdates")->trigger();
    ASSERT_EQ(m_opened.size(), 4);
    EXPECT_EQ(m_opened[0], QUrl(QString::fromLatin1(DesktopOpener::kHomePage)));
    EXPECT_EQ(m_opened[1], m_opened[2]);
    QFile guide(m_opened[1].toLocalFile());
    ASSERT_TRUE(guide.open(QIODevice::ReadOnly)) << guide.fileName().toStdString();
    EXPECT_TRUE(guide.readAll().contains("<title>Quaystone user guide</title>"));
    EXPECT_EQ(m_opened[3], QUrl(QString::fromLatin1(DesktopOpener::kDownloadPage)));

    // A desktop with no program for the guide: F1 says where the guide is.
    EXPECT_EQ(m_prompter.messages(), QStringList());
    window().desktop().setHook([](const QUrl&) { return false; });
    QTest::keyClick(&window(), Qt::Key_F1);
    EXPECT_EQ(m_prompter.messages(), QStringList{Form1::guideNotOpenedText(m_opened[1].toLocalFile())});
    EXPECT_TRUE(m_prompter.messages().value(0).contains(QString::fromLatin1(DesktopOpener::kHomePage)));
}
