#!/usr/bin/env bash
# Opens lumva.cpl in Wine's Control Panel (wine control lumva.cpl) on a Wine
# prefix of its own, made on first use with the sample drive's pictures in
# place. Without a display (DISPLAY and WAYLAND_DISPLAY unset) it runs on a
# virtual one, saves the applet's main dialog as BUILD_DIR/lumivane-main-win32.png
# and closes it.
#   scripts/run-win32.sh BUILD_DIR SAMPLE_DRIVE_TOOL
set -euo pipefail
build=$(cd "$1" && pwd)
sample_tool=$2
module=$build/lumva.cpl
state=$build/run
export WINEPREFIX=$state/prefix WINEDEBUG=-all WINEDLLOVERRIDES="winemenubuilder.exe=d"
[ -f "$module" ] || { echo "run-win32.sh: $module is not built" >&2; exit 1; }

# A 32-bit module needs the 32-bit loader, which runs only where the kernel
# runs 32-bit programs.
header=$(od -An -tu4 -j60 -N4 "$module" | tr -d ' ')
machine=$(od -An -tx2 -j$((header + 4)) -N2 "$module" | tr -d ' ')
if [ "$machine" = "014c" ]; then
    wine=/usr/lib/wine/wine wineserver=/usr/lib/wine/wineserver32
    [ -x /usr/lib/wine/wineserver64 ] && wineserver=/usr/lib/wine/wineserver64
else
    wine=/usr/lib/wine/wine64 wineserver=/usr/lib/wine/wineserver64
fi
if ! "$wine" --version >/dev/null 2>&1; then
    echo "run-win32.sh: $wine does not run on this machine (for a 32-bit lumva.cpl the kernel" \
         "must run 32-bit programs; make run-win32 WIN32_ARCH=x86_64 opens the 64-bit build)" >&2
    exit 1
fi
export WINELOADER=$wine WINESERVER=$wineserver

mkdir -p "$state"
if [ ! -f "$WINEPREFIX/.lumivane-ready" ]; then
    rm -rf "$WINEPREFIX" "$state/sample"
    echo "Making the Wine prefix $WINEPREFIX with the sample pictures"
    "$wine" wineboot -i >"$state/wine.log" 2>&1
    "$wineserver" -w
    "$sample_tool" "$state/sample"
    drive=$WINEPREFIX/drive_c
    cp "$state/sample/LOGO.SYS" "$drive/logo.sys"
    cp "$state/sample/WINDOWS/LOGOW.SYS" "$drive/windows/logow.sys"
    cp "$state/sample/WINDOWS/LOGOS.SYS" "$drive/windows/logos.sys"
    mkdir -p "$drive/windows/help"
    cp "$state/sample/WINDOWS/HELP/lumva.hlp" "$drive/windows/help/lumva.hlp"
    cp -r "$state/sample/Program Files/." "$drive/Program Files/"
    touch "$WINEPREFIX/.lumivane-ready"
fi
# The folder a program of the module's width sees as its system folder.
system=$WINEPREFIX/drive_c/windows/system32
[ "$machine" = "014c" ] && [ -d "$WINEPREFIX/drive_c/windows/syswow64" ] && system=$WINEPREFIX/drive_c/windows/syswow64
cp "$module" "$system/lumva.cpl"
cp "$state/sample/WINDOWS/SYSTEM/New.tpl" "$system/New.tpl"

if [ -n "${DISPLAY:-}" ] || [ -n "${WAYLAND_DISPLAY:-}" ]; then
    exec "$wine" control lumva.cpl
fi

picture=$build/lumivane-main-win32.png
echo "No display: running lumva.cpl on a virtual display (xvfb-run) and saving the main dialog."
xvfb-run -a -s "-screen 0 1024x768x24" bash -c '
    set -u
    "$0" control lumva.cpl >>"$2/wine.log" 2>&1 &
    window=""
    for _ in $(seq 240); do
        window=$(xwininfo -root -tree 2>/dev/null | awk "/\"Lumivane\"/ { print \$1; exit }")
        [ -n "$window" ] && break
        sleep 0.5
    done
    status=1
    if [ -n "$window" ]; then
        sleep 2  # the dialog paints after it is mapped
        xwd -silent -id "$window" | xwdtopnm 2>/dev/null | pnmtopng >"$1" && status=0
    else
        echo "run-win32.sh: the main dialog did not open within two minutes (see $2/wine.log)" >&2
    fi
    "$WINESERVER" -k >/dev/null 2>&1 || true
    exit $status' "$wine" "$picture" "$state"
echo "Screenshot of the main dialog: $picture"
