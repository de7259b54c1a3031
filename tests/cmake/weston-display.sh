#!/usr/bin/env bash
# weston-display.sh start|stop STATE_DIR
# start: runs a Wayland compositor (Weston) for the ".wayland" tests and
# writes the path of its socket to STATE_DIR/display; stop: ends it.
# Weston draws into a private X server (its x11 back end on Xvfb) rather
# than headless: only that back end gives it a seat, and without a seat no
# window is ever activated and Qt fails on synthesized keys. Works as root
# and with no display.
set -euo pipefail

action=${1:?start or stop}
state=${2:?state folder}
mkdir -p "$state"

stop_recorded() {
    for name in weston xvfb; do
        if [ -f "$state/$name.pid" ]; then
            pid=$(cat "$state/$name.pid")
            kill "$pid" 2>/dev/null || true
            for _ in $(seq 50); do
                kill -0 "$pid" 2>/dev/null || break
                sleep 0.1
            done
            rm -f "$state/$name.pid"
        fi
    done
    rm -rf "$state/display" "$state/runtime"
}

fail() {
    echo "$1" >&2
    [ -n "${2:-}" ] && cat "$2" >&2
    stop_recorded
    exit 1
}

case "$action" in
stop)
    stop_recorded
    ;;
start)
    stop_recorded
    exec 3> "$state/displayfd"
    setsid Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp >"$state/xvfb.log" 2>&1 &
    echo $! > "$state/xvfb.pid"
    exec 3>&-
    number=""
    for _ in $(seq 100); do
        number=$(tr -dc '0-9' < "$state/displayfd")
        [ -n "$number" ] && break
        sleep 0.1
    done
    [ -n "$number" ] || fail "Xvfb gave no display number within 10 s" "$state/xvfb.log"
    # Weston wants a private runtime folder for its socket.
    runtime="$state/runtime"
    mkdir -m 700 "$runtime"
    DISPLAY=":$number" XDG_RUNTIME_DIR="$runtime" setsid weston --backend=x11-backend.so --use-pixman \
        --no-config --idle-time=0 --socket=wayland-lumivane --width=1280 --height=1024 \
        >"$state/weston.log" 2>&1 &
    echo $! > "$state/weston.pid"
    # Ready once its shell runs (it starts the shell's client last).
    for _ in $(seq 100); do
        if [ -S "$runtime/wayland-lumivane" ] && grep -q 'weston-desktop-shell' "$state/weston.log"; then
            sleep 0.3
            echo "$runtime/wayland-lumivane" > "$state/display"
            echo "Weston on $runtime/wayland-lumivane (drawing on X :$number)"
            exit 0
        fi
        kill -0 "$(cat "$state/weston.pid")" 2>/dev/null || fail "weston did not start:" "$state/weston.log"
        sleep 0.1
    done
    fail "weston was not ready within 10 s:" "$state/weston.log"
    ;;
*)
    echo "usage: $0 start|stop STATE_DIR" >&2
    exit 2
    ;;
esac
