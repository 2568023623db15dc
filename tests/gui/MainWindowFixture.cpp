// SPDX-License-Identifier: GPL-3.0-or-later
#include "MainWindowFixture.h"

#include "gui/ChannelTableModel.h"
#include "gui/ChannelTableView.h"
#include "support/TestText.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QTest>
#include <QThread>
#include <QTimer>

MainWindowFixture::MainWindowFixture()
{
    QDir().mkpath(configFolder());
    QDir().mkpath(dataFolder());
    // Files named without a folder (and the initial memory file when no data
    // folder is chosen) land in the temporary folder, never in the build tree.
    m_oldCurrent = QDir::currentPath();
    QDir::setCurrent(dataFolder());
}

MainWindowFixture::~MainWindowFixture()
{
    if (m_window) {
        // Leave without the exit question; the tests that care ask it themselves.
        m_window->state().setChanged(false);
        m_window->close();
        m_window.reset();
    }
    QDir::setCurrent(m_oldCurrent);
}

void MainWindowFixture::setSetting(const SettingKey& key, const QString& value)
{
    Settings(configFolder()).set(key, value);
}

QString MainWindowFixture::copySample(const QString& name)
{
    const QString target = QDir(dataFolder()).filePath(name);
    QFile::remove(target);
    EXPECT_TRUE(QFile::copy(QStringLiteral(QUAYSTONE_TEST_DATA "/") + name, target)) << name.toStdString();
    QFile(target).setPermissions(QFile::ReadOwner | QFile::WriteOwner);
    return target;
}

bool MainWindowFixture::waitFor(const std::function<bool()>& condition, int msecs)
{
    QDeadlineTimer deadline(msecs);
    while (!condition()) {
        if (deadline.hasExpired())
            return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
        QThread::msleep(2);
    }
    return true;
}

void MainWindowFixture::startQuietly(const Form1Options& options, const QString& lastOpened)
{
    setSetting(Keys::FirstTime, QStringLiteral("1"));
    setSetting(Keys::HomeDir, dataFolder());
    setSetting(Keys::LastOpened, lastOpened);
    Form1Options quiet = options;
    quiet.settingsFolder = configFolder();
    m_window = std::make_unique<Form1>(quiet, &m_prompter, &m_dialogs);
    ASSERT_TRUE(m_window->startUp());
    m_window->show();
    // The deferred open runs from the window's timer.
    EXPECT_TRUE(waitFor([this] { return !widget<QTimer>("Timer1")->isActive(); }));
}

RadioSimulator::Options MainWindowFixture::slowRadio()
{
    RadioSimulator::Options slow;
    slow.startRate = 4800;
    slow.wireTiming = true;
    slow.latencyUs = 4000;
    return slow;
}

void MainWindowFixture::startWithRadio(RadioSimulator& radio)
{
    ASSERT_TRUE(radio.loadFile(QStringLiteral(QUAYSTONE_TEST_DATA "/sample.950")));
    const QString device = radio.start();
    ASSERT_FALSE(device.isEmpty()) << radio.errorText().toStdString();
    Form1Options options;
    options.devicePath = device;
    startQuietly(options);
}

void MainWindowFixture::loadSample()
{
    if (!m_window)
        startQuietly();
    const QString path = copySample(QStringLiteral("sample.950"));
    copySample(QStringLiteral("sample.950dsc"));
    m_prompter.reply(path);
    // The button; File > Open is used by the recent-files test.
    widget<QPushButton>("cmdLoadFile")->click();
    ASSERT_EQ(state().dataSource(), AppState::File);
    // The tests look at what comes after the open dialog.
    m_prompter.clear();
}

QLabel* MainWindowFixture::panel(int number)
{
    const char* names[] = {"panelFile", "panelChanged", "panelFirstRow", "panelLastRow", "panelClock"};
    return widget<QLabel>(names[number - 1]);
}

ChannelTableView* MainWindowFixture::memories()
{
    return widget<ChannelTableView>("grdMemoriesL");
}

QString MainWindowFixture::cell(int row, int column) const
{
    return cellText(m_window->state().tables().memories, row, column);
}

void MainWindowFixture::selectMemories(int firstRow, int firstColumn, int lastRow, int lastColumn)
{
    ChannelTableView* view = memories();
    auto* model = m_window->memoriesModel();
    view->selectionModel()->setCurrentIndex(model->cell(firstRow, firstColumn),
                                            QItemSelectionModel::NoUpdate);
    view->selectionModel()->select(
        QItemSelection(model->cell(firstRow, firstColumn), model->cell(lastRow, lastColumn)),
        QItemSelectionModel::ClearAndSelect);
}

void MainWindowFixture::typeInto(int row, int column, const QString& text)
{
    ChannelTableView* view = memories();
    const QModelIndex index = m_window->memoriesModel()->cell(row, column);
    view->setCurrentIndex(index);
    view->edit(index);
    auto* editor = qobject_cast<QLineEdit*>(view->indexWidget(index));
    ASSERT_NE(editor, nullptr) << "no editor on row " << row << " column " << column;
    editor->setText(text);
    QTest::keyClick(editor, Qt::Key_Return);
    // The view commits and closes the editor from its event queue.
    EXPECT_TRUE(waitFor([view] { return !view->isEditing(); }));
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

QStringList MainWindowFixture::sent(const RadioSimulator& radio, const char* prefix)
{
    return radio.commands().filter(QRegularExpression(QLatin1Char('^') + QLatin1String(prefix)));
}
