#!/usr/bin/env python3
# SPDX-License-Identifier: MIT
"""Plants one-line faults in the program's sources, one at a time, and says which the tests
let through.

Each fault is one line of a .cpp file under project/ or platform/ changed: an operator
swapped, a constant changed, a call deleted or an early return put in. The build folder is
rebuilt and ctest run without its slow entries; the file is put back afterwards, also when
the run is interrupted. A fault that breaks the build counts as neither killed nor survived.

    scripts/mutants.py BUILD [--source DIR] [--count N] [--seed S] [--only FILE:LINE]
"""

import argparse
import pathlib
import random
import re
import signal
import subprocess
import sys

SLOW = "reproducible|install|fuzz|spdx|appstream|desktop_session"

SWAPS = [
    ("==", "!="), ("!=", "=="), ("<=", "<"), (">=", ">"), (" < ", " <= "), (" > ", " >= "),
    ("&&", "||"), ("||", "&&"), ("+ 1", "- 1"), ("- 1", "+ 1"), ("true", "false"),
    ("false", "true"), ("++", "--"),
]
NUMBER = re.compile(r"(?<![\w.])(\d+)(?![\w.])")
CALL = re.compile(r"^\s*[\w:.>\-\[\]()]+\(.*\);\s*$")
SKIP = re.compile(r"^\s*(//|#|\*|/\*)|static_assert|^\s*(case|default)\b")


def candidates(line, previous):
    """The faults one line can take, each the line as it would read."""
    # A function's body opens on a line of its own: it can end at once.
    if line == "{\n" and re.match(r"^(void|bool) \S", previous):
        return ["{ return;\n" if previous.startswith("void") else "{ return false;\n"]
    if SKIP.search(line) or not line.strip():
        return []
    out = []
    for old, new in SWAPS:
        start = line.find(old)
        if start >= 0:
            out.append(line[:start] + new + line[start + len(old):])
    for match in NUMBER.finditer(line):
        value = int(match.group(1))
        out.append(line[:match.start()] + str(value + 1) + line[match.end():])
    if CALL.match(line) and "return" not in line:
        out.append("\n")
    return out


def mutants(source):
    found = []
    for folder in ("project", "platform"):
        for path in sorted((source / folder).rglob("*.cpp")):
            lines = path.read_text(encoding="utf-8").splitlines(keepends=True)
            for number, line in enumerate(lines, 1):
                for changed in candidates(line, lines[number - 2] if number > 1 else ""):
                    found.append((path, number, changed))
    return found


def run(command, cwd=None):
    return subprocess.run(command, cwd=cwd, stdout=subprocess.DEVNULL,
                          stderr=subprocess.DEVNULL).returncode


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("build", type=pathlib.Path)
    parser.add_argument("--source", type=pathlib.Path,
                        default=pathlib.Path(__file__).resolve().parent.parent)
    parser.add_argument("--count", type=int, default=25)
    parser.add_argument("--seed", type=int, default=1)
    parser.add_argument("--only", help="FILE:LINE, the faults of that line only")
    args = parser.parse_args()
    source = args.source.resolve()

    chosen = mutants(source)
    if args.only:
        name, _, number = args.only.rpartition(":")
        chosen = [m for m in chosen
                  if m[0] == (source / name).resolve() and m[1] == int(number)]
    else:
        random.Random(args.seed).shuffle(chosen)
        chosen = chosen[:args.count]

    # A signal puts the file back before the program ends.
    planted = {}

    def restore(*_):
        for path, text in planted.items():
            path.write_text(text, encoding="utf-8")
        planted.clear()

    def interrupted(number, _):
        restore()
        sys.exit(128 + number)

    for number in (signal.SIGINT, signal.SIGTERM, signal.SIGHUP):
        signal.signal(number, interrupted)

    killed, survivors, broken = 0, [], 0
    try:
        for path, number, changed in chosen:
            original = path.read_text(encoding="utf-8")
            lines = original.splitlines(keepends=True)
            planted[path] = original
            lines[number - 1] = changed
            path.write_text("".join(lines), encoding="utf-8")
            where = f"{path.relative_to(source)}:{number}: {changed.strip() or '(deleted)'}"
            try:
                if run(["nice", "-n", "10", "cmake", "--build", str(args.build), "-j2"]) != 0:
                    broken += 1
                    print(f"does not build  {where}", flush=True)
                    continue
                if run(["ctest", "--test-dir", str(args.build), "-j2", "--stop-on-failure",
                        "-E", SLOW]) != 0:
                    killed += 1
                    print(f"killed          {where}", flush=True)
                else:
                    survivors.append(where)
                    print(f"SURVIVED        {where}", flush=True)
            finally:
                restore()
    finally:
        restore()
        # The build folder follows the sources as they are again.
        run(["nice", "-n", "10", "cmake", "--build", str(args.build), "-j2"])

    tried = killed + len(survivors)
    print(f"\n{killed} of {tried} built mutants killed, {broken} did not build")
    for where in survivors:
        print(f"  survivor: {where}")
    return 1 if survivors else 0


if __name__ == "__main__":
    sys.exit(main())
