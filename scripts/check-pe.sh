#!/usr/bin/env bash
# Checks lumva.cpl as Windows 98 will see it: a 32-bit DLL for Windows 4.0
# whose export table names it "lumva.cpl" and exports CPlApplet alone, and
# which imports only system DLLs that Windows 98 has, and from them only
# functions we know it has (scripts/win98-imports.txt). Prints the imports.
#   scripts/check-pe.sh MODULE [OBJDUMP]
set -euo pipefail
module=$1
objdump=${2:-i686-w64-mingw32-objdump}
known=${LUMIVANE_WIN98_IMPORTS:-"$(dirname "$0")/win98-imports.txt"}
fail=0
problem() { echo "check-pe: $module: $*" >&2; fail=1; }

headers=$("$objdump" -p "$module")
field() { awk -v key="$1" '$1 == key { print $2; exit }' <<<"$headers"; }

[ "$(field Magic)" = "010b" ] || problem "not a PE32 (32-bit) image"
characteristics=$(( $(field Characteristics) ))
(( characteristics & 0x2000 )) || problem "not a DLL"
for version in MajorOSystemVersion MajorSubsystemVersion; do
    [ "$(field $version)" = "4" ] || problem "$version is $(field $version), not 4"
done
for version in MinorOSystemVersion MinorSubsystemVersion; do
    [ "$(field $version)" = "0" ] || problem "$version is $(field $version), not 0"
done
[ "$(field Subsystem)" = "00000002" ] || problem "subsystem is $(field Subsystem), not Windows GUI (2)"

name=$(awk '/^Name[ \t]+[0-9a-f]+ / { print $3; exit }' <<<"$headers")
[ "$name" = "lumva.cpl" ] || problem "export table names the module '$name', not lumva.cpl"
exports=$(awk '/^\[Ordinal\/Name Pointer\] Table/ { on = 1; next } on && /^\t\[/ { print $NF } on && !/^\t\[/ { on = 0 }' <<<"$headers")
[ "$exports" = "CPlApplet" ] || problem "exports '$(echo $exports)', not CPlApplet alone"

# "DLL!Function" for every import, lower-case DLL names.
imports=$(awk '
    /^\tDLL Name: / { dll = tolower($3); next }
    dll != "" && /^\t[0-9a-f]+\t +[0-9]+ +[A-Za-z_]/ { print dll "!" $3; next }
    /^$/ { dll = "" }' <<<"$headers" | sort -u)
[ -n "$imports" ] || problem "no imports found"

echo "Imports of $module:"
for dll in $(cut -d'!' -f1 <<<"$imports" | sort -u); do
    echo "  $dll: $(grep "^$dll!" <<<"$imports" | cut -d'!' -f2 | tr '\n' ' ')"
    case $dll in
        kernel32.dll|user32.dll|gdi32.dll|comdlg32.dll|comctl32.dll|advapi32.dll|shell32.dll|msvcrt.dll) ;;
        *) problem "imports $dll, which is not a Windows 98 system DLL" ;;
    esac
done
# DLL names are compared in lower case, function names as they are.
unknown=$(comm -23 <(echo "$imports") <(grep -v '^#' "$known" | awk 'NF { split($0, p, "!"); print tolower(p[1]) "!" p[2] }' | sort -u) || true)
[ -z "$unknown" ] || problem "imports functions not known to be in Windows 98: $(echo $unknown)"

exit $fail
