#!/bin/sh
# compile_alone_test.sh SCRIPT COMPILER: compile-alone.py passes a tree whose
# files compile on their own, and fails, naming the file, on one that only
# compiles after a neighbour (as in a unity batch) and on a tree with nothing
# to check.
set -u
script=$1
compiler=$2
root=$(mktemp -d)
trap 'rm -rf "$root"' EXIT
mkdir "$root/build"
printf 'int answer() { return 42; }\n' > "$root/alone.cpp"
printf 'int twice() { return 2 * answer(); }\n' > "$root/needs_neighbour.cpp"
entry() {
    printf '{"directory": "%s", "command": "%s -c %s -o %s.o", "file": "%s"}' \
        "$root/build" "$compiler" "$root/$1" "$1" "$root/$1"
}
printf '[%s]\n' "$(entry alone.cpp)" > "$root/build/good.json"
printf '[%s, %s]\n' "$(entry alone.cpp)" "$(entry needs_neighbour.cpp)" > "$root/build/bad.json"
printf '[]\n' > "$root/build/empty.json"

fail() {
    echo "FAILED: $*"
    exit 1
}
"$script" "$root/build/good.json" "$root" 2 || fail "a file that compiles alone was refused"
output=$("$script" "$root/build/bad.json" "$root" 2 2>&1) && fail "a file that needs its neighbour passed"
case $output in
    *"needs_neighbour.cpp does not compile on its own"*) ;;
    *) fail "the refusal does not name the file: $output" ;;
esac
"$script" "$root/build/empty.json" "$root" 2 2>/dev/null && fail "nothing to check passed"
echo "compile-alone: passes, refuses and names as it should"
