#!/usr/bin/env python3
"""Checks the rules of the source tree that keep it easy to read and change:

- no source file is longer than 400 lines;
- no two units include each other, directly or through others (a unit is a
  header and its source file: window/form1.h and window/form1.cpp);
- the engine (src/processing) includes nothing of Qt;
- every header opens with a comment that says what its unit is for;
- a room is entered through its front door: nothing outside the room
  includes another of its headers, but for the room's own tests in the
  matching folder under tests/. A folder inside one of src's folders (such
  as src/window/saved_state) is a room whose door is the header named after
  it (window/saved_state/saved_state.h); one of src's own folders is a room
  when the opening comment of its CMakeLists.txt names its doors in a line
  "Front doors: a.h and b.h" (or "Front door: a.h");
- no tracked file outside docs/ and resources/ is larger than 1 MiB (a core
  dump or a build output committed by mistake).

Prints every breach and exits 1 when there is one.

    scripts/check-sources.py [ROOT]
"""
import os
import re
import subprocess
import sys

LONGEST = 400
SUFFIXES = (".h", ".cpp")
INCLUDE = re.compile(r'^\s*#\s*include\s*[<"]([^>"]+)[>"]', re.M)
OPENING_COMMENT = re.compile(r'\A(?:#pragma once\s*)?//')
DOORS = re.compile(r'^#\s*Front doors?:\s*(.+)$', re.M)
LARGEST_FILE = 1 << 20
LARGE_FILES_ALLOWED = ("docs/", "resources/")


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


def rooms(root):
    """The rooms of src, as the folder that includes name them, each with the
    headers that are its front doors."""
    found = {}
    for top in sorted(os.listdir(os.path.join(root, "src"))):
        folder = os.path.join(root, "src", top)
        if not os.path.isdir(folder):
            continue
        lists = os.path.join(folder, "CMakeLists.txt")
        if os.path.exists(lists):
            with open(lists, encoding="utf-8") as file:
                declared = DOORS.search(file.read())
            if declared:
                names = re.findall(r"[A-Za-z0-9_]+\.h", declared.group(1))
                found[top] = {f"{top}/{name}" for name in names}
        for name in sorted(os.listdir(folder)):
            if os.path.isdir(os.path.join(folder, name)):
                found[f"{top}/{name}"] = {f"{top}/{name}/{name}.h"}
    return found


def room_breach(relative, included, all_rooms):
    """Why including `included` from the file at `relative` enters a room
    other than through a front door, or None. A room inside another is
    judged as its own room."""
    inner = [room for room in all_rooms if included.startswith(room + "/")]
    if not inner:
        return None
    room = max(inner, key=len)
    doors = all_rooms[room]
    inside = relative.startswith(f"src/{room}/") or relative.startswith(f"tests/{room}/")
    if included not in doors and not inside:
        return (f"{relative}: includes {included} from outside its room; "
                f"include {' or '.join(sorted(doors))}")
    return None


def large_files(root):
    """Tracked files larger than LARGEST_FILE outside the folders that hold
    pictures and icons."""
    try:
        listed = subprocess.run(["git", "-C", root, "ls-files", "-z"], check=True,
                                capture_output=True).stdout.decode("utf-8", "replace")
    except (OSError, subprocess.CalledProcessError):
        return []
    found = []
    for name in filter(None, listed.split("\0")):
        path = os.path.join(root, name)
        if name.startswith(LARGE_FILES_ALLOWED) or not os.path.isfile(path):
            continue
        size = os.path.getsize(path)
        if size > LARGEST_FILE:
            found.append(f"{name}: {size} bytes, a tracked file larger than 1 MiB outside "
                         f"{' and '.join(LARGE_FILES_ALLOWED)}")
    return found


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
    all_rooms = rooms(root)
    for path in sources(root):
        with open(path, encoding="utf-8") as file:
            text = file.read()
        relative = os.path.relpath(path, root)
        lines = text.count("\n")
        if lines > LONGEST:
            breaches.append(f"{relative}: {lines} lines, more than {LONGEST}")
        if path.endswith(".h") and not OPENING_COMMENT.match(text):
            breaches.append(f"{relative}: a header opens with a comment on what it is for")
        unit = unit_of(path, root)
        for included in INCLUDE.findall(text):
            breach = room_breach(relative, included, all_rooms)
            if breach:
                breaches.append(breach)
            target = os.path.splitext(included)[0]
            if relative.startswith("src/processing/") and re.match(r"Q[A-Za-z]|qt", included):
                breaches.append(f"{relative}: the engine includes <{included}>")
            if target in units and target != unit:
                edges.setdefault(unit, set()).add(target)
    breaches.extend(large_files(root))
    for unit, cycle in cycles(edges).items():
        breaches.append(f"{unit}: included in a circle: {' -> '.join(cycle)}")
    for breach in breaches:
        print(breach)
    print(f"{len(units)} units checked: {len(breaches)} breaches")
    return 1 if breaches else 0


if __name__ == "__main__":
    sys.exit(main())
