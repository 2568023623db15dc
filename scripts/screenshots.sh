#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Takes screenshots of the main window under a virtual X display, one per
# grid size, with the sample memory file loaded, plus the message log and the
# read progress window. Needs xvfb and imagemagick:
#   sudo apt-get install -y xvfb imagemagick
# Usage: scripts/screenshots.sh [OUTDIR]   (default: build-gui/screenshots)
#        scripts/screenshots.sh --docs [OUTDIR]   (default: docs/images)
# --docs remakes only the pictures of the README and the user guide, each
# cropped to its window and stored with few colours to stay small; it also
# needs poppler-utils for the printed page.
set -euo pipefail
cd "$(dirname "$0")/.."
build=${QUAYSTONE_BUILD_DIR:-build-gui}
docs=false
if [ "${1:-}" = "--docs" ]; then
    docs=true
    shift
    out=${1:-docs/images}
else
    out=${1:-$build/screenshots}
fi
mkdir -p "$out"
cmake -S . -B "$build" >/dev/null
cmake --build "$build" -j2 --target quaystone >/dev/null
out=$(cd "$out" && pwd)
exe=$(pwd)/$build/src/app/quaystone
sample=$(pwd)/tests/data/sample.950

shoot() { # name gridsize extra-ini-lines [xdotool actions before the shot]
    local name=$1 size=$2 extra=${3:-} actions=${4:-true}
    local home
    home=$(mktemp -d)
    mkdir -p "$home/Quaystone"
    printf '[Settings]\nFirstTime=1\nHomeDir=%s\nGridSize=%s\nMemoryTop=0\nMemoryLeft=0\n%s\n' \
        "$home" "$size" "$extra" >"$home/Quaystone/Quaystone.ini"
    XDG_CONFIG_HOME=$home xvfb-run -a -s "-screen 0 1280x800x24" bash -c "
        '$exe' '$sample' & pid=\$!
        sleep 3
        $actions
        sleep 1
        import -window root '$out/$name.png'
        kill \$pid" >/dev/null 2>&1 || true
    rm -rf "$home"
    echo "$out/$name.png"
}

if $docs; then
    cmake --build "$build" -j2 --target quaystone-cli >/dev/null
    cli=$(pwd)/$build/src/cli/quaystone-cli
    window_shot() { # name window-title-pattern [xdotool actions before the shot]
        local name=$1 title=$2 actions=${3:-true} home
        home=$(mktemp -d)
        mkdir -p "$home/Quaystone"
        printf '[Settings]\nFirstTime=1\nHomeDir=%s\nGridSize=Normal\nMemoryTop=0\nMemoryLeft=0\n' \
            "$home" >"$home/Quaystone/Quaystone.ini"
        XDG_CONFIG_HOME=$home xvfb-run -a -s "-screen 0 1280x800x24" bash -c "
            '$exe' '$sample' & pid=\$!
            sleep 3
            $actions
            sleep 1
            import -window \$(xdotool search --onlyvisible --name '$title' | tail -1) '$out/$name.png'
            kill \$pid" >/dev/null 2>&1 || true
        rm -rf "$home"
        convert "$out/$name.png" -colors 128 "PNG8:$out/$name.png"
        echo "$out/$name.png"
    }
    window_shot main-window 'Quaystone V[0-9]'
    window_shot import-export '^Import/Export$' "xdotool mousemove 479 40 click 1"
    window_shot rule-editor '^Repeater Rules$' "xdotool mousemove 171 8 click 1; sleep 0.5; xdotool key r; sleep 1
        xdotool mousemove 578 262 click 1; sleep 0.5; xdotool mousemove 420 133 click --repeat 2 1"
    # The write preview: the simulated radio read, memory 0 typed anew, File > Preview write.
    home=$(mktemp -d)
    mkdir -p "$home/Quaystone"
    printf '[Settings]\nFirstTime=1\nHomeDir=%s\nGridSize=Normal\nMemoryTop=0\nMemoryLeft=0\n' \
        "$home" >"$home/Quaystone/Quaystone.ini"
    XDG_CONFIG_HOME=$home xvfb-run -a -s "-screen 0 1280x800x24" bash -c "
        '$exe' --simulate & pid=\$!
        sleep 3
        xdotool mousemove 55 40 click 1
        sleep 1.5
        xdotool windowfocus --sync \$(xdotool search --name '^Quaystone\$' | tail -1) key Return
        sleep 4
        xdotool windowfocus --sync \$(xdotool search --name '^Quaystone\$' | tail -1) key Return
        sleep 0.5
        xdotool windowfocus --sync \$(xdotool search --name 'Quaystone V[0-9]' | tail -1)
        xdotool type 1.84210; xdotool key Return; sleep 0.5
        xdotool key alt+f; sleep 0.5; xdotool key v
        sleep 4
        import -window \$(xdotool search --onlyvisible --name '^Preview write to radio\$' | tail -1) '$out/write-preview.png'
        kill \$pid" >/dev/null 2>&1 || true
    rm -rf "$home"
    convert "$out/write-preview.png" -colors 128 "PNG8:$out/write-preview.png"
    echo "$out/write-preview.png"
    # The first page of the printed listing, with the default print options.
    home=$(mktemp -d)
    XDG_CONFIG_HOME=$home QT_QPA_PLATFORM=offscreen "$cli" print "$sample" --pdf "$home/listing.pdf" >/dev/null
    pdftoppm -png -r 60 -f 1 -l 1 -singlefile "$home/listing.pdf" "$home/page"
    convert "$home/page.png" -colors 16 "PNG8:$out/printed-listing.png"
    rm -rf "$home"
    echo "$out/printed-listing.png"
    exit 0
