// SPDX-License-Identifier: GPL-3.0-or-later
#include "CliStdio.h"
#include "CliCommands.h"

#include "io/TextFileReader.h"

#include <QFile>
#include <cerrno>
#include <csignal>
#include <cstdio>
#include <fcntl.h>
#include <unistd.h>

void CliStdio::guardStandardStreams()
{
#ifdef Q_OS_UNIX
    for (int fd = STDIN_FILENO; fd <= STDERR_FILENO; ++fd) {
        if (fcntl(fd, F_GETFD) != -1 || errno != EBADF)
            continue;
        // Opened the wrong way round (input for writing, output for reading), so every transfer fails.
        const int standIn = ::open("/dev/null", fd == STDIN_FILENO ? O_WRONLY : O_RDONLY);
        if (standIn >= 0 && standIn != fd) {
            ::dup2(standIn, fd);
            ::close(standIn);
        }
    }
    std::signal(SIGPIPE, SIG_IGN);
#endif
}

QString CliStdio::scratchPath(const QString& fileName)
{
    if (!m_dir)
        m_dir = std::make_unique<QTemporaryDir>();
    return m_dir->isValid() ? m_dir->filePath(fileName) : QString();
}

QString CliStdio::readStdin(const QString& fileName)
{
    // Read whole before the private folder is made: a run stopped while it
    // waits for its input leaves nothing behind.
    QFile in;
    if (!in.open(STDIN_FILENO, QIODevice::ReadOnly, QFileDevice::DontCloseHandle)) {
        cliFailure(QStringLiteral("cannot read standard input: ") + in.errorString());
        return {};
    }
    QByteArray bytes;
    for (;;) {
        const QByteArray chunk = in.read(1 << 16);
        if (chunk.isEmpty())
            break;
        bytes += chunk;
        if (bytes.size() > TextFileReader::kMaxFileBytes) {
            cliFailure(QStringLiteral("cannot take standard input: it is larger than %1 KB, more than "
                                      "such a file can be")
                           .arg(TextFileReader::kMaxFileBytes / 1024));
            return {};
        }
    }
    if (in.error() != QFileDevice::NoError) {
        cliFailure(QStringLiteral("cannot read standard input: ") + in.errorString());
        return {};
    }
    const QString path = scratchPath(fileName);
    QFile out(path);
    if (path.isEmpty() || !out.open(QIODevice::WriteOnly) || out.write(bytes) != bytes.size() ||
        !out.flush()) {
        cliFailure(QStringLiteral("cannot take standard input: ") +
                   (path.isEmpty() ? QStringLiteral("no temporary folder") : out.errorString()));
        return {};
    }
    return path;
}

bool CliStdio::copyToStdout(const QString& path)
{
    QFile in(path);
    if (!in.open(QIODevice::ReadOnly)) {
        cliFailure(QStringLiteral("cannot write standard output: ") + in.errorString());
        return false;
    }
    return writeStdout(in.readAll());
}

bool CliStdio::writeStdout(const QByteArray& bytes)
{
    // Unbuffered, so a full disk or a closed stream is seen by this write,
    // not lost at exit.
    QFile out;
    if (!out.open(STDOUT_FILENO, QIODevice::WriteOnly | QIODevice::Unbuffered,
                  QFileDevice::DontCloseHandle) ||
        out.write(bytes) != bytes.size() || !out.flush()) {
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
