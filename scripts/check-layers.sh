#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Checks that includes run downward only. The core folders, lowest first: a
# file may include from its own folder and the folders before it. No core
# file includes a Qt module beyond Core and Serial Port, and nothing below
# the window folders includes them.
set -euo pipefail
cd "$(dirname "$0")/../src"

core=(io model rules state files cat editing print)
status=0
for i in "${!core[@]}"; do
    folder=${core[$i]}
    allowed=("${core[@]:0:$((i + 1))}")
    while IFS= read -r line; do
        file=${line%%:*}
        include=$(sed -E 's/.*#include "([^"]+)".*/\1/' <<<"${line#*:}")
        [[ $include == */* ]] || continue
        target=${include%%/*}
        ok=0
        for a in "${allowed[@]}"; do [[ $target == "$a" ]] && ok=1; done
        if [[ $ok == 0 ]]; then
            echo "src/$file includes $include, a folder above $folder" >&2
            status=1
        fi
    done < <(grep -H '#include "' "$folder"/*.h "$folder"/*.cpp)
    if grep -HnE '#include <Q(Gui|Widgets|PrintSupport|Application|Widget|Dialog|Printer|Painter|Font|Pixmap|Image|Icon|Color|Palette|Clipboard|Desktop)' \
        "$folder"/*.h "$folder"/*.cpp >&2; then
        echo "the core folder $folder includes a GUI header" >&2
        status=1
    fi
done
# The command line and the windows may use the core; nothing below them uses
# the windows, except the command line's print command, which lays the listing
# out with the window program's printer classes (and is left out without them).
for file in "${core[@]/%//*}" cli/*; do
    [[ $file == cli/CliPrint.cpp ]] && continue
    if grep -HnE '#include "(gui|app)/' $file >&2; then
        echo "a file below the windows includes a window folder" >&2
        status=1
    fi
done
[[ $status == 0 ]] && echo "includes run downward only"
exit $status
