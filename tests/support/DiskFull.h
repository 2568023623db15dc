// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QString>
#include <csignal>
#include <sys/mount.h>
#include <sys/resource.h>
#include <unistd.h>

// While in scope, the operating system refuses to grow any file of this
// process (and of the processes it starts) past `bytes`: writes fail with
// EFBIG, as on a full disk. SIGXFSZ is ignored so the write fails instead of
// the process ending; both are restored afterwards.
class FileSizeLimit {
public:
    explicit FileSizeLimit(rlim_t bytes)
    {
        getrlimit(RLIMIT_FSIZE, &m_old);
        m_oldHandler = std::signal(SIGXFSZ, SIG_IGN);
        rlimit limit = m_old;
        limit.rlim_cur = bytes;
        setrlimit(RLIMIT_FSIZE, &limit);
    }
    ~FileSizeLimit()
    {
        setrlimit(RLIMIT_FSIZE, &m_old);
        std::signal(SIGXFSZ, m_oldHandler);
    }
    FileSizeLimit(const FileSizeLimit&) = delete;
    FileSizeLimit& operator=(const FileSizeLimit&) = delete;

private:
    rlimit m_old{};
    void (*m_oldHandler)(int) = nullptr;
};

// A tmpfs of 16 KB mounted on a folder, for a real file system that runs out
// of space. Only root may mount; mounted() is false where mounting is
// refused, and callers skip.
class TinyTmpfs {
public:
    explicit TinyTmpfs(const QString& folder) : m_folder(folder)
    {
        QDir().mkpath(folder);
        m_mounted = geteuid() == 0 &&
                    mount("tmpfs", QFile::encodeName(folder).constData(), "tmpfs", 0, "size=16k") == 0;
    }
    ~TinyTmpfs()
    {
        if (m_mounted)
            umount2(QFile::encodeName(m_folder).constData(), MNT_DETACH);
    }
    TinyTmpfs(const TinyTmpfs&) = delete;
    TinyTmpfs& operator=(const TinyTmpfs&) = delete;

    bool mounted() const { return m_mounted; }
    // Fills what space is left with a file of its own.
    void fill() const
    {
        QFile filler(m_folder + QStringLiteral("/.filler"));
        if (!filler.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
            return;
        const QByteArray block(512, 'x');
        while (filler.write(block) == block.size()) {
        }
    }

private:
    QString m_folder;
    bool m_mounted = false;
};

// While in scope, a folder is a read-only mount of itself: the one way to
// make a folder read-only for root, whom permissions do not stop.
class ReadOnlyBind {
public:
    explicit ReadOnlyBind(const QString& folder) : m_path(QFile::encodeName(folder))
    {
        m_mounted =
            geteuid() == 0 && mount(m_path.constData(), m_path.constData(), nullptr, MS_BIND, nullptr) == 0;
        if (m_mounted &&
            mount(nullptr, m_path.constData(), nullptr, MS_REMOUNT | MS_BIND | MS_RDONLY, nullptr) != 0) {
            umount2(m_path.constData(), MNT_DETACH);
            m_mounted = false;
        }
    }
    ~ReadOnlyBind()
    {
        if (m_mounted)
            umount2(m_path.constData(), MNT_DETACH);
    }
    ReadOnlyBind(const ReadOnlyBind&) = delete;
    ReadOnlyBind& operator=(const ReadOnlyBind&) = delete;
    bool mounted() const { return m_mounted; }

private:
    QByteArray m_path;
    bool m_mounted = false;
};
