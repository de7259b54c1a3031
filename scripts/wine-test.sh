#!/usr/bin/env bash
# Runs the Windows test programs under Wine in a prefix and on a virtual
# display of their own, so that no test touches the user's ~/.wine or X
# session, and none can wait forever on a dialog box.
#
#   scripts/wine-test.sh start STATE_DIR [--32-bit]
#       makes the prefix (once, wineboot -i), starts an X server (Xvfb) and a
#       persistent Wine server for it; --32-bit: a 32-bit prefix
#       (WINEARCH=win32) for 32-bit programs, so nothing where no 32-bit
#       Wine runs
#   scripts/wine-test.sh run STATE_DIR [--timeout SECONDS] [--gtest] [--windows VERSION] [--32-bit] PROGRAM [ARGS...]
#       runs PROGRAM under Wine there (starting first when needed) and exits
#       with its exit code; 124 when it ran out of time. --gtest: PROGRAM is a
#       GoogleTest program, and fails unless it printed GoogleTest's closing
#       summary for as many tests as it lists. --windows: Wine tells PROGRAM
#       it runs on that Windows version (win98, winxp, ...). --32-bit: a
#       32-bit program in the 32-bit prefix. A 32-bit program (--32-bit: also
#       one not built) where no 32-bit Wine runs is not run: exit 77, ctest's
#       skip.
#   scripts/wine-test.sh stop STATE_DIR
#       ends the Wine server (and every program of the prefix) and the X server
#   scripts/wine-test.sh arch
#       prints the MinGW target whose programs Wine runs here: i686 where a
#       32-bit Wine runs, else x86_64
#
# STATE_DIR (the build folder's wine/) holds prefix/, the display and the
# X server's pid, the logs of both servers, and arch (win32 for the 32-bit
# prefix).
set -euo pipefail

