#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Installs the build into a temporary prefix and checks that every file lands
# where a Linux desktop looks for it, and that the desktop files are valid.
# Usage: check-install.sh BUILD_DIR
set -euo pipefail
build=${1:?usage: check-install.sh BUILD_DIR}
prefix=$(mktemp -d)
trap 'rm -rf "$prefix"' EXIT
cmake --install "$build" --prefix "$prefix" >/dev/null

failures=0
fail() {
    echo "FAIL: $*" >&2
    failures=$((failures + 1))
}

for program in quaystone quaystone-cli quaystone-radiosim; do
    [ -x "$prefix/bin/$program" ] || fail "bin/$program is missing or not executable"
done
[ -e "$prefix/bin/quaystone-bench" ] && fail "the benchmark must not be installed"

expected=(
    share/applications/quaystone.desktop
    share/mime/packages/quaystone.xml
    share/metainfo/org.example.quaystone.metainfo.xml
    share/icons/hicolor/scalable/apps/quaystone.svg
    share/man/man1/quaystone.1.gz
    share/man/man1/quaystone-cli.1.gz
    share/man/man1/quaystone-radiosim.1.gz
    share/doc/quaystone/copyright
    share/doc/quaystone/changelog.gz
    share/quaystone/help/quaystone-guide.html
    share/quaystone/help/quaystone-guide.css
    share/doc/quaystone/guide/quaystone-guide.html
)
for size in 16 22 24 32 48 64 128 256; do
    expected+=("share/icons/hicolor/${size}x${size}/apps/quaystone.png")
done
for file in "${expected[@]}"; do
    [ -s "$prefix/$file" ] || fail "$file is missing or empty"
done

# Every picture the guide shows is installed beside it.
help=$prefix/share/quaystone/help
for image in $(grep -o 'src="[^"]*"' "$help/quaystone-guide.html" | sed 's/^src="//; s/"$//'); do
    [ -s "$help/$image" ] || fail "the guide shows $image, which is not installed beside it"
done

# The PNG icons are the sizes their folders say.
if command -v file >/dev/null; then
    for size in 16 22 24 32 48 64 128 256; do
        png=$prefix/share/icons/hicolor/${size}x${size}/apps/quaystone.png
        [ -s "$png" ] && ! file "$png" | grep -q "PNG image data, $size x $size" &&
            fail "$png is not a $size x $size PNG"
    done
fi

# The menu entry starts the installed program with the file, for the type the
# MIME file declares, and the metainfo names that entry.
desktop=$prefix/share/applications/quaystone.desktop
grep -qx 'Exec=quaystone %f' "$desktop" || fail "the desktop entry does not pass the file to quaystone"
mime=$(sed -n 's/^MimeType=\([^;]*\);.*/\1/p' "$desktop")
grep -q "<mime-type type=\"$mime\">" "$prefix/share/mime/packages/quaystone.xml" ||
    fail "the desktop entry's type '$mime' is not declared in the MIME file"
grep -q '<glob pattern="\*.950"/>' "$prefix/share/mime/packages/quaystone.xml" || fail "*.950 is not in the MIME file"
grep -q '<launchable type="desktop-id">quaystone.desktop</launchable>' \
    "$prefix/share/metainfo/org.example.quaystone.metainfo.xml" || fail "the metainfo does not name the desktop entry"

if command -v desktop-file-validate >/dev/null; then
    desktop-file-validate "$desktop" || fail "desktop-file-validate refused the desktop entry"
else
    echo "note: desktop-file-validate not found (package desktop-file-utils); skipped"
fi
if command -v appstreamcli >/dev/null; then
    appstreamcli validate --no-net "$prefix/share/metainfo/org.example.quaystone.metainfo.xml" >/dev/null ||
        fail "appstreamcli refused the metainfo"
else
    echo "note: appstreamcli not found (package appstream); skipped"
fi
if command -v update-mime-database >/dev/null; then
    # The MIME file must compile; the result then maps *.950 to the type.
    update-mime-database "$prefix/share/mime" >/dev/null 2>&1 || fail "update-mime-database refused the MIME file"
    grep -q "$mime:\*\.950$" "$prefix/share/mime/globs" || fail "*.950 does not map to $mime"
fi
# The pages and the changelog are gzipped without name or time (flags and
# time stamp all zero), so a rebuild gives the same bytes.
for gz in "$prefix"/share/man/man1/*.gz "$prefix/share/doc/quaystone/changelog.gz"; do
    gzip -t "$gz" || fail "$(basename "$gz") is not valid gzip"
    [ "$(head -c 8 "$gz" | od -An -tx1 | tr -d ' \n')" = 1f8b080000000000 ] ||
        fail "$(basename "$gz") carries a name or a time stamp"
done
for page in "$prefix"/share/man/man1/*.1.gz; do
    if command -v groff >/dev/null; then
        warnings=$(gzip -dc "$page" | groff -man -Tutf8 -ww -z 2>&1) || true
        [ -z "$warnings" ] || fail "$(basename "$page"): $warnings"
    fi
done

# Each manual page names every option its program's --help lists.
for program in quaystone quaystone-cli quaystone-radiosim; do
    page=$prefix/share/man/man1/$program.1.gz
    [ -s "$page" ] || continue
    text=$(gzip -dc "$page" | sed 's/\\-/-/g')
    help=$(QT_QPA_PLATFORM=offscreen "$prefix/bin/$program" --help 2>&1 || true)
    options=$(grep -o -- '--[a-z][a-z-]*' <<<"$help" | sort -u || true)
    [ -n "$options" ] || fail "$program --help lists no options"
    for option in $options; do
        [ "$option" = --help-all ] && continue # Qt's own, beside --help
        grep -Eq -- "$option([^a-z-]|\$)" <<<"$text" || fail "$program.1 does not describe $option"
    done
done

[ "$failures" -eq 0 ] || exit 1
echo "All installed files are in place."
