#!/usr/bin/env bash
# weston-display.sh start STATE_DIR COUNT | stop STATE_DIR
# start: runs COUNT Wayland compositors (Weston) and writes for compositor N
# the variables that reach it (its socket, its runtime folder, no X display)
# to STATE_DIR/N/environment; stop: ends them all. Each Weston draws into a
# private X server (its x11 back end on Xvfb) rather than headless: only that
# back end gives it a seat, and without a seat no window is ever activated
# and Qt fails on synthesized keys. Works as root and with no display.
set -euo pipefail
. "$(dirname "$0")/display-slots.sh"

processes=(weston xvfb)

start_one() {
    local dir=$1
    start_xvfb "$dir" || return 1
    local number=$xvfb_number
    # Weston wants a private runtime folder for its socket.
    local runtime="$dir/runtime"
    mkdir -m 700 "$runtime"
    DISPLAY=":$number" XDG_RUNTIME_DIR="$runtime" setsid weston --backend=x11-backend.so --use-pixman \
        --no-config --idle-time=0 --socket=wayland-lumivane --width=1280 --height=1024 \
        >"$dir/weston.log" 2>&1 &
    echo $! > "$dir/weston.pid"
    # Ready once its shell runs (it starts the shell's client last).
    for _ in $(seq 100); do
        if [ -S "$runtime/wayland-lumivane" ] && grep -q 'weston-desktop-shell' "$dir/weston.log"; then
            sleep 0.3
            printf '%s\n' "WAYLAND_DISPLAY=wayland-lumivane" "XDG_RUNTIME_DIR=$runtime" "DISPLAY=" \
                > "$dir/environment"
            echo "Weston on $runtime/wayland-lumivane (drawing on X :$number)"
            return 0
        fi
        ended_at_start "$dir" weston && return 1
        sleep 0.1
    done
    echo "weston was not ready within 10 s:" >&2
    cat "$dir/weston.log" >&2
    return 1
}

display_main "$@"
