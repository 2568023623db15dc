// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "RadioSimulator.h"
#include "gui/Form1.h"
#include "gui/StartupDialogs.h"
#include "support/ScriptedPrompter.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QTemporaryDir>
#include <QTimer>
#include <functional>
#include <gtest/gtest.h>
#include <memory>

class ChannelTableView;
class QLabel;

// No welcome window at start-up; the folder chooser is the real one, answered
// by the scripted prompter.
class RecordingStartupDialogs : public StartupDialogs {
public:
    void showFirstUse(QWidget*, Settings&) override {}
};

// The one fixture of the window tests: the main window with its settings and
// data in a temporary folder, questions answered by the scripted prompter,
// widgets and commands found by their names.
class MainWindowFixture : public ::testing::Test {
protected:
    MainWindowFixture();
    ~MainWindowFixture() override;

    QString configFolder() const { return m_temp.filePath(QStringLiteral("config")); }
    QString dataFolder() const { return m_temp.filePath(QStringLiteral("data")); }
    // Stored before the window starts.
    void setSetting(const SettingKey& key, const QString& value);
    // Copies a file of tests/data into the data folder; returns its new path.
    QString copySample(const QString& name);

    // Starts with settings that ask nothing and (a start-up file on a floppy
    // drive is dropped) nothing loaded, the deferred open done.
    void startQuietly(const Form1Options& options = Form1Options(),
                      const QString& lastOpened = QStringLiteral("A:\\nothing.950"));
    // A radio slow enough that the link set-up and the read take a while.
    static RadioSimulator::Options slowRadio();
    // Starts the radio with the sample channels, then the window quietly on its device.
    void startWithRadio(RadioSimulator& radio);
    // The commands the radio saw that start with `prefix` ("MR", "MW").
    static QStringList sent(const RadioSimulator& radio, const char* prefix);
    // Opens a copy of the sample memory file with the Load button, starting
    // the window quietly first when none runs.
    void loadSample();

    Form1& window() { return *m_window; }
    AppState& state() { return m_window->state(); }
    // The child named `name` of parent (of the window when none is given); a missing one fails the test.
    template <typename T> T* widget(const QString& name, const QObject* parent = nullptr)
    {
        T* w = (parent ? parent : m_window.get())->findChild<T*>(name);
        EXPECT_NE(w, nullptr) << name.toStdString();
        return w;
    }
    QAction* action(const QString& name) { return widget<QAction>(name); }
    // Runs body on the modal window of type T that action opens, then closes
    // it unless body did; false when no such window came.
    template <typename T> static bool onModal(QAction* action, const std::function<void(T&)>& body)
    {
        // Looked for until it comes: a transfer lets events run before it opens.
        bool seen = false;
        QTimer poll;
        QObject::connect(&poll, &QTimer::timeout, [&] {
            if (auto* window = qobject_cast<T*>(QApplication::activeModalWidget())) {
                poll.stop();
                seen = true;
                body(*window);
                if (window->isVisible())
                    window->reject();
            }
        });
        poll.start(5);
        action->trigger();
        poll.stop();
        return seen;
    }
    // Lets events run until the condition holds or the time is up.
    static bool waitFor(const std::function<bool()>& condition, int msecs = 3000);
    QLabel* panel(int number); // status bar panels 1..5
    ChannelTableView* memories();
    QString cell(int row, int column) const;
    void selectMemories(int firstRow, int firstColumn, int lastRow, int lastColumn);
    // Types a text into a memories cell through its line editor and commits it.
    void typeInto(int row, int column, const QString& text);

    QTemporaryDir m_temp;
    QString m_oldCurrent;
    ScriptedPrompter m_prompter;
    RecordingStartupDialogs m_dialogs;
    std::unique_ptr<Form1> m_window;
};
