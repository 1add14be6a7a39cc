#!/usr/bin/env bash
# Installs what is missing, builds Tessel in Release (with the benchmarks) and starts it.
set -euo pipefail

root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
bash "$root/scripts/deps.sh"

build="$root/build/release"
cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=Release -DTESSEL_SANITIZE=OFF \
    -DTESSEL_BUILD_TESTS=OFF -DTESSEL_BUILD_BENCHMARKS=ON
cmake --build "$build" --parallel "$(nproc)"

exec "$build/src/app/tessel" "$@"
