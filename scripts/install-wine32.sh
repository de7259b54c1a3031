#!/usr/bin/env bash
# Installs 32-bit Wine (wine32:i386) beside the 64-bit one on an amd64
# Debian, where the kernel runs 32-bit programs, itself or through qemu
# (scripts/install-i386-emulation.sh). Called by scripts/install-deps.sh
# --win32, as root or through sudo.
#
# A shared library of both architectures (Multi-Arch: same) must have the
# same version in each, and a mirror's i386 lists can lag its amd64 ones or
# fail to download (a sync in progress), so apt alone refuses. So every such
# library already installed for amd64 gets the version of its source pinned
# for this install, the first of:
#   - its installed version, where the i386 lists have it;
#   - its installed version, with the i386 package fetched from the mirror
#     apt uses by the pool path of its amd64 twin;
#   - the newest version both architectures' lists have (the amd64 packages
#     of that source are upgraded with it, their -dev packages included).
# Nothing is ever removed or downgraded: every install is first simulated.
#   scripts/install-wine32.sh             installs
#   scripts/install-wine32.sh --dry-run   prints the pins and apt's simulation, installs nothing
set -euo pipefail

dry_run=0
[ "${1:-}" = --dry-run ] && dry_run=1

sudo_cmd=()
[ "$(id -u)" -eq 0 ] || sudo_cmd=(sudo)
export DEBIAN_FRONTEND=noninteractive
# Other apt runs on the machine are waited for, not failed on.
apt_options=(--no-install-recommends --no-remove -o DPkg::Lock::Timeout=600)

fail() {
    echo "install-wine32.sh: $*" >&2
    exit 1
}

installed() { dpkg-query -W -f='${db:Status-Abbrev}' "$1" 2>/dev/null | grep -q '^ii'; }

newest() {
    local best="" version
    for version in "$@"; do
        if [ -z "$best" ] || dpkg --compare-versions "$version" gt "$best"; then
            best=$version
        fi
    done
    echo "$best"
}

# The version of a source's binaries as a pin's regular expression: any
# binary rebuild of it (+bN) included, nothing else.
version_pattern() {
    local source_version=$1
    [[ $source_version =~ ^(.*)\+b[0-9]+$ ]] && source_version=${BASH_REMATCH[1]}
    printf '/^%s(\\+b[0-9]+)?$/' "$(sed 's/[.+~^$*]/\\&/g' <<<"$source_version")"
}

# The i386 twin of an amd64 package's version, from the pool of the mirror
# that lists the amd64 one, checked to be what it claims; prints its path, or
# nothing when the mirror has no such package.
fetch_twin() {
    local package=$1 version=$2 folder=$3 uri
    uri=$(apt-get download --print-uris "$package:amd64=$version" 2>/dev/null | awk '{ print $1 }' | tr -d "'")
    [ -n "$uri" ] || return 0
    uri=${uri%_amd64.deb}_i386.deb
    local file="$folder/${package}_i386.deb"
    /usr/lib/apt/apt-helper download-file "$uri" "$file" >/dev/null 2>&1 || return 0
    local fields
    fields=$(dpkg-deb -f "$file" Package Version Architecture | tr '\n' ' ')
    [ "$fields" = "Package: $package Version: $version Architecture: i386 " ] ||
        fail "$uri is not $package $version for i386 ($fields)"
    echo "$file"
}

