#!/usr/bin/env bash
# Lets a kernel that runs no 32-bit x86 programs (one built without IA-32
# support, or booted with it off) run them through qemu's user-mode
# emulator, so that 32-bit Wine runs. Called by scripts/install-wine32.sh
# once libc6:i386 is installed, as root or through sudo; where the kernel
# runs 32-bit programs itself it does nothing. Exits 1 where it cannot be
# done (no binfmt_misc, no qemu-user from the mirror).
#
# Wine's loader needs qemu-user 8 or later (the 7.2 of Debian 12 cannot start
# it). Where the installed one is older, qemu-user comes from the backports
# suite of the very mirror apt takes the release from, added for this one
# install and pinned so that nothing else is taken from it. Nothing is ever
# removed or downgraded.
#   scripts/install-i386-emulation.sh             installs and registers
#   scripts/install-i386-emulation.sh --dry-run   prints apt's simulation, installs nothing
set -euo pipefail

dry_run=0
[ "${1:-}" = --dry-run ] && dry_run=1

sudo_cmd=()
[ "$(id -u)" -eq 0 ] || sudo_cmd=(sudo)
export DEBIAN_FRONTEND=noninteractive

readonly loader=/lib/ld-linux.so.2
readonly binfmt=/proc/sys/fs/binfmt_misc
readonly qemu=/usr/bin/qemu-i386
readonly minimum_qemu=8
readonly entry=lumivane-i386

fail() {
    echo "install-i386-emulation.sh: $*" >&2
    exit 1
}

runs_32_bit() { "$loader" --version >/dev/null 2>&1; }

# Whether an enabled binfmt_misc entry hands i386 programs to an emulator.
emulated() {
    local file
    for file in "$binfmt"/*; do
        [ -f "$file" ] && grep -qx enabled "$file" 2>/dev/null &&
            grep -q '^magic 7f454c4601010100000000000000000002000300$' "$file" && return 0
    done
    return 1
}

# The emulator's major version; nothing where there is none.
qemu_major() {
    { "$qemu" --version 2>/dev/null || true; } | sed -n 's/^qemu-i386 version \([0-9]*\)\..*/\1/p'
}

# qemu-user from <codename>-backports of the mirror that serves <codename>.
install_qemu_user() {
    local codename mirror folder
    codename=$(. /etc/os-release && echo "${VERSION_CODENAME:-}")
    [ -n "$codename" ] || fail "no VERSION_CODENAME in /etc/os-release"
    mirror=$(apt-get indextargets --format '$(REPO_URI)' "Codename: $codename" "Identifier: Packages" | sort -u | head -1)
    [ -n "$mirror" ] || fail "apt takes $codename from no mirror, so there are no backports to ask"
    folder=$(mktemp -d)
    chmod 755 "$folder"  # apt reads them as its own user
    { cat /etc/apt/sources.list 2>/dev/null || true; echo "deb $mirror $codename-backports main"; } >"$folder/sources.list"
    { cat /etc/apt/preferences 2>/dev/null || true
      printf '\nPackage: *\nPin: release n=%s-backports\nPin-Priority: -1\n' "$codename"
      # The old qemu-user-static, where installed, gives way to its backports
      # successor (an upgrade, not a removal).
      printf '\nPackage: qemu-user qemu-user-static qemu-user-binfmt\nPin: release n=%s-backports\nPin-Priority: 500\n' \
          "$codename"
    } >"$folder/preferences"
    chmod 644 "$folder"/*
    local -a with_backports=(-o "Dir::Etc::SourceList=$folder/sources.list" -o "Dir::Etc::Preferences=$folder/preferences"
                             -o DPkg::Lock::Timeout=600)
    # Another index failing (a mirror mid-sync) must not stop this one.
    "${sudo_cmd[@]}" apt-get update -qq "${with_backports[@]}" ||
        echo "install-i386-emulation.sh: some package lists could not be fetched; going on with the others" >&2
    local candidate
    candidate=$(apt-cache policy "${with_backports[@]}" qemu-user | sed -n 's/^ *Candidate: //p')
    [ -n "$candidate" ] && [ "$candidate" != "(none)" ] && [ "${candidate#*:}" != "$candidate" ] &&
        dpkg --compare-versions "$candidate" ge "1:$minimum_qemu" ||
        fail "$mirror has no qemu-user $minimum_qemu or later for $codename (candidate: ${candidate:-none})"
    local -a install=(apt-get install -y -qq --no-install-recommends --no-remove "${with_backports[@]}" qemu-user)
    local plan
    plan=$(apt-get install -s --no-install-recommends --no-remove "${with_backports[@]}" qemu-user 2>&1) ||
        { echo "$plan" | tail -20 >&2; fail "apt cannot install qemu-user $candidate"; }
    if [ $dry_run -eq 1 ]; then
        grep '^Inst ' <<<"$plan"
    else
        "${sudo_cmd[@]}" "${install[@]}"
    fi
    rm -rf "$folder"
}

# The kernel hands every i386 program to qemu, by the registration qemu-user
# ships (under a name of ours). Its flag F makes the kernel open the emulator
# once, now, and keep it: the registration then works in every mount
# namespace and chroot (the package check's scratch root, a container), and
# outlives a package upgrade replacing the file.
register_qemu() {
    if ! mountpoint -q "$binfmt"; then
        "${sudo_cmd[@]}" mount -t binfmt_misc binfmt_misc "$binfmt" ||
            fail "binfmt_misc cannot be mounted here, so the kernel cannot hand i386 programs to qemu"
    fi
    local shipped=/usr/share/qemu/binfmt.d/qemu-i386.conf line interpreter flags
    [ -f "$shipped" ] || fail "qemu-user ships no $shipped"
    # :name:type:offset:magic:mask:interpreter:flags
    line=$(grep -v '^#' "$shipped" | head -1)
    IFS=: read -r _ _ _ _ _ _ interpreter flags <<<"$line"
    [[ $flags == *F* ]] || fail "$shipped registers without flag F: $line"
    if [ -f "$binfmt/$entry" ]; then
        grep -qx "interpreter $interpreter" "$binfmt/$entry" && grep -qx enabled "$binfmt/$entry" && return 0
        echo -1 | "${sudo_cmd[@]}" tee "$binfmt/$entry" >/dev/null
    fi
    printf '%s' ":$entry:${line#:*:}" | "${sudo_cmd[@]}" tee "$binfmt/register" >/dev/null
    runs_32_bit || fail "$loader --version does not run even through $interpreter"
    echo "install-i386-emulation.sh: i386 programs now run through $("$qemu" --version | head -1)"
}

if runs_32_bit && ! emulated; then
    exit 0
fi
major=$(qemu_major)
if [ -z "$major" ] || [ "$major" -lt $minimum_qemu ]; then
    install_qemu_user
    [ $dry_run -eq 0 ] || exit 0
    major=$(qemu_major)
    [ -n "$major" ] && [ "$major" -ge $minimum_qemu ] || fail "$qemu is not qemu-user $minimum_qemu or later"
fi
[ $dry_run -eq 0 ] || { echo "would register $qemu ($("$qemu" --version | head -1)) for i386 programs"; exit 0; }
register_qemu
