#!/usr/bin/env bash
# Measures start-up under a virtual display: time from exec to the first painted frame (Mensurix's splash, and an
# empty Qt window in the same run), and resident memory a second after the window shows (Mensurix: its main window).
# Usage: bench/startup.sh [runs]   (builds build-bench first)
set -euo pipefail
cd "$(dirname "$0")/.."
runs="${1:-7}"
if [ "${MX_BENCH_INNER:-}" != 1 ]; then
    cmake -S . -B build-bench -G Ninja -DCMAKE_BUILD_TYPE=Release -DMENSURIX_BENCH=ON >/dev/null
    cmake --build build-bench --parallel "$(nproc)" --target mensurix_traced empty_window bench_core >/dev/null
    MX_BENCH_INNER=1 exec xvfb-run -a -s "-screen 0 1280x1024x24" "$0" "$runs"
fi

export QT_QPA_PLATFORMTHEME=
measure() { # <program> -> prints "exec-to-visible-ms rss-mib"
    local start out visible rss
    start=$(date +%s%N)
    out=$("$1" 2>&1 >/dev/null) || true
    visible=$(awk '/^splash-visible/ {print $2}' <<<"$out")
    rss=$(awk '/^rss-kib/ {print $2}' <<<"$out")
    awk -v s="$start" -v v="$visible" -v r="$rss" 'BEGIN { printf "%.1f %.1f\n", (v - s) / 1e6, r / 1024 }'
}
median() { sort -n | awk '{ a[NR] = $1 } END { print a[int((NR + 1) / 2)] }'; }

tmp=$(mktemp -d)
# A later run (stored place, no tip of the day): a first run would wait on the tip window.
settings() {
    printf '[Position Information]\r\nMain Window Left= 4200\r\nMain Window Top= 3000\r\n'
    printf 'Center All Forms=No\r\n[Startup Tips]\r\nShow Tips=No\r\n'
}
for _ in $(seq "$runs"); do
    measure build-bench/bench/empty_window >>"$tmp/empty"
    settings >build-bench/bench/Mensurix.ini
    measure build-bench/bench/mensurix_traced >>"$tmp/mensurix"
done
printf "%-14s %22s %12s\n" "program" "exec to visible (ms)" "RSS (MiB)"
for p in empty mensurix; do
    printf "%-14s %22s %12s\n" "$p" "$(cut -d' ' -f1 "$tmp/$p" | median)" "$(cut -d' ' -f2 "$tmp/$p" | median)"
done
rm -rf "$tmp"
