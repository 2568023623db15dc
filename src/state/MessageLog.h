// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>
#include <QString>

// The program's message log: trace lines (flag "Y", written only while the
// trace option is on) and notice lines (always written). The text is kept
// here; the log window shows it and a command-line run copies each line to
// stderr.
class MessageLog : public QObject {
    Q_OBJECT
public:
    // Past this many characters the next line starts a fresh text.
    static constexpr int kSizeLimit = 64000;

    explicit MessageLog(QObject* parent = nullptr);

    void log(const QString& message, const QString& flag = QString());
    void trace(const QString& message) { log(message, QStringLiteral("Y")); }
    void notice(const QString& message) { log(message); }

    bool traceEnabled() const { return m_trace; }
    void setTraceEnabled(bool on) { m_trace = on; }

    QString text() const { return m_text; }
    void clear();

    // The copy stamp line: "Copied to Clipboard <date> <time> Quaystone Vx.y.z".
    static QString copyStamp();

signals:
    // A line was appended; cleared is true when the size limit emptied the text first.
    void lineAdded(const QString& line, bool cleared);
    void textCleared();

private:
    QString m_text;
    bool m_trace = false;
};