usage() {
    sed -n '2,32s/^# \{0,1\}//p' "$0" >&2
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

# The ELF class of a file: 1 for 32-bit, 2 for 64-bit, nothing for a script.
elf_class() {
    [ "$(od -An -c -N4 "$1" 2>/dev/null | tr -d ' ')" = "177ELF" ] && od -An -tu1 -j4 -N1 "$1" | tr -d ' '
}

# A 32-bit Wine loader that runs here, or nothing. Debian's wine is a script
# that answers --version through wine64 even where no 32-bit program runs,
# so only a 32-bit program that itself runs counts.
find_wine32() {
    local candidate
    for candidate in /usr/lib/wine/wine "$(command -v wine || true)"; do
        [ -n "$candidate" ] && [ "$(elf_class "$(readlink -f "$candidate")")" = 1 ] && runs "$candidate" &&
            { echo "$candidate"; return 0; }
    done
    return 0
}

# The loaders that work on this machine, each tried: a kernel without 32-bit
# support (or with it switched off) runs only 64-bit programs. A prefix for
# 32-bit programs (STATE_DIR/arch says win32) is a 32-bit one, as on 32-bit
# Windows, run by the 32-bit loader; its server stays the 64-bit one, which
# serves it as well and runs natively where 32-bit code is emulated.
find_wine() {
    wine32=$(find_wine32)
    wine64=$(first_that_runs /usr/lib/wine/wine64 "$(command -v wine64 || true)")
    wine=${wine64:-$wine32}
    if [ "$(cat "$state/arch" 2>/dev/null)" = win32 ] && [ -n "$wine32" ]; then
        wine=$wine32
        export WINEARCH=win32
    fi
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
    export WINELOADER=$wine
    return 0
}

# The machine field of a PE program's header: 014c for i386, 8664 for x86-64.
pe_machine() {
    local header
    header=$(od -An -tu4 -j60 -N4 "$1" | tr -d ' ')
    od -An -tx2 -j$((header + 4)) -N2 "$1" | tr -d ' '
}

# The loader for one program; nothing for a 32-bit one where no 32-bit Wine runs.
loader_for() {
    case "$(pe_machine "$1")" in
        014c) echo "$wine32" ;;
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

# The prefix, made once: 32-bit for 32-bit programs, else as the installed
# Wine makes it; one of the other kind is made anew. The crash dialog is
# switched off in the registry as well, for a Wine that starts winedbg
# despite the override.
make_prefix() {
    local kind=${WINEARCH:-default}
    [ "$(cat "$WINEPREFIX/.lumivane-ready" 2>/dev/null)" = "$kind" ] && return 0
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
    echo "$kind" >"$WINEPREFIX/.lumivane-ready"
}

# A Wine server that stays (-p) keeps the desktop and the services it starts
# here, with their output in the log, instead of in a test's pipe.
start_wineserver() {
    # One already running (an earlier start or run) serves as well.
    "$wineserver" -p </dev/null >>"$state/wine.log" 2>&1 || true
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

# ctest's skip (SKIP_RETURN_CODE) for a program that cannot run here.
readonly not_run=77

# A copy of PROGRAM that Wine tells it runs on Windows VERSION (a setting
# per program name in the prefix's registry); prints its path.
program_as_windows() {
    local program=$1 version=$2 loader=$3
    local name
    name="$(basename "${program%.*}")-$version.${program##*.}"
    mkdir -p "$state/versions"
    cp "$program" "$state/versions/$name"
    "$loader" reg add "HKCU\\Software\\Wine\\AppDefaults\\$name" /v Version /t REG_SZ /d "$version" /f \
        </dev/null >>"$state/wine.log" 2>&1
    echo "$state/versions/$name"
}

# The names a GoogleTest program lists, one a line ("Suite.Case").
listed_tests() {
    awk '/^[^ ]/ { suite = $1 } /^  [^ ]/ { print suite $1 }' | tr -d '\r'
}

# GoogleTest's closing summary in OUTPUT: the count of tests it ran, or
# nothing when the program never got that far.
tests_run() {
    tr -d '\r' <"$1" | sed -n 's/^\[==========\] \([0-9][0-9]*\) tests\{0,1\} from .* ran\..*/\1/p' | tail -1
}

do_run() {
    local seconds=300 gtest=0 version="" bits=""
    while [ $# -gt 0 ]; do
        case $1 in
            --timeout) [ $# -ge 2 ] || usage; seconds=$2; shift 2 ;;
            --gtest) gtest=1; shift ;;
            --windows) [ $# -ge 2 ] || usage; version=$2; shift 2 ;;
            --32-bit) bits=32; shift ;;
            *) break ;;
        esac
    done
    [ $# -ge 1 ] || usage
    [ "$bits" != 32 ] || echo win32 >"$state/arch"
    find_wine
    local loader=""
    if [ "$bits" = 32 ]; then
        loader=$wine32
    elif [ -f "$1" ]; then
        loader=$(loader_for "$1")
    fi
    if [ -z "$loader" ] && { [ "$bits" = 32 ] || { [ -f "$1" ] && [ "$(pe_machine "$1")" = 014c ]; }; }; then
        echo "wine-test.sh: not run: $(basename "$1") is a 32-bit program and no 32-bit Wine runs here" \
             "(scripts/install-deps.sh --win32; a kernel without 32-bit support runs none)"
        exit $not_run
    fi
    [ -f "$1" ] || { echo "wine-test.sh: no program $1" >&2; exit 1; }
    if ! display_alive || [ ! -f "$WINEPREFIX/.lumivane-ready" ]; then
        do_start
    fi
    DISPLAY=$(cat "$state/display")
    export DISPLAY
    local program=$1
    shift
    [ -z "$version" ] || program=$(program_as_windows "$program" "$version" "$loader")

    # The program writes to a file, never to the caller's pipe: a process it
    # starts can outlive it (Wine starts the desktop's explorer from the
    # first program that needs one), and ctest waits for every holder of a
    # test's pipe to close it.
    local listed=0 output
    output=$(mktemp)
    if [ $gtest -eq 1 ]; then
        timeout --kill-after=10 "$seconds" "$loader" "$program" --gtest_list_tests "$@" </dev/null >"$output" 2>&1 || true
        listed=$(listed_tests <"$output" | wc -l)
        if [ "$listed" -eq 0 ]; then
            echo "wine-test.sh: $(basename "$program") lists no test: it did not start, or is no GoogleTest program" >&2
            cat "$output" >&2
            rm -f "$output"
            exit 1
        fi
    fi
    local status=0
    timeout --kill-after=10 "$seconds" "$loader" "$program" "$@" </dev/null >"$output" 2>&1 || status=$?
    cat "$output"
    if [ "$status" -eq 124 ] || [ "$status" -eq 137 ]; then
        echo "wine-test.sh: $(basename "$program") did not finish within $seconds s" >&2
        rm -f "$output"
        exit 124
    fi
    if [ $gtest -eq 1 ]; then
        local ran
        ran=$(tests_run "$output")
        if [ -z "$ran" ]; then
            echo "wine-test.sh: $(basename "$program") printed no GoogleTest summary: it did not start or did not finish" \
                 "(exit code $status)" >&2
            status=1
        elif [ "$ran" -ne "$listed" ]; then
            echo "wine-test.sh: $(basename "$program") ran $ran of the $listed tests it lists" >&2
            status=1
        fi
    fi
    rm -f "$output"
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
    start)
        if [ "${1:-}" = --32-bit ]; then
            if [ -z "$(find_wine32)" ]; then
                echo "wine-test.sh: no 32-bit Wine runs here: no prefix for 32-bit programs"
                exit 0
            fi
            echo win32 >"$state/arch"
        fi
        do_start ;;
    stop) do_stop ;;
    run) do_run "$@" ;;
    *) usage ;;
esac
