// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QChar>
#include <QString>
#include <QStringList>

// The CSV field separator in force and the type of the last header record
// identified, with the two line routines every CSV record passes through.
// One object is shared by export and import for the whole run: the
// separator an import finds stays in force until the next export or import.
class CsvHeader {
public:
    // The programs whose CSV headers are recognised; Plainsong (this
    // program's own layout) and Common (the channel list other channel
    // editors pass around, recognised by its column names) are imported.
    enum class Type {
        Unknown,
        Plainsong,
        Common,
        Coldharbour,
        Rookhaven,
        Dunmore,
        Larkspur,
        Glenholm,
        Eastgate,
        Farrowby,
        Bramblett,
        Corrigan,
    };

    CsvHeader();

    // "," when the decimal mark is ".", ";" otherwise.
    static QChar defaultSeparator();
    QChar separator() const { return m_separator; }
    void setSeparator(QChar separator) { m_separator = separator; }
    // Back to the default; with tab the separator becomes the Tab character.
    void resetSeparator(bool tab = false);

    // Double quotes become spaces, and so does every separator between an
    // opening and a closing quote; with removeSpaces every space is then
    // deleted.
    QString CleanLine(const QString& line, bool removeSpaces) const;

    // The n-th field (from 1), untrimmed; "" when the line has fewer fields.
    // With convert the decimal mark is adapted to the user's.
    QString GetField(const QString& line, int n, bool convert) const;
    // A number written with "." or "," adapted to the user's decimal mark, as
    // GetField's convert does under the separator in force.
    QString adaptDecimal(QString field) const;

    // The fields of a raw record, untrimmed: the quotes CleanLine blanks out
    // delimit fields here, so a quoted field keeps its separators, and a
    // doubled quote inside one stands for a quote.
    QStringList splitFields(const QString& line) const;

    // Classifies a normalised header line, setting the separator it uses.
    // True unless the type is Unknown.
    bool IdentifyHeader(const QString& header);
    Type headerType() const { return m_type; }
    // Where the last identified header has a column of this name (compared
    // without regard to case); -1 when it has none.
    int column(const QString& name) const;

    static QString typeName(Type type);

private:
    QChar m_separator;
    Type m_type = Type::Unknown;
    QStringList m_columns; // the last header's column names, in upper case
};
