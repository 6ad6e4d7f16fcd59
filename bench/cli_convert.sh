#!/usr/bin/env bash
# One conversion from the command line, exec to exit: `mensurix --convert 12.5 "Inches vs Millimeters"` against
# GNU units doing the same (`units -t '12.5 inch' mm`), in the same run, alternating. Reports the median and the
# mean of each and their ratio (the aim: Mensurix within 2 times GNU units).
# Usage: bench/cli_convert.sh [runs]   (builds build-bench first; installs GNU units when it is missing)
set -euo pipefail
cd "$(dirname "$0")/.."
runs="${1:-300}"

if ! command -v units >/dev/null; then
    sudo=""
    [ "$(id -u)" -ne 0 ] && sudo="sudo"
    $sudo apt-get install -y --no-install-recommends units >/dev/null
fi
cmake -S . -B build-bench -G Ninja -DCMAKE_BUILD_TYPE=Release -DMENSURIX_BENCH=ON >/dev/null
cmake --build build-bench --target mensurix >/dev/null

mensurix=(build-bench/mensurix --convert 12.5 "Inches vs Millimeters")
gnu_units=(units -t '12.5 inch' mm)
# Both must answer before they are timed.
"${mensurix[@]}" >/dev/null
"${gnu_units[@]}" >/dev/null

tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
elapsed_us() { # <command...> -> microseconds from exec to exit, no extra process in the interval
    local start end
    start=$EPOCHREALTIME
    "$@" >/dev/null
    end=$EPOCHREALTIME
    echo $(((${end/./} - ${start/./})))
}
for _ in $(seq "$runs"); do
    elapsed_us "${mensurix[@]}" >>"$tmp/mensurix"
    elapsed_us "${gnu_units[@]}" >>"$tmp/units"
done

stats() { sort -n "$1" | awk '{ a[NR] = $1; s += $1 } END { printf "%.2f %.2f\n", a[int((NR + 1) / 2)] / 1000, s / NR / 1000 }'; }
read -r m_median m_mean < <(stats "$tmp/mensurix")
read -r u_median u_mean < <(stats "$tmp/units")
printf "%-10s %12s %12s   (%s runs each)\n" "program" "median (ms)" "mean (ms)" "$runs"
printf "%-10s %12s %12s\n" "mensurix" "$m_median" "$m_mean" "units" "$u_median" "$u_mean"
awk -v m="$m_median" -v u="$u_median" 'BEGIN { printf "ratio of medians: %.2f (aim: at most 2)\n", m / u }'
