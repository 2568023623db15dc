// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDir>
#include <QProcess>
#include <QProcessEnvironment>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <gtest/gtest.h>

// One run of the real quaystone-cli (QUAYSTONE_CLI, set by the test target) in `folder`, with its
// settings under folder/config, its temporary files under folder/tmp and the given locale, fed
// `input` on standard input; with `shell`, through /bin/sh -c shell, in which "$0" "$@" is the
// run (for redirections). status is -1 when it did not finish normally.
struct CliRun {
    int status = -1;
    QString out;
    QString err;
};

inline CliRun runCli(const QString& folder, const QStringList& args, const char* locale = "C",
                     const QByteArray& input = QByteArray(), const char* shell = nullptr)
{
    QProcess process;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("XDG_CONFIG_HOME"), folder + QStringLiteral("/config"));
    env.insert(QStringLiteral("XDG_RUNTIME_DIR"), folder + QStringLiteral("/runtime"));
    env.insert(QStringLiteral("TMPDIR"), folder + QStringLiteral("/tmp"));
    QDir(folder).mkdir(QStringLiteral("tmp"));
    env.insert(QStringLiteral("LC_ALL"), QString::fromLatin1(locale));
    env.remove(QStringLiteral("LANG"));
    process.setProcessEnvironment(env);
    process.setWorkingDirectory(folder);
    if (shell)
        process.start(QStringLiteral("/bin/sh"), QStringList{QStringLiteral("-c"), QString::fromLatin1(shell),
                                                             QStringLiteral(QUAYSTONE_CLI)} +
                                                     args);
    else
        process.start(QStringLiteral(QUAYSTONE_CLI), args);
    process.write(input);
    process.closeWriteChannel();
    CliRun run;
    if (!process.waitForFinished(60000))
        return run;
    run.status = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    run.out = QString::fromUtf8(process.readAllStandardOutput());
    run.err = QString::fromUtf8(process.readAllStandardError());
    return run;
}

// A test of the command line, run in a temporary folder of its own.
class CliTest : public ::testing::Test {
protected:
    CliRun cli(const QStringList& args, const char* locale = "C")
    {
        return runCli(folder.path(), args, locale);
    }
    QString path(const char* name) const { return folder.filePath(QString::fromLatin1(name)); }

    QTemporaryDir folder;
};
