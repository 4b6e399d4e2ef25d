#!/usr/bin/env python3
"""Derives the thesaurus coder's frequency tables from WordNet 3.0 and
prints them as C++ (src/language/thesaurus/model_tables.cpp).

Run once when the builder's choice of data changes:
    tools/thesaurus_build/derive_model_tables.py /usr/share/wordnet \
        > src/language/thesaurus/model_tables.cpp

The statistics follow the builder (thesaurus_build.cpp): the same pointer
to relation mapping and the same word normalisation. Any table of the right
shape decodes what was encoded with it; these only make the file small.
"""
import os
import re
import sys
from collections import Counter, defaultdict

RELATIONS = {
    "!": 0, "=": 1, ">": 2, "+": 3, "\\": 3, "*": 4,
    "%p": 5, "%m": 5, "%s": 5, "@": 6, "@i": 6, "~": 7, "~i": 7,
    "#p": 8, "#m": 8, "#s": 8, "<": 9, "^": 10, "&": 11,
}
SMALL_NUMBERS = [65056, 4384, 665, 237, 105, 65, 43, 31, 25, 22, 19, 17, 16, 15, 14,
                 13, 12, 11, 10, 9, 8, 7, 6, 5, 4, 3, 2, 1, 0]


def key_of(word):
    return re.sub(r"[^A-Z0-9]", "", word.upper())


def cumulative(counts):
    n = len(counts)
    counts = [c + 1 for c in counts]
    scale = (65535 - n) / sum(counts)
    freqs = [1 + int(c * scale) for c in counts]
    table = [0] * (n + 1)
    for s in range(n - 1, -1, -1):
        table[s] = table[s + 1] + freqs[s]
    assert table[0] <= 65535
    return table


def main(folder):
    relation_counts = [[0] * 13 for _ in range(13)]
    for part in ("noun", "verb", "adj", "adv"):
        with open(os.path.join(folder, "data." + part), encoding="latin-1") as f:
            for line in f:
                if line.startswith("  "):
                    continue
                fields = line.split(" ")
                words = int(fields[3], 16)
                at = 4 + 2 * words
                pointers = int(fields[at])
                at += 1
                previous = 12
                for i in range(pointers):
                    symbol, source_target = fields[at], fields[at + 3]
                    at += 4
                    relation = RELATIONS.get(symbol)
                    if relation is None:
                        continue
                    if int(source_target[:2], 16) > 27 or int(source_target[2:], 16) > 27:
                        continue
                    relation_counts[previous][relation] += 1
                    previous = relation
                relation_counts[previous][12] += 1
    senses = defaultdict(set)
    for part in ("noun", "verb", "adj", "adv"):
        with open(os.path.join(folder, "index." + part), encoding="latin-1") as f:
            for line in f:
                if line.startswith("  "):
                    continue
                fields = line.split()
                count = int(fields[2])
                key = key_of(fields[0].replace("_", " "))
                if key:
                    for offset in fields[len(fields) - count:]:
                        senses[key].add((part, offset))
    count_counts = [0] * 129
    letter_counts = [[0] * 44 for _ in range(44)]
    for key, offsets in senses.items():
        count_counts[min(len(offsets), 128)] += 1
        count_counts[0] += 1  # each block's counts text ends once; an overestimate
        previous = 0
        for ch in key + "/":
            symbol = ord(ch) - 47
            letter_counts[previous][symbol] += 1
            previous = symbol

    def emit(name, tables):
        print(f"const Word {name}[{len(tables)}][{len(tables[0])}] = {{")
        for t in tables:
            print("    {" + ", ".join(str(v) for v in t) + "},")
        print("};")

    print("// The coder's frequency tables, derived from WordNet 3.0 by")
    print("// tools/thesaurus_build/derive_model_tables.py; do not edit by hand.")
    print('#include "language/thesaurus/model_tables.h"')
    print()
    print("namespace qm::thesaurus {")
    print()
    emit("RelationTables", [cumulative(c) for c in relation_counts])
    emit("SmallNumberTables", [SMALL_NUMBERS])
    emit("CharacterTables", [cumulative(count_counts)])
    emit("LetterTables", [cumulative(c) for c in letter_counts])
    print()
    print("}  // namespace qm::thesaurus")


if __name__ == "__main__":
    main(sys.argv[1] if len(sys.argv) > 1 else "/usr/share/wordnet")
