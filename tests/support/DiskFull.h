// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
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
