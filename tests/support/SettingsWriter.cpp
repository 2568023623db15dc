// SPDX-License-Identifier: GPL-3.0-or-later
// FOLDER PREFIX COUNT: saves PREFIX1..PREFIXCOUNT in FOLDER's settings file, one save each.
#include "state/Settings.h"

#include <QCoreApplication>

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    SettingsStore store(QString::fromLatin1(Settings::kApplication), args.value(1));
    bool saved = args.size() == 4;
    for (int i = 1; saved && i <= args.at(3).toInt(); ++i)
        saved = store.setValue(QLatin1String(Settings::kSection), args.at(2) + QString::number(i),
                               QStringLiteral("x"));
    return saved ? 0 : 1;
}
