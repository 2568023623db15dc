#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>
#include <random>

// Hostile variants of valid input, reproducible from a seed: the kinds of
// damage files and serial lines really suffer (a changed or lost byte, a cut
// end, a doubled field, stray separators, quotes, line ends and NULs,
// numbers far too large) plus plain random bytes.
class Mutator {
public:
    // Every test uses this base; the case number is added to it, and both
    // are printed when a case fails so that it can be run again alone.
    static constexpr quint32 kBaseSeed = 20261207;

    explicit Mutator(quint32 seed) : m_rng(seed) {}

    int below(int n) { return n <= 0 ? 0 : int(m_rng() % quint32(n)); }
    bool chance(int percent) { return below(100) < percent; }

    QByteArray randomBytes(int maxLength)
    {
        QByteArray out(below(maxLength + 1), '\0');
        for (char& c : out)
            c = char(below(256));
        return out;
    }

    // One to four damages applied to valid.
    QByteArray mutate(QByteArray bytes)
    {
        static const QList<QByteArray> inserts{
            ";",    ",",        "\"",   "\r", "\n", "\r\n", QByteArray(1, '\0'),    ".",           "-",
            "+",    " ",        "\t",   "=",  "[",  "]",    "99999999999999999999", "-2147483649", "1e308",
            "\xC3", "\xFF\xFE", "Empty"};
        for (int n = 1 + below(4); n > 0; --n) {
            const int at = below(int(bytes.size()) + 1);
            switch (below(7)) {
            case 0: // changed byte
                if (!bytes.isEmpty())
                    bytes[qMin(at, int(bytes.size()) - 1)] = char(below(256));
                break;
            case 1: // cut short
                bytes.truncate(at);
                break;
            case 2: // a slice doubled
                bytes.insert(at, bytes.mid(at, 1 + below(12)));
                break;
            case 3: // a slice lost
                bytes.remove(at, 1 + below(6));
                break;
            case 4: // a digit becomes another character
                for (int i = at; i < bytes.size(); ++i) {
                    if (bytes.at(i) >= '0' && bytes.at(i) <= '9') {
                        bytes[i] = "9A ;-.,"[below(7)];
                        break;
                    }
                }
                break;
            default:
                bytes.insert(at, inserts.at(below(int(inserts.size()))));
                break;
            }
        }
        return bytes;
    }

    QString mutate(const QString& valid) { return QString::fromLatin1(mutate(valid.toLatin1())); }

    // valid, damaged in one randomly chosen line (or, now and then, with a
    // line of random bytes added); *changed receives that line's index.
    QStringList mutateOneLine(QStringList lines, int* changed)
    {
        if (lines.isEmpty() || chance(10)) {
            *changed = below(int(lines.size()) + 1);
            lines.insert(*changed, QString::fromLatin1(randomBytes(40)));
            return lines;
        }
        *changed = below(int(lines.size()));
        lines[*changed] = mutate(lines.at(*changed));
        return lines;
    }

private:
    std::mt19937 m_rng;
};

// For SCOPED_TRACE: the seed of a case and the input it was given.
inline std::string caseTrace(quint32 seed, const QByteArray& input)
{
    return "seed " + std::to_string(seed) + ", input (hex) " + input.toHex().toStdString();
}
