#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Builds the core, the command line and their tests without Qt Widgets
# (-DQUAYSTONE_GUI=OFF) and runs those tests: the core must never need a widget.
set -euo pipefail
cd "$(dirname "$0")/.."
. scripts/deps.sh
quaystone_ensure_packages

build=${QUAYSTONE_CORE_DIR:-build-core}
werror=OFF
[ "${CI:-}" = "true" ] && werror=ON
cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DQUAYSTONE_GUI=OFF -DQUAYSTONE_WERROR=$werror
cmake --build "$build" -j "$(quaystone_jobs)"
if ldd "$build/src/cli/quaystone-cli" | grep -q 'libQt6\(Widgets\|Gui\)'; then
    echo "the command line of the Widgets-off build links a GUI library" >&2
    exit 1
fi
ctest --test-dir "$build" --output-on-failure -j "$(quaystone_jobs)"
