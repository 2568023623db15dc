#pragma once

#include <QString>
#include <QStringList>

// One record of an import file in the words of this program's own layout:
// memory number, frequency (with the user's decimal mark), mode, shift,
// encoding ("CTCSS ENC", "CTCSS ENC+DEC" or none), tone and description,
// each as read, untrimmed. A record of another layout also carries what its
// reading had to change, for the pre-check to report.
struct CsvRecord {
    QString memory;
    QString freq;
    QString mode;
    QString shift;
    QString encoding;
    QString tone;
    QString description;
    QStringList changes;
};
