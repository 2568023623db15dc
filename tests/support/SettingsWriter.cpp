// SPDX-License-Identifier: GPL-3.0-or-later
// Saves the keys <prefix>1 to <prefix><count> into the settings file in
// <folder>, each as a save of its own: one of the programs of the test that
// several programs saving the same file at once lose none of each other's keys.
#include "state/Settings.h"

#include <QCoreApplication>

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() != 4)
        return 2;
    SettingsStore store(QString::fromLatin1(Settings::kApplication), args.at(1));
    int failed = 0;
    for (int i = 1; i <= args.at(3).toInt(); ++i)
        failed += store.setValue(QString::fromLatin1(Settings::kSection), args.at(2) + QString::number(i),
                                 QString::number(i))
                      ? 0
                      : 1;
    return failed > 0 ? 1 : 0;
}
