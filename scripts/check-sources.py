#!/usr/bin/env python3
"""Checks the rules of the source tree that keep it easy to read and change:

- no source file is longer than 400 lines;
- no two units include each other, directly or through others (a unit is a
  header and its source file: window/form1.h and window/form1.cpp);
- the engine (src/processing) includes nothing of Qt.

Prints every breach and exits 1 when there is one.

    scripts/check-sources.py [ROOT]
"""
import os
import re
import sys

LONGEST = 400
SUFFIXES = (".h", ".cpp")
INCLUDE = re.compile(r'^\s*#\s*include\s*[<"]([^>"]+)[>"]', re.M)


def sources(root):
    for top in ("src", "tests", "bench"):
        for folder, _, names in os.walk(os.path.join(root, top)):
            for name in sorted(names):
                if name.endswith(SUFFIXES):
                    yield os.path.join(folder, name)


def unit_of(path, root):
    """The unit a file belongs to, named as the project includes it."""
    relative = os.path.relpath(path, root)
    for top in ("src/", "tests/", "bench/"):
        if relative.startswith(top):
            relative = relative[len(top):]
            break
    return os.path.splitext(relative)[0]


def cycles(edges):
    """Every unit that lies on a cycle, with one cycle through it."""
    found = {}
    for start in sorted(edges):
        stack = [(start, [start])]
        seen = set()
        while stack:
            unit, path = stack.pop()
            for nxt in sorted(edges.get(unit, ())):
                if nxt == start:
                    found.setdefault(start, path + [start])
                elif nxt not in seen:
                    seen.add(nxt)
                    stack.append((nxt, path + [nxt]))
    return found


def main():
    root = sys.argv[1] if len(sys.argv) > 1 else os.path.join(os.path.dirname(__file__), "..")
    root = os.path.abspath(root)
    breaches = []
    edges = {}
    units = {unit_of(path, root) for path in sources(root)}
    for path in sources(root):
        with open(path, encoding="utf-8") as file:
            text = file.read()
        relative = os.path.relpath(path, root)
        lines = text.count("\n")
        if lines > LONGEST:
            breaches.append(f"{relative}: {lines} lines, more than {LONGEST}")
        unit = unit_of(path, root)
        for included in INCLUDE.findall(text):
            target = os.path.splitext(included)[0]
            if relative.startswith("src/processing/") and re.match(r"Q[A-Za-z]|qt", included):
                breaches.append(f"{relative}: the engine includes <{included}>")
            if target in units and target != unit:
                edges.setdefault(unit, set()).add(target)
    for unit, cycle in cycles(edges).items():
        breaches.append(f"{unit}: included in a circle: {' -> '.join(cycle)}")
    for breach in breaches:
        print(breach)
    print(f"{len(units)} units checked: {len(breaches)} breaches")
    return 1 if breaches else 0


if __name__ == "__main__":
    sys.exit(main())
