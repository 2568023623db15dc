#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Builds the Debian package in a configured and built build folder and checks
# its file list and its dependencies, without installing it, then lets
# lintian judge it: any error fails the check.
# Usage: check-package.sh BUILD_DIR
set -euo pipefail
build=${1:?usage: check-package.sh BUILD_DIR}
. "$(dirname "$0")/../scripts/deps.sh"
quaystone_ensure_packages lintian
cd "$build"
rm -f quaystone_*.deb
cpack -G DEB >cpack.log 2>&1 || { cat cpack.log >&2; exit 1; }
debs=(quaystone_*.deb)
[ ${#debs[@]} -eq 1 ] && [ -f "${debs[0]}" ] || { echo "FAIL: cpack made no single quaystone_*.deb" >&2; exit 1; }
deb=${debs[0]}

failures=0
fail() {
    echo "FAIL: $*" >&2
    failures=$((failures + 1))
}

contents=$(dpkg-deb -c "$deb" | awk '{print $6}')
for file in \
    ./usr/bin/quaystone \
    ./usr/bin/quaystone-cli \
    ./usr/bin/quaystone-radiosim \
    ./usr/share/applications/quaystone.desktop \
    ./usr/share/mime/packages/quaystone.xml \
    ./usr/share/metainfo/org.example.quaystone.metainfo.xml \
    ./usr/share/icons/hicolor/scalable/apps/quaystone.svg \
    ./usr/share/icons/hicolor/48x48/apps/quaystone.png \
    ./usr/share/icons/hicolor/256x256/apps/quaystone.png \
    ./usr/share/man/man1/quaystone.1.gz \
    ./usr/share/man/man1/quaystone-cli.1.gz \
    ./usr/share/man/man1/quaystone-radiosim.1.gz \
    ./usr/share/quaystone/help/quaystone-guide.html \
    ./usr/share/quaystone/help/images/main-window.png \
    ./usr/share/doc/quaystone/guide \
    ./usr/share/doc/quaystone/copyright \
    ./usr/share/doc/quaystone/changelog.gz; do
    grep -qx -- "$file" <<<"$contents" || fail "$deb lacks $file"
done
# Only the programs a user runs; the benchmark and the tests stay out.
unexpected=$(grep '^\./usr/bin/.' <<<"$contents" | grep -vx -e ./usr/bin/quaystone -e ./usr/bin/quaystone-cli \
    -e ./usr/bin/quaystone-radiosim || true)
[ -z "$unexpected" ] || fail "unexpected programs in the package: $unexpected"
grep -q '^\./usr/local/' <<<"$contents" && fail "files under /usr/local in the package"

field() { dpkg-deb -f "$deb" "$1"; }
[ "$(field Package)" = quaystone ] || fail "package name is '$(field Package)'"
[ "$(field Section)" = hamradio ] || fail "section is '$(field Section)'"
[ -n "$(field Maintainer)" ] || fail "no maintainer"
[ -n "$(field Description)" ] || fail "no description"
depends=$(field Depends)
for lib in fonts-liberation libqt6core6 libqt6gui6 libqt6widgets6 libqt6printsupport6 libqt6serialport6 libc6; do
    grep -Eq "(^|, )$lib( |,|$)" <<<"$depends" || fail "Depends lacks $lib: $depends"
done

# The changelog's newest entry is the version being packaged.
changelog_version=$(dpkg-deb --fsys-tarfile "$deb" | tar -xOf - ./usr/share/doc/quaystone/changelog.gz |
    gzip -dc | sed -n '1s/^quaystone (\([^)]*\)).*/\1/p')
[ "$changelog_version" = "$(field Version)" ] ||
    fail "the changelog's newest entry is '$changelog_version', the package is '$(field Version)'"

dpkg-deb -I "$deb"
# Warnings and notes are shown; errors fail. lintian exits 2 on an error and
# 1 when it cannot run; --allow-root quietens its warning, as CI runs as root.
status=0
report=$(lintian --allow-root --tag-display-limit 0 --fail-on error "$deb" 2>&1) || status=$?
[ -z "$report" ] || echo "$report"
case $status in
0) ;;
2) fail "lintian reports errors (the E: lines above)" ;;
*) fail "lintian could not check $deb (exit status $status)" ;;
esac

[ "$failures" -eq 0 ] || exit 1
echo "$deb: files, dependencies and lintian as expected."
