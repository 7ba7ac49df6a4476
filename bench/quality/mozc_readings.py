#!/usr/bin/env python3
"""Measures with the real Mozc what each part of speech of its dictionary tool does to the
readings `pukalo --dictionary` may export, typed alone and followed by common continuations, and
writes which part of speech each reading is exported as (or that it is left out): the list
app/dictionary-readings.tsv, which the program reads.

A reading is harmed when, with the dictionary imported, the first conversion of any of its
strings changes or a candidate joins a kaomoji to other text (「(^Q^)根」 for おなかすいたね). Each
reading takes the first part of speech, in the order of the figures, that harms none of its
strings and offers its kaomoji on the first page of its own conversion; a reading that no part
of speech leaves harmless is left out. The whole choice is then imported together and converted
again, and whatever it still harms is moved on or left out, until nothing is harmed.

  mozc_readings.py CATALOGUE_DUMP > app/dictionary-readings.tsv     (figures on stderr)
  mozc_readings.py --check CATALOGUE_DUMP app/dictionary-readings.tsv
      whether the list was measured on the readings the catalogue has now (no Mozc needed)"""
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
    """input -> (changed first conversion or None, candidates joining a kaomoji to text)."""
    found = {}
    for text, (first0, cands0), (first1, cands1) in zip(inputs, before, after):
        old = set(cands0)
        joined = [c for c in cands1 if c not in old and c not in every_kaomoji
                  and any(k in c for k in every_kaomoji)]
        if first0 != first1 or joined:
            found[text] = (first1 if first0 != first1 else None, joined)
    return found


def blame(text, harm, chosen, kaomoji):
    """The chosen readings inside text whose kaomoji show in the harm, else the longest."""
    inside = [r for r in chosen if r in text]
    shown = " ".join(([harm[0]] if harm[0] else []) + harm[1])
    guilty = [r for r in inside if any(k in shown for k in kaomoji[r])]
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
            offers = {r for r in names if set(kaomoji[r]) & set(after[r][1][:PAGE])}
            fit[part] = offers - harmed
            changed = sum(1 for h in found.values() if h[0])
            joined = sum(len(h[1]) for h in found.values())
            print(f"{part:<10} {len(texts):>7} {len(offers):>6} {len(names) - len(harmed):>8} "
                  f"{len(fit[part]):>5} {changed:>7} {joined:>7}", file=sys.stderr)
    order = sorted((p for p in fit if fit[p]), key=lambda p: -len(fit[p]))
    options = {r: [p for p in order if r in fit[p]] for r in names}
    for round_ in range(1, 9):
        chosen = {r: options[r][0] for r in names if options[r]}
        entries = [(r, k, chosen[r]) for r in sorted(chosen) for k in kaomoji[r]]
        after = convert(entries, inputs)
        found = harms(inputs, [before[t] for t in inputs], after, every)
        print(f"together, round {round_}: {len(chosen)} readings exported, {len(found)} strings harmed",
              file=sys.stderr)
        for text, harm in found.items():
            for r in blame(text, harm, chosen, kaomoji):
                if options[r] and options[r][0] == chosen[r]:
                    options[r].pop(0)
        if not found:
            break
    else:
        sys.exit("the choice still harms sentences")
    alone = dict(zip(inputs, after))
    offered = sum(1 for r in chosen if set(kaomoji[r]) & set(alone[r][1][:PAGE]))
    print(f"exported {len(chosen)} of {len(names)} readings, {offered} offering their kaomoji on "
          f"the first page; {collections.Counter(chosen.values()).most_common()}", file=sys.stderr)
    print("# reading\tpart of speech (- left out): made by bench/quality/mozc_readings.py, do not edit")
    for r in names:
        print(f"{r}\t{chosen.get(r, LEFT_OUT)}")


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
    else:
        measure(sys.argv[1])
