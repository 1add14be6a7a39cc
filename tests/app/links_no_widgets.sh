#!/usr/bin/env bash
# The report and arrange commands built without Qt Widgets ($1): no Widgets library among what
# they need, and a report and an arrangement written all the same.
set -euo pipefail
program=$1
if readelf -d "$program" | grep -q 'Qt6Widgets'; then
    echo "$program needs Qt Widgets" >&2
    exit 1
fi
folder=$(mktemp -d)
trap 'rm -rf "$folder"' EXIT
printf '1,"Kitchen",100,100,800,800,1\r\n' > "$folder/Structure.txt"
"$program" --report "$folder/Structure.txt" --output "$folder/report.pdf"
"$program" --report "$folder/Structure.txt" | grep -q 'Analysis for Kitchen :-'
"$program" --report "$folder/Structure.txt" --zones 16 --output "$folder/zones.json"
grep -q '"zones": 16' "$folder/zones.json"
"$program" --arrange "$folder/Structure.txt" --output "$folder/arranged.txt" | grep -q 'best zone'
