#!/usr/bin/env bash
# xvfb-display.sh start|stop STATE_DIR
# start: runs an X server (Xvfb, first free display) and a window manager
# (openbox) on it, and writes the display name to STATE_DIR/display for the
# test executables; stop: ends both. Works as root and with no display.
set -euo pipefail

action=${1:?start or stop}
state=${2:?state folder}
mkdir -p "$state"

stop_recorded() {
    for name in wm xvfb; do
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
    rm -f "$state/display"
}

case "$action" in
stop)
    stop_recorded
    ;;
start)
    # A server left by an interrupted run of this build tree goes first.
    stop_recorded
    rm -f "$state/displayfd"
    exec 3> "$state/displayfd"
    setsid Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp >"$state/xvfb.log" 2>&1 &
    echo $! > "$state/xvfb.pid"
    exec 3>&-
    number=""
    for _ in $(seq 100); do
        number=$(tr -dc '0-9' < "$state/displayfd")
        [ -n "$number" ] && break
        if ! kill -0 "$(cat "$state/xvfb.pid")" 2>/dev/null; then
            echo "Xvfb did not start:" >&2
            cat "$state/xvfb.log" >&2
            exit 1
        fi
        sleep 0.1
    done
    if [ -z "$number" ]; then
        echo "Xvfb gave no display number within 10 s" >&2
        stop_recorded
        exit 1
    fi
    DISPLAY=":$number" setsid openbox --sm-disable >"$state/wm.log" 2>&1 &
    echo $! > "$state/wm.pid"
    # The window manager is ready once it has claimed the screen.
    for _ in $(seq 100); do
        if DISPLAY=":$number" xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id'; then
            echo ":$number" > "$state/display"
            echo "X server :$number with openbox"
            exit 0
        fi
        sleep 0.1
    done
    echo "openbox did not start on :$number:" >&2
    cat "$state/wm.log" >&2
    stop_recorded
    exit 1
    ;;
*)
    echo "usage: $0 start|stop STATE_DIR" >&2
    exit 2
    ;;
esac
