#!/usr/bin/env bash
# genpatch against xdelta3 (no secondary compression) and bsdiff on the same
# pairs: a 0.9 MB kit executable and a copy with 1,000 scattered edits (the
# editor's own output), and 4 MiB of the largest library the machine has with
# a copy changed as other tools change files (1 % of the bytes, 64 KiB
# inserted in the middle, 32 KiB cut further on; fixed seeds). Then
# genpatch's time and peak memory on such pairs of 1, 4, 16 and 64 MiB.
# Installs the tools from Debian's packages when they are missing.
set -euo pipefail

root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
cd "$root"
for p in xdelta3 bsdiff time; do
    if ! command -v "$p" >/dev/null && ! dpkg -s "$p" >/dev/null 2>&1; then
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
genpatch="$root/build/release/bin/genpatch"
compare() {  # CLEAN MODIFIED TITLE
    local clean=$1 modified=$2
    rm -f "$work"/p.*
    local g x b
    g=$(time_ms "$genpatch" "$clean" "$modified" "$work/p.bps")
    x=$(time_ms xdelta3 -e -f -S none -s "$clean" "$modified" "$work/p.xd3")
    b=$(time_ms bsdiff "$clean" "$modified" "$work/p.bsdiff")
    "$genpatch" --apply "$work/p.bps" "$clean" "$work/check.bin"
    cmp -s "$work/check.bin" "$modified"
    echo "== $3"
    printf '%-22s %10s %12s\n' tool "ms/run" "patch bytes"
    printf '%-22s %10s %12s\n' "genpatch (BPS)" "$g" "$(stat -c %s "$work/p.bps")"
    printf '%-22s %10s %12s\n' "xdelta3 -S none" "$x" "$(stat -c %s "$work/p.xd3")"
    printf '%-22s %10s %12s\n' "bsdiff" "$b" "$(stat -c %s "$work/p.bsdiff")"
}
compare "$work/clean.exe" "$work/modified.exe" "the kit executable, 1,000 edits in place"

big=$(find /usr/lib /usr/bin -type f -name "*.so*" -size +4M -printf "%s %p\n" 2>/dev/null | sort -rn | awk "NR == 1 {print \$2}")
runs=5
"$kit" shifted "$big" $((4 << 20)) "$work/c4" "$work/m4"
compare "$work/c4" "$work/m4" "4 MiB of $(basename "$big"), shifted"

echo "== genpatch on shifted pairs of $(basename "$big")"
printf '%-8s %10s %14s %12s\n' size seconds "peak memory" "patch bytes"
for mib in 1 4 16 64; do
    "$kit" shifted "$big" $((mib << 20)) "$work/c" "$work/m"
    /usr/bin/time -f '%e %M' -o "$work/usage" "$genpatch" "$work/c" "$work/m" "$work/p.bps"
    read -r seconds kb <"$work/usage"
    printf '%-8s %10s %11s MB %12s\n' "$mib MiB" "$seconds" "$((kb / 1024))" "$(stat -c %s "$work/p.bps")"
done
