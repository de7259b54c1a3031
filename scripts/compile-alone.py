#!/usr/bin/env python3
"""Checks that every source file of the tree compiles on its own.

Usage: compile-alone.py COMPILE_COMMANDS SOURCE_ROOT JOBS

Runs each compile command of a plain (not unity) build's
compile_commands.json with -fsyntax-only: the compiler's full checks of the
language, no code. A unity build compiles batches of files as one, where a
missing include is met by a neighbour's and a name can resolve to another
file's definition; this finds both. Files generated into the build folder
are left out. Fails when a file fails, and when there is nothing to check.
"""

import json
import shlex
import subprocess
import sys
from concurrent.futures import ThreadPoolExecutor
from pathlib import Path


def syntax_only(arguments):
    """The compile command without its object file, checking only."""
    kept = []
    skip_next = False
    for argument in arguments:
        if skip_next:
            skip_next = False
        elif argument == "-o":
            skip_next = True
        else:
            kept.append(argument)
    return kept[:1] + ["-fsyntax-only"] + kept[1:]


def check(entry):
    arguments = entry.get("arguments") or shlex.split(entry["command"])
    done = subprocess.run(syntax_only(arguments), cwd=entry["directory"], capture_output=True, text=True)
    return entry["file"], done.returncode, done.stdout + done.stderr


def main():
    if len(sys.argv) != 4:
        sys.exit(__doc__)
    commands, root, jobs = Path(sys.argv[1]), Path(sys.argv[2]).resolve(), int(sys.argv[3])
    entries = [entry for entry in json.loads(commands.read_text())
               if Path(entry["file"]).resolve().is_relative_to(root)
               and not Path(entry["file"]).resolve().is_relative_to(commands.parent.resolve())]
    if not entries:
        sys.exit(f"compile-alone: no source file of {root} in {commands}")
    failed = 0
    with ThreadPoolExecutor(max(jobs, 1)) as pool:
        for file, status, output in pool.map(check, entries):
            if status != 0:
                failed += 1
                print(f"compile-alone: {file} does not compile on its own:\n{output}", flush=True)
    if failed:
        sys.exit(f"compile-alone: {failed} of {len(entries)} files do not compile on their own")
    print(f"compile-alone: all {len(entries)} files compile on their own")


if __name__ == "__main__":
    main()
