#!/usr/bin/env python3
"""Imports real SDD datasets with `kestrane-kb import-sdd` and identifies every taxon with its own
coded description through `kestrane-cli rank`: a taxon should rank first (tied first counts).

    bench/kb/sdd_auto_identification.py [--kb PATH] [--cli PATH] [--sample N] [--repeat N] [-v] FILE.xml...

For each file:
- the import runs under `/usr/bin/time -v` into a temporary folder: the median wall time of
  --repeat runs and the peak memory;
- every cell of the built matrix (data/MATRICE.DAT) is compared with the dataset's own codings for
  the categorical characters (coded states; open where the taxon codes nothing, unless its own
  states make the character inapplicable through the dependency rules; none where coded not
  applicable);
- each taxon answers every categorical character it codes with one of its coded states per call,
  as many calls as its most varied character has states, so that every coded state is given once
  (call k takes each character's k-th state, cycling through the shorter lists). Measured
  characters are answered with `--measure OBJET=VALUE` at the middle of the taxon's range when
  `kestrane-cli rank --help` offers that option, and left out (said so) otherwise. Characters coded
  unknown or not applicable are not answered. Beyond the taxon's own rank, the species at the top
  are compared with those the dataset says fit every answer.
Datasets of more than --sample taxa (400) are checked on a seeded sample of them.

One line per dataset: taxa, characters, import time, peak memory, ranked first N/N, the ties (with
how many are level only with taxa of an identical description or coding nothing: no key can part
those), the cells and tops unlike the data, and the failures by name. -v adds the answers of each
failure and mismatch, the first ties and the import's first warnings.

Object identifiers of the built base are the SDD character ids made safe (as the importer names
them); states are answered by their cell number, their place in the SDD character.
"""
import argparse
import array
import json
import os
import random
import re
import shutil
import statistics
import subprocess
import sys
import tempfile
import time
import xml.etree.ElementTree as ET

SDD_NS = "http://rs.tdwg.org/UBIF/2006/"
LOW_FIRST = ("Min", "UMethLower", "Mean", "Median", "Mode", "Max", "UMethUpper")
HIGH_FIRST = ("Max", "UMethUpper", "Mean", "Median", "Mode", "Min", "UMethLower")
XML_LANG = "{http://www.w3.org/XML/1998/namespace}lang"


def local(el):
    """The local name of an element of the SDD namespace (or of none); "" for another."""
    tag = el.tag
    if tag.startswith("{"):
        ns, name = tag[1:].split("}", 1)
        return name if ns == SDD_NS else ""
    return tag


def children(el, name=None):
    return [c for c in el if isinstance(c.tag, str) and (name is None or local(c) == name)]


def primary_language(tag):
    s = re.split("[-_]", tag)[0].lower()
    return "" if s in ("zxx", "und", "x", "i", "mul") else s


def plain(text):
    """A label as the importer shows it: mark-up dropped, blanks folded."""
    return " ".join(re.sub(r"<[^>]*>", "", text or "").split())


