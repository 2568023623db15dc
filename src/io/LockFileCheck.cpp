// SPDX-License-Identifier: GPL-3.0-or-later
#include "LockFileCheck.h"

#include <QByteArray>
#include <QFile>
#include <QFileInfo>
#include <QList>

#ifdef Q_OS_UNIX
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace LockFileCheck {

bool looksLikeLock(const QByteArray& bytes)
{
    if (!bytes.endsWith('\n') || bytes.contains('\0'))
        return false;
    const QList<QByteArray> lines = bytes.split('\n');
    // The last element is what follows the final line feed: nothing.
    if (lines.size() < 4)
        return false;
    const QByteArray& pid = lines.first();
    if (pid.isEmpty() || pid.size() > 19)
        return false;
    for (const char c : pid) {
        if (c < '0' || c > '9')
            return false;
    }
    return pid.toLongLong() > 0;
}

namespace {
QString judge(const QByteArray& bytes, bool emptyIsProblem)
{
    if (bytes.isEmpty())
        return emptyIsProblem ? QStringLiteral("it is an empty file") : QString();
    return looksLikeLock(bytes) ? QString() : QStringLiteral("it is a file that does not hold a lock");
}

const QString kTooLarge = QStringLiteral("it is a file larger than a lock file can be");
} // namespace

#ifdef Q_OS_UNIX
namespace {
QString kindOf(mode_t mode)
{
    if (S_ISLNK(mode))
        return QStringLiteral("it is a symbolic link");
    if (S_ISDIR(mode))
        return QStringLiteral("it is a folder");
    if (S_ISFIFO(mode))
        return QStringLiteral("it is a FIFO");
    if (S_ISCHR(mode) || S_ISBLK(mode))
        return QStringLiteral("it is a device");
    if (S_ISSOCK(mode))
        return QStringLiteral("it is a socket");
    return S_ISREG(mode) ? QString() : QStringLiteral("it is not a regular file");
}

QString unreadable(int error)
{
    return QStringLiteral("it cannot be read: ") + QString::fromLocal8Bit(std::strerror(error));
}
} // namespace

QString problem(const QString& lockPath, bool emptyIsProblem)
{
    const QByteArray name = QFile::encodeName(lockPath);
    struct stat st {};
    // Nothing there, or a folder that cannot be reached: the lock and the
    // files fail to be made and say why.
    if (::lstat(name.constData(), &st) != 0)
        return QString();
    const QString kind = kindOf(st.st_mode);
    if (!kind.isEmpty())
        return kind;
    if (st.st_size > kMaxBytes)
        return kTooLarge;
    // Whatever was swapped in since: no link is followed, no FIFO waited for.
    const int fd = ::open(name.constData(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd < 0)
        return errno == ENOENT ? QString() : errno == ELOOP ? kindOf(S_IFLNK) : unreadable(errno);
    QByteArray bytes(int(kMaxBytes) + 1, '\0');
    qint64 total = 0;
    QString why;
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        why = QStringLiteral("it is not a regular file");
    } else {
        while (total < bytes.size()) {
            const ssize_t n = ::read(fd, bytes.data() + total, size_t(bytes.size() - total));
            if (n < 0 && errno == EINTR)
                continue;
            if (n < 0) {
                why = unreadable(errno);
                break;
            }
            if (n == 0)
                break;
            total += n;
        }
    }
    ::close(fd);
    if (!why.isEmpty())
        return why;
    if (total > kMaxBytes)
        return kTooLarge;
    bytes.truncate(int(total));
    return judge(bytes, emptyIsProblem);
}
#else
QString problem(const QString& lockPath, bool emptyIsProblem)
{
    const QFileInfo info(lockPath);
    if (info.isSymLink())
        return QStringLiteral("it is a symbolic link");
    if (!info.exists())
        return QString();
    if (info.isDir())
        return QStringLiteral("it is a folder");
    if (!info.isFile())
        return QStringLiteral("it is not a regular file");
    if (info.size() > kMaxBytes)
        return kTooLarge;
    QFile file(lockPath);
    if (!file.open(QIODevice::ReadOnly))
        return file.exists() ? QStringLiteral("it cannot be read: ") + file.errorString() : QString();
    const QByteArray bytes = file.read(kMaxBytes + 1);
    return bytes.size() > kMaxBytes ? kTooLarge : judge(bytes, emptyIsProblem);
}
#endif

} // namespace LockFileCheck
