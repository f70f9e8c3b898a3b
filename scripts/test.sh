#!/usr/bin/env bash
# Sets up a fresh Debian 12 machine and runs the whole test suite twice: a warnings-as-errors build,
# then a build under AddressSanitizer and UndefinedBehaviorSanitizer.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/deps.sh
jobs=$(nproc)

cmake -S . -B build-test -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DYUNSHAN_WERROR=ON
cmake --build build-test -j"$jobs"
(cd build-test && ctest --output-on-failure -j"$jobs")

cmake -S . -B build-asan -G Ninja -DCMAKE_BUILD_TYPE=Debug -DYUNSHAN_WERROR=ON -DYUNSHAN_SANITIZE=ON \
  -DYUNSHAN_BENCH=OFF
cmake --build build-asan -j"$jobs"
export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1
export LSAN_OPTIONS=suppressions=$PWD/tests/lsan.supp:print_suppressions=0
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
(cd build-asan && ctest --output-on-failure -j"$jobs")
