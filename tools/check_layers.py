#!/usr/bin/env python3
"""Fails when an include points the wrong way between the program's folders.

Each folder (a "unit") has a layer; a unit may include its own headers and those of
lower layers only, and the plain C++ units never include Qt. A folder the table does
not know is an error too, so a new folder is placed in the picture when it arrives.

Usage: tools/check_layers.py [source-root]    (default: the checkout this file is in)
"""

import os
import re
import sys

# Layer of every unit, lowest first. Units of one layer never include each other.
LAYERS = {
    "core": 0,
    "calendar": 1,
    "platform/posix": 1,
    "store": 2,
    "backup": 3,
    "editor_models": 3,
    "monthview": 3,
    "shared": 3,
    "app/plain": 4,
    "platform": 5,
    "dialogs": 6,
    "monthview/qt": 6,
    "app": 7,
    "cli": 8,
}
# Plain C++20: no Qt header may be included.
PLAIN = {"core", "calendar", "platform/posix", "store", "backup", "editor_models",
         "monthview", "shared", "app/plain"}
# Folders outside the program itself.
SKIPPED = ("tests", "tools", "build", "resources", "docs", "scripts", "cmake")
# app/'s subfolders hold its plain decisions; everything else of app/ is Qt.
APP_PLAIN_FOLDERS = ("app/startup", "app/navigation", "app/commands")

INCLUDE = re.compile(r'^\s*#\s*include\s*([<"])([^>"]+)[>"]')
QT_HEADER = re.compile(r"^(Q[A-Za-z]+|Qt[A-Za-z]*/.*|q[a-z_]+\.h)$")


def unit_of(relative_path):
    """The unit a source or header path (relative to the root) belongs to, or None."""
    folder, name = os.path.split(relative_path)
    if folder == "monthview":
        return "monthview/qt" if name.startswith("qt_") else "monthview"
    if folder.startswith(APP_PLAIN_FOLDERS):
        return "app/plain"
    if folder.startswith("platform/posix"):
        return "platform/posix"
    return folder.split("/")[0] if folder else None


def sources(root):
    for folder, subfolders, files in os.walk(root):
        relative_folder = os.path.relpath(folder, root)
        if relative_folder == ".":
            subfolders[:] = [s for s in subfolders
                             if not s.startswith(".") and not s.startswith(SKIPPED)]
            continue
        for name in sorted(files):
            if name.endswith((".h", ".cpp", ".inc")):
                yield os.path.join(relative_folder, name)


def problems(root):
    found = []
    for path in sources(root):
        unit = unit_of(path)
        if unit not in LAYERS:
            found.append(f"{path}: folder {unit!r} has no layer in tools/check_layers.py")
            continue
        with open(os.path.join(root, path), encoding="utf-8") as text:
            for number, line in enumerate(text, 1):
                match = INCLUDE.match(line)
                if not match:
                    continue
                bracket, header = match.groups()
                where = f"{path}:{number}"
                if bracket == "<":
                    if unit in PLAIN and QT_HEADER.match(header):
                        found.append(f"{where}: plain folder {unit} includes Qt <{header}>")
                    continue
                if "/" not in header:
                    continue
                target = unit_of(header)
                if target == unit:
                    continue
                if target not in LAYERS:
                    found.append(f'{where}: "{header}" is in no known folder')
                elif LAYERS[target] >= LAYERS[unit]:
                    found.append(f'{where}: {unit} includes "{header}" of {target}, '
                                 f"which is not below it")
    return found


def main():
    root = sys.argv[1] if len(sys.argv) > 1 else os.path.join(os.path.dirname(__file__), "..")
    found = problems(os.path.abspath(root))
    for problem in found:
        print(problem, file=sys.stderr)
    if found:
        print(f"{len(found)} include(s) point the wrong way", file=sys.stderr)
        return 1
    print("includes point one way")
    return 0


if __name__ == "__main__":
    sys.exit(main())
