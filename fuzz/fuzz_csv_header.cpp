// SPDX-License-Identifier: GPL-3.0-or-later
// CSV header identification and the line routines: a known header sets a
// known separator; cleaned lines hold no quotes; no field holds the separator;
// a split record has as many fields as its cleaned line.
// Converting a field adapts its decimal mark only; a line cleaned for
// identification holds no spaces.
#include "FuzzSupport.h"
#include "files/CsvHeader.h"

using namespace FuzzSupport;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char*>(data), int(size));
    chooseDecimalMark(bytes);
    const QString line = QString::fromUtf8(bytes);
    CsvHeader csv;
    const bool known = csv.IdentifyHeader(csv.CleanLine(line, true));
    check(known == (csv.headerType() != CsvHeader::Type::Unknown), "identified type");
    const QChar sep = csv.separator();
    check(sep == QLatin1Char(',') || sep == QLatin1Char(';') || sep == QLatin1Char('\t'), "separator");
    const QString cleaned = csv.CleanLine(line, false);
    check(!cleaned.contains(QLatin1Char('"')), "quote left in a cleaned line");
    check(!csv.CleanLine(line, true).contains(QLatin1Char(' ')), "space left in an identification line");
    // Splitting and cleaning read the quotes alike: the separators cleaning keeps are the splits.
    check(csv.splitFields(line).size() == cleaned.count(sep) + 1, "splitting and cleaning disagree");
    for (int n = 1; n <= 14; ++n) {
        const QString raw = csv.GetField(cleaned, n, false);
        check(!raw.contains(sep), "separator inside a field");
        QString converted = csv.GetField(cleaned, n, true);
        converted.replace(QLatin1Char(','), QLatin1Char('.'));
        check(converted == QString(raw).replace(QLatin1Char(','), QLatin1Char('.')),
              "conversion changed more than the mark");
    }
    return 0;
}
