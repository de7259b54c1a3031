#!/usr/bin/env bash
# scripts/wine-test.sh passes a GoogleTest program only when it printed the
# closing summary for every test it lists: one that ran fewer, or printed
# nothing (as a program that never started, exiting 0), fails.
#   wine_test_check.sh WINE_TEST STATE_DIR PRETEND_PROGRAM [--32-bit]
set -u
wine_test=$1 state=$2 program=$3 bits=${4:-}
failed=0
expect() {
    local want=$1 mode=$2 status=0
    "$wine_test" run "$state" --timeout 120 --gtest $bits "$program" "$mode" >/dev/null 2>&1 || status=$?
    [ "$status" -eq 77 ] && { echo "not run: no Wine runs $(basename "$program") here"; exit 77; }
    if { [ "$want" = pass ] && [ "$status" -ne 0 ]; } || { [ "$want" = fail ] && [ "$status" -eq 0 ]; }; then
        echo "FAILED: a program that runs '$mode' should $want, exit code $status"
        failed=1
    else
        echo "ok: '$mode' ${want}s (exit code $status)"
    fi
}
expect pass whole
expect fail short
expect fail silent
exit $failed
