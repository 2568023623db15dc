// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

// Linux names each USB serial adapter under /dev/serial/by-id/ after its
// maker, model and serial number. Unlike /dev/ttyUSB0, that name stays the
// same whichever socket the cable is in and whatever else is plugged in, so
// it is the name worth showing and storing.
class SerialByIdNames {
public:
    static QString defaultFolder();

    // The name in folder whose link leads to device, as folder + "/" + name;
    // empty when none does, when device does not exist, or when device is
    // itself a name in folder. The first name in file-name order wins.
    static QString stableName(const QString& device, const QString& folder = defaultFolder());
};
