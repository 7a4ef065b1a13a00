#!/usr/bin/env python3
"""Plants one-line faults in Kestrane's code and tells which ones no test notices.

    python3 scripts/plant-faults.py [--seed S] [--count N] [--only I,J] [--build DIR] [--jobs J] [--out FILE] [PATH ...]

PATH: files or folders under src/ or tools/ (default: both). Each fault changes one thing on one line
(a comparison, a logical operator, a constant, a sign, a returned value, a call left out); the file is
rebuilt into DIR (default build, configured already), and into the web build whose engine DIR's tests
run (its KESTRANE_WEB_ENGINE), and the tests run, nearest first: the tests of the subsystem the file
belongs to (tests/engine for src/engine...), then, only if those all pass, the rest of the suite, the
tests of windows last. The first failing test catches the fault. A fault that makes a test hang past --timeout counts
as caught (the hang is what a user would see), and so does one that compiles but makes a step of the
build fail (the test bases and the flora are built by running the built tool) or run past
--build-timeout. The file is put back after every fault, and on Ctrl+C. --jobs sets the build's
parallel jobs (2).

The sample is drawn with the seed from every candidate line of the paths, so `--seed 1 --count 30` plants
the same faults on the same code. --list prints the candidates and plants nothing; --show prints the sample,
numbered, and plants nothing; --only plants only the numbered faults of the sample (to judge again the
survivors of a run once their tests are written).

Output: one line per fault as it is judged, then the survivors with file:line, the line before and after,
and a count per folder (survivors that gather in one folder say where the tests are thin). --out writes
the survivors as tab-separated rows, to read them and argue each: equivalent (no input tells the
difference) or a missing check, which deserves a test of the user-visible fault, in its table.
Last line: "planted N: K caught, S survived, B did not build (P % of those that built caught)".
"""
import argparse
import json
import os
import random
import re
import signal
import subprocess
import sys
import time
from pathlib import Path

ROOT = Path(__file__).resolve().parent.parent

# Where the tests of a code folder live, when the names differ (see also scripts/test-ratio.py).
TESTS_OF = {
    "src/kb_builder": ["tests/kb_builder", "tests/web"],  # the compact base and the web export: tests/web
    "tools/kb": ["tests/kb_builder"],
    "tools/cli": ["tests/cli"],
    "tools/wmf": ["tests/wmf"],
    "src/files": ["tests/files", "tests/files_gui"],
    "src/start": ["tests/ui"],
}

# Test folders whose tests drive windows and pages: run last, as they take most of the time.
SLOW = ["tests/ui", "tests/docs", "tests/files_gui", "tests/portrait"]

# Each rule: a pattern on the line (strings and comments blanked) and what replaces the match.
RULES = [
    ("comparison", r"==", "!="),
    ("comparison", r"!=", "=="),
    ("comparison", r"(?<![<>=!-])<=", "<"),
    ("comparison", r"(?<![<>=!-])>=", ">"),
    ("comparison", r"(?<![<>=!-])<(?![<=])", "<="),
    ("comparison", r"(?<![<>=!-])>(?![>=])", ">="),
    ("logic", r"&&", "||"),
    ("logic", r"\|\|", "&&"),
    ("logic", r"!(?=[A-Za-z_(])", ""),
    ("constant", r"\btrue\b", "false"),
    ("constant", r"\bfalse\b", "true"),
    ("constant", r"(?<![\w.])0(?![\w.])", "1"),
    ("constant", r"(?<![\w.])1(?![\w.])", "2"),
    ("constant", r"(?<![\w.])0\.0\b", "0.1"),
    ("arithmetic", r"(?<=\w) \+ (?=\w)", " - "),
    ("arithmetic", r"(?<=\w) - (?=\w)", " + "),
    ("arithmetic", r"\+\+", "--"),
    ("arithmetic", r"\+=", "-="),
    ("arithmetic", r"-=", "+="),
]
NOT_CODE = re.compile(r"^\s*(#|//|\*|/\*|static_assert|namespace|using|template|case\b|default:|enum\b)")
STRINGS = re.compile(r'"(\\.|[^"\\])*"|\'(\\.|[^\'\\])*\'')
TEMPLATE_ARGS = re.compile(r"[A-Za-z_]\w*\s*<[\w:\s,*&<>]*>")
CALL = re.compile(r"^(\s*)([A-Za-z_][\w:.>-]*\s*\(.*\)\s*;)\s*$")
NOT_A_CALL = re.compile(r"\s*(return|if|while|for|switch|delete|throw|else|do)\b")


def code_files(paths):
    for p in map(Path, paths):
        for f in [p] if p.is_file() else sorted(p.rglob("*")):
            if f.suffix in (".cpp", ".h") and not f.name.endswith("_test.cpp"):
                yield f


