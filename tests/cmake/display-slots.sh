# Sourced by the start scripts of the test displays (xvfb-display.sh,
# weston-display.sh): what they share. A script defines
#   start_one DIR   starts one display whose files live in DIR and, once it
#                   is ready, writes DIR/environment (NAME=VALUE lines)
#   processes       the names of the pid files start_one writes, in the
#                   order they are stopped
# and then calls display_main "$@".

# Ends the processes of one display (all signalled at once: each takes a
# second or more to go on a busy machine) and removes what it wrote.
stop_one() {
    local dir=$1 name pid
    local -a pids=()
    for name in "${processes[@]}"; do
        if [ -f "$dir/$name.pid" ]; then
            pid=$(cat "$dir/$name.pid")
            kill "$pid" 2>/dev/null && pids+=("$pid")
            rm -f "$dir/$name.pid"
        fi
    done
    for pid in "${pids[@]}"; do
        for _ in $(seq 50); do
            kill -0 "$pid" 2>/dev/null || break
            sleep 0.1
        done
    done
    rm -rf "$dir/environment" "$dir/runtime"
}

# Ends every display of the state folder, side by side.
stop_all() {
    local dir
    for dir in "$state"/*/; do
        [ -d "$dir" ] && stop_one "${dir%/}" &
    done
    wait
    return 0
}

# True, after saying so with its log, when the process that DIR records as
# NAME (NAME.pid, NAME.log) has ended while it was starting.
ended_at_start() {
    local dir=$1 name=$2
    kill -0 "$(cat "$dir/$name.pid")" 2>/dev/null && return 1
    echo "$name did not start:" >&2
    cat "$dir/$name.log" >&2
}

# Starts an X server (Xvfb) for DIR on the first free display and sets
# xvfb_number to its number; its pid goes to DIR/xvfb.pid. We choose the
# number: an Xvfb left to find a free display itself (-displayfd) tries the
# displays in use first, and each try can leave that display's server
# unreachable to new clients. One server starts at a time on the machine,
# until it answers.
start_xvfb() {
    local dir=$1 lock status=1 file=/tmp/.lumivane-xvfb-start.lock
    # Read-only, so that any user may take the lock on another's file.
    [ -e "$file" ] || : > "$file"
    exec {lock}< "$file"
    flock "$lock"
    start_xvfb_alone "$dir" {lock}>&- && status=0
    exec {lock}>&-
    return $status
}

start_xvfb_alone() {
    local dir=$1 n pid
    xvfb_number=""
    for ((n = 0; n < 200; n++)); do
        [ -e "/tmp/.X$n-lock" ] || [ -e "/tmp/.X11-unix/X$n" ] && continue
        # -noreset: a server that resets when its last client leaves (the
        # check below) turns away the clients that connect meanwhile.
        setsid Xvfb ":$n" -screen 0 1280x1024x24 -nolisten tcp -noreset >"$dir/xvfb.log" 2>&1 &
        pid=$!
        echo "$pid" > "$dir/xvfb.pid"
        for _ in $(seq 100); do
            # Taken meanwhile by a server that is not ours: the next one.
            kill -0 "$pid" 2>/dev/null || continue 2
            if DISPLAY=":$n" xprop -root >/dev/null 2>&1; then
                xvfb_number=$n
                return 0
            fi
            sleep 0.1
        done
        echo "Xvfb did not answer on :$n within 10 s:" >&2
        cat "$dir/xvfb.log" >&2
        return 1
    done
    echo "no free X display below :200" >&2
    return 1
}

display_main() {
    local action=${1:?start or stop}
    state=${2:?state folder}
    mkdir -p "$state"
    case "$action" in
    stop)
        stop_all
        ;;
    start)
        local count=${3:?number of displays} n pid status=0
        local -a pids=()
        # Displays left by an interrupted run of this build tree go first.
        stop_all
        for ((n = 0; n < count; n++)); do
            mkdir -p "$state/$n"
            start_one "$state/$n" &
            pids+=($!)
        done
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
}
