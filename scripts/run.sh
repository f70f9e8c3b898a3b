#!/usr/bin/env bash
# Sets up a fresh Debian 12 machine, builds the program and starts it.
# The build folder is the program folder: build/yunshan, build/data/bridge.ysn, build/backdatabase/.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/deps.sh
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DYUNSHAN_TESTS=OFF -DYUNSHAN_BENCH=OFF
cmake --build build -j"$(nproc)"
exec build/yunshan "$@"
