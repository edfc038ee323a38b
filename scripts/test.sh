#!/bin/sh
# Set-up and build, then every test (Qt Test programs registered with CTest).
set -eu
cd "$(dirname "$0")/.."
sh scripts/setup.sh
cd build
QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j "$(nproc)"
