// SPDX-License-Identifier: GPL-3.0-or-later
#include "CliStdio.h"
#include "CliCommands.h"

#include <QFile>
#include <cstdio>
#include <unistd.h>

QString CliStdio::scratchPath(const QString& fileName)
{
    return m_dir.isValid() ? m_dir.filePath(fileName) : QString();
}

QString CliStdio::readStdin(const QString& fileName)
{
    const QString path = scratchPath(fileName);
    QFile in;
    QFile out(path);
    if (path.isEmpty() || !in.open(stdin, QIODevice::ReadOnly) || !out.open(QIODevice::WriteOnly)) {
        cliFailure(QStringLiteral("cannot take standard input"));
        return {};
    }
    for (;;) {
        const QByteArray chunk = in.read(1 << 16);
        if (chunk.isEmpty())
            break;
        if (out.write(chunk) != chunk.size()) {
            cliFailure(QStringLiteral("cannot take standard input: ") + out.errorString());
            return {};
        }
    }
    if (in.error() != QFileDevice::NoError) {
        cliFailure(QStringLiteral("cannot read standard input: ") + in.errorString());
        return {};
    }
    return path;
}

bool CliStdio::copyToStdout(const QString& path)
{
    QFile in(path);
    QFile out;
    if (!in.open(QIODevice::ReadOnly) || !out.open(stdout, QIODevice::WriteOnly)) {
        cliFailure(QStringLiteral("cannot write standard output"));
        return false;
    }
    const QByteArray data = in.readAll();
    // A closed pipe or a full disk behind standard output must not pass for success.
    if (out.write(data) != data.size() || !out.flush()) {
        cliFailure(QStringLiteral("cannot write standard output: ") + out.errorString());
        return false;
    }
    return true;
}

CliProgress::CliProgress(const QString& label) : m_label(label), m_terminal(isatty(STDERR_FILENO) == 1) {}

void CliProgress::show(const QString&, int maximum)
{
    m_maximum = maximum;
}

void CliProgress::setPosition(int position)
{
    if (!m_terminal || position <= 0)
        return;
    m_shown = true;
    std::fprintf(stderr, "\r%s: slot %d of %d", qPrintable(m_label), position, m_maximum);
    std::fflush(stderr);
}

void CliProgress::hide()
{
    if (m_shown)
        std::fputs("\n", stderr);
    m_shown = false;
}
