#!/usr/bin/env bash
# check-man-page.sh PROGRAM PAGE
#
# Fails unless every option PROGRAM's --help lists (--word, -x) and every
# command it names (PROGRAM WORD at the start of a usage line) appears in the
# troff manual page PAGE, and unless man renders PAGE without a warning.
set -euo pipefail

if [ $# -ne 2 ]; then
    echo "usage: check-man-page.sh PROGRAM PAGE" >&2
    exit 2
fi
program=$1
page=$2
name=$(basename "$program")

help=$("$program" --help) || { echo "$name --help failed" >&2; exit 1; }
# The page as text: troff's minus signs, backslashes and font changes undone.
text=$(sed -e 's/\\-/-/g' -e 's/\\e/\\/g' -e 's/\\f[BIRP]//g' -e 's/\\c$//' "$page")

contains_word() {
    grep -qE -- "(^|[^A-Za-z0-9-])$1([^A-Za-z0-9-]|$)" <<<"$text"
}

missing=()
# An option starts a word: "start-up" or "8-bit" are no options.
while read -r option; do
    [ -n "$option" ] || continue
    contains_word "$option" || missing+=("option $option")
done < <(grep -oE -- '(^|[][ (|,])--?[a-z][a-z0-9-]*' <<<"$help" | sed -E 's/^[^-]*//' | sort -u)

while read -r command; do
    [ -n "$command" ] || continue
    grep -qE -- "$name $command([^A-Za-z0-9-]|$)" <<<"$text" || missing+=("command $command")
done < <(grep -oE -- "^(usage: +| +)$name [a-z][a-z-]*" <<<"$help" | awk '{ print $NF }' | sort -u)

if [ ${#missing[@]} -ne 0 ]; then
    printf '%s lists, its manual page lacks: %s\n' "$name --help" "${missing[*]}" >&2
    exit 1
fi

if command -v man >/dev/null; then
    warnings=$(LC_ALL=C.UTF-8 MANWIDTH=80 man --warnings -l "$page" 2>&1 >/dev/null || true)
    if [ -n "$warnings" ]; then
        printf 'man finds problems in %s:\n%s\n' "$page" "$warnings" >&2
        exit 1
    fi
fi
echo "$(basename "$page") covers every option and command of $name --help"