fi

shoot main-normal Normal
shoot main-larger Larger
shoot main-largest Largest
shoot main-autosize Normal "Autosize=True"
# The menus, opened with the mouse on the menu bar (positions of the Normal size).
shoot menu-file Normal "" "xdotool mousemove 18 8 click 1"
shoot menu-memories Normal "" "xdotool mousemove 70 8 click 1"
shoot menu-settings Normal "" "xdotool mousemove 171 8 click 1"
shoot menu-help Normal "" "xdotool mousemove 221 8 click 1"
# The right-click menu of the memories table, and the PMS page.
shoot popup-memories Normal "" "xdotool mousemove 300 250 click 3"
shoot page-pms Normal "" "xdotool mousemove 107 75 click 1"
# The Import/Export window; the rule editor with the United Kingdom set and a
# step list open, then with a refused bound and its message.
shoot import-export Normal "" "xdotool mousemove 479 40 click 1"
shoot rules-editor Normal "" "xdotool mousemove 171 8 click 1; sleep 0.5; xdotool key r; sleep 1
    xdotool mousemove 578 262 click 1; sleep 0.5; xdotool mousemove 420 133 click --repeat 2 1"
shoot rules-refused Normal "" "xdotool mousemove 171 8 click 1; sleep 0.5; xdotool key r; sleep 1
    xdotool mousemove 578 262 click 1; sleep 0.5; xdotool mousemove 60 112 click --repeat 2 1; sleep 0.5
    xdotool key ctrl+a; xdotool type 144.5; xdotool key Return"

# Reading the simulated radio: the progress window half-way through the read.
home=$(mktemp -d)
mkdir -p "$home/Quaystone"
printf '[Settings]\nFirstTime=1\nHomeDir=%s\nMemoryTop=0\nMemoryLeft=0\n' "$home" >"$home/Quaystone/Quaystone.ini"
XDG_CONFIG_HOME=$home xvfb-run -a -s "-screen 0 1280x800x24" bash -c "
    '$exe' --simulate & pid=\$!
    sleep 3
    xdotool mousemove 55 40 click 1
    sleep 1.5
    xdotool windowfocus --sync \$(xdotool search --name '^Quaystone\$' | tail -1) key Return
    sleep 0.5
    import -window root '$out/read-progress.png'
    kill \$pid" >/dev/null 2>&1 || true
rm -rf "$home"
echo "$out/read-progress.png"

# The small windows: the first start (welcome, then the folder chooser), the
# port detector after a detection, and the About window.
shoot_ini() { # name ini-lines actions
    local name=$1 ini=$2 actions=$3 home
    home=$(mktemp -d)
    mkdir -p "$home/Quaystone"
    printf '[Settings]\nMemoryTop=0\nMemoryLeft=0\n%s\n' "$ini" >"$home/Quaystone/Quaystone.ini"
    XDG_CONFIG_HOME=$home xvfb-run -a -s "-screen 0 1280x800x24" bash -c "
        cd '$home'
        '$exe' '$sample' & pid=\$!
        sleep 3
        $actions
        sleep 1
        import -window root '$out/$name.png'
        kill \$pid" >/dev/null 2>&1 || true
    rm -rf "$home"
    echo "$out/$name.png"
}
shoot_ini first-use "FirstTime=0" "true"
shoot_ini folder-chooser "FirstTime=0" "xdotool key Return; sleep 1"
shoot_ini com-port-detector "FirstTime=1
HomeDir=/tmp" "xdotool mousemove 171 8 click 1; sleep 0.5; xdotool key i; sleep 1; xdotool key Return"
shoot_ini about "FirstTime=1
HomeDir=/tmp" "xdotool mousemove 221 8 click 1; sleep 0.5; xdotool key Up Return"
