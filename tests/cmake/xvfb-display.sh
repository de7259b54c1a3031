#!/usr/bin/env bash
# xvfb-display.sh start STATE_DIR COUNT | stop STATE_DIR
# start: runs COUNT X servers (Xvfb, first free displays), each with a window
# manager (openbox), and writes for display N the variable that reaches it
# to STATE_DIR/N/environment; stop: ends them all. Works as root and with no
# display.
set -euo pipefail
. "$(dirname "$0")/display-slots.sh"

processes=(wm xvfb)

start_one() {
    local dir=$1
    start_xvfb "$dir" || return 1
    local number=$xvfb_number
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
        ended_at_start "$dir" wm && return 1
        sleep 0.1
    done
    echo "openbox did not start on :$number:" >&2
    cat "$dir/wm.log" >&2
    return 1
}

display_main "$@"
