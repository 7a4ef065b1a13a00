#!/usr/bin/env python3
"""Checks that every include between the code's folders points down the layers.

kb -> engine, wmf -> app (settings, strings, dialogs), kb_builder (the knowledge-base builder) -> portrait, docs, files -> ui (the main
window) -> start (start-up). A header is known by its name (names are unique across src/). Prints
each include that points up and exits 1 when there is one.
"""
import pathlib
import re
import sys

ROOT = pathlib.Path(__file__).resolve().parent.parent / "src"
LAYER = {"kb": 0, "engine": 1, "wmf": 1, "app": 2, "kb_builder": 2, "portrait": 3, "docs": 3, "files": 3, "ui": 4, "start": 5, "web": 3}


def main():
    folder_of = {}
    for header in ROOT.rglob("*.h"):
        folder_of.setdefault(header.name, header.relative_to(ROOT).parts[0])
    up = 0
    for source in sorted(ROOT.rglob("*")):
        if source.suffix not in (".h", ".cpp"):
            continue
        here = source.relative_to(ROOT).parts[0]
        for name in re.findall(r'#include "([^"]+)"', source.read_text(encoding="utf-8")):
            there = folder_of.get(pathlib.PurePath(name).name)
            if there in LAYER and here in LAYER and LAYER[there] > LAYER[here]:
                print(f"src/{source.relative_to(ROOT)} includes {name} from src/{there}, a layer above")
                up += 1
    if up == 0:
        print("every include points down the layers")
    return 1 if up else 0


if __name__ == "__main__":
    sys.exit(main())
