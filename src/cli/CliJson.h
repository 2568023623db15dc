// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>

class ChannelTables;

// The 118 slots as one JSON document, for scripts: {"slots": [...]}, each
// slot with its sequence position, label, table, frequency in hertz (null
// for an empty slot), mode, shift, encoding, tone and description.
namespace CliJson {
QByteArray slotsDocument(const ChannelTables& tables);
} // namespace CliJson
