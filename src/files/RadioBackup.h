// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDateTime>
#include <QString>
#include <QStringList>

// The radio's own copy of the channels a write is about to replace, kept in a
// memory file (with a description file of empty descriptions) in a folder,
// so that a mistaken write can be undone by opening it and writing it back.
// The file is created at the first channel and rewritten in full, through a
// save file, with each channel added: whatever happens to the write later,
// every channel it replaced is already on disk.
class RadioBackup {
public:
    // folder: where the files go (made when missing); descriptionWidth: the
    // description column's width the description file states; when: the time
    // the name carries.
    RadioBackup(const QString& folder, int descriptionWidth,
                const QDateTime& when = QDateTime::currentDateTime());

    // "Radio backup 2026-12-06 2359.950" for that minute.
    static QString fileNameFor(const QDateTime& when);

    // Adds the radio's memory reply (or its memory-write form) and writes the
    // file; false, with errorText() saying why, when it could not be written.
    bool add(const QString& reply);

    QString path() const { return m_path; }
    int count() const { return m_lines.size(); }
    QString errorText() const { return m_error; }

private:
    bool create();
    bool writeDescriptions(const QString& path);
    bool writeFile(const QString& path, const QStringList& lines);

    QString m_folder;
    int m_descriptionWidth;
    QDateTime m_when;
    QString m_path;
    QStringList m_lines;
    QString m_error;
};
