#pragma once

#include <QIODevice>

// A write-only device that passes bytes on to a target device until a limit
// is reached and then fails, as a full disk or a pulled stick would. The
// target may be null: the bytes are then only counted.
class FailingDevice : public QIODevice {
public:
    FailingDevice(QIODevice* target, qint64 failAfter) : m_target(target), m_limit(failAfter)
    {
        open(QIODevice::WriteOnly);
    }

    qint64 written() const { return m_written; }

protected:
    qint64 readData(char*, qint64) override { return -1; }
    qint64 writeData(const char* data, qint64 size) override
    {
        const qint64 room = m_limit - m_written;
        if (room <= 0) {
            setErrorString(QStringLiteral("No space left on device"));
            return -1;
        }
        const qint64 n = qMin(room, size);
        if (m_target && m_target->write(data, n) != n)
            return -1;
        m_written += n;
        return n;
    }

private:
    QIODevice* m_target;
    qint64 m_limit;
    qint64 m_written = 0;
};
