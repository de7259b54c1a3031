#!/usr/bin/env bash
# xvfb-display.sh start STATE_DIR COUNT | stop STATE_DIR
# start: runs COUNT X servers (Xvfb, first free displays), each with a window
# manager (openbox), and writes for display N the variable that reaches it
# to STATE_DIR/N/environment; stop: ends them all. Works as root and with no
# display.
set -euo pipefail

action=${1:?start or stop}
state=${2:?state folder}
mkdir -p "$state"

stop_one() {
    local dir=$1
    for name in wm xvfb; do
        if [ -f "$dir/$name.pid" ]; then
            pid=$(cat "$dir/$name.pid")
            kill "$pid" 2>/dev/null || true
            for _ in $(seq 50); do
                kill -0 "$pid" 2>/dev/null || break
                sleep 0.1
            done
            rm -f "$dir/$name.pid"
        fi
    done
    rm -f "$dir/environment"
}

stop_all() {
    for dir in "$state"/*/; do
        [ -d "$dir" ] && stop_one "${dir%/}"
    done
    return 0
}

start_one() {
    local dir=$1 number=""
    mkdir -p "$dir"
    rm -f "$dir/displayfd"
    exec 3> "$dir/displayfd"
    setsid Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp >"$dir/xvfb.log" 2>&1 &
    echo $! > "$dir/xvfb.pid"
    exec 3>&-
    for _ in $(seq 100); do
        number=$(tr -dc '0-9' < "$dir/displayfd")
        [ -n "$number" ] && break
        if ! kill -0 "$(cat "$dir/xvfb.pid")" 2>/dev/null; then
            echo "Xvfb did not start:" >&2
            cat "$dir/xvfb.log" >&2
            return 1
        fi
        sleep 0.1
    done
    if [ -z "$number" ]; then
        echo "Xvfb gave no display number within 10 s" >&2
        return 1
    fi
    # openbox with its default settings, its cache in the state folder: the
    # user's own configuration and home stay out of the tests.
    DISPLAY=":$number" HOME="$dir" XDG_CONFIG_HOME="$dir/config" XDG_CACHE_HOME="$dir/cache" \
        setsid openbox --sm-disable >"$dir/wm.log" 2>&1 &
    echo $! > "$dir/wm.pid"
    # The window manager is ready once it has claimed the screen.
    for _ in $(seq 100); do
        if DISPLAY=":$number" xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id'; then
            echo "DISPLAY=:$number" > "$dir/environment"
            echo "X server :$number with openbox"
            return 0
        fi
        sleep 0.1
    done
    echo "openbox did not start on :$number:" >&2
    cat "$dir/wm.log" >&2
    return 1
}

case "$action" in
stop)
    stop_all
    ;;
start)
    count=${3:?number of displays}
    # Servers left by an interrupted run of this build tree go first.
    stop_all
    pids=()
    for ((n = 0; n < count; n++)); do
        start_one "$state/$n" &
        pids+=($!)
    done
    status=0
    for pid in "${pids[@]}"; do
        wait "$pid" || status=1
    done
    if [ $status -ne 0 ]; then
        stop_all
        exit 1
    fi
    ;;
*)
    echo "usage: $0 start STATE_DIR COUNT | stop STATE_DIR" >&2
    exit 2
    ;;
esac
