#!/usr/bin/env python3
"""Writes pukalo.ico: one 32 x 32 image in the standard 16-colour palette with a transparent
background (766 bytes). The .ico is checked in; run this only to change the picture."""
import struct
from pathlib import Path

# Upper half: the kaomoji "(^^;)" in magenta. '.' is transparent.
FACE = """\
................................
................................
.....MM...................MM....
....MM.....................MM...
...MM.....M.......M.........MM..
...MM....M.M.....M.M....MM..MM..
..MM....M...M...M...M...MM...MM.
..MM.........................MM.
..MM.........................MM.
..MM....................MM...MM.
..MM....................MM...MM.
...MM....................M..MM..
...MM...................M...MM..
....MM.....................MM...
.....MM...................MM....
................................"""

# Red lettering for the plate, drawn by hand: プ, カ, ロ.
LETTERS = [
    (8, ["XXXXXX", "....X.", "....X.", "...X..", "..X...", ".X....", "X....."]),
    (14, ["..X...", "XXXXXX", "..X..X", "..X..X", ".X...X", ".X...X", "X..XX."]),
    (21, ["XXXXX", "X...X", "X...X", "X...X", "X...X", "XXXXX", "....."]),
]

PALETTE = [(0, 0, 0), (128, 0, 0), (0, 128, 0), (128, 128, 0), (0, 0, 128), (128, 0, 128),
           (0, 128, 128), (192, 192, 192), (128, 128, 128), (255, 0, 0), (0, 255, 0),
           (255, 255, 0), (0, 0, 255), (255, 0, 255), (0, 255, 255), (255, 255, 255)]
INDEX = {'K': 0, 'R': 9, 'M': 13, 'W': 15}


def draw():
    grid = [list(row) for row in FACE.splitlines()] + [['.'] * 32 for _ in range(16)]

    def put(x, y, c):
        if 0 <= x < 32 and 0 <= y < 32:
            grid[y][x] = c

    top, bottom = 17, 29
    def left(y):  # the plate leans right: one pixel every three rows
        return 7 - (y - top) // 3
    width = 22
    for y in range(top, bottom + 1):  # shadow first, one pixel down and right
        for x in range(left(y), left(y) + width + 1):
            put(x + 1, y + 1, 'K')
    for y in range(top, bottom + 1):
        for x in range(left(y), left(y) + width + 1):
            edge = y in (top, bottom) or x in (left(y), left(y) + width)
            put(x, y, 'K' if edge else 'W')
    put(12, 19, "R")  # the handakuten of プ
    for x0, rows in LETTERS:
        for dy, row in enumerate(rows):
            y = 20 + dy
            shift = left(y) - left(20)
            for dx, c in enumerate(row):
                if c == 'X':
                    put(x0 + dx + shift, y, 'R')
    return grid


def ico(grid):
    xor = bytearray()
    mask = bytearray()
    for row in reversed(grid):  # bitmaps are stored bottom-up
        idx = [INDEX.get(c, 0) for c in row]
        xor += bytes((idx[i] << 4) | idx[i + 1] for i in range(0, 32, 2))
        bits = 0
        for c in row:
            bits = (bits << 1) | (c == '.')
        mask += bits.to_bytes(4, 'big')
    palette = b''.join(struct.pack('<BBBB', b, g, r, 0) for r, g, b in PALETTE)
    header = struct.pack('<IiiHHIIiiII', 40, 32, 64, 1, 4, 0, len(xor) + len(mask), 0, 0, 16, 0)
    image = header + palette + bytes(xor) + bytes(mask)
    return struct.pack('<HHH', 0, 1, 1) + struct.pack('<BBBBHHII', 32, 32, 16, 0, 1, 4,
                                                      len(image), 22) + image


data = ico(draw())
assert len(data) == 766, len(data)
Path(__file__).with_name('pukalo.ico').write_bytes(data)
print('\n'.join(''.join(r) for r in draw()))