class Dataset:
    """What the check needs of the first dataset of an SDD file."""

    def __init__(self, path):
        root = ET.parse(path).getroot()
        ds = next(c for c in children(root) if local(c) == "Dataset")
        self.lang = primary_language(ds.get(XML_LANG, ""))
        self.origin = self.lang if re.fullmatch("[a-z]{2}", self.lang) else "en"
        self.taxa = {}         # id -> label
        self.characters = []   # dicts in document order
        self.descriptions = []
        self.tree = []         # (node id, parent id, character index)
        for part in children(ds):
            name = local(part)
            if name == "TaxonNames":
                for t in children(part, "TaxonName"):
                    self.taxa[t.get("id", "")] = self.label(t)
            elif name == "Characters":
                for c in children(part):
                    n = local(c)
                    if not n or "Character" not in n:
                        continue
                    kind = {"CategoricalCharacter": "cat", "QuantitativeCharacter": "quant"}.get(n, "other")
                    states = [s.get("id", "") for st in children(c, "States") for s in children(st, "StateDefinition")]
                    self.characters.append({"id": c.get("id", ""), "kind": kind, "states": states,
                                            "place": {s: i for i, s in enumerate(states)}})
            elif name == "CharacterTrees":
                trees = children(part, "CharacterTree")
                for nodes in children(trees[0], "Nodes") if trees else []:
                    for node in children(nodes):
                        if local(node) not in ("Node", "CharNode"):
                            continue
                        parent = next((p.get("ref", "") for p in children(node, "Parent")), "")
                        char = next((c.get("ref", "") for c in children(node, "Character")), None)
                        nid = node.get("id", "") if local(node) == "Node" else ""
                        rules = {r: [x.get("ref") for d in children(node, "DependencyRules") for y in children(d, r)
                                     for x in children(y, "State")] for r in ("InapplicableIf", "OnlyApplicableIf")}
                        self.tree.append((nid, parent, char, rules))
            elif name == "CodedDescriptions":
                for d in children(part, "CodedDescription"):
                    self.descriptions.append(self.description(ds, d))
        self.index = {c["id"]: i for i, c in enumerate(self.characters)}

    def label(self, el):
        """The label the importer names an element by: in the dataset's language, else the first."""
        inherited = primary_language(el.get(XML_LANG)) if el.get(XML_LANG) else self.lang
        reps = children(el, "Representation")
        labels = []
        for rep in reps:
            rep_lang = primary_language(rep.get(XML_LANG)) if rep.get(XML_LANG) else inherited
            full, other = [], []
            for lab in children(rep, "Label"):
                lang = primary_language(lab.get(XML_LANG)) if lab.get(XML_LANG) else rep_lang
                text = plain("".join(lab.itertext()))
                (full if lab.get("role") in (None, "", "Full") else other).append((lang, text))
            labels += full + other
        for lang, text in labels:
            if text and lang in ("", self.origin):
                return text
        return next((text for _, text in labels if text), "")

    def description(self, ds, d):
        taxon = None
        for scope in children(d, "Scope"):
            for t in children(scope, "TaxonName"):
                taxon = t.get("ref")
        codings = []
        for summary in children(d, "SummaryData"):
            for c in children(summary):
                kind = local(c)
                if kind not in ("Categorical", "Quantitative"):
                    continue
                states = [s.get("ref") for s in children(c, "State")] if kind == "Categorical" else []
                measures = {}
                if kind == "Quantitative":
                    for m in children(c, "Measure"):
                        try:
                            measures[m.get("type")] = float(m.get("value"))
                        except (TypeError, ValueError):
                            pass
                low = next((measures[t] for t in LOW_FIRST if t in measures), None)
                high = next((measures[t] for t in HIGH_FIRST if t in measures), None)
                if low is not None and high is not None and low > high:
                    low, high = high, low
                status = next((x.get("code") for x in children(c, "Status")), None)
                codings.append({"ref": c.get("ref"), "states": states, "range": (low, high) if low is not None else None,
                                "inapplicable": status in ("NotApplicable", "Inapplicable")})
        return {"id": d.get("id", ""), "taxon": taxon, "label": self.label(d), "codings": codings}

    def rules(self):
        """{character index: (states that make it applicable, states that make it inapplicable)},
        each node's rules holding for the characters under it."""
        ids = {nid: i for i, (nid, _, _, _) in enumerate(self.tree) if nid}
        out = {}
        for nid, parent, char, rules in self.tree:
            if char not in self.index:
                continue
            only, never = set(rules["OnlyApplicableIf"]), set(rules["InapplicableIf"])
            seen, p = set(), ids.get(parent)
            while p is not None and p not in seen:
                seen.add(p)
                only |= set(self.tree[p][3]["OnlyApplicableIf"])
                never |= set(self.tree[p][3]["InapplicableIf"])
                p = ids.get(self.tree[p][1])
            a, b = out.setdefault(self.index[char], (set(), set()))
            a |= only
            b |= never
        return out

    def character_order(self):
        """SDD characters in question order: the first character tree depth first, then the rest."""
        ids = {nid: i for i, (nid, _, _, _) in enumerate(self.tree) if nid}
        kids = [[] for _ in self.tree]
        roots = []
        for i, (_, parent, _, _) in enumerate(self.tree):
            (kids[ids[parent]] if parent in ids else roots).append(i)
        order, placed = [], set()
        stack = list(reversed(roots))
        while stack:
            i = stack.pop()
            char = self.tree[i][2]
            if char in self.index and self.index[char] not in placed:
                placed.add(self.index[char])
                order.append(self.index[char])
            stack.extend(reversed(kids[i]))
        return order + [c for c in range(len(self.characters)) if c not in placed]


