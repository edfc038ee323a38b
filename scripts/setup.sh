#!/bin/sh
# Installs what the project needs on Debian 12 (only what is missing), then configures
# and builds it in build/. Run as root on a fresh machine; later runs only rebuild.
set -eu
cd "$(dirname "$0")/.."

# gettext and qt6-l10n-tools are the judges of the PO and TS files the programs write.
packages="cmake ninja-build g++ qt6-base-dev qt6-translations-l10n libgl-dev sqlite3 fonts-wqy-microhei
          xvfb xauth x11-utils gettext qt6-l10n-tools"
missing=""
for package in $packages; do
    if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed"; then
        missing="$missing $package"
    fi
done
if [ -n "$missing" ]; then
    echo "Installing:$missing"
    export DEBIAN_FRONTEND=noninteractive
    apt-get update -q
    # shellcheck disable=SC2086
    apt-get install -y -q --no-install-recommends $missing
fi

cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build build -j "$(nproc)"
