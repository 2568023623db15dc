// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

#include <optional>

class Settings;

// What the CAT link needs to reach the radio: which device, at what speed,
// with or without handshake, and where the rate search starts.
struct LinkOptions {
    int portNumber = 1;
    // The device to open; the port directory's device for portNumber, or
    // one named for this run (then messages name it instead of the number).
    QString device;
    bool deviceNamed = false;
    QString userSpeed = QStringLiteral("38400,N,8,2");
    bool noRts = false;
    // The line settings at which the radio last answered: the rate search tries it first.
    QString rememberedSpeed;

    // What a run may choose instead of the stored choice; unset parts come from the settings.
    struct Overrides {
        std::optional<int> portNumber;
        QString device;    // names a device for this run (wins over portNumber)
        QString userSpeed; // a line settings text
        std::optional<bool> noRts;
    };

    // The stored port, speed, RTS option and remembered rate, with the
    // overrides of this run. The window and the command line both build
    // their link options here.
    static LinkOptions fromSettings(const Settings& settings, const Overrides& overrides = {});
    // Keeps the rate the radio last answered at for the next rate search.
    static void rememberAnsweredRate(Settings& settings, const QString& lineSettings);
};
