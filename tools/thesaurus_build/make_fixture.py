#!/usr/bin/env python3
"""Cuts a small WordNet from the real one for the thesaurus tests:
the senses of a few words, the synsets they point at, and the exception
lines of those words. Offsets stay WordNet's own (the builder keys synsets
by them, not by their place in the file).
    tools/thesaurus_build/make_fixture.py /usr/share/wordnet tests/language/thesaurus/wordnet
"""
import os
import sys

LEMMAS = {"run", "walk", "bright", "stride", "ice_cream", "stop", "happy", "quick", "slow",
          "slowly", "quickly", "amble", "saunter", "stroll"}
PARTS = ("noun", "verb", "adj", "adv")


def main(src, dst):
    os.makedirs(dst, exist_ok=True)
    data = {}
    for part in PARTS:
        with open(os.path.join(src, "data." + part), encoding="latin-1") as f:
            for line in f:
                if not line.startswith("  "):
                    data[(part[0] if part != "adj" else "a", line.split(" ", 1)[0])] = (part, line)
    wanted = set()
    index_lines = {p: [] for p in PARTS}
    for part in PARTS:
        with open(os.path.join(src, "index." + part), encoding="latin-1") as f:
            for line in f:
                fields = line.split()
                if line.startswith("  ") or fields[0] not in LEMMAS:
                    continue
                index_lines[part].append(line)
                count = int(fields[2])
                for offset in fields[-count:]:
                    wanted.add(("a" if part == "adj" else part[0], offset))
    targets = set()
    for key in wanted:
        fields = data[key][1].split(" | ")[0].split()
        at = 4 + 2 * int(fields[3], 16)
        for p in range(int(fields[at])):
            pos = fields[at + 3 + 4 * p]
            if fields[at + 1 + 4 * p].startswith("~"):
                continue  # hyponyms: many, and the tests need few
            targets.add(("a" if pos == "s" else pos, fields[at + 2 + 4 * p]))
    keep = wanted | {t for t in targets if t in data}
    for part in PARTS:
        lines = sorted(line for key, (p, line) in data.items() if p == part and key in keep)
        with open(os.path.join(dst, "data." + part), "w", encoding="latin-1") as f:
            f.writelines(lines)
        with open(os.path.join(dst, "index." + part), "w", encoding="latin-1") as f:
            f.writelines(index_lines[part])
    for exc in ("noun", "verb", "adj"):
        with open(os.path.join(src, exc + ".exc"), encoding="latin-1") as f:
            lines = [l for l in f if any(w in LEMMAS for w in l.split()[1:]) or l.split()[1:] == ["be"]]
        with open(os.path.join(dst, exc + ".exc"), "w", encoding="latin-1") as f:
            f.writelines(lines)


if __name__ == "__main__":
    main(sys.argv[1], sys.argv[2])
