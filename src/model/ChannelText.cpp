// SPDX-License-Identifier: GPL-3.0-or-later
#include "ChannelText.h"

#include "ChannelTable.h"
#include "Frequency.h"
#include "Vocabulary.h"

namespace ChannelText {

QString frequency(const Channel& channel, TableKind table)
{
    if (!channel.present)
        return QString::fromLatin1(Vocabulary::kEmptyMarker);
    return table == TableKind::Pms && channel.hertzFromRadio ? Frequency::formatHz6(channel.hertz)
                                                             : Frequency::formatHz5(channel.hertz);
}

QString mode(const Channel& channel)
{
    return channel.mode.isNull() ? QString() : Vocabulary::modeName(channel.mode);
}

QString shift(const Channel& channel)
{
    return channel.shift.isNull() ? QString() : Vocabulary::shiftName(channel.shift);
}

QString encoding(const Channel& channel)
{
    return channel.encoding == QLatin1Char(' ') ? QStringLiteral(" ")
                                                : Vocabulary::encodingName(channel.encoding);
}

QString tone(const Channel& channel)
{
    return Vocabulary::toneTable().value(channel.tone);
}

QString cell(const ChannelTable& table, int row, int column)
{
    if (row == 0)
        return ChannelTable::headerText(table.kind(), column);
    if (row < 1 || row > table.rowCount() || column < 0 || column >= table.columnCount())
        return {};
    const Channel channel = table.channel(row);
    switch (column) {
    case Column::kLabel:
        return ChannelMap::slotLabel(table.kind(), row);
    case Column::kFreq:
        return frequency(channel, table.kind());
    case Column::kMode:
        return mode(channel);
    case Column::kShift:
        return shift(channel);
    case Column::kEncDec:
        return encoding(channel);
    case Column::kTone:
        return tone(channel);
    default:
        return channel.description;
    }
}

QStringList rowFields(const ChannelTable& table, int row)
{
    QStringList fields;
    if (row < 1 || row > table.rowCount())
        return fields;
    for (int column = 0; column < table.columnCount(); ++column)
        fields << cell(table, row, column);
    return fields;
}

std::optional<QChar> modeOf(const QString& text)
{
    if (text.isEmpty())
        return QChar();
    const QChar code = Vocabulary::modeCode(text);
    return code.isNull() ? std::nullopt : std::optional<QChar>(code);
}

std::optional<QChar> shiftOf(const QString& text)
{
    if (text.isEmpty())
        return QChar();
    const QChar code = Vocabulary::shiftCode(text);
    return Vocabulary::shiftName(code) == text ? std::optional<QChar>(code) : std::nullopt;
}

std::optional<QChar> encodingOf(const QString& text)
{
    if (text == QLatin1String(" "))
        return QLatin1Char(' ');
    const QChar code = Vocabulary::encodingCode(text);
    return Vocabulary::encodingName(code) == text ? std::optional<QChar>(code) : std::nullopt;
}

std::optional<int> toneOf(const QString& text)
{
    if (text.isEmpty())
        return -1;
    const int index = Vocabulary::toneIndex(text);
    return index < 0 ? std::nullopt : std::optional<int>(index);
}

} // namespace ChannelText
