#!/usr/bin/env bash
# Shows a Plymouth theme the way a boot would, on a virtual display, and
# grabs what plymouthd drew:
#   plymouth-show.sh THEME_DIR WIDTHxHEIGHT OUT_DIR GRABS
# writes OUT_DIR/grab-1.ppm .. grab-GRABS.ppm, 300 ms apart (the splash
# window's own pixels). Runs itself in a mount and network namespace of its
# own (root), so the splash daemon's socket and /run/plymouth are private to
# this run and runs in parallel never meet.
set -euo pipefail

theme=$(cd "${1:?theme folder}" && pwd)
size=${2:?WIDTHxHEIGHT}
out=${3:?output folder}
grabs=${4:-1}

if [ "${PLYMOUTH_SHOW_INSIDE:-}" != 1 ]; then
    PLYMOUTH_SHOW_INSIDE=1 exec unshare --mount --net --propagation private "$0" "$theme" "$size" "$out" "$grabs"
fi

work=$(mktemp -d)
pids=()
cleanup() {
    plymouth quit >/dev/null 2>&1 || true
    for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null || true; done
    wait 2>/dev/null || true
    rm -rf "$work"
}
trap cleanup EXIT
# plymouthd writes its debug log when it quits.
fail() {
    echo "plymouth-show: $*" >&2
    plymouth quit >/dev/null 2>&1 && sleep 0.5
    [ -f "$work/debug.log" ] && tail -20 "$work/debug.log" >&2
    exit 1
}

mount -t tmpfs tmpfs /run/plymouth 2>/dev/null || { mkdir -p /run/plymouth && mount -t tmpfs tmpfs /run/plymouth; }
mkdir /run/plymouth/themes
name=$(basename "$theme")
ln -s "$theme" "/run/plymouth/themes/$name"

# Xvfb picks a free display itself; the window manager maps the splash's
# window (without one it is never drawn).
Xvfb -displayfd 9 -screen 0 "${size}x24" -nolisten tcp 9>"$work/display" 2>"$work/xvfb.log" &
pids+=($!)
for _ in $(seq 100); do [ -s "$work/display" ] && break; sleep 0.05; done
[ -s "$work/display" ] || fail "Xvfb did not start"
export DISPLAY=":$(head -n1 "$work/display")"
openbox >/dev/null 2>&1 &
pids+=($!)

# plymouthd wants a terminal of its own: script(1) gives it a pseudo-terminal.
script -qfec "exec plymouthd --no-daemon --no-boot-log --ignore-serial-consoles --debug \
    --debug-file=$work/debug.log --tty=\$(tty) \
    --kernel-command-line='splash plymouth.splash=$name plymouth.ignore-udev'" /dev/null >/dev/null 2>&1 &
pids+=($!)
for _ in $(seq 100); do plymouth --ping 2>/dev/null && break; sleep 0.05; done
plymouth --ping 2>/dev/null || fail "plymouthd did not start"
plymouth show-splash || fail "plymouth show-splash failed"

window=
for _ in $(seq 100); do
    # awk reads to the end: an early exit would fail the pipe.
    window=$(xwininfo -root -tree 2>/dev/null |
        awk -v size="$size" '!found && $0 ~ "\"plymouthd\"" && $0 ~ size"\\+" {print $1; found = 1}')
    [ -n "$window" ] && break
    sleep 0.05
done
[ -n "$window" ] || fail "no splash window appeared"
# plymouthd's event loop sleeps until one of its files stirs: at boot the
# display's own events wake it, under X11 nothing does. A property change on
# the splash window 50 times a second stands in for them.
( while xprop -id "$window" -f _LUMIVANE_TICK 32c -set _LUMIVANE_TICK 1 2>/dev/null; do sleep 0.02; done ) &
pids+=($!)
sleep 0.5
mkdir -p "$out"
for i in $(seq "$grabs"); do
    xwd -id "$window" -silent | xwdtopnm > "$out/grab-$i.ppm" 2>/dev/null || fail "grabbing the window failed"
    [ "$i" -lt "$grabs" ] && sleep 0.3
done
exit 0
