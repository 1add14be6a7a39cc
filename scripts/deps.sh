#!/usr/bin/env bash
# Installs the Debian 12 packages that building, running and testing Tessel need, and only
# those that are missing: a machine that already has them is left alone, without a network
# access.
set -euo pipefail

packages=(
    cmake
    g++
    make
    # Qt 6 Widgets, Test and the platform plugins (offscreen for the headless tests); the JPEG
    # image writer plugin and, through fontconfig, a font come with it.
    qt6-base-dev
    # The JSON readers of the standard-library core: the .tessel document and rule set files.
    libsimdjson-dev
    libgtest-dev
    libbenchmark-dev
    # Validate the launcher entry and the software-centre description of the install.
    desktop-file-utils
    appstream
    # The layout document's file type is checked as the desktop would register it.
    shared-mime-info
    # pdftotext, with which a test reads back a printed report.
    poppler-utils
    # Z3's optimiser proves the arrangement adviser's proposals best.
    libz3-dev
)

missing=()
for package in "${packages[@]}"; do
    status=$(dpkg-query -W -f='${db:Status-Status}' "$package" 2>/dev/null || true)
    if [[ "$status" != installed ]]; then
        missing+=("$package")
    fi
done

if ((${#missing[@]} == 0)); then
    exit 0
fi

as_root=()
if ((EUID != 0)); then
    as_root=(sudo)
fi

echo "Installing: ${missing[*]}"
export DEBIAN_FRONTEND=noninteractive
"${as_root[@]}" apt-get update
"${as_root[@]}" apt-get install -y --no-install-recommends "${missing[@]}"
