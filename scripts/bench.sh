#!/usr/bin/env bash
# Installs what is missing, builds the Release tree and runs every benchmark, printing one
# table: each benchmark's name, its time per run and its figures (start-up ratio, peak
# memory, ...). Runs under xvfb-run where it is installed, so that windows start on an X
# display as on a desktop; headless otherwise.
set -euo pipefail

root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
bash "$root/scripts/deps.sh"
build="$root/build/release"
cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=Release -DTESSEL_BUILD_TESTS=OFF \
    -DTESSEL_BUILD_BENCHMARKS=ON > /dev/null
cmake --build "$build" --parallel "$(nproc)" > /dev/null

display=()
if [[ -z "${DISPLAY:-}" ]] && command -v xvfb-run > /dev/null; then
    display=(xvfb-run -a -s "-screen 0 1280x800x24")
elif [[ -z "${DISPLAY:-}" ]]; then
    export QT_QPA_PLATFORM=offscreen
fi

results=$(mktemp)
trap 'rm -f "$results"' EXIT
for bench in "$build"/bench/tessel_*_bench; do
    "${display[@]}" "$bench" --benchmark_format=csv "$@" 2> /dev/null |
        grep -E '^(name,|")' >> "$results" || true
done

printf '%-72s %12s  %s\n' "Benchmark" "Time" "Figures"
printf '%s\n' "$(printf '%.0s-' {1..100})"
awk -F, '
    /^name,/ { for (i = 1; i <= NF; ++i) { column[i] = $i; gsub(/"/, "", column[i]) } next }
    {
        name = $1; gsub(/"/, "", name)
        if ($9 == "true") { printf "%-72s %12s  %s\n", name, "failed", $10; next }
        figures = ""
        for (i = 11; i <= NF; ++i)
            if ($i != "") figures = figures sprintf("%s=%.4g ", column[i], $i)
        printf "%-72s %9.3f %-2s  %s\n", name, $3, $5, figures
    }' "$results"