def safe_name(ident, default, taken):
    base = "".join(ch if (ch.isascii() and ch.isalnum()) or ch in "_-" else "_" for ch in ident)
    if not base or base.lower() == "fin":
        base = default
    name, n = base, 2
    while name.lower() in taken:
        name, n = f"{base}_{n}", n + 1
    taken.add(name.lower())
    return name


def ascii_lower(s):
    return "".join(chr(ord(c) + 32) if "A" <= c <= "Z" else c for c in s)


def species_groups(ds):
    """One species per taxon described (descriptions merged), one per description naming none."""
    groups, by_taxon = [], {}
    for d in ds.descriptions:
        t = d["taxon"]
        if t is not None and t in by_taxon:
            groups[by_taxon[t]]["descriptions"].append(d)
            continue
        if t is not None:
            by_taxon[t] = len(groups)
        name = ds.taxa.get(t, "") if t is not None else d["label"]
        groups.append({"name": name, "id": t if t is not None else d["id"], "descriptions": [d]})
    seen = set()
    for g in groups:
        if ascii_lower(g["name"]) in seen:
            g["name"] += f" ({g['id']})"
        seen.add(ascii_lower(g["name"]))
    return groups


def kept_characters(ds, groups):
    """(SDD index, base object name, kind) of each character the base asks, in question order."""
    measured = {ds.index.get(c["ref"]) for g in groups for d in g["descriptions"] for c in d["codings"] if c["range"]}
    taken, kept = set(), []
    for c in ds.character_order():
        ch = ds.characters[c]
        if ch["kind"] == "other" or (ch["kind"] == "cat" and not ch["states"]):
            continue
        name = safe_name(ch["id"], f"C{c + 1}", taken)  # a quantitative one left out keeps its name
        if ch["kind"] == "quant" and c not in measured:
            continue
        kept.append((c, name, ch["kind"]))
    return kept


def codings_by_character(ds, group):
    """{SDD character index: the codings of it in the species' descriptions}."""
    if "by_char" not in group:
        group["by_char"] = {}
        for d in group["descriptions"]:
            for coding in d["codings"]:
                group["by_char"].setdefault(ds.index.get(coding["ref"]), []).append(coding)
    return group["by_char"]


def answers_of(ds, group, kept):
    """{object: [cell numbers]} and {object: middle of the range} of a species' own description."""
    cats, measures = {}, {}
    by_char = codings_by_character(ds, group)
    for c, name, kind in kept:
        place = ds.characters[c]["place"]
        cells, low, high = set(), None, None
        for coding in by_char.get(c, []):
            cells.update(place[s] for s in coding["states"] if s in place)
            if coding["range"]:
                lo, hi = coding["range"]
                low = lo if low is None else min(low, lo)
                high = hi if high is None else max(high, hi)
        if kind == "cat" and cells:
            cats[name] = sorted(cells)
        elif kind == "quant" and low is not None:
            measures[name] = (low + high) / 2
    return cats, measures


