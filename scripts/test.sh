#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Builds Quaystone and runs the whole test suite.
set -euo pipefail
cd "$(dirname "$0")/.."
. scripts/deps.sh
quaystone_ensure_packages

build=${QUAYSTONE_BUILD_DIR:-build}
werror=OFF
[ "${CI:-}" = "true" ] && werror=ON
cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DQUAYSTONE_WERROR=$werror
cmake --build "$build" -j "$(quaystone_jobs)"
ctest --test-dir "$build" --output-on-failure -j "$(quaystone_jobs)"
