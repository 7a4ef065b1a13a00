#!/usr/bin/env python3
"""Writes a large SDD dataset for timing `kestrane-kb import-sdd`: TAXA taxa sharing one genus (so
that their codes share a prefix), CHARACTERS categorical characters of STATES states each, every
taxon coded with one or two states of every character, no pictures.

    bench/kb/genere_sdd.py 20000 100 3 /tmp/large.sdd.xml
    /usr/bin/time -v build/tools/kb/kestrane-kb import-sdd /tmp/large.sdd.xml /tmp/large-base
"""
import random
import sys


def main():
    taxa, characters, states, out = int(sys.argv[1]), int(sys.argv[2]), int(sys.argv[3]), sys.argv[4]
    rnd = random.Random(1)
    with open(out, "w", encoding="utf-8") as f:
        w = f.write
        w('<?xml version="1.0" encoding="UTF-8"?>\n<Datasets xmlns="http://rs.tdwg.org/UBIF/2006/">\n')
        w('<Dataset xml:lang="en">\n<Representation><Label>Generated key</Label></Representation>\n')
        w("<TaxonNames>\n")
        for t in range(taxa):
            w(f'<TaxonName id="t{t}"><Representation><Label>Quercus robur{t}</Label></Representation></TaxonName>\n')
        w("</TaxonNames>\n<Characters>\n")
        for c in range(characters):
            w(f'<CategoricalCharacter id="c{c}"><Representation><Label>Character {c}</Label></Representation><States>')
            for s in range(states):
                w(f'<StateDefinition id="c{c}s{s}"><Representation><Label>State {s} of character {c}</Label>'
                  "</Representation></StateDefinition>")
            w("</States></CategoricalCharacter>\n")
        w("</Characters>\n<CodedDescriptions>\n")
        for t in range(taxa):
            w(f'<CodedDescription id="d{t}"><Scope><TaxonName ref="t{t}"/></Scope><SummaryData>')
            for c in range(characters):
                chosen = sorted(rnd.sample(range(states), rnd.choice((1, 1, 2)) if states > 1 else 1))
                w(f'<Categorical ref="c{c}">' + "".join(f'<State ref="c{c}s{s}"/>' for s in chosen) + "</Categorical>")
            w("</SummaryData></CodedDescription>\n")
        w("</CodedDescriptions>\n</Dataset>\n</Datasets>\n")


if __name__ == "__main__":
    main()