# Writes FOLDER/preferences (the pins) and FOLDER/arguments (apt-get
# install's arguments: each ROOT:i386 and the fetched packages).
plan_install() {
    local folder=$1
    shift
    local -a roots=("${@/%/:i386}") closure
    mapfile -t closure < <(apt-cache depends --recurse --no-recommends --no-suggests --no-conflicts \
        --no-breaks --no-replaces --no-enhances "${roots[@]}" 2>/dev/null | grep -v '^ ' | grep ':i386$' | sort -u)
    [ ${#closure[@]} -gt 0 ] || fail "the lists know no ${roots[*]} (is i386 among dpkg's architectures?)"

    # Multi-Arch: same libraries installed for amd64: version and source.
    local -A have=() source_of=()
    local name version multiarch status source
    while read -r name version multiarch status source; do
        [ "$multiarch" = same ] && [ "${status:0:2}" = ii ] || continue
        have[${name%:amd64}]=$version
        source_of[${name%:amd64}]=$source
    done < <(dpkg-query -W -f='${binary:Package} ${Version} ${Multi-Arch} ${db:Status-Abbrev} ${source:Package}\n' \
        "${closure[@]/%:i386/:amd64}" 2>/dev/null || true)

    local -a shared=()
    for name in "${closure[@]}"; do
        [ -n "${have[${name%:i386}]:-}" ] && shared+=("${name%:i386}")
    done
    # Every version the lists hold, per package and architecture.
    local -A i386_versions=() amd64_versions=()
    if [ ${#shared[@]} -gt 0 ]; then
        while IFS='|' read -r name version _; do
            name=${name// /} version=${version// /}
            case $name in
                *:i386) i386_versions[${name%:i386}]+=" $version " ;;
                *) amd64_versions[${name%:amd64}]+=" $version " ;;
            esac
        done < <(apt-cache madison "${shared[@]/%/:i386}" "${shared[@]/%/:amd64}" 2>/dev/null)
    fi

    local -A pinned=()
    local package twin chosen
    local -a common
    printf '%s\n' "${roots[@]}" >"$folder/arguments"
    : >"$folder/preferences"
    [ -f /etc/apt/preferences ] && cat /etc/apt/preferences >"$folder/preferences"
    for package in "${shared[@]}"; do
        version=${have[$package]}
        chosen=$version
        if [[ "${i386_versions[$package]:-}" != *" $version "* ]]; then
            twin=$(fetch_twin "$package" "$version" "$folder")
            if [ -n "$twin" ]; then
                echo "$twin" >>"$folder/arguments"
            else
                common=()
                for chosen in ${i386_versions[$package]:-}; do
                    if [[ "${amd64_versions[$package]:-}" == *" $chosen "* ]] &&
                        dpkg --compare-versions "$chosen" gt "$version"; then
                        common+=("$chosen")
                    fi
                done
                [ ${#common[@]} -gt 0 ] ||
                    fail "$package: no i386 package of $version on the mirror, nor a newer version both architectures have"
                chosen=$(newest "${common[@]}")
            fi
        fi
        source=${source_of[$package]}
        if [ -n "${pinned[$source]:-}" ]; then
            [ "${pinned[$source]}" = "$(version_pattern "$chosen")" ] ||
                fail "the binaries of $source would need two versions"
            continue
        fi
        pinned[$source]=$(version_pattern "$chosen")
        printf '\nPackage: src:%s:any\nPin: version %s\nPin-Priority: 1001\n' "$source" "${pinned[$source]}" \
            >>"$folder/preferences"
    done
}

# apt's simulation of the install; refuses a plan that would remove or
# downgrade anything.
check_plan() {
    local plan
    plan=$(apt-get install -s "${apt_options[@]}" "$@" 2>&1) || {
        echo "$plan" | tail -20 >&2
        fail "apt cannot install 32-bit Wine with these versions"
    }
    if grep -q '^Remv ' <<<"$plan"; then
        fail "installing would remove: $(grep '^Remv ' <<<"$plan" | cut -d' ' -f2 | tr '\n' ' ')"
    fi
    # "Inst name [old] (new ...)": an upgrade is fine, a downgrade is not.
    local name old new
    while read -r name old new; do
        dpkg --compare-versions "$new" ge "$old" || fail "installing would downgrade $name from $old to $new"
    done < <(sed -n 's/^Inst \([^ ]*\) \[\([^]]*\)\] (\([^ ]*\) .*/\1 \2 \3/p' <<<"$plan")
    [ $dry_run -eq 0 ] || grep '^Inst ' <<<"$plan"
}

install_i386() {
    local folder
    folder=$(mktemp -d)
    chmod 755 "$folder"  # apt reads local packages as its own user
    plan_install "$folder" "$@"
    local -a arguments pins
    mapfile -t arguments <"$folder/arguments"
    pins=(-o "Dir::Etc::Preferences=$folder/preferences")
    if [ $dry_run -eq 1 ]; then
        cat "$folder/preferences"
        printf '\n%s\n' "${arguments[*]}"
    fi
    # Libraries upgraded for amd64 stay marked as installed automatically.
    local -a automatic
    mapfile -t automatic < <(apt-mark showauto 2>/dev/null)
    check_plan "${pins[@]}" "${arguments[@]}"
    if [ $dry_run -eq 0 ]; then
        "${sudo_cmd[@]}" apt-get install -y -qq "${apt_options[@]}" "${pins[@]}" "${arguments[@]}"
        local -a manual
        mapfile -t manual < <(comm -12 <(printf '%s\n' "${automatic[@]}" | sort) <(apt-mark showmanual | sort))
        [ ${#manual[@]} -eq 0 ] || "${sudo_cmd[@]}" apt-mark auto "${manual[@]}" >/dev/null
    fi
    rm -rf "$folder"
}

# A kernel built without 32-bit support, or with it switched off
# (ia32_emulation=off), runs 32-bit programs only through qemu's emulator;
# where that cannot be had either, Wine here runs 64-bit ones only.
runs_32_bit() {
    "$(dirname "$0")/install-i386-emulation.sh" && return 0
    echo "install-wine32.sh: this machine runs no 32-bit programs, not even emulated; Wine runs 64-bit ones only" >&2
    return 1
}

wine32_ready() { installed wine32:i386 && installed libxi6:i386 && /usr/lib/wine/wine --version >/dev/null 2>&1; }

# Wine's X11 driver loads the X extensions' libraries when it starts
# (Recommends of the package): without XInput2 it frees a confined cursor at
# once, without XRandR it knows no display modes.
wine32=(wine32 libxi6 libxfixes3 libxcursor1 libxrandr2 libxrender1 libxinerama1 libxcomposite1 libxxf86vm1)

[ "$(dpkg --print-architecture)" = amd64 ] || exit 0
wine32_ready && exit 0
if [ $dry_run -eq 1 ]; then
    install_i386 "${wine32[@]}"
    exit 0
fi
if installed libc6:i386; then
    runs_32_bit || exit 0
    wine32_ready && exit 0
fi
if ! dpkg --print-foreign-architectures | grep -qx i386; then
    "${sudo_cmd[@]}" dpkg --add-architecture i386
fi
# An index that cannot be fetched (a mirror mid-sync) leaves the other lists
# in use; what it would have offered is fetched by pool path above.
"${sudo_cmd[@]}" apt-get update -qq -o DPkg::Lock::Timeout=600 ||
    echo "install-wine32.sh: some package lists could not be fetched; going on with the others" >&2

# The C library first: it tells whether this kernel runs 32-bit programs.
installed libc6:i386 || install_i386 libc6
runs_32_bit || exit 0
install_i386 "${wine32[@]}"
/usr/lib/wine/wine --version >/dev/null 2>&1 || fail "wine32 is installed but /usr/lib/wine/wine does not run"
echo "install-wine32.sh: 32-bit Wine $(/usr/lib/wine/wine --version) installed"