def parent_cells(ds, kept):
    """{object: {(object, cell)}}: the states one of which a taxon needs for the object to apply to
    it (OnlyApplicableIf states, and every other state of a character named by InapplicableIf)."""
    where = {s: (c, i) for c, ch in enumerate(ds.characters) for i, s in enumerate(ch["states"])}
    names = {c: name for c, name, kind in kept if kind == "cat"}
    out = {}
    for c, (only, never) in ds.rules().items():
        if c not in names:
            continue
        parents = {(names[where[s][0]], where[s][1]) for s in only if s in where and where[s][0] in names}
        by_char = {}
        for s in never:
            if s in where:
                by_char.setdefault(where[s][0], set()).add(where[s][1])
        for ctrl, cells in by_char.items():
            if ctrl in names:
                parents |= {(names[ctrl], i) for i in range(len(ds.characters[ctrl]["states"])) if i not in cells}
        out[names[c]] = {p for p in parents if p[0] != names[c]}
    return out


def expected_cells(ds, group, kept, parents, cats):
    """{object: cells the species holds, None when open}: the data's own answer to which species
    fit. A character it does not code is open unless its own states make it inapplicable."""
    out = {}
    for c, name, kind in kept:
        if kind != "cat":
            continue
        closed = any(x["inapplicable"] for x in codings_by_character(ds, group).get(c, []))
        out[name] = set(cats[name]) if name in cats else (set() if closed else None)
    holds = lambda o, i: out.get(o) is None or i in out[o]  # noqa: E731
    for _ in range(len(out)):  # controlling characters settle first, however deep the chains
        changed = False
        for name, cells in out.items():
            if cells is None and parents.get(name) and not any(holds(o, i) for o, i in parents[name]):
                out[name], changed = set(), True
        if not changed:
            break
    return out


def matrix_mismatches(base, info, groups, kept, cells):
    """Cells of the built matrix (data/MATRICE.DAT: int16, one column of species per state) that
    differ from the data's own, over every species and categorical character."""
    n_species = len(info["species"])
    matrix = array.array("h")
    with open(os.path.join(base, "data", "MATRICE.DAT"), "rb") as f:
        matrix.frombytes(f.read())
    if sys.byteorder != "little":
        matrix.byteswap()
    value = lambda s, e: matrix[s + n_species * e]  # noqa: E731
    numbers = {c["objet"]: [st["number"] for st in c["states"]] for c in info["characters"]}
    index = {s["name"]: s["index"] for s in info["species"]}
    out = []
    for g, mine in zip(groups, cells):
        if g["name"] not in index:
            continue
        for name, want in mine.items():
            got = {k for k, e in enumerate(numbers[name]) if value(index[g["name"]], e) != 0}
            expect = set(range(len(numbers[name]))) if want is None else want
            if got != expect:
                out.append((g["name"], name, sorted(expect), sorted(got)))
    return out


def timed_import(kb, sdd, out):
    proc = subprocess.run(["/usr/bin/time", "-v", kb, "import-sdd", sdd, out], capture_output=True, text=True)
    wall = re.search(r"Elapsed \(wall clock\) time \(h:mm:ss or m:ss\): (\S+)", proc.stderr)
    rss = re.search(r"Maximum resident set size \(kbytes\): (\d+)", proc.stderr)
    seconds = 0.0
    if wall:
        for part in wall.group(1).split(":"):
            seconds = seconds * 60 + float(part)
    warnings = [l for l in proc.stderr.splitlines() if l.startswith("warning:")]
    errors = [l for l in proc.stderr.splitlines() if l and not l.startswith(("warning:", "kestrane-kb:", "\t", "QStandardPaths", "Command"))]
    return proc.returncode, seconds, int(rss.group(1)) if rss else 0, warnings, errors