def candidates(files):
    """Every (file, line number, start, end, replacement, kind) a fault can be planted at."""
    found = []
    for f in files:
        raw = False
        for n, line in enumerate(f.read_text(errors="replace").splitlines(), 1):
            if raw:  # inside a raw string spanning lines
                raw = ')"' not in line
                continue
            if 'R"(' in line and ')"' not in line.split('R"(', 1)[1]:
                raw = True
                continue
            if NOT_CODE.match(line) or "#include" in line or "operator" in line:
                continue
            bare = STRINGS.sub(lambda m: " " * len(m.group(0)), line.split("//")[0])
            angles = [m.span() for m in TEMPLATE_ARGS.finditer(bare)]
            for kind, pattern, repl in RULES:
                for m in re.finditer(pattern, bare):
                    if kind == "comparison" and any(a <= m.start() < b for a, b in angles):
                        continue  # template arguments, not a comparison
                    found.append((f, n, m.start(), m.end(), repl, kind))
            call = CALL.match(bare)
            if call and not NOT_A_CALL.match(bare) and "=" not in call.group(2).split("(")[0]:
                found.append((f, n, len(call.group(1)), len(bare.rstrip()), ";", "call left out"))
    return found


def subsystem(path):
    rel = path.resolve().relative_to(ROOT)
    return "/".join(rel.parts[:2])


def tests_by_folder(build, env):
    """The suite's tests, {test folder relative to the root: [ctest names]}."""
    out = subprocess.run(["ctest", "--test-dir", build, "--show-only=json-v1"], capture_output=True,
                         text=True, env=env, check=True).stdout
    folders = {}
    build_root = Path(build).resolve()
    for test in json.loads(out)["tests"]:
        exe = Path(test["command"][0]).resolve()
        try:
            folder = "/".join(exe.relative_to(build_root).parts[:2])
        except ValueError:
            folder = "?"
        folders.setdefault(folder, []).append(test["name"])
    return folders


def web_build(build):
    """The web build whose engine the suite runs (KESTRANE_WEB_ENGINE of the build's cache), or None.
    The engine is compiled from the same sources (the model, the engine, the identification file, the
    web key's own), so a fault planted there must reach it too."""
    cache = Path(build, "CMakeCache.txt").read_text(errors="replace")
    found = re.search(r"^KESTRANE_WEB_ENGINE:PATH=(.+)$", cache, re.M)
    folder = Path(found.group(1)) if found else None
    while folder and folder != folder.parent and not (folder / "CMakeCache.txt").exists():
        folder = folder.parent
    return str(folder) if folder and (folder / "CMakeCache.txt").exists() else None


def run_build(a, env):
    """Builds everything, the web engine last; a build that runs past --build-timeout (a step running
    the built tool that never ends) is stopped, whole process group, and reported as a failed step."""
    out, err, code = "", "", 0
    for folder in filter(None, (a.build, web_build(a.build))):
        p = subprocess.Popen(["cmake", "--build", folder, "--parallel", str(a.jobs)], stdout=subprocess.PIPE,
                             stderr=subprocess.PIPE, text=True, env=env, start_new_session=True)
        try:
            o, e = p.communicate(timeout=a.build_timeout)
        except subprocess.TimeoutExpired:
            os.killpg(p.pid, signal.SIGKILL)
            o, e = p.communicate()
            o += "\nFAILED: past-the-build-timeout\n"
        out, err, code = out + o, err + e, p.returncode
        if code:
            break
    return subprocess.CompletedProcess(["cmake", "--build"], code, out, err)


def build_step_failed(build):
    """The output of a failed build step that is not a compiler or linker error (the test bases and
    the flora are built by running the built tool, and test lists by running the test programs): a
    fault that makes them fail was noticed. None when the code itself did not compile or link."""
    out = build.stdout + build.stderr
    if re.search(r": (fatal )?error:|undefined reference|ld returned", out):
        return None
    failed = re.findall(r"^FAILED: (\S+)", out, re.M)
    return failed[0] if failed else None


def name_regex(names):
    return "^(" + "|".join(re.escape(n) for n in names) + ")$"


def run_ctest(build, regex, exclude, timeout, env):
    cmd = ["ctest", "--test-dir", build, "-j2", "--stop-on-failure", "--timeout", str(timeout)]
    if regex:
        cmd += ["-R", regex]
    if exclude:
        cmd += ["-E", exclude]
    t = subprocess.run(cmd, capture_output=True, text=True, env=env)
    failed = re.findall(r"\d+ - (\S+) \((?:Failed|Timeout|SEGFAULT|Subprocess aborted|Exception)", t.stdout)
    return t.returncode != 0, failed[0] if failed else "?"


