// SPDX-License-Identifier: GPL-3.0-or-later
#include "DescriptionFile.h"

#include "MemoryFile.h"
#include "io/SafeFileWriter.h"
#include "io/TextFileReader.h"
#include "state/AppState.h"
#include "state/GridLayout.h"
#include "state/Settings.h"

#include <QFile>
#include <QFileInfo>
#include <cmath>

namespace DescriptionFile {

QString pathFor(const QString& path)
{
    if (MemoryFile::endsWithDescriptionExtension(path))
        return path;
    if (MemoryFile::endsWithMemoryExtension(path))
        return path + QLatin1String(MemoryFile::kDescriptionSuffix);
    return {};
}

Line parseLine(const QString& line)
{
    Line fields;
    const int comma = int(line.indexOf(QLatin1Char(',')));
    if (comma < 0) {
        fields.number = line.trimmed();
        return fields;
    }
    fields.number = line.left(comma).trimmed();
    const QString rest = line.mid(comma + 1);
    const int open = int(rest.indexOf(QLatin1Char('"')));
    if (open >= 0 && rest.left(open).trimmed().isEmpty()) {
        const int close = int(rest.indexOf(QLatin1Char('"'), open + 1));
        fields.text = close < 0 ? rest.mid(open + 1) : rest.mid(open + 1, close - open - 1);
    } else {
        fields.text = rest.section(QLatin1Char(','), 0, 0).trimmed();
    }
    return fields;
}

int widthOf(const QString& text, int fallbackWidth)
{
    QString t = text.trimmed();
    t.replace(QLatin1Char(','), QLatin1Char('.'));
    bool ok = false;
    const double value = t.toDouble(&ok);
    // A width must be a usable size; anything else takes the designed width.
    if (!ok || !std::isfinite(value) || value < 0 || value > 1000000)
        return fallbackWidth;
    return int(std::lround(value));
}

int fallbackWidth(const Settings& settings)
{
    return 3 * GridLayout::gridSize(settings.get(Keys::GridSize)).numberColumnWidth;
}

void apply(const QStringList& lines, AppState& state, int fallback)
{
    if (lines.isEmpty())
        return;
    state.setDescriptionColumnWidth(widthOf(parseLine(lines.first()).text, fallback));
    ChannelTable& memories = state.tables().memories;
    for (int row = 1; row <= memories.rowCount() && row < lines.size(); ++row) {
        Channel channel = memories.channel(row);
        channel.description = parseLine(lines.at(row)).text;
        memories.setChannel(row, channel);
    }
}

QString load(const QString& path, AppState& state, const Settings& settings)
{
    const QString file = pathFor(path);
    if (file.isEmpty())
        return QString();
    // A FIFO in its place would block for good; it is named, not opened.
    const QString problem = SafeFileWriter::pathProblem(file);
    if (!problem.isEmpty() && QFileInfo::exists(file))
        return problem;
    QFile device(file);
    TextFileReader reader;
    if (!device.open(QIODevice::ReadOnly) || !reader.read(device))
        return reader.tooLarge() ? reader.errorText() : QString();
    apply(reader.lines(), state, fallbackWidth(settings));
    return QString();
}

QStringList compose(const AppState& state)
{
    QStringList lines;
    lines << QStringLiteral("0,\"%1\"").arg(state.descriptionColumnWidth());
    const ChannelTable& memories = state.tables().memories;
    for (int row = 1; row <= memories.rowCount(); ++row) {
        QString text = memories.channel(row).description;
        // A quote or line break would end the field or the line early on
        // reading and lose the rest of the text.
        text.replace(QLatin1Char('"'), QLatin1Char(' '));
        text.replace(QLatin1Char('\r'), QLatin1Char(' '));
        text.replace(QLatin1Char('\n'), QLatin1Char(' '));
        lines << QStringLiteral("%1,\"%2\"").arg(row).arg(text);
    }
    return lines;
}

} // namespace DescriptionFile
