#!/usr/bin/env bash
# Installs what is missing, builds a Debug tree with AddressSanitizer and
# UndefinedBehaviorSanitizer and runs every test headless. Exits with CTest's status.
set -euo pipefail

root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
bash "$root/scripts/deps.sh"

build="$root/build/test"
# The benchmarks are measured in the Release tree (scripts/run.sh); they are not built here.
cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=Debug -DTESSEL_SANITIZE=ON \
    -DTESSEL_BUILD_TESTS=ON -DTESSEL_BUILD_BENCHMARKS=OFF
cmake --build "$build" --parallel "$(nproc)"

export QT_QPA_PLATFORM=offscreen
export ASAN_OPTIONS="${ASAN_OPTIONS:-detect_leaks=1}"
export UBSAN_OPTIONS="${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1}"
export LSAN_OPTIONS="suppressions=$root/scripts/lsan.supp:print_suppressions=0${LSAN_OPTIONS:+:$LSAN_OPTIONS}"

cd "$build"
status=0
ctest --output-on-failure --parallel "$(nproc)" || status=$?
exit "$status"