def main():
    ap = argparse.ArgumentParser(description=__doc__.split("\n")[0])
    ap.add_argument("paths", nargs="*", default=["src", "tools"])
    ap.add_argument("--build", default="build")
    ap.add_argument("--count", type=int, default=10)
    ap.add_argument("--seed", type=int, default=1)
    ap.add_argument("--timeout", type=int, default=120, help="seconds one test may take under a fault")
    ap.add_argument("--jobs", type=int, default=2, help="parallel build jobs (the machine is shared)")
    ap.add_argument("--build-timeout", type=int, default=1800, help="seconds one rebuild may take")
    ap.add_argument("--out", help="write the survivors here as tab-separated rows")
    ap.add_argument("--list", action="store_true")
    ap.add_argument("--show", action="store_true", help="print the sample, numbered, and plant nothing")
    ap.add_argument("--only", help="plant only these faults of the sample: numbers as --show prints them, 3,7,12")
    a = ap.parse_args()
    os.chdir(ROOT)

    pool = candidates(code_files(a.paths))
    if a.list:
        for f, n, s, e, r, kind in pool:
            print(f"{f}:{n}: {kind}: {f.read_text(errors='replace').splitlines()[n - 1][s:e]!r} -> {r!r}")
        print(f"{len(pool)} candidates")
        return 0
    if not Path(a.build, "CMakeCache.txt").exists():
        sys.exit(f"{a.build} is not a configured build folder (cmake -S . -B {a.build} -G Ninja first)")
    picks = list(enumerate(random.Random(a.seed).sample(pool, min(a.count, len(pool))), 1))
    if a.only:
        wanted = {int(n) for n in a.only.split(",")}
        picks = [(i, pick) for i, pick in picks if i in wanted]
    if a.show:
        for i, (f, n, s, e, r, kind) in picks:
            line = f.read_text(errors="replace").splitlines()[n - 1]
            print(f"{i}\t{f}:{n}\t{kind}\t{line.strip()}\t=> {(line[:s] + r + line[e:]).strip()}")
        return 0
    print(f"{len(pool)} candidates; planting {len(picks)} with seed {a.seed}", flush=True)

    env = dict(os.environ)
    env.setdefault("QT_QPA_PLATFORM", "offscreen")
    env.setdefault("QTWEBENGINE_CHROMIUM_FLAGS", "--no-sandbox --disable-gpu")
    env.setdefault("NODE_PATH", "/usr/share/nodejs")  # emscripten's optimiser finds acorn there
    if run_build(a, env).returncode:
        sys.exit("the build fails before any fault is planted")
    by_folder = tests_by_folder(a.build, env)

    held = {}  # file -> its true text while a fault is planted

    def put_back(*_):
        for f, text in held.items():
            f.write_text(text)
        held.clear()

    signal.signal(signal.SIGINT, lambda *x: (put_back(), sys.exit(130)))
    signal.signal(signal.SIGTERM, lambda *x: (put_back(), sys.exit(143)))
    caught, broken, survivors = 0, 0, []
    try:
        for i, (f, n, s, e, repl, kind) in picks:
            text = f.read_text()
            lines = text.split("\n")
            before = lines[n - 1]
            lines[n - 1] = before[:s] + repl + before[e:]
            held[f] = text
            f.write_text("\n".join(lines))
            started = time.time()
            build = run_build(a, env)
            step = build_step_failed(build) if build.returncode else None
            if build.returncode and not step:
                broken += 1
                verdict = "did not build"
            elif step:
                caught += 1  # the code compiled, but a step of the build that runs it failed
                verdict = f"caught by the build step {step}"
            else:
                code = subsystem(f)
                near = [t for folder in TESTS_OF.get(code, ["tests/" + code.split("/")[-1]])
                        for t in by_folder.get(folder, [])]
                # The area's own tests, then the rest of the quick ones, then the windows' (slow).
                failed, by = (False, "")
                quick = [t for folder, names in by_folder.items() if folder not in SLOW for t in names
                         if t not in near]
                slow = [t for folder in SLOW for t in by_folder.get(folder, []) if t not in near]
                for group in (near, quick, slow):
                    if group and not failed:
                        failed, by = run_ctest(a.build, name_regex(group), None, a.timeout, env)
                if failed:
                    caught += 1
                    verdict = f"caught by {by}"
                else:
                    survivors.append((f"{f}:{n}", kind, before.strip(), lines[n - 1].strip()))
                    verdict = "SURVIVED"
            put_back()
            print(f"[{i}/{a.count}] {f}:{n} {kind}: {verdict} ({time.time() - started:.0f} s)", flush=True)
    finally:
        put_back()
        run_build(a, env)

    if survivors:
        print("\nSurvivors (no test failed):")
        for where, kind, before, after in survivors:
            print(f"  {where}: {kind}: {before}  ->  {after}")
        per = {}
        for where, *_ in survivors:
            folder = str(Path(where.split(":")[0]).parent)
            per[folder] = per.get(folder, 0) + 1
        print("Survivors per folder: " + ", ".join(f"{k} {v}" for k, v in sorted(per.items())))
    if a.out:
        with open(a.out, "w", encoding="utf-8") as out:
            out.write("where\tkind\tbefore\tafter\n")
            for row in survivors:
                out.write("\t".join(row) + "\n")
    built = len(picks) - broken
    share = 100 * caught / built if built else 0
    print(f"planted {len(picks)}: {caught} caught, {len(survivors)} survived, {broken} did not build "
          f"({share:.0f} % of those that built caught)")
    return 0


if __name__ == "__main__":
    sys.exit(main())
