// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "model/ChannelTables.h"
#include "model/ChannelText.h"
#include "model/Frequency.h"
#include "state/Prompter.h"

#include <QByteArray>
#include <QLocale>
#include <QRegularExpression>
#include <cstdio>
#include <cstdlib>

// What the harnesses share: the invariants every parser keeps, checked
// with an abort so that libFuzzer keeps the input that broke one.
namespace FuzzSupport {

inline void check(bool ok, const char* what)
{
    if (!ok) {
        std::fprintf(stderr, "invariant broken: %s\n", what);
        std::abort();
    }
}

// The first byte picks the decimal mark, so both are fuzzed.
inline void chooseDecimalMark(const QByteArray& data)
{
    QLocale::setDefault(!data.isEmpty() && (data.at(0) & 1)
                            ? QLocale(QLocale::German, QLocale::Germany)
                            : QLocale(QLocale::English, QLocale::UnitedStates));
}

// A channel as cell entry would make it: 10 Hz steps, vocabulary codes.
inline Channel channelOf(qint32 steps, QChar mode, const QString& description = {})
{
    Channel channel;
    channel.present = true;
    channel.hertz = qint64(steps) * 10;
    channel.mode = mode;
    channel.shift = QLatin1Char('0');
    channel.tone = 0;
    channel.description = description;
    return channel;
}

inline bool wellFormedFreq(const QString& freq, bool pms)
{
    const QString mark = QRegularExpression::escape(Frequency::decimalMark());
    const QRegularExpression pattern(QStringLiteral("^\\d{1,3}") + mark +
                                     (pms ? QStringLiteral("\\d{5,6}$") : QStringLiteral("\\d{5}$")));
    return pattern.match(freq).hasMatch();
}

inline void checkTables(const ChannelTables& tables)
{
    check(tables.memories.channels().size() == 100 && tables.pms.channels().size() == 18, "table shape");
    for (const ChannelTable* table : {&tables.memories, &tables.pms}) {
        for (int row = 1; row <= table->rowCount(); ++row) {
            check(ChannelText::rowFields(*table, row).size() == table->columnCount(), "row shape");
            if (!table->isEmptyRow(row))
                check(wellFormedFreq(ChannelText::cell(*table, row, Column::kFreq), table == &tables.pms),
                      "well-formed Freq");
        }
    }
}

// Says yes to every question and hands over one file.
class YesPrompter : public Prompter {
public:
    QString file;
    Answer ask(const QString&, Buttons, Icon, const QString&) override { return Answer::Yes; }
    std::optional<QString> inputText(const QString&, const QString&, const QString&) override { return {}; }
    QString chooseOpenFile(const QString&, const QString&, const QString&) override { return file; }
    QString chooseSaveFile(const QString&, const QString&, const QString&, const QString&) override
    {
        return {};
    }
    QString chooseFolder(const QString&, const QString&) override { return {}; }
};

} // namespace FuzzSupport
