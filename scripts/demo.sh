#!/bin/sh
# Set-up and build, then the main job on the bundled sample dictionaries.
set -eu
cd "$(dirname "$0")/.."
sh scripts/setup.sh
echo
echo "Match keys of the full preset on generated strings:"
./build/bench/bench_matchkeys 100000
