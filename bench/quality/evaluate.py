#!/usr/bin/env python3
"""How well Pukalo finds what people mean, on query sets written by people who never saw its
word tables (see README.md here).

  evaluate.py PUKALO search SET-search.tsv        hit@1 and hit@3 by kind
  evaluate.py PUKALO mozc SET-mozc-words.tsv SET-mozc-noharm.tsv
                                                 through the real Mozc: words offering a fitting
                                                 kaomoji in the conversion and in the suggestions
                                                 shown while typing, first conversions and first
                                                 suggestions changed

A search set's lines: query, kind, the catalogue rows that fit (numbers of `pukalo --list`'s
lines, comma-separated; none: nothing fits). A Mozc words set's: reading, rows. A no-harm set's:
one everyday input a line."""
import collections
import os
import subprocess
import sys

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "../../tests/tools"))
import mozc_convert as mozc  # noqa: E402


def catalogue(pukalo):
    lines = subprocess.run([pukalo, "--list"], capture_output=True, text=True, check=True).stdout
    return [line.split("\t")[1] for line in lines.splitlines()]


def rows(field, kaomoji):
    return {kaomoji[int(n) - 1] for n in field.split(",") if n.strip()}


def search(pukalo, path):
    kaomoji = catalogue(pukalo)
    by_kind = collections.defaultdict(lambda: [0, 0, 0])  # queries, hit@1, hit@3
    misses, everything = [], []
    for line in open(path, encoding="utf-8"):
        if not line.strip():
            continue
        query, kind, fitting = (line.rstrip("\n").split("\t") + [""])[:3]
        out = subprocess.run([pukalo, "--search"] + query.split(), capture_output=True,
                             text=True).stdout.splitlines()
        found = [row.split("\t")[1] for row in out]
        if len(found) == len(kaomoji):
            everything.append(query)
        wanted = rows(fitting, kaomoji)
        if not wanted:
            continue
        stats = by_kind[kind]
        stats[0] += 1
        stats[1] += bool(wanted & set(found[:1]))
        stats[2] += bool(wanted & set(found[:3]))
        if not wanted & set(found[:3]):
            misses.append(f"{query} ({kind}): {' '.join(found[:3]) or 'nothing'}")
    total = [sum(s[i] for s in by_kind.values()) for i in range(3)]
    print(f"{'kind':<12} {'queries':>7} {'hit@1':>6} {'hit@3':>6}")
    for kind, (n, one, three) in sorted(by_kind.items()) + [("all", total)]:
        print(f"{kind:<12} {n:>7} {one / n:>6.2f} {three / n:>6.2f}")
    print(f"queries that return the whole catalogue: {len(everything)} {' '.join(everything)}")
    print("not in the first three:")
    for miss in misses:
        print("  " + miss)


def mozc_sets(pukalo, words_path, noharm_path):
    kaomoji = catalogue(pukalo)
    dictionary = subprocess.run([pukalo, "--dictionary"], capture_output=True, text=True,
                                check=True).stdout.splitlines()
    entries = [line.split("\t")[:3] for line in dictionary]
    words = [line.rstrip("\n").split("\t") for line in open(words_path, encoding="utf-8") if line.strip()]
    converted = mozc.convert(entries, [reading for reading, _ in words])
    # Offered in the conversion (Space; any candidate, as first measured) or in the suggestions
    # shown under the reading while it is typed, before any key but the reading's.
    offered = collections.Counter()
    for (reading, fitting), (first, candidates, suggestions) in zip(words, converted):
        fits = rows(fitting, kaomoji)
        where = {"conversion": bool(fits & set(candidates)), "suggestions": bool(fits & set(suggestions))}
        where["either"] = where["conversion"] or where["suggestions"]
        offered.update(k for k, v in where.items() if v)
        if not where["either"]:
            print(f"  offers none for {reading}: {' '.join(candidates[:8])} / {' '.join(suggestions)}")
    for kind in ("conversion", "suggestions", "either"):
        print(f"words offering a fitting kaomoji, {kind}: {offered[kind]} of {len(words)} "
              f"({offered[kind] / len(words):.2f})")
    inputs = [line.strip() for line in open(noharm_path, encoding="utf-8") if line.strip()]
    before = mozc.convert([], inputs)
    after = mozc.convert(entries, inputs)
    changed = [(i, b[0], a[0]) for i, b, a in zip(inputs, before, after) if b[0] != a[0]]
    for i, b, a in changed:
        print(f"  first conversion of {i} changed: {b} -> {a}")
    print(f"first conversions changed: {len(changed)} of {len(inputs)}")
    # Shift+Enter commits the first suggestion in every keymap of Mozc.
    moved = [(i, b[2][:1], a[2][:1]) for i, b, a in zip(inputs, before, after) if b[2][:1] != a[2][:1]]
    for i, b, a in moved:
        print(f"  first suggestion of {i} changed: {''.join(b)} -> {''.join(a)}")
    print(f"first suggestions changed: {len(moved)} of {len(inputs)}")


if __name__ == "__main__":
    if sys.argv[2] == "search":
        search(sys.argv[1], sys.argv[3])
    else:
        mozc_sets(sys.argv[1], sys.argv[3], sys.argv[4])
