#!/usr/bin/env python3
"""Measures with the real Mozc what each part of speech of its dictionary tool does to the
readings `pukalo --dictionary` may export, typed alone and followed by common continuations, and
writes which part of speech each reading is exported as (or that it is left out): the list
app/dictionary-readings.tsv, which the program reads.

A reading is harmed when, with the dictionary imported, the first conversion of any of its
strings changes or a candidate joins a kaomoji to other text (「(^Q^)根」 for おなかすいたね); the
suggestions Mozc shows while typing count as candidates, and their first as the first conversion.
Each reading takes the first part of speech, in the order of the figures, that harms none of its
strings and offers its kaomoji on the first page of its own conversion; a reading that nothing
leaves harmless is left out. The whole choice is then imported together and converted again, and
whatever it still harms or no longer offers is moved on or left out, until nothing is harmed.

  mozc_readings.py CATALOGUE_DUMP > app/dictionary-readings.tsv     (figures on stderr)
  mozc_readings.py --check CATALOGUE_DUMP app/dictionary-readings.tsv
      whether the list was measured on the readings the catalogue has now (no Mozc needed)
  mozc_readings.py --again CATALOGUE_DUMP app/dictionary-readings.tsv > NEW
      only the rounds together, from the conversion parts the list holds, the readings it left
      out tried as サジェストのみ"""
import collections
import concurrent.futures
import os
import subprocess
import sys

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "../../tests/tools"))
import mozc_convert as mozc  # noqa: E402

# What people type after a word: particles, nouns a word describes, copulas and conjunctions,
# and sentence ends ("" is the word typed alone).
CONTINUATIONS = ["", "ね", "よ", "の", "が", "を", "に", "は", "も", "こと", "ひと", "とき", "だ",
                 "です", "から", "けど", "。"]
# A first look at each part of speech, before the parts that leave readings harmless are measured
# with every continuation.
FIRST_LOOK = ["", "ね", "こと"]
PARTS = ["顔文字", "短縮よみ", "記号", "名詞", "感動詞", "接頭語", "接尾一般", "サジェストのみ"]
PAGE = 9  # candidates on Mozc's first page
LEFT_OUT = "-"
SUGGEST = "サジェストのみ"  # offered while typing, never converted to


def readings(dump):
    out = subprocess.run([dump, "readings"], capture_output=True, text=True, check=True).stdout
    kaomoji = collections.defaultdict(list)
    for line in out.splitlines():
        reading, k = line.split("\t")
        kaomoji[reading].append(k)
    return kaomoji


def convert(entries, inputs, workers=2):
    """mozc.convert over several engines at once."""
    chunks = [inputs[i::workers] for i in range(workers)]
    with concurrent.futures.ThreadPoolExecutor(workers) as pool:
        parts = list(pool.map(lambda chunk: mozc.convert(entries, chunk), chunks))
    out = [None] * len(inputs)
    for i, part in enumerate(parts):
        out[i::workers] = part
    return out


def harms(inputs, before, after, every_kaomoji):
    """input -> (changed first conversion or None, candidates joining a kaomoji to text). The
    suggestions shown while typing count as candidates, and their first as a first conversion:
    Tab then Enter (the window's own hint) and Shift+Enter commit it, so a kaomoji first there
    would replace おかえりなさい for whoever takes the top suggestion by habit."""
    found = {}
    for text, (first0, cands0, sugg0), (first1, cands1, sugg1) in zip(inputs, before, after):
        old = set(cands0) | set(sugg0)
        joined = [c for c in cands1 + sugg1 if c not in old and c not in every_kaomoji
                  and any(k in c for k in every_kaomoji)]
        changed = first1 if first0 != first1 else None
        if changed is None and sugg0[:1] != sugg1[:1]:
            changed = "".join(sugg1[:1]) + " (first suggestion)"
        if changed or joined:
            found[text] = (changed, joined)
    return found


def offers(part, kaomoji, converted):
    """Whether the reading's kaomoji shows without paging: a suggestion-only word in the window
    shown while typing, any other on the first page of the conversion."""
    shown = converted[2] if part == SUGGEST else converted[1][:PAGE]
    return bool(set(kaomoji) & set(shown))


def blame(text, harm, chosen, kaomoji):
    """The chosen readings inside text whose kaomoji show in the harm, else the longest."""
    inside = [r for r in chosen if r in text]
    shown = " ".join(([harm[0]] if harm[0] else []) + harm[1])
    guilty = [r for r in inside if any(k in shown for k in kaomoji[r])]
    # Readings share kaomoji: the one typed whole is guilty before those inside it.
    if text in guilty:
        return [text]
    return guilty or sorted(inside, key=len)[-1:]


