#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Builds the libFuzzer harnesses with clang and gives each a short run on
# seed inputs made from the sample files. A crash, a sanitizer report or a
# broken invariant fails the run. FUZZ_SECONDS sets the time per harness.
set -euo pipefail
cd "$(dirname "$0")/.."
. scripts/deps.sh
quaystone_ensure_packages clang libclang-rt-14-dev

build=${QUAYSTONE_FUZZ_DIR:-build-fuzz}
seconds=${FUZZ_SECONDS:-10}
export ASAN_OPTIONS="detect_leaks=1:abort_on_error=1"
export UBSAN_OPTIONS="halt_on_error=1:print_stacktrace=1"
cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_CXX_COMPILER=clang++ \
    -DQUAYSTONE_FUZZ=ON -DQUAYSTONE_BUILD_TESTS=OFF
cmake --build "$build" -j "$(quaystone_jobs)" --target fuzzers

# Seed corpora: every sample file whole, and for the reply decoder each
# memory line alone (its first two bytes pick the decimal mark and slot).
seeds=$(mktemp -d)
trap 'rm -rf "$seeds"' EXIT
for name in memory_file description_file csv_header csv_import settings frequency decoder; do
    mkdir -p "$seeds/$name"
    cp tests/data/* "$seeds/$name/"
done
n=0
while IFS= read -r line; do
    n=$((n + 1))
    printf '\001\005%s' "${line%$'\r'}" >"$seeds/decoder/line$n"
done <tests/data/sample.950
printf '\000 14.19500' >"$seeds/frequency/point"
printf '\001 14,19500' >"$seeds/frequency/comma"

for name in decoder memory_file description_file csv_header csv_import settings frequency; do
    log="$seeds/$name.log"
    if ! "$build/fuzz/fuzz_$name" -max_total_time="$seconds" -max_len=8192 -print_final_stats=1 \
        -artifact_prefix="$build/fuzz/" "$seeds/$name" >"$log" 2>&1; then
        tail -n 60 "$log" >&2
        echo "fuzz_$name failed; the input is kept in $build/fuzz/" >&2
        exit 1
    fi
    echo "fuzz_$name: $(grep -o 'number_of_executed_units: *[0-9]*' "$log" | grep -o '[0-9]*$') inputs, no fault"
done
