#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Builds Quaystone and starts the window. With no arguments it talks to a
# simulated radio started inside the program (--simulate); other arguments
# go to the program (a memory file, --device PATH, ...). "run.sh cli ..."
# builds and runs the command-line program instead.
set -euo pipefail
cd "$(dirname "$0")/.."
. scripts/deps.sh
quaystone_ensure_packages

build=${QUAYSTONE_BUILD_DIR:-build}
cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
if [ "${1:-}" = "cli" ]; then
    shift
    cmake --build "$build" -j "$(quaystone_jobs)" --target quaystone-cli
    [ $# -eq 0 ] && set -- --help
    exec "$build/src/cli/quaystone-cli" "$@"
fi
cmake --build "$build" -j "$(quaystone_jobs)" --target quaystone
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ] && [ -z "${QT_QPA_PLATFORM:-}" ]; then
    echo "Quaystone is a desktop program: run this from a desktop session (X11 or Wayland)," >&2
    echo "or under a virtual display: xvfb-run -a bash scripts/run.sh" >&2
    exit 1
fi
[ $# -eq 0 ] && set -- --simulate
exec "$build/src/app/quaystone" "$@"
