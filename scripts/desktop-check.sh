#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Drives the real window as a person at the keyboard would, under a virtual X
# display with a window manager, and checks the outcome from outside.
#
# Each run starts a fresh program with fresh settings against the simulated
# radio, then, with real key presses only: closes the first-use window,
# chooses a data folder, reads the radio (Alt+R, Return on the question,
# Return on the completion message), opens the Import/Export window and
# closes it with Return on its Close button, types a new frequency into memory 0,
# saves with Ctrl+S (typing the name into the save dialog) and leaves with
# Alt+F, X. A run passes when the program has exited by itself with status 0
# and the saved .950 file holds the edited channel. A last run closes the
# progress window of a read with Alt+F4, which must stop the read. Several runs share one
# display, one after the other: what one program leaves behind on a display
# (window manager focus, keyboard state) must not change how the next one
# takes its keys.
#
# Needs xvfb, xdotool and openbox (imagemagick optional: screenshots of a
# failure). Usage: scripts/desktop-check.sh [RUNS]   (default 5)
# QUAYSTONE_BUILD_DIR picks the build folder (default build).
set -euo pipefail
cd "$(dirname "$0")/.."

runs=${1:-5}
build=${QUAYSTONE_BUILD_DIR:-build}
case $build in /*) ;; *) build=$(pwd)/$build ;; esac
exe=$build/src/app/quaystone
# The frequency typed into memory 0 and its line in the saved memory file.
typed=3.65432
expected='MW00003654320'

fail() {
    echo "desktop-check: FAIL: $*" >&2
    exit 1
}

for tool in Xvfb openbox xdotool; do
    command -v "$tool" >/dev/null || fail "$tool is not installed (apt-get install xvfb openbox xdotool)"
done
[ -x "$exe" ] || fail "$exe is missing; build the quaystone target first"

work=$(mktemp -d "${TMPDIR:-/tmp}/quaystone-desktop.XXXXXX")
xvfb_pid=
wm_pid=
app_pid=
cleanup() {
    # Only the processes this script started, by their ids.
    for pid in $app_pid ${owner_pid:-} $wm_pid $xvfb_pid; do
        kill "$pid" 2>/dev/null || true
    done
    for pid in $app_pid ${owner_pid:-} $wm_pid $xvfb_pid; do
        wait "$pid" 2>/dev/null || true
    done
    rm -rf "$work"
}
trap cleanup EXIT

. scripts/virtual-display.sh
quaystone_start_display
# Openbox's own settings would otherwise come from the user's folders.
export XDG_CONFIG_HOME=$work/wm-config XDG_CACHE_HOME=$work/wm-cache
quaystone_start_window_manager

# Pictures of the screen at a failure are kept here.
shots=$build/desktop-check
rm -rf "$shots"
run=0
shot() { # name: a picture of the screen, when imagemagick is there
    local file=$shots/run$run-${1//[^A-Za-z0-9]/-}.png
    if command -v import >/dev/null; then
        mkdir -p "$shots"
        import -window root "$file" 2>/dev/null && echo "desktop-check: screen saved in $file" >&2
    fi
    return 0
}

# Waits until a visible window whose title matches the pattern exists (and is
# not the window given as second argument); prints its id.
wait_window() { # pattern [id-to-skip] [seconds]
    local pattern=$1 skip=${2:-} limit=${3:-20} id
    for _ in $(seq $((limit * 10))); do
        for id in $(xdotool search --onlyvisible --name "$pattern" 2>/dev/null); do
            if [ "$id" != "$skip" ]; then
                echo "$id"
                return 0
            fi
        done
        kill -0 "$app_pid" 2>/dev/null || return 1
        sleep 0.1
    done
    return 1
}

# Waits until the window is no longer shown.
wait_gone() { # id [seconds]
    local id=$1 limit=${2:-5}
    for _ in $(seq $((limit * 10))); do
        xdotool search --onlyvisible --name . 2>/dev/null | grep -qx "$id" || return 0
        sleep 0.1
    done
    return 1
}

# The window must hold the keyboard before keys are sent to it.
wait_focus() { # id
    for _ in $(seq 50); do
        [ "$(xdotool getwindowfocus 2>/dev/null)" = "$1" ] && return 0
        sleep 0.1
    done
    return 1
}

# Presses a key on a window that has the keyboard and waits for the window to close.
answer() { # id key what
    local id=$1 key=$2 what=$3
    wait_focus "$id" || { shot "$what"; fail "run $run: the $what did not get the keyboard"; }
    # Let the box finish showing before the key arrives, as a person would.
    sleep 0.3
    xdotool key "$key"
    wait_gone "$id" || { shot "$what"; fail "run $run: $key did not answer the $what"; }
}

main_window_ready() { # what data-folder: prints the main window's id once it has the keyboard
    local main
    main=$(wait_window 'Quaystone V[0-9]') || fail "$1: no main window"
    wait_focus "$main" || fail "$1: the main window did not get the keyboard"
    # The start-up file is opened by a timer once the window is up.
    for _ in $(seq 50); do
        [ -e "$2/Initial memory file.950" ] && break
        sleep 0.1
    done
    sleep 0.5
    echo "$main"
}

confirm_read() { # what: Alt+R, then Return on the read question; prints the question's id
    local question
    xdotool key alt+r
    question=$(wait_window '^Quaystone$') || { shot read; fail "$1: Alt+R showed no read question"; }
    answer "$question" Return "read question" >&2
    echo "$question"
}

one_run() {
    local home=$work/run$run
    local data=$home/data
    mkdir -p "$data" "$home/runtime"
    chmod 700 "$home/runtime"
    HOME=$home XDG_CONFIG_HOME=$home/config XDG_CACHE_HOME=$home/cache XDG_RUNTIME_DIR=$home/runtime \
        "$exe" --simulate >"$home/program.log" 2>&1 &
    app_pid=$!

    local id
    id=$(wait_window '^First time use$') || fail "run $run: no first-use window"
    answer "$id" Return "first-use window"

    id=$(wait_window '^Choose a folder') || fail "run $run: no folder chooser"
    wait_focus "$id" || fail "run $run: the folder chooser did not get the keyboard"
    xdotool type --delay 10 "$data"
    answer "$id" Return "folder chooser"

    local main
    main=$(main_window_ready "run $run" "$data") || exit 1

    local question
    question=$(confirm_read "run $run") || exit 1

    local done_box
    done_box=$(wait_window '^Quaystone$' "$question" 30) || {
        shot read
        fail "run $run: the read did not end with its completion message"
    }
    answer "$done_box" Return "completion message"

    # Return on a focused button of a window without a default button: Alt+I
    # opens the Import/Export window, Shift+Tab goes round to its Close button.
    wait_focus "$main" || fail "run $run: the main window did not get the keyboard back"
    xdotool key alt+i
    id=$(wait_window '^Import/Export$') || { shot import-export; fail "run $run: Alt+I showed no Import/Export window"; }
    wait_focus "$id" || fail "run $run: the Import/Export window did not get the keyboard"
    xdotool key shift+Tab
    answer "$id" Return "Import/Export window's Close button"

    wait_focus "$main" || fail "run $run: the main window did not get the keyboard back"
    # The current cell is memory 0's frequency; typing starts its editor.
    xdotool type --delay 20 "$typed"
    xdotool key Return
    sleep 0.3

    xdotool key ctrl+s
    id=$(wait_window '^Save memory file$') || { shot save; fail "run $run: Ctrl+S showed no save dialog"; }
    wait_focus "$id" || fail "run $run: the save dialog did not get the keyboard"
    xdotool type --delay 10 "$data/edited"
    answer "$id" Return "save dialog"

    xdotool key alt+f
    sleep 0.3
    xdotool key x
    local status=0
    for _ in $(seq 100); do
        kill -0 "$app_pid" 2>/dev/null || break
        sleep 0.1
    done
    if kill -0 "$app_pid" 2>/dev/null; then
        shot exit
        fail "run $run: the program did not exit after Alt+F, X"
    fi
    wait "$app_pid" || status=$?
    app_pid=
    [ "$status" -eq 0 ] || fail "run $run: the program exited with status $status: $(tail -5 "$home/program.log")"

    [ -f "$data/edited.950" ] || fail "run $run: no saved file $data/edited.950"
    grep -q "^$expected" "$data/edited.950" ||
        fail "run $run: the saved file does not hold memory 0 at $typed MHz: $(head -1 "$data/edited.950")"
}

# ---------------------------------------------------------------------------
# Two more checks, each on a fresh program started with settings that ask
# nothing (no first-use window, a data folder set):
# - a clipboard owner that never answers (scripts/hung-clipboard-owner.c, a
#   few lines of Xlib): the window still appears, takes an edit and gives up
#   a paste with a message, each well within 20 s (the window must never wait
#   for the clipboard except to paste, and then only once);
# - the message log window's own access keys: with the log active, Alt+S
#   presses its "Save size and position" (the size lands in the settings
#   file), not the main window's Settings menu.

start_quietly() { # home [more settings lines]
    local home=$1
    mkdir -p "$home/data" "$home/runtime" "$home/config/Quaystone"
    chmod 700 "$home/runtime"
    printf '[Settings]\nFirstTime=1\nHomeDir=%s\n%s' "$home/data" "${2:-}" >"$home/config/Quaystone/Quaystone.ini"
    HOME=$home XDG_CONFIG_HOME=$home/config XDG_CACHE_HOME=$home/cache XDG_RUNTIME_DIR=$home/runtime \
        "$exe" --simulate >"$home/program.log" 2>&1 &
    app_pid=$!
}

# Waits until the window's title matches the pattern.
wait_title() { # id pattern seconds
    local id=$1 pattern=$2 limit=$3
    for _ in $(seq $((limit * 10))); do
        xdotool getwindowname "$id" 2>/dev/null | grep -q -- "$pattern" && return 0
        kill -0 "$app_pid" 2>/dev/null || return 1
        sleep 0.1
    done
    return 1
}

stop_program() {
    kill "$app_pid" 2>/dev/null || true
    wait "$app_pid" 2>/dev/null || true
    app_pid=
}

owner_pid=
hung_clipboard_check() {
    run=hung-clipboard
    command -v cc >/dev/null || fail "a C compiler (cc) is needed for the clipboard owner"
    cc -o "$work/hung-clipboard-owner" scripts/hung-clipboard-owner.c -lX11 ||
        fail "the clipboard owner did not build (libx11-dev missing?)"
    "$work/hung-clipboard-owner" >"$work/owner.out" 2>&1 &
    owner_pid=$!
    for _ in $(seq 50); do
        grep -q owner "$work/owner.out" 2>/dev/null && break
        sleep 0.1
    done
    grep -q owner "$work/owner.out" || fail "the clipboard owner did not take the clipboard"

    local home=$work/$run main box
    start_quietly "$home"
    main=$(wait_window 'Quaystone V[0-9]' '' 20) || { shot start; fail "$run: no main window within 20 s"; }
    wait_title "$main" 'Initial memory file' 20 || { shot open; fail "$run: the start-up file was not open within 20 s"; }
    xdotool windowactivate --sync "$main"
    xdotool type --delay 20 "$typed"
    xdotool key Return
    wait_title "$main" '\*' 20 || { shot edit; fail "$run: the edit was not taken within 20 s"; }
    # Shift+Insert pastes into the current cell: the owner does not answer,
    # so a message says nothing was pasted.
    xdotool key shift+Insert
    box=$(wait_window '^Quaystone$' "$main" 20) || { shot paste; fail "$run: the paste gave no message within 20 s"; }
    answer "$box" Return "paste message"
    stop_program
    kill "$owner_pid" 2>/dev/null || true
    wait "$owner_pid" 2>/dev/null || true
    owner_pid=
}

log_keys_check() {
    run=log-keys
    local home=$work/$run main box log ini
    ini=$home/config/Quaystone/Quaystone.ini
    start_quietly "$home"
    main=$(wait_window 'Quaystone V[0-9]' '' 20) || fail "$run: no main window"
    wait_title "$main" 'Initial memory file' 20 || fail "$run: the start-up file was not opened"
    xdotool windowactivate --sync "$main"
    # Settings > Log read/write to rig, then a read of the radio fills the log.
    xdotool key alt+s
    sleep 0.3
    xdotool key l
    sleep 0.3
    xdotool key alt+r
    box=$(wait_window '^Quaystone$' "$main") || { shot read; fail "$run: Alt+R showed no read question"; }
    answer "$box" Return "read question"
    box=$(wait_window '^Quaystone$' "$box" 30) || { shot read; fail "$run: the read did not end"; }
    answer "$box" Return "completion message"
    log=$(wait_window '^Quaystone Messages$' "" 5) || { shot log; fail "$run: no message log window"; }
    grep -qi '^ErrorListWidth' "$ini" && fail "$run: the log's size was stored before Alt+S"
    xdotool windowactivate --sync "$log"
    sleep 0.3
    xdotool key alt+s
    for _ in $(seq 50); do
        grep -qi '^ErrorListWidth' "$ini" && break
        sleep 0.1
    done
    grep -qi '^ErrorListWidth' "$ini" || { shot log-alt-s; fail "$run: Alt+S in the log did not save its size and position"; }
    stop_program
}

# ---- Alt+F4 on the progress window stops the read --------------------------
# The window manager's close (Alt+F4) on the "Read/write instructions" window
# must stop the read as a click on its message does, not hide the window and
# let the read run on out of sight. The radio is read at 4800 baud (some
# seconds for its 118 slots); the read stopped early is saved beside the name
# typed, as "stopped (partial read).950" (a message says where), and holds
# fewer than the 36 channels the simulated radio has.
progress_close_check() {
    run=progress-close
    local home=$work/$run
    local data=$home/data
    start_quietly "$home" 'UserCommSpeed="4800,N,8,2"
'

    local main
    main=$(main_window_ready "$run" "$data") || exit 1

    local question
    question=$(confirm_read "$run") || exit 1
    local progress
    progress=$(wait_window '^Read/write instructions$') || { shot progress; fail "$run: no progress window"; }
    xdotool windowactivate --sync "$progress" 2>/dev/null || true
    wait_focus "$progress" || { shot progress; fail "$run: the progress window did not get the keyboard"; }
    xdotool key alt+F4

    # The stopped read says so; then the tables are saved and the program left.
    local stopped
    stopped=$(wait_window '^Quaystone$' "$question" 30) || { shot stop; fail "$run: the read did not end with a message"; }
    answer "$stopped" Return "stop message"
    wait_focus "$main" || fail "$run: the main window did not get the keyboard back"
    xdotool key ctrl+s
    local id
    id=$(wait_window '^Save memory file$') || { shot save; fail "$run: Ctrl+S showed no save dialog"; }
    wait_focus "$id" || fail "$run: the save dialog did not get the keyboard"
    xdotool type --delay 10 "$data/stopped"
    answer "$id" Return "save dialog"
    local saved
    saved=$(wait_window '^Quaystone$' "$stopped") || { shot saved; fail "$run: the save did not say where it went"; }
    answer "$saved" Return "partial read message"
    xdotool key alt+f
    sleep 0.3
    xdotool key x
    for _ in $(seq 100); do
        kill -0 "$app_pid" 2>/dev/null || break
        sleep 0.1
    done
    kill -0 "$app_pid" 2>/dev/null && { shot exit; fail "$run: the program did not exit after Alt+F, X"; }
    wait "$app_pid" || true
    app_pid=

    local file="$data/stopped (partial read).950"
    [ -f "$file" ] || fail "$run: no saved file $file"
    [ -e "$data/stopped.950" ] && fail "$run: the stopped read was saved under the name typed"
    local channels
    channels=$(wc -l <"$file")
    [ "$channels" -lt 36 ] ||
        fail "$run: Alt+F4 on the progress window did not stop the read ($channels channels read)"
    echo "desktop-check: Alt+F4 on the progress window stopped the read ($channels of 36 channels read)"
}

start=$SECONDS
for run in $(seq "$runs"); do
    one_run
    echo "desktop-check: run $run passed"
done
progress_close_check
echo "desktop-check: $runs runs passed on $DISPLAY in $((SECONDS - start)) s"
hung_clipboard_check
echo "desktop-check: a clipboard owner that never answers stalls neither start-up nor edits; a paste gives up"
log_keys_check
echo "desktop-check: the message log's access keys work while it is active"