def run_cli(cli, args):
    proc = subprocess.run([cli] + args, capture_output=True, text=True)
    if proc.returncode != 0:
        raise RuntimeError(proc.stderr.strip() or f"kestrane-cli exited with {proc.returncode}")
    return json.loads(proc.stdout)


def check(path, opts, measure_option):
    ds = Dataset(path)
    groups = species_groups(ds)
    kept = kept_characters(ds, groups)
    n_cat = sum(1 for _, _, k in kept if k == "cat")
    n_quant = len(kept) - n_cat
    with tempfile.TemporaryDirectory(prefix="sdd-auto-") as tmp:
        base = os.path.join(tmp, "base")
        runs = []
        for _ in range(max(opts.repeat, 1)):  # the machine is shared: the median of a few imports
            shutil.rmtree(base, ignore_errors=True)
            runs.append(timed_import(opts.kb, path, base))
            if runs[-1][0] != 0:
                break
        rc, _, _, warnings, errors = runs[-1]
        seconds = statistics.median(r[1] for r in runs)
        rss = max(r[2] for r in runs)
        head = f"{os.path.basename(path)}: {len(groups)} taxa, {len(kept)} characters ({n_cat} categorical, {n_quant} measured)"
        if rc != 0:
            print(f"{head}: import FAILED ({rc}): {' | '.join(errors[:3])}")
            return
        settings = ["--settings", os.path.join(base, "kestrane.ini")]
        info = run_cli(opts.cli, ["info", "--json"] + settings)
        objects = {c["objet"]: len(c["states"]) for c in info["characters"]}
        species = {s["name"]: s["index"] for s in info["species"]}
        # Measured characters may be kept apart from the questions with states: only the
        # categorical ones must all be there.
        mismatch = [n for _, n, k in kept if k == "cat" and n not in objects]
        if mismatch:
            print(f"{head}: the base's characters do not match the dataset's ({len(objects)} in the base; "
                  f"not found: {', '.join(mismatch[:5])})")
            return
        chosen = list(range(len(groups)))
        if opts.sample and len(groups) > opts.sample:
            chosen = sorted(random.Random(1).sample(chosen, opts.sample))
        answers = [answers_of(ds, g, kept) for g in groups]
        parents = parent_cells(ds, kept)
        cells = [expected_cells(ds, g, kept, parents, a[0]) for g, a in zip(groups, answers)]
        signature = [(tuple(sorted((k, tuple(v)) for k, v in c.items())), tuple(sorted(m.items()))) for c, m in answers]
        index_of = {species[g["name"]]: i for i, g in enumerate(groups) if g["name"] in species}
        cell_errors = matrix_mismatches(base, info, groups, kept, cells)
        first, ties, failures, odd, unmatched, silent, calls = 0, [], [], [], [], [], 0
        started = time.monotonic()
        for i in chosen:
            g = groups[i]
            cats, measures = answers[i]
            if g["name"] not in species:
                unmatched.append(g["name"])
                continue
            if not cats and not (measures and measure_option):
                silent.append(g["name"])
                continue
            missed, level = None, set()
            for k in range(max((len(v) for v in cats.values()), default=1)):
                given = {obj: v[k % len(v)] for obj, v in cats.items()}
                args = ["rank", "--json"] + settings + [a for o, c in given.items() for a in ("--answer", f"{o}={c}")]
                if measure_option:
                    args += [a for o, v in measures.items() for a in ("--measure", f"{o}={v:.12g}")]
                lines = run_cli(opts.cli, args)["lines"]
                calls += 1
                top = max(l["score"] for l in lines)
                at_top = {index_of.get(l["species"], -1) for l in lines if l["score"] == top}
                expected = {j for j, m in enumerate(cells) if all(m[o] is None or c in m[o] for o, c in given.items())}
                if i not in at_top and missed is None:
                    missed = (g["name"], sorted(l["name"] for l in lines if l["score"] == top), args)
                level |= at_top - {i}
                # The data's own verdict: who fits every answer. Measures can only part them further.
                measured = measures and measure_option
                if (at_top - expected) or (not measured and (expected - at_top)):
                    odd.append((g["name"], sorted(groups[j]["name"] for j in at_top ^ expected if j >= 0), args))
            if missed:
                failures.append(missed)
                continue
            first += 1
            if level:
                ties.append((i, level))
        elapsed = time.monotonic() - started
        tested = len(chosen) - len(unmatched) - len(silent)
        same = sum(1 for i, level in ties if any(signature[j] == signature[i] for j in level))
        empty = sum(1 for i, level in ties if all(not answers[j][0] for j in level if signature[j] != signature[i]))
        line = (f"{head}; import {seconds:.2f} s, peak {rss / 1024:.0f} MB; ranked first {first}/{tested}"
                f" (tied first {len(ties)}: {same} with an identical description,"
                f" {empty} level only with identical or uncoded taxa)")
        if len(chosen) < len(groups):
            line += f"; a seeded sample of {len(chosen)} of {len(groups)} taxa"
        if n_quant and not measure_option:
            line += "; measured characters not answered (kestrane-cli rank has no --measure)"
        if silent:
            line += f"; {len(silent)} taxa code nothing to answer"
        if unmatched:
            line += f"; {len(unmatched)} taxa not found by name in the base: {', '.join(unmatched[:5])}"
        line += f"; {calls} rank calls in {elapsed:.1f} s"
        line += f"; matrix cells unlike the data: {len(cell_errors)}"
        line += f"; at the top against the data's own verdict: {len(odd)}"
        line += "; failures: " + (", ".join(n for n, _, _ in failures) or "none")
        print(line)
        if opts.verbose:
            for n, top, args in failures:
                print(f"  FAIL {n}, behind {', '.join(top[:5])}:\n    {' '.join(args[4:])}")
            for n, obj, want, got in cell_errors[:20]:
                print(f"  cells of {n}, {obj}: the data gives {want or 'none'}, the base {got or 'none'}")
            for n, names, args in odd:
                print(f"  top differs from the data for {n}: {', '.join(names[:8])}\n    {' '.join(args[4:])}")
            for i, level in ties[:20]:
                names = sorted(groups[j]["name"] + ("=" if signature[j] == signature[i] else "" if answers[j][0] else "?")
                               for j in level if j >= 0)
                print(f"  tie {groups[i]['name']} with {', '.join(names[:6])}{' ...' if len(names) > 6 else ''}")
            if len(ties) > 20:
                print(f"  ... {len(ties) - 20} more ties ('=' identical description, '?' codes nothing)")
            print(f"  ({len(warnings)} warnings from the import; first ones:)")
            for w in warnings[:6]:
                print(f"  {w[:300]}")


def main():
    here = os.path.dirname(os.path.abspath(__file__))
    build = os.path.join(here, "..", "..", "build")
    p = argparse.ArgumentParser(description=__doc__.split("\n\n")[0])
    p.add_argument("files", nargs="+")
    p.add_argument("--kb", default=os.path.join(build, "tools", "kb", "kestrane-kb"))
    p.add_argument("--cli", default=os.path.join(build, "tools", "cli", "kestrane-cli"))
    p.add_argument("--sample", type=int, default=400, help="taxa checked in a larger dataset (0: all)")
    p.add_argument("--repeat", type=int, default=3, help="imports timed per dataset (the median is given)")
    p.add_argument("-v", "--verbose", action="store_true")
    opts = p.parse_args()
    helptext = subprocess.run([opts.cli, "rank", "--help"], capture_output=True, text=True).stdout
    measure_option = "--measure" in helptext
    for f in opts.files:
        try:
            check(f, opts, measure_option)
        except (RuntimeError, ValueError, ET.ParseError, StopIteration) as e:
            print(f"{os.path.basename(f)}: not checked: {e}")


if __name__ == "__main__":
    sys.exit(main())
