// SPDX-License-Identifier: GPL-3.0-or-later
#include "Vocabulary.h"

namespace Vocabulary {
namespace {
struct Entry {
    const char* name;
    char code;
};

constexpr Entry kModes[] = {{"LSB", '1'},  {"USB", '2'}, {"CW", '3'},   {"FM", '4'},
                            {"AM", '5'},   {"RTYL", '6'}, {"CWR", '7'},  {"USRL", '8'},
                            {"RTYU", '9'}, {"FMN", 'B'}, {"USRU", 'C'}};
} // namespace

const QStringList& modeNames()
{
    static const QStringList names = [] {
        QStringList list;
        for (const Entry& e : kModes)
            list << QString::fromLatin1(e.name);
        return list;
    }();
    return names;
}

QChar modeCode(const QString& name)
{
    for (const Entry& e : kModes) {
        if (name == QLatin1String(e.name))
            return QLatin1Char(e.code);
    }
    return {};
}

QString modeName(QChar code)
{
    for (const Entry& e : kModes) {
        if (code == QLatin1Char(e.code))
            return QString::fromLatin1(e.name);
    }
    return QString::fromLatin1(kUnknownMode);
}

QChar shiftCode(const QString& name)
{
    if (name == QLatin1String("Minus"))
        return QLatin1Char('2');
    if (name == QLatin1String("Plus"))
        return QLatin1Char('1');
    return QLatin1Char('0');
}

QString shiftName(QChar code)
{
    switch (code.unicode()) {
    case '0':
        return QStringLiteral("Simplex");
    case '1':
        return QStringLiteral("Plus");
    case '2':
        return QStringLiteral("Minus");
    default:
        return QString::fromLatin1(kUnknownCode);
    }
}

QChar encodingCode(const QString& name)
{
    if (name == QLatin1String("CTCSS Enc"))
        return QLatin1Char('2');
    if (name == QLatin1String("CTCSS Enc+Dec"))
        return QLatin1Char('1');
    return QLatin1Char('0');
}

QString encodingName(QChar code)
{
    switch (code.unicode()) {
    case '0':
        return QString();
    case '1':
        return QStringLiteral("CTCSS Enc+Dec");
    case '2':
        return QStringLiteral("CTCSS Enc");
    default:
        return QString::fromLatin1(kUnknownCode);
    }
}

bool hasTone(const QString& encoding)
{
    return encodingCode(encoding) != QLatin1Char('0');
}

const QStringList& toneTable()
{
    static const QStringList tones = {
        "67.0",  "69.3",  "71.9",  "74.4",  "77.0",  "79.7",  "82.5",  "85.4",  "88.5",  "91.5",
        "94.8",  "97.4",  "100.0", "103.5", "107.2", "110.9", "114.8", "118.8", "123.0", "127.3",
        "131.8", "136.5", "141.3", "146.2", "151.4", "156.7", "159.8", "162.2", "165.5", "167.9",
        "171.3", "173.8", "177.3", "179.9", "183.5", "186.2", "189.9", "192.8", "196.6", "199.5",
        "203.5", "206.5", "210.7", "218.1", "225.7", "229.1", "233.6", "241.8", "250.3", "254.1"};
    return tones;
}

int toneIndex(const QString& text)
{
    return toneTable().indexOf(text);
}

QString toneChoiceList()
{
    return toneTable().join(QLatin1Char('|')) + QLatin1Char('|');
}

} // namespace Vocabulary
