#!/usr/bin/env bash
# Builds the Debian package in a configured and built build folder and checks
# its file list and its dependencies, without installing it.
# Usage: check-package.sh BUILD_DIR
set -euo pipefail
build=${1:?usage: check-package.sh BUILD_DIR}
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
    ./usr/share/man/man1/quaystone-cli.1 \
    ./usr/share/man/man1/quaystone-radiosim.1 \
    ./usr/share/quaystone/help/quaystone-guide.html \
    ./usr/share/quaystone/help/images/main-window.png \
    ./usr/share/doc/quaystone/guide; do
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

dpkg-deb -I "$deb"
[ "$failures" -eq 0 ] || exit 1
echo "$deb: files and dependencies as expected."
