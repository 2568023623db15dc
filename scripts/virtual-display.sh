# SPDX-License-Identifier: GPL-3.0-or-later
# Shared by desktop-check.sh and accessibility-check.sh: a virtual display
# and a window manager of the script's own, in its work folder ($work).
# The caller defines fail() and kills $xvfb_pid and $wm_pid when it ends.

# A display of our own: Xvfb picks a free number and writes it once it is ready.
quaystone_start_display() {
    exec 5>"$work/display"
    Xvfb -displayfd 5 -screen 0 1280x1024x24 -nolisten tcp >"$work/xvfb.log" 2>&1 &
    xvfb_pid=$!
    exec 5>&-
    for _ in $(seq 100); do
        [ -s "$work/display" ] && break
        kill -0 "$xvfb_pid" 2>/dev/null || fail "Xvfb did not start: $(cat "$work/xvfb.log")"
        sleep 0.1
    done
    [ -s "$work/display" ] || fail "Xvfb did not report a display within 10 s"
    DISPLAY=:$(head -1 "$work/display")
    export DISPLAY
}

# Without a window manager the keyboard never reaches a new window.
quaystone_start_window_manager() {
    openbox --startup "touch $work/wm-ready" >"$work/openbox.log" 2>&1 &
    wm_pid=$!
    for _ in $(seq 100); do
        [ -e "$work/wm-ready" ] && break
        sleep 0.1
    done
    [ -e "$work/wm-ready" ] || fail "openbox did not start on $DISPLAY: $(cat "$work/openbox.log")"
}
