#!/usr/bin/env python3
"""Writes pukalo.ico: one 32 x 32 image in the standard 16-colour palette with a transparent
background (766 bytes), and for the desktop's icon theme the same picture as PNGs of 32, 64,
128 and 256 pixels (each pixel drawn as a square block, so the larger sizes stay crisp) and
as SVG. The files are checked in; run this only to change the picture."""
import struct
import zlib
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


def png(grid, scale):
    size = 32 * scale
    rows = bytearray()
    for row in grid:
        line = bytearray([0])  # no filter
        for c in row:
            r, g, b = PALETTE[INDEX[c]] if c != '.' else (0, 0, 0)
            line += bytes((r, g, b, 0 if c == '.' else 255)) * scale
        rows += bytes(line) * scale
    def chunk(kind, body):
        return (struct.pack('>I', len(body)) + kind + body +
                struct.pack('>I', zlib.crc32(kind + body) & 0xffffffff))
    header = struct.pack('>IIBBBBB', size, size, 8, 6, 0, 0, 0)
    return (b'\x89PNG\r\n\x1a\n' + chunk(b'IHDR', header) +
            chunk(b'IDAT', zlib.compress(bytes(rows), 9)) + chunk(b'IEND', b''))


def svg(grid):
    rects = []
    for y, row in enumerate(grid):
        for x, c in enumerate(row):
            if c != '.':
                r, g, b = PALETTE[INDEX[c]]
                rects.append(f'<rect x="{x}" y="{y}" width="1" height="1" '
                             f'fill="#{r:02x}{g:02x}{b:02x}"/>')
    return ('<svg xmlns="http://www.w3.org/2000/svg" viewBox="0 0 32 32" width="256" '
            'height="256" shape-rendering="crispEdges">\n' + '\n'.join(rects) + '\n</svg>\n')


here = Path(__file__).parent
grid = draw()
data = ico(grid)
assert len(data) == 766, len(data)
(here / 'pukalo.ico').write_bytes(data)
icons = here / 'icons'
icons.mkdir(exist_ok=True)
for scale in (1, 2, 4, 8):
    (icons / f'pukalo-{32 * scale}.png').write_bytes(png(grid, scale))
(icons / 'pukalo.svg').write_text(svg(grid))
print('\n'.join(''.join(r) for r in grid))
