# SPDX-License-Identifier: GPL-3.0-or-later
# Shared by run.sh and test.sh: makes sure the Debian packages the build
# needs are installed. As root it installs what is missing; otherwise it
# prints the exact apt-get line and stops.

QUAYSTONE_PACKAGES="cmake g++ make qt6-base-dev qt6-serialport-dev qt6-base-dev-tools libgtest-dev fonts-liberation poppler-utils desktop-file-utils appstream dpkg-dev file"

quaystone_ensure_packages() {
    local missing=()
    local pkg
    for pkg in $QUAYSTONE_PACKAGES "$@"; do
        if ! dpkg-query -W -f='${Status}' "$pkg" 2>/dev/null | grep -q "install ok installed"; then
            missing+=("$pkg")
        fi
    done
    [ ${#missing[@]} -eq 0 ] && return 0
    if [ "$(id -u)" -eq 0 ]; then
        echo "Installing: ${missing[*]}"
        apt-get update -qq
        DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "${missing[@]}"
    else
        echo "Quaystone needs these packages first:"
        echo "  sudo apt-get install -y ${missing[*]}"
        exit 1
    fi
}

quaystone_jobs() {
    nproc 2>/dev/null || echo 2
}
