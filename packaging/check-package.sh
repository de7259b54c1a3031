#!/usr/bin/env bash
# check-package.sh BUILD_DIR
#
# Builds the Debian package afresh from BUILD_DIR (already built) into a
# scratch folder, lets lintian judge it (an error fails), unpacks it into a
# scratch root with dpkg -x and runs the installed programs from there as a
# user would: the host must find the installed module, open the main dialog
# offscreen on a fresh sample drive and save it, and lumva-logo must read the
# sample drive's start-up logo. Nothing outside the scratch folder is touched.
set -euo pipefail

if [ $# -ne 1 ] || [ ! -f "$1/CPackConfig.cmake" ]; then
    echo "usage: check-package.sh BUILD_DIR (a configured and built folder)" >&2
    exit 2
fi
build=$(cd "$1" && pwd)
scratch=$(mktemp -d "${TMPDIR:-/tmp}/lumivane-package.XXXXXX")
trap 'rm -rf "$scratch"' EXIT

fail() {
    echo "check-package: $*" >&2
    exit 1
}
for tool in cpack dpkg-deb lintian; do
    command -v "$tool" >/dev/null || fail "$tool is not installed (scripts/install-deps.sh installs it)"
done

echo "== building the package"
if ! cpack --config "$build/CPackConfig.cmake" -G DEB -B "$scratch/out" >"$scratch/cpack.log" 2>&1; then
    cat "$scratch/cpack.log" >&2
    fail "cpack could not build the package"
fi
debs=("$scratch"/out/lumivane_*.deb)
[ -f "${debs[0]}" ] || fail "cpack wrote no lumivane_*.deb"
deb=${debs[0]}
echo "$(basename "$deb")"

echo "== lintian"
lintian_status=0
lintian --fail-on error "$deb" >"$scratch/lintian.log" 2>&1 || lintian_status=$?
grep -v '^running with root privileges' "$scratch/lintian.log" || true
[ "$lintian_status" -eq 0 ] || fail "lintian reports an error"

echo "== the package's contents"
root=$scratch/root
dpkg-deb -x "$deb" "$root"
expected=(
    usr/bin/lumivane
    usr/bin/lumva-logo
    usr/lib/lumivane/lumva.cpl
    usr/share/applications/lumivane.desktop
    usr/share/icons/hicolor/16x16/apps/lumivane.png
    usr/share/icons/hicolor/32x32/apps/lumivane.png
    usr/share/icons/hicolor/48x48/apps/lumivane.png
    usr/share/icons/hicolor/256x256/apps/lumivane.png
    usr/share/metainfo/org.lumivane.Lumivane.metainfo.xml
    usr/share/man/man1/lumivane.1.gz
    usr/share/man/man1/lumva-logo.1.gz
    usr/share/doc/lumivane/copyright
    usr/share/doc/lumivane/changelog.gz
    usr/share/doc/lumivane/help.md
)
for file in "${expected[@]}"; do
    [ -s "$root/$file" ] || fail "the package has no /$file"
done
recommends=$(dpkg-deb -f "$deb" Recommends)
for engine in mtools qemu-utils qemu-system-common fuse3 qt6-wayland; do
    [[ ", $recommends," == *", $engine,"* ]] || fail "Recommends ($recommends) lacks $engine"
done
[ "$(dpkg-deb -f "$deb" Version)" = "2.0.0" ] || fail "the version is $(dpkg-deb -f "$deb" Version), not 2.0.0"

# A user's session of its own: fresh home and XDG folders, no display.
export HOME=$scratch/home
export XDG_CONFIG_HOME=$HOME/.config XDG_DATA_HOME=$HOME/.local/share XDG_CACHE_HOME=$HOME/.cache
export XDG_RUNTIME_DIR=$scratch/runtime
export QT_QPA_PLATFORM=offscreen
unset DISPLAY WAYLAND_DISPLAY
mkdir -p "$HOME"
mkdir -m 0700 "$XDG_RUNTIME_DIR"

echo "== lumivane --module-info"
info=$("$root/usr/bin/lumivane" --module-info) || fail "the installed lumivane --module-info failed"
echo "$info"
module_line=$(grep '^Module:' <<<"$info" || true)
[ "$(awk '{ print $2 }' <<<"$module_line")" = "$root/usr/lib/lumivane/lumva.cpl" ] ||
    fail "the installed host did not take the installed module: $module_line"
grep -q '^Name: *Lumivane$' <<<"$info" || fail "the installed module gives no name Lumivane"

echo "== lumivane --screenshot"
shot=$scratch/main.png
"$root/usr/bin/lumivane" --screenshot "$shot" || fail "the installed lumivane --screenshot failed"
[ -s "$shot" ] || fail "no screenshot written"
# PNG: the IHDR chunk's width and height, big-endian, at bytes 16 and 20.
size=$(od -An -tu1 -j16 -N8 "$shot" | awk '{ print $1*16777216+$2*65536+$3*256+$4 "x" $5*16777216+$6*65536+$7*256+$8 }')
[ "$size" = "600x388" ] || fail "the screenshot is $size, not the main dialog's 600x388"
echo "main dialog $size"

echo "== lumva-logo info"
logo=$XDG_DATA_HOME/lumivane/drive_c/LOGO.SYS
[ -f "$logo" ] || fail "the installed host made no sample drive with LOGO.SYS"
line=$("$root/usr/bin/lumva-logo" info "$logo") || fail "the installed lumva-logo info failed: $line"
echo "$line"
[[ "$line" =~ width=320\ height=400\ bits=8\ logo=yes\ animated=[1-9] ]] ||
    fail "lumva-logo info does not see the sample's animated logo"

echo "check-package: the package installs and runs"
