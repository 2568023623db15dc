#!/usr/bin/env bash
# Builds Quaystone and starts it. Arguments are passed to the program.
set -euo pipefail
cd "$(dirname "$0")/.."
. scripts/deps.sh
quaystone_ensure_packages

build=${QUAYSTONE_BUILD_DIR:-build}
cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$build" -j "$(quaystone_jobs)" --target quaystone-cli
if [ $# -eq 0 ]; then
    set -- --help
fi
exec "$build/src/cli/quaystone-cli" "$@"
