#!/usr/bin/env bash
# Sets up a fresh Debian 12 machine and runs the whole test suite twice: a warnings-as-errors build,
# then a build under AddressSanitizer and UndefinedBehaviorSanitizer; then fuzzes the amount reading
# for 60 s with libFuzzer (clang).
#
#   scripts/test.sh           the suite as CI runs it
#   scripts/test.sh --long    also 20 reference-model runs with fresh random keys, and 10 minutes
#                             of fuzzing
set -euo pipefail
cd "$(dirname "$0")/.."
fuzz_seconds=60
model_runs=0
if [ "${1:-}" = "--long" ]; then
  fuzz_seconds=600
  model_runs=20
fi
export YUNSHAN_MODEL_RUNS=$model_runs
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

# The fuzzer finds its own way through the inputs; a failure leaves the input that failed
# (crash-*) in build-fuzz/ and ends the script.
cmake -S . -B build-fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_C_COMPILER=clang \
  -DCMAKE_CXX_COMPILER=clang++ -DYUNSHAN_FUZZ=ON -DYUNSHAN_TESTS=OFF -DYUNSHAN_BENCH=OFF
cmake --build build-fuzz -j"$jobs" --target fuzz_amount
mkdir -p build-fuzz/corpus
(cd build-fuzz && tests/fuzz/fuzz_amount -max_total_time="$fuzz_seconds" -print_final_stats=1 \
  corpus ../tests/fuzz/corpus)
