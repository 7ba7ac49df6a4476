#!/usr/bin/env python3
"""Measures, with the real Mozc, which readings of `pukalo --dictionary` keep their ordinary first
conversion when their kaomoji come as Mozc's part of speech 顔文字, and prints them as the list in
app/dictionarywords.cpp. Those readings are given as 顔文字 (offered right after the word, never
joined to the kana around it); every other reading as 接頭語, which never wins the first
conversion but is joined to what follows it, so it is kept for the readings that need it.

  mozc_firm_words.py PUKALO > list.txt"""
import os
import subprocess
import sys

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "../../tests/tools"))
import mozc_convert as mozc  # noqa: E402

lines = subprocess.run([sys.argv[1], "--dictionary"], capture_output=True, text=True,
                       check=True).stdout.splitlines()
entries = [(reading, word, "顔文字") for reading, word, *_ in (line.split("\t") for line in lines)]
readings = sorted({reading for reading, _, _ in entries})
before = mozc.convert([], readings)
after = mozc.convert(entries, readings)
firm = [r for r, b, a in zip(readings, before, after) if b[0] == a[0]]
print(f"{len(firm)} of {len(readings)} readings keep their first conversion", file=sys.stderr)
line = ""
for reading in firm:
    if len(line) + len(reading) > 70:
        print(f'    u"{line.strip()} "')
        line = ""
    line += reading + " "
print(f'    u"{line.strip()}"')
