// SPDX-License-Identifier: GPL-3.0-or-later
#include "PrintOptions.h"

#include "state/Settings.h"

namespace {

struct Margin {
    const char* caption;
    int twips;
};

constexpr Margin kMargins[] = {
    {"Minimum", 0}, {"1/4 inch", 160}, {"1/2 inch", 520}, {"3/4 inch", 880}, {"1 inch", 1240},
};
constexpr int kOtherMargin = 1240;

constexpr int kLabelWidths[7] = {0, 10, 6, 7, 9, 6, 15};

} // namespace

PrintOptions PrintOptions::load(const Settings& settings)
{
    PrintOptions options;
    for (int column = kFirstColumn; column <= kLastColumn; ++column)
        options.columns[column] = settings.getInt(Keys::PrintCol[column]) != 0;
    options.landscape = settings.getBool(Keys::Landscape);
    options.duplex = settings.getBool(Keys::Duplex);
    options.topMargin = settings.get(Keys::TopMargin);
    return options;
}

bool PrintOptions::save(Settings& settings) const
{
    Settings::Batch batch(settings);
    for (int column = kFirstColumn; column <= kLastColumn; ++column)
        settings.setInt(Keys::PrintCol[column], columns[column] ? 1 : 0);
    settings.setBool(Keys::Landscape, landscape);
    settings.setBool(Keys::Duplex, duplex);
    settings.set(Keys::TopMargin, topMargin);
    return batch.end();
}

QStringList PrintOptions::marginCaptions()
{
    QStringList captions;
    for (const Margin& margin : kMargins)
        captions << QString::fromLatin1(margin.caption);
    return captions;
}

int PrintOptions::marginTwips(const QString& caption)
{
    for (const Margin& margin : kMargins) {
        if (caption == QLatin1String(margin.caption))
            return margin.twips;
    }
    return kOtherMargin;
}

int PrintOptions::labelWidth(int column)
{
    return column >= kFirstColumn && column <= kLastColumn ? kLabelWidths[column] : 0;
}

int PrintOptions::labelWidthSum() const
{
    int sum = 0;
    for (int column = kFirstColumn; column <= kLastColumn; ++column) {
        if (columns[column])
            sum += labelWidth(column);
    }
    return sum;
}

QString PrintOptions::widthLabel() const
{
    return QStringLiteral("Width=") + QString::number(labelWidthSum());
}

bool PrintOptions::operator==(const PrintOptions& other) const
{
    for (int column = kFirstColumn; column <= kLastColumn; ++column) {
        if (columns[column] != other.columns[column])
            return false;
    }
    return landscape == other.landscape && duplex == other.duplex && topMargin == other.topMargin;
}
