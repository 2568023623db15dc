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
    // The programs whose CSV headers are recognised; only Plainsong (this
    // program's own layout) is imported.
    enum class Type {
        Unknown,
        Plainsong,
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

    // Classifies a normalised header line, setting the separator it uses.
    // True unless the type is Unknown.
    bool IdentifyHeader(const QString& header);
    Type headerType() const { return m_type; }

    static QString typeName(Type type);

private:
    QChar m_separator;
    Type m_type = Type::Unknown;
};
