// SPDX-License-Identifier: GPL-3.0-or-later
#include "LinkOptions.h"

#include "PortDirectory.h"
#include "state/Settings.h"

LinkOptions LinkOptions::fromSettings(const Settings& settings, const Overrides& overrides)
{
    LinkOptions options;
    options.rememberedSpeed = settings.get(Keys::LastCommSpeed).trimmed();
    options.portNumber = overrides.portNumber.value_or(settings.getInt(Keys::CommPort, 1));
    options.userSpeed =
        overrides.userSpeed.isEmpty() ? settings.get(Keys::UserCommSpeed).trimmed() : overrides.userSpeed;
    options.noRts = overrides.noRts.value_or(settings.getBool(Keys::RTS));
    if (overrides.device.isEmpty()) {
        options.device = PortDirectory(settings).device(options.portNumber);
    } else {
        options.device = overrides.device;
        options.deviceNamed = true;
    }
    return options;
}

void LinkOptions::rememberAnsweredRate(Settings& settings, const QString& lineSettings)
{
    if (!lineSettings.isEmpty() && settings.get(Keys::LastCommSpeed).trimmed() != lineSettings)
        settings.set(Keys::LastCommSpeed, lineSettings);
}
