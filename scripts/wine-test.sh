#!/usr/bin/env bash
# Runs the Windows test programs under Wine in a prefix and on a virtual
# display of their own, so that no test touches the user's ~/.wine or X
# session, and none can wait forever on a dialog box.
#
#   scripts/wine-test.sh start STATE_DIR
#       makes the prefix (once, wineboot -i), starts an X server (Xvfb) and a
#       persistent Wine server for it
#   scripts/wine-test.sh run STATE_DIR [--timeout SECONDS] PROGRAM [ARGS...]
#       runs PROGRAM under Wine there (starting first when needed) and exits
#       with its exit code; 124 when it ran out of time
#   scripts/wine-test.sh stop STATE_DIR
#       ends the Wine server (and every program of the prefix) and the X server
#   scripts/wine-test.sh arch
#       prints the MinGW target whose programs Wine runs here: i686, or x86_64
#       where the kernel runs no 32-bit programs
#
# STATE_DIR (the build folder's wine/) holds prefix/, the display and the
# X server's pid, and the logs of both servers.
set -euo pipefail

usage() {
    sed -n '2,20s/^# \{0,1\}//p' "$0" >&2
    exit 2
}

runs() { [ -n "$1" ] && "$1" --version >/dev/null 2>&1; }

first_that_runs() {
    local candidate
    for candidate in "$@"; do
        if runs "$candidate"; then
            echo "$candidate"
            return 0
        fi
    done
    return 0
}

# The loaders that work on this machine, each tried: Debian's wine wrapper
# takes the 32-bit loader whenever it is installed, which fails on a kernel
# without 32-bit support, where only 64-bit programs can run.
find_wine() {
    wine32=$(first_that_runs /usr/lib/wine/wine "$(command -v wine || true)")
    wine64=$(first_that_runs /usr/lib/wine/wine64 "$(command -v wine64 || true)")
    wine=${wine64:-$wine32}
    if [ -z "$wine" ]; then
        echo "wine-test.sh: no Wine that runs here (scripts/install-deps.sh --win32)" >&2
        exit 1
    fi
    wineserver=$(first_that_runs /usr/lib/wine/wineserver64 /usr/lib/wine/wineserver32 \
        "$(command -v wineserver || true)")
    if [ -z "$wineserver" ]; then
        echo "wine-test.sh: no wineserver that runs beside $wine" >&2
        exit 1
    fi
    export WINESERVER=$wineserver
    [ "$wine" = "$wine64" ] && export WINELOADER=$wine64
    return 0
}

# The machine field of a PE program's header: 014c for i386, 8664 for x86-64.
pe_machine() {
    local header
    header=$(od -An -tu4 -j60 -N4 "$1" | tr -d ' ')
    od -An -tx2 -j$((header + 4)) -N2 "$1" | tr -d ' '
}

# The loader for one program.
loader_for() {
    case "$(pe_machine "$1")" in
        014c)
            if [ -z "$wine32" ]; then
                echo "wine-test.sh: $1 is a 32-bit program and this machine's Wine runs only 64-bit" \
                     "ones (the kernel runs no 32-bit Linux programs); build the tests for x86-64" \
                     "(make test-win32 WIN32_ARCH=x86_64)" >&2
                exit 1
            fi
            echo "$wine32" ;;
        *) echo "${wine64:-$wine32}" ;;
    esac
}

display_alive() {
    [ -f "$state/xvfb.pid" ] && [ -f "$state/display" ] && kill -0 "$(cat "$state/xvfb.pid")" 2>/dev/null
}

# An X server on a free display number (-displayfd), detached from the
# caller's output: ctest waits for every holder of a test's pipe to close it.
start_display() {
    display_alive && return 0
    rm -f "$state/display" "$state/xvfb.pid"
    # A Wine server of an earlier display still knows the dead one.
    "$wineserver" -k >/dev/null 2>&1 || true
    "$wineserver" -w >/dev/null 2>&1 || true
    local numberfile="$state/display.number"
    : >"$numberfile"
    setsid Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp \
        3>"$numberfile" </dev/null >"$state/xvfb.log" 2>&1 &
    local pid=$!
    for _ in $(seq 100); do
        [ -s "$numberfile" ] && break
        kill -0 "$pid" 2>/dev/null || break
        sleep 0.1
    done
    if [ ! -s "$numberfile" ]; then
        echo "wine-test.sh: Xvfb did not start (see $state/xvfb.log)" >&2
        kill "$pid" 2>/dev/null || true
        exit 1
    fi
    echo "$pid" >"$state/xvfb.pid"
    echo ":$(tr -d '[:space:]' <"$numberfile")" >"$state/display"
}

