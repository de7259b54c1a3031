#!/usr/bin/env bash
# Grows the repository corpus of each harness by a long run, so the short
# runs of run.sh start where this one ended. Every harness named (all of
# BUILD_DIR/targets.txt when none is) runs SECONDS seconds from its corpus
# and seeds; what it found is then minimised with -merge=1 into a fresh
# folder that replaces tests/fuzz/corpus/<harness>. Files with names of
# their own (seeds, regression inputs) always stay; the 40-hex-digit ones
# are libFuzzer's and stay only while they add coverage beyond the rest.
# Prints executions, coverage, features and the corpus size per harness.
#   tests/fuzz/grow-corpus.sh BUILD_DIR SECONDS [HARNESS...]
set -euo pipefail
build=${1:?build folder}
seconds=${2:?seconds per harness}
shift 2
here=$(cd "$(dirname "$0")" && pwd)
bmpsuite="$here/../../../shared/testdata/bmpsuite"
max_len=16384
# Longer than run.sh's 10 s: on a loaded machine a long run meets stalls of
# seconds that are no hang of the harness; a real hang still ends it.
timeout=30

is_generated() { [[ $(basename "$1") =~ ^[0-9a-f]{40}$ ]]; }

grow() {
    local name=$1 seeds=$2
    local corpus="$here/corpus/$name" grown="$build/grow/$name"
    local found="$grown/found" fresh="$grown/fresh" log="$grown/run.log"
    rm -rf "$grown"
    mkdir -p "$found" "$fresh" "$corpus" "$build/crashes/$name"

    # What the merge measures against without keeping it: the seeds and,
    # for the DIB readers, the BMP suite when present.
    local baseline=()
    [ "$seeds" = "$name" ] || baseline+=("$here/corpus/$seeds")
    if [ "$seeds" = dib ] && [ -d "$bmpsuite" ]; then
        for part in g q b; do
            [ -d "$bmpsuite/$part" ] && baseline+=("$bmpsuite/$part")
        done
    fi
    echo "== fuzz_$name: $seconds s"
    if ! "$build/fuzz_$name" -max_total_time="$seconds" -timeout=$timeout -rss_limit_mb=2048 -max_len=$max_len \
        -print_final_stats=1 -artifact_prefix="$build/crashes/$name/" \
        "$found" "$corpus" "${baseline[@]}" >"$log" 2>&1; then
        tail -n 40 "$log"
        echo "fuzz_$name failed; its corpus is left as it was" >&2
        return 1
    fi

    # Named files stay as they are, the baseline is copied in under marked
    # names: the merge adds only what both miss, then the copies go.
    local file dir
    for file in "$corpus"/*; do
        if [ -f "$file" ] && ! is_generated "$file"; then cp "$file" "$fresh/"; fi
    done
    for dir in "${baseline[@]}"; do
        for file in "$dir"/*; do
            if [ -f "$file" ]; then cp "$file" "$fresh/baseline-$(basename "$dir")-$(basename "$file")"; fi
        done
    done
    if ! "$build/fuzz_$name" -merge=1 -max_len=$max_len -timeout=$timeout -rss_limit_mb=2048 \
        "$fresh" "$corpus" "$found" >"$grown/merge.log" 2>&1; then
        tail -n 20 "$grown/merge.log"
        return 1
    fi
    rm -f "$fresh"/baseline-*
    rm -rf "$corpus"
    mv "$fresh" "$corpus"

    local runs cov features files bytes
    runs=$(grep -o 'stat::number_of_executed_units: *[0-9]*' "$log" | grep -o '[0-9]*$' || echo '?')
    cov=$(grep -o 'cov: [0-9]*' "$log" | tail -n 1 | grep -o '[0-9]*' || echo '?')
    features=$(grep -o 'ft: [0-9]*' "$log" | tail -n 1 | grep -o '[0-9]*' || echo '?')
    files=$(find "$corpus" -type f | wc -l)
    bytes=$(find "$corpus" -type f -printf '%s\n' | awk '{ sum += $1 } END { print sum + 0 }')
    printf '%-16s executions=%-10s cov=%-6s ft=%-6s corpus=%s files, %s bytes\n' \
        "$name" "$runs" "$cov" "$features" "$files" "$bytes" | tee -a "$build/grow/summary.txt"
}

mkdir -p "$build/grow"
status=0
while read -r name seeds; do
    [ -n "$name" ] || continue
    if [ $# -gt 0 ] && [[ " $* " != *" $name "* ]]; then
        continue
    fi
    grow "$name" "$seeds" || status=1
done <"$build/targets.txt"
exit $status
