// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

enum ExitStatus { ExitOk = 0, ExitFailed = 1, ExitUsage = 2, ExitPartial = 3 };