# The prefix, made once: 64-bit or 32-bit as the installed Wine makes it (a
# 32-bit program runs in either). The crash dialog is switched off in the
# registry as well, for a Wine that starts winedbg despite the override.
make_prefix() {
    [ -f "$WINEPREFIX/.lumivane-ready" ] && return 0
    rm -rf "$WINEPREFIX"
    echo "wine-test.sh: making the Wine prefix $WINEPREFIX" >&2
    "$wine" wineboot -i </dev/null >>"$state/wine.log" 2>&1
    "$wine" reg add 'HKCU\Software\Wine\WineDbg' /v ShowCrashDialog /t REG_DWORD /d 0 /f \
        </dev/null >>"$state/wine.log" 2>&1
    # No window manager runs on the test display, and a managed window waits
    # about two seconds for one each time it is shown.
    "$wine" reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /t REG_SZ /d N /f \
        </dev/null >>"$state/wine.log" 2>&1
    "$wineserver" -w
    touch "$WINEPREFIX/.lumivane-ready"
}

# A Wine server that stays (-p) keeps the desktop and the services it starts
# here, with their output in the log, instead of in a test's pipe.
start_wineserver() {
    "$wineserver" -p </dev/null >>"$state/wine.log" 2>&1
    "$wine" wineboot </dev/null >>"$state/wine.log" 2>&1
}

do_start() {
    find_wine
    exec 9>"$state/lock"
    flock 9
    start_display
    DISPLAY=$(cat "$state/display")
    export DISPLAY
    make_prefix
    start_wineserver
    flock -u 9
}

do_stop() {
    find_wine
    exec 9>"$state/lock"
    flock 9
    "$wineserver" -k >/dev/null 2>&1 || true
    "$wineserver" -w >/dev/null 2>&1 || true
    if [ -f "$state/xvfb.pid" ]; then
        kill "$(cat "$state/xvfb.pid")" 2>/dev/null || true
        rm -f "$state/xvfb.pid" "$state/display"
    fi
    flock -u 9
}

do_run() {
    local seconds=300
    if [ "${1:-}" = "--timeout" ]; then
        [ $# -ge 2 ] || usage
        seconds=$2
        shift 2
    fi
    [ $# -ge 1 ] || usage
    find_wine
    if ! display_alive || [ ! -f "$WINEPREFIX/.lumivane-ready" ]; then
        do_start
    fi
    DISPLAY=$(cat "$state/display")
    export DISPLAY
    local loader
    loader=$(loader_for "$1") || exit 1
    local status=0
    timeout --kill-after=10 "$seconds" "$loader" "$@" || status=$?
    if [ "$status" -eq 124 ] || [ "$status" -eq 137 ]; then
        echo "wine-test.sh: $1 did not finish within $seconds s" >&2
        exit 124
    fi
    exit "$status"
}

do_arch() {
    find_wine
    if [ -n "$wine32" ]; then
        echo i686
    else
        echo "wine-test.sh: Wine runs only 64-bit programs here, so the tests are built for x86-64" >&2
        echo x86_64
    fi
}

[ $# -ge 1 ] || usage
command=$1
shift
if [ "$command" = "arch" ]; then
    do_arch
    exit 0
fi
[ $# -ge 1 ] || usage
mkdir -p "$1"
state=$(cd "$1" && pwd)
shift

export WINEPREFIX="$state/prefix"
export WINEDEBUG=-all
# winedbg disabled: a crash ends the program with its exception code instead
# of opening the crash dialog. Without Mono and Gecko wineboot asks nothing.
export WINEDLLOVERRIDES="winedbg.exe=d;mscoree=d;mshtml=d"

case "$command" in
    start) do_start ;;
    stop) do_stop ;;
    run) do_run "$@" ;;
    *) usage ;;
esac
