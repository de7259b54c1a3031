#!/usr/bin/env bash
# Installs the Debian packages the build, the tests and the benchmarks need,
# and only those that are missing. Uses sudo when not run as root.
#   scripts/install-deps.sh           what the build and the tests need
#   scripts/install-deps.sh --bench   and what only the benchmarks run (make bench)
#   scripts/install-deps.sh --win32   what the Win32 build and its tests under Wine need
#                                     (make win32, make test-win32), with the 32-bit Wine
#                                     (scripts/install-wine32.sh)
set -euo pipefail

packages=(
    cmake ninja-build ccache g++ make pkg-config python3
    libgtest-dev libgmock-dev libbenchmark-dev
    qt6-base-dev qt6-base-dev-tools libgl-dev
    xvfb xauth x11-utils openbox binutils libxcb1-dev
    weston qt6-wayland
    libgif-dev libwebp-dev libpng-dev libexpat1-dev
    libstb-dev libimagequant-dev qt6-image-formats-plugins
    clang-14 libclang-rt-14-dev
    dpkg-dev file lintian desktop-file-utils appstream man-db
    mtools dosfstools fdisk qemu-utils
    plymouth plymouth-x11 x11-apps netpbm
    # qemu-storage-daemon and fusermount3: images qemu reads are changed in place
    qemu-system-common fuse3
)
# The yardstick the conversion benchmark measures itself against.
bench_packages=(imagemagick)
# MinGW-w64 for lumva.cpl (i686) and for the tests where Wine runs only
# 64-bit programs (x86-64); GoogleTest's sources, cross-built by the tree.
win32_packages=(
    cmake ninja-build ccache make
    g++-mingw-w64-i686 binutils-mingw-w64-i686
    g++-mingw-w64-x86-64 binutils-mingw-w64-x86-64
    googletest
    wine wine64
    xvfb xauth x11-utils x11-apps netpbm
)
case "${1:-}" in
    --bench) packages+=("${bench_packages[@]}") ;;
    --win32) packages=("${win32_packages[@]}") ;;
esac

missing=()
for p in "${packages[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
        missing+=("$p")
    fi
done

if [ ${#missing[@]} -gt 0 ]; then
    echo "Installing missing packages: ${missing[*]}"
    sudo_cmd=()
    if [ "$(id -u)" -ne 0 ]; then
        sudo_cmd=(sudo)
    fi
    export DEBIAN_FRONTEND=noninteractive
    # A mirror caught mid-sync for a foreign architecture (i386 once the Win32
    # tools are installed) must not stop the native packages from installing;
    # a package whose list is really missing still fails the install below.
    "${sudo_cmd[@]}" apt-get update -qq || echo "install-deps.sh: some package lists could not be fetched" >&2
    "${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends --no-remove "${missing[@]}"
fi
# The 32-bit Wine, where the kernel runs 32-bit programs; elsewhere the tests
# run as 64-bit programs under wine64.
if [ "${1:-}" = "--win32" ]; then
    "$(dirname "$0")/install-wine32.sh"
fi
