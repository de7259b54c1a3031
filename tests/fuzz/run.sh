#!/usr/bin/env bash
# Runs every harness listed in BUILD_DIR/targets.txt for SECONDS seconds and
# prints executions and coverage per harness. Fails when a harness finds a
# crash, a leak, a sanitizer report or a time-out.
#   tests/fuzz/run.sh BUILD_DIR SECONDS
set -euo pipefail
build=${1:?build folder}
seconds=${2:?seconds per harness}
here=$(cd "$(dirname "$0")" && pwd)
bmpsuite="$here/../../../shared/testdata/bmpsuite"

status=0
summary=()
while read -r name seeds; do
    [ -n "$name" ] || continue
    work="$build/corpus/$name"
    crashes="$build/crashes/$name"
    mkdir -p "$work" "$crashes"
    inputs=("$work" "$here/corpus/$seeds")
    # The harness's own corpus, grown by long runs (grow-corpus.sh).
    [ "$name" = "$seeds" ] || [ ! -d "$here/corpus/$name" ] || inputs+=("$here/corpus/$name")
    if [ "$seeds" = dib ] && [ -d "$bmpsuite" ]; then
        for part in g q b; do
            [ -d "$bmpsuite/$part" ] && inputs+=("$bmpsuite/$part")
        done
    fi
    log="$build/$name.log"
    echo "== fuzz_$name: $seconds s"
    if "$build/fuzz_$name" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 -max_len=16384 \
        -print_final_stats=1 -artifact_prefix="$crashes/" "${inputs[@]}" >"$log" 2>&1; then
        result=ok
    else
        result=FAILED
        status=1
        tail -n 40 "$log"
    fi
    runs=$(grep -o 'stat::number_of_executed_units: *[0-9]*' "$log" | grep -o '[0-9]*$' || echo '?')
    cov=$(grep -o 'cov: [0-9]*' "$log" | tail -n 1 | grep -o '[0-9]*' || echo '?')
    features=$(grep -o 'ft: [0-9]*' "$log" | tail -n 1 | grep -o '[0-9]*' || echo '?')
    speed=$(grep -o 'exec/s: [0-9]*' "$log" | tail -n 1 | grep -o '[0-9]*' || echo '?')
    summary+=("$(printf '%-16s %-7s executions=%-10s exec/s=%-7s cov=%-6s ft=%s' \
        "$name" "$result" "$runs" "$speed" "$cov" "$features")")
done <"$build/targets.txt"

echo "== fuzzing summary ($seconds s each)"
printf '%s\n' "${summary[@]}"
exit $status
