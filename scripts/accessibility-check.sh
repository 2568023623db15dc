#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Reads the real window as a screen reader does: under a virtual X display
# with a window manager, a session bus and the accessibility bus, the program
# runs against the simulated radio and tests/accessibility/screen_reader.py
# walks its accessibility tree over AT-SPI while driving it with real keys.
#
# Needs xvfb, openbox, xdotool, dbus-x11, at-spi2-core and python3-pyatspi
# (for the system's /usr/bin/python3). Usage: scripts/accessibility-check.sh
# QUAYSTONE_BUILD_DIR picks the build folder (default build).
set -euo pipefail
cd "$(dirname "$0")/.."

build=${QUAYSTONE_BUILD_DIR:-build}
case $build in /*) ;; *) build=$(pwd)/$build ;; esac
exe=$build/src/app/quaystone
python=/usr/bin/python3
launcher=/usr/libexec/at-spi-bus-launcher

fail() {
    echo "accessibility-check: FAIL: $*" >&2
    exit 1
}

for tool in Xvfb openbox xdotool dbus-launch; do
    command -v "$tool" >/dev/null || fail "$tool is not installed (apt-get install xvfb openbox xdotool dbus-x11)"
done
[ -x "$launcher" ] || fail "$launcher is missing (apt-get install at-spi2-core)"
"$python" -c 'import pyatspi' 2>/dev/null || fail "$python cannot import pyatspi (apt-get install python3-pyatspi)"
[ -x "$exe" ] || fail "$exe is missing; build the quaystone target first"

work=$(mktemp -d "${TMPDIR:-/tmp}/quaystone-a11y.XXXXXX")
xvfb_pid=
wm_pid=
bus_pid=
a11y_pid=
cleanup() {
    # Only the processes this script started, by their ids.
    for pid in $a11y_pid $wm_pid $bus_pid $xvfb_pid; do
        kill "$pid" 2>/dev/null || true
    done
    for pid in $a11y_pid $wm_pid $xvfb_pid; do
        wait "$pid" 2>/dev/null || true
    done
    rm -rf "$work"
}
trap cleanup EXIT

. scripts/virtual-display.sh
quaystone_start_display

# Every setting, bus socket and cache of this run lives in the work folder.
export HOME=$work/home XDG_CONFIG_HOME=$work/home/config XDG_CACHE_HOME=$work/home/cache
export XDG_RUNTIME_DIR=$work/runtime XDG_DATA_HOME=$work/home/data
mkdir -p "$HOME" "$XDG_RUNTIME_DIR"
chmod 700 "$XDG_RUNTIME_DIR"

quaystone_start_window_manager

# A session bus of our own, and the accessibility bus on it.
eval "$(dbus-launch --sh-syntax)"
bus_pid=$DBUS_SESSION_BUS_PID
"$launcher" --launch-immediately >"$work/at-spi.log" 2>&1 &
a11y_pid=$!
export QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 QT_ACCESSIBILITY=1 NO_AT_BRIDGE=0

shots=$build/accessibility-check
rm -rf "$shots"
mkdir -p "$shots"
QUAYSTONE_EXE=$exe QUAYSTONE_SHOTS=$shots QUAYSTONE_WORK=$work \
    "$python" tests/accessibility/screen_reader.py || fail "see the lines above; screens of a failure are in $shots"
