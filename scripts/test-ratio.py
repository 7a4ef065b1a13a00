#!/usr/bin/env python3
"""Prints the lines of test code against the lines of code, per subsystem and in total.

Code: C++ sources and headers under src/ and tools/. Test code: the same under tests/, bench/ and
fuzz/. The house rule is test code between a quarter and a third of the code; the exit status is 1
when the total is outside it, so a script can check it.
"""
import pathlib
import sys

ROOT = pathlib.Path(__file__).resolve().parent.parent
SUFFIXES = {".cpp", ".h", ".hpp", ".cc"}
CODE = ("src", "tools")
TESTS = ("tests", "bench", "fuzz")
# Test folders whose name differs from the code they test.
SUBSYSTEM_OF = {"tools/kb": "kb_builder", "src/kb_builder": "kb_builder", "tools/cli": "cli", "tools/wmf": "wmf", "tests/files_gui": "files",
                "tests/support": "(shared)"}


def lines(path):
    with open(path, "rb") as f:
        return sum(1 for _ in f)


def count(tops):
    per = {}
    for top in tops:
        for path in sorted((ROOT / top).rglob("*")):
            if path.suffix not in SUFFIXES or not path.is_file():
                continue
            rel = path.relative_to(ROOT).parts
            folder = "/".join(rel[:2]) if len(rel) > 2 else top
            name = SUBSYSTEM_OF.get(folder, rel[1] if len(rel) > 2 else "(top)")
            per[name] = per.get(name, 0) + lines(path)
    return per


def main():
    code, tests = count(CODE), count(TESTS)
    print(f"{'subsystem':<12}{'code':>8}{'tests':>8}{'ratio':>8}")
    for name in sorted(set(code) | set(tests)):
        c, t = code.get(name, 0), tests.get(name, 0)
        ratio = f"{100 * t / c:.0f} %" if c else "-"
        print(f"{name:<12}{c:>8}{t:>8}{ratio:>8}")
    c, t = sum(code.values()), sum(tests.values())
    print(f"{'total':<12}{c:>8}{t:>8}{100 * t / c:>6.1f} %")
    return 0 if c / 4 <= t <= c / 3 else 1


if __name__ == "__main__":
    sys.exit(main())
