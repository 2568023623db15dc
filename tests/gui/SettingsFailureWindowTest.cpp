// SPDX-License-Identifier: GPL-3.0-or-later
#include "MainWindowFixture.h"
#include "state/MessageLog.h"

#include <QFile>

namespace {

using SettingsFailureWindow = MainWindowFixture;

// The settings folder turns into a file while the window runs (a vanished
// folder, a full or read-only disk all look the same to the program): the
// first failed change is said once, in a box and in the log, and later
// changes say nothing more.
TEST_F(SettingsFailureWindow, AnUnwritableSettingsFileIsSaidOnceNotOnEveryChange)
{
    startQuietly();
    const QString ini = window().settings().store().fileName();
    ASSERT_TRUE(QDir(configFolder()).removeRecursively());
    QFile blocker(configFolder());
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    m_prompter.clear();

    for (const char* name : {"mnuAutosize", "mnuDisableRTS", "mnuAutosize"})
        action(name)->trigger();

    const QString text = Settings::cannotSaveText(ini);
    EXPECT_EQ(m_prompter.messages(), QStringList{text});
    EXPECT_EQ(window().log().text().count(text), 1);
}

} // namespace
