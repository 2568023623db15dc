#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Builds a second tree with AddressSanitizer and UndefinedBehaviorSanitizer
# and runs the whole test suite there (the window tests offscreen). Any
# report fails the run.
set -euo pipefail
cd "$(dirname "$0")/.."
. scripts/deps.sh
quaystone_ensure_packages

build=${QUAYSTONE_SANITIZE_DIR:-build-asan}
# Test discovery runs the test programs while building, so the options are
# needed for the build as well as for ctest.
export ASAN_OPTIONS="detect_leaks=1:abort_on_error=1:strict_string_checks=1:detect_stack_use_after_return=1"
export UBSAN_OPTIONS="halt_on_error=1:print_stacktrace=1"
export QT_QPA_PLATFORM=offscreen
cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DQUAYSTONE_SANITIZE=ON -DQUAYSTONE_WERROR=OFF
cmake --build "$build" -j "$(quaystone_jobs)"
ctest --test-dir "$build" --output-on-failure -j "$(quaystone_jobs)" --timeout 600
