#!/usr/bin/env bash
# Runs every harness listed in BUILD_DIR/targets.txt for SECONDS seconds,
# JOBS of them side by side (default: one per core), and prints executions
# and coverage per harness. Fails when a harness finds a crash, a leak, a
# sanitizer report or a time-out.
#   tests/fuzz/run.sh BUILD_DIR SECONDS [JOBS]
set -euo pipefail
build=${1:?build folder}
seconds=${2:?seconds per harness}
jobs=${3:-$(nproc)}
here=$(cd "$(dirname "$0")" && pwd)
bmpsuite="$here/../../../shared/testdata/bmpsuite"

# One harness: its log in BUILD_DIR/NAME.log, its summary line in
# BUILD_DIR/NAME.result.
fuzz_one() {
    local name=$1 seeds=$2
    local work="$build/corpus/$name" crashes="$build/crashes/$name" log="$build/$name.log"
    mkdir -p "$work" "$crashes"
    local inputs=("$work" "$here/corpus/$seeds")
    # The harness's own corpus, grown by long runs (grow-corpus.sh).
    [ "$name" = "$seeds" ] || [ ! -d "$here/corpus/$name" ] || inputs+=("$here/corpus/$name")
    if [ "$seeds" = dib ] && [ -d "$bmpsuite" ]; then
        for part in g q b; do
            [ -d "$bmpsuite/$part" ] && inputs+=("$bmpsuite/$part")
        done
    fi
    local result=ok
    "$build/fuzz_$name" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 -max_len=16384 \
        -print_final_stats=1 -artifact_prefix="$crashes/" "${inputs[@]}" >"$log" 2>&1 || result=FAILED
    local runs cov features speed
    runs=$(grep -o 'stat::number_of_executed_units: *[0-9]*' "$log" | grep -o '[0-9]*$' || echo '?')
    cov=$(grep -o 'cov: [0-9]*' "$log" | tail -n 1 | grep -o '[0-9]*' || echo '?')
    features=$(grep -o 'ft: [0-9]*' "$log" | tail -n 1 | grep -o '[0-9]*' || echo '?')
    speed=$(grep -o 'exec/s: [0-9]*' "$log" | tail -n 1 | grep -o '[0-9]*' || echo '?')
    printf '%-16s %-7s executions=%-10s exec/s=%-7s cov=%-6s ft=%s\n' \
        "$name" "$result" "$runs" "$speed" "$cov" "$features" >"$build/$name.result"
    echo "== fuzz_$name: $result"
}

names=()
while read -r name seeds; do
    [ -n "$name" ] || continue
    names+=("$name")
    rm -f "$build/$name.result"
    while [ "$(jobs -rp | wc -l)" -ge "$jobs" ]; do
        wait -n || true
    done
    echo "== fuzz_$name: $seconds s"
    fuzz_one "$name" "$seeds" &
done <"$build/targets.txt"
wait

status=0
echo "== fuzzing summary ($seconds s each, $jobs at a time)"
for name in "${names[@]}"; do
    if ! grep -q ' ok ' "$build/$name.result" 2>/dev/null; then
        status=1
        echo "-- fuzz_$name:"
        tail -n 40 "$build/$name.log"
    fi
done
for name in "${names[@]}"; do
    cat "$build/$name.result" 2>/dev/null || echo "$name: no result"
done
exit $status
