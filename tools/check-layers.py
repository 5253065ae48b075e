#!/usr/bin/env python3
"""Checks that the source folders depend downwards only.

The folders form layers, lowest first: ui/core, ui/markup, ui/render, ui/runtime, ui/controls, app.
A file may include project headers from its own layer and the layers below it; an include of a
higher layer is reported as FILE:LINE with the header and both layers, and the check fails.
Usage: check-layers.py SOURCE_ROOT
"""

import os
import re
import sys

LAYERS = ["ui/core", "ui/markup", "ui/render", "ui/runtime", "ui/controls", "app"]
SOURCE_SUFFIXES = (".h", ".hpp", ".c", ".cc", ".cpp", ".inl", ".rc")
INCLUDE = re.compile(r'^\s*#\s*include\s*"([^"]+)"')


def layer_of(path):
    """The index of the layer that a root-relative path lies in, or None outside every layer."""
    for index, folder in enumerate(LAYERS):
        if path == folder or path.startswith(folder + "/"):
            return index
    return None


def included_path(root, including_file, written):
    """The root-relative path an include names: as written from the root, or relative to the
    including file when it starts with a dot."""
    if written.startswith("."):
        folder = os.path.dirname(including_file)
        return os.path.relpath(os.path.normpath(os.path.join(folder, written)), root).replace(os.sep, "/")
    return written


def upward_includes(root):
    """Yields one message per include of a higher layer, in folder and file order."""
    for index, folder in enumerate(LAYERS):
        for directory, subfolders, files in os.walk(os.path.join(root, folder)):
            subfolders.sort()
            for name in sorted(files):
                if not name.endswith(SOURCE_SUFFIXES):
                    continue
                path = os.path.join(directory, name)
                relative = os.path.relpath(path, root).replace(os.sep, "/")
                with open(path, encoding="utf-8", errors="replace") as source:
                    for number, line in enumerate(source, 1):
                        match = INCLUDE.match(line)
                        if not match:
                            continue
                        target = layer_of(included_path(root, path, match.group(1)))
                        if target is not None and target > index:
                            yield (f"{relative}:{number}: includes \"{match.group(1)}\": {folder} may not "
                                   f"include {LAYERS[target]} (layers, lowest first: {' < '.join(LAYERS)})")


def main(arguments):
    if len(arguments) != 2:
        print("usage: check-layers.py SOURCE_ROOT", file=sys.stderr)
        return 2
    root = os.path.abspath(arguments[1])
    if not os.path.isdir(os.path.join(root, LAYERS[0])):
        print(f"check-layers.py: {root} has no {LAYERS[0]} folder", file=sys.stderr)
        return 2
    problems = list(upward_includes(root))
    for problem in problems:
        print(problem)
    print(f"{len(problems)} upward include(s)")
    return 1 if problems else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