def measure(dump):
    kaomoji = readings(dump)
    every = {k for ks in kaomoji.values() for k in ks if k.strip()}
    names = sorted(kaomoji)
    inputs = [r + c for r in names for c in CONTINUATIONS]
    of = {r + c: r for r in names for c in CONTINUATIONS}
    before = dict(zip(inputs, convert([], inputs)))
    print(f"{len(names)} readings, {len(inputs)} strings", file=sys.stderr)
    print(f"{'part of speech':<10} {'strings':>7} {'offers':>6} {'harmless':>8} {'both':>5} "
          f"{'changed':>7} {'joined':>7}", file=sys.stderr)
    fit = {}  # part -> readings harmless and offering
    look = [r + c for r in names for c in FIRST_LOOK]
    for stage, texts in (("first look", look), ("every continuation", inputs)):
        print(f"{stage}: {' '.join(CONTINUATIONS if texts is inputs else FIRST_LOOK)}", file=sys.stderr)
        # Only what leaves a tenth of the readings harmless at first is worth the whole measure.
        parts = PARTS if texts is look else [p for p in PARTS if len(fit[p]) * 10 >= len(names)]
        if texts is inputs:
            fit = {p: fit[p] for p in parts}
        for part in parts:
            entries = [(r, k, part) for r in names for k in kaomoji[r]]
            after = dict(zip(texts, convert(entries, texts)))
            found = harms(texts, [before[t] for t in texts], [after[t] for t in texts], every)
            harmed = {of[t] for t in found}
            offered = {r for r in names if offers(part, kaomoji[r], after[r])}
            fit[part] = offered - harmed
            changed = sum(1 for h in found.values() if h[0])
            joined = sum(len(h[1]) for h in found.values())
            print(f"{part:<10} {len(texts):>7} {len(offered):>6} {len(names) - len(harmed):>8} "
                  f"{len(fit[part]):>5} {changed:>7} {joined:>7}", file=sys.stderr)
    # サジェストのみ is measured, not chosen: its kaomoji shows first among the suggestions of a
    # reading typed alone, which leaves only 23 of the readings left out harmless, and those
    # offered none of the blind sets' words more (--again, docs/benchmarks.md).
    order = sorted((p for p in fit if fit[p] and p != SUGGEST), key=lambda p: -len(fit[p]))
    options = {r: [p for p in order if r in fit[p]] for r in names}
    write(together(names, kaomoji, inputs, before, options), names)


def together(names, kaomoji, inputs, before, options):
    """Imports each reading's first option, all together, and moves on what harms a string or
    no longer offers its kaomoji, until nothing is harmed: reading -> part of speech."""
    every = {k for ks in kaomoji.values() for k in ks if k.strip()}
    for round_ in range(1, 9):
        chosen = {r: options[r][0] for r in names if options[r]}
        entries = [(r, k, chosen[r]) for r in sorted(chosen) for k in kaomoji[r]]
        after = dict(zip(inputs, convert(entries, inputs)))
        found = harms(inputs, [before[t] for t in inputs], [after[t] for t in inputs], every)
        silent = [r for r in chosen if not offers(chosen[r], kaomoji[r], after[r])]
        print(f"together, round {round_}: {len(chosen)} readings exported, {len(found)} strings "
              f"harmed, {len(silent)} readings not offering", file=sys.stderr)
        guilty = set(silent)
        for text, harm in found.items():
            guilty.update(blame(text, harm, chosen, kaomoji))
        for r in guilty:
            options[r].pop(0)
        if not guilty:
            break
    else:
        sys.exit("the choice still harms sentences")
    print(f"exported {len(chosen)} of {len(names)} readings, all offering their kaomoji, harming "
          f"none of {len(inputs)} strings; {collections.Counter(chosen.values()).most_common()}",
          file=sys.stderr)
    return chosen


def write(chosen, names):
    print("# reading\tpart of speech (- left out): made by bench/quality/mozc_readings.py, do not edit")
    for r in names:
        print(f"{r}\t{chosen.get(r, LEFT_OUT)}")


def again(dump, path):
    """The together rounds alone, from the conversion parts a list holds, the readings it left
    out tried as suggestion-only words: what exporting them so would give, in a tenth of the
    whole measure's time. Not the program's list (see docs/benchmarks.md)."""
    kaomoji = readings(dump)
    names = sorted(kaomoji)
    listed = dict(line.rstrip("\n").split("\t") for line in open(path, encoding="utf-8")
                  if line.strip() and not line.startswith("#"))
    inputs = [r + c for r in names for c in CONTINUATIONS]
    before = dict(zip(inputs, convert([], inputs)))
    options = {r: [p for p in [listed.get(r, LEFT_OUT)] if p not in (LEFT_OUT, SUGGEST)] + [SUGGEST]
               for r in names}
    write(together(names, kaomoji, inputs, before, options), names)


def check(dump, path):
    listed = {line.split("\t")[0] for line in open(path, encoding="utf-8")
              if line.strip() and not line.startswith("#")}
    now = set(readings(dump))
    if listed != now:
        print(f"{path} was measured on other readings: new {sorted(now - listed)}, "
              f"gone {sorted(listed - now)}; measure again with {sys.argv[0]}", file=sys.stderr)
        sys.exit(1)
    print(f"{path} is current: {len(now)} readings")


if __name__ == "__main__":
    if sys.argv[1] == "--check":
        check(sys.argv[2], sys.argv[3])
    elif sys.argv[1] == "--again":
        again(sys.argv[2], sys.argv[3])
    else:
        measure(sys.argv[1])
