// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <functional>

// Lets pending events run while the link waits for the radio. The window
// installs one that processes its events; the command line and tests use
// none or one that counts calls. Core never depends on QApplication.
using EventYield = std::function<void()>;
