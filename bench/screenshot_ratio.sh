#!/usr/bin/env bash
# Start-up cost of Lumivane: the time from starting `lumivane --screenshot`
# on the sample drive to its PNG being written, against the same for
# qt_floor_dialog (an empty Qt dialog shown, left to paint for the same
# settle time, grabbed). Both run N times, alternating, offscreen; the
# medians and their ratio are printed. Target: ratio <= 1.5.
#
#   bench/screenshot_ratio.sh [BUILD_DIR] [N]      (defaults: build 5)
#
# "PNG written" is the PNG's modification time, so teardown after the save
# is not counted for either program.
set -euo pipefail

build=${1:-build}
runs=${2:-5}
settle_ms=400   # lumivane's screenshot settle time; the floor waits the same
lumivane="$build/bin/lumivane"
floor="$build/bench/startup/qt_floor_dialog"
for program in "$lumivane" "$floor"; do
    [ -x "$program" ] || { echo "missing $program (build it first)" >&2; exit 1; }
done

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
export QT_QPA_PLATFORM=offscreen XDG_DATA_HOME="$work/data" XDG_CONFIG_HOME="$work/config"
export XDG_RUNTIME_DIR="$work/runtime"
mkdir -m 700 "$work/runtime"

# Milliseconds from launch to the PNG's last write.
time_to_png() {
    local png="$work/shot.png"
    rm -f "$png"
    local start
    start=$(date +%s.%N)
    "$@" "$png" >/dev/null 2>&1 || { echo "failed: $*" >&2; exit 1; }
    local written
    written=$(stat -c %.9Y "$png")
    awk -v a="$start" -v b="$written" 'BEGIN { printf "%.1f\n", (b - a) * 1000 }'
}

lumivane_run() { "$lumivane" --screenshot "$1"; }
floor_run() { "$floor" "$1" "$settle_ms"; }

# The first run creates the sample drive; it is not measured.
time_to_png lumivane_run >/dev/null
time_to_png floor_run >/dev/null

lumivane_times=()
floor_times=()
for _ in $(seq "$runs"); do
    lumivane_times+=("$(time_to_png lumivane_run)")
    floor_times+=("$(time_to_png floor_run)")
done

median() { printf '%s\n' "$@" | sort -n | awk '{ v[NR] = $1 } END { print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'; }
lumivane_median=$(median "${lumivane_times[@]}")
floor_median=$(median "${floor_times[@]}")

echo "lumivane --screenshot, start to PNG (ms): ${lumivane_times[*]}"
echo "qt_floor_dialog,       start to PNG (ms): ${floor_times[*]}"
awk -v l="$lumivane_median" -v f="$floor_median" -v s="$settle_ms" 'BEGIN {
    printf "median: lumivane %.1f ms, floor %.1f ms, ratio %.2f (target <= 1.5)\n", l, f, l / f
    printf "without the common %d ms settle: lumivane %.1f ms, floor %.1f ms, ratio %.2f\n", s, l - s, f - s, (l - s) / (f - s)
}'
