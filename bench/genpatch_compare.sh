#!/usr/bin/env bash
# genpatch against xdelta3 (no secondary compression) and bsdiff on the same
# pair: a 0.9 MB kit executable and a copy with 1,000 scattered edits.
# Installs the two tools from Debian's packages when they are missing.
set -euo pipefail

root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
cd "$root"
for p in xdelta3 bsdiff; do
    if ! command -v "$p" >/dev/null; then
        DEBIAN_FRONTEND=noninteractive apt-get install -y -qq "$p" >/dev/null
    fi
done
cmake --preset release >/dev/null
cmake --build --preset release --target genpatch gamekit_cli >/dev/null
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
kit="$root/build/release/tools/gamekit/gamekit"
"$kit" exe "$work/clean.exe" --build 4
"$kit" edited "$work/modified.exe" --build 4

runs=20
time_ms() {  # average wall time of a command over $runs runs, in ms
    local start end
    start=$(date +%s%N)
    for ((i = 0; i < runs; i++)); do "$@" >/dev/null; done
    end=$(date +%s%N)
    echo "scale=2; ($end - $start) / $runs / 1000000" | bc
}
rm -f "$work"/p.*
g=$(time_ms "$root/build/release/bin/genpatch" "$work/clean.exe" "$work/modified.exe" "$work/p.bps")
x=$(time_ms xdelta3 -e -f -S none -s "$work/clean.exe" "$work/modified.exe" "$work/p.xd3")
b=$(time_ms bsdiff "$work/clean.exe" "$work/modified.exe" "$work/p.bsdiff")
"$root/build/release/bin/genpatch" --apply "$work/p.bps" "$work/clean.exe" "$work/check.exe"
cmp -s "$work/check.exe" "$work/modified.exe"
printf '%-22s %10s %12s\n' tool "ms/run" "patch bytes"
printf '%-22s %10s %12s\n' "genpatch (BPS)" "$g" "$(stat -c %s "$work/p.bps")"
printf '%-22s %10s %12s\n' "xdelta3 -S none" "$x" "$(stat -c %s "$work/p.xd3")"
printf '%-22s %10s %12s\n' "bsdiff" "$b" "$(stat -c %s "$work/p.bsdiff")"
