#!/usr/bin/env python3
"""Draws velk.exe's pictures and writes them in the formats the resource compiler reads:
resources/toolbar.bmp (bitmap 501), resources/velk.ico (VELK_ICON) and resources/magnify.cur
(MAGNIFY). The pictures are pixel art below; run this script again after changing one and
commit the files it writes.

    python3 tools/resgen/make_resources.py [OUTPUT_FOLDER]
"""

import pathlib
import struct
import sys

# The 16 colours of a 4-bit picture, as (red, green, blue). Black, the two greys and white are
# the ones the toolbar maps to the system's button colours; light grey is the background that
# turns transparent on a button.
PALETTE = [
    (0, 0, 0), (128, 0, 0), (0, 128, 0), (128, 128, 0),
    (0, 0, 128), (128, 0, 128), (0, 128, 128), (128, 128, 128),
    (192, 192, 192), (255, 0, 0), (0, 255, 0), (255, 255, 0),
    (0, 0, 255), (255, 0, 255), (0, 255, 255), (255, 255, 255),
]

# Pixel art letters -> palette index.
INK = {
    "k": 0, "R": 1, "d": 2, "o": 3, "n": 4, "p": 5, "t": 6, "g": 7,
    ".": 8, "s": 8, "r": 9, "G": 10, "y": 11, "b": 12, "m": 13, "c": 14, "w": 15,
}
BACKGROUND = 8


def art(text, width, height):
    rows = [row for row in text.strip("\n").split("\n")]
    rows = [row.strip() for row in rows]
    if len(rows) != height or any(len(row) != width for row in rows):
        raise SystemExit(f"picture is not {width} x {height}: " + repr(rows))
    return [[INK[c] for c in row] for row in rows]


def blank(width, height, colour=BACKGROUND):
    return [[colour] * width for _ in range(height)]


def fill_polygon(pixels, points, colour):
    """Colours every pixel whose centre lies inside the polygon."""
    for y, row in enumerate(pixels):
        for x in range(len(row)):
            px, py = x + 0.5, y + 0.5
            inside = False
            for (x1, y1), (x2, y2) in zip(points, points[1:] + points[:1]):
                if (y1 > py) != (y2 > py):
                    cross = x1 + (py - y1) * (x2 - x1) / (y2 - y1)
                    if px < cross:
                        inside = not inside
            if inside:
                row[x] = colour


def outline(pixels, fill, edge):
    """Turns the pixels of colour `fill` that touch anything else into `edge`."""
    height, width = len(pixels), len(pixels[0])
    marked = []
    for y in range(height):
        for x in range(width):
            if pixels[y][x] != fill:
                continue
            for dx, dy in ((1, 0), (-1, 0), (0, 1), (0, -1)):
                nx, ny = x + dx, y + dy
                if not (0 <= nx < width and 0 <= ny < height) or pixels[ny][nx] not in (fill, edge):
                    marked.append((x, y))
                    break
    for x, y in marked:
        pixels[y][x] = edge


def mirrored(pixels):
    return [list(reversed(row)) for row in pixels]


# ---- toolbar pictures, 20 x 20 each ---------------------------------------------------------

CLOSE = """
....................
....................
...RR..........RR...
..RrrR........RrrR..
..RrrrR......RrrrR..
...RrrrR....RrrrR...
....RrrrR..RrrrR....
.....RrrrRRrrrR.....
......RrrrrrrrR.....
.......RrrrrrR......
......RrrrrrrR......
.....RrrrrrrrrR.....
....RrrrR..RrrrR....
...RrrrR....RrrrR...
..RrrrR......RrrrR..
..RrrR........RrrR..
...RR..........RR...
....................
....................
....................
"""


def previous_page():
    pixels = blank(20, 20)
    fill_polygon(pixels, [(4.5, 10.0), (14.5, 3.0), (14.5, 17.0)], INK["b"])
    outline(pixels, INK["b"], INK["n"])
    return pixels


def first_page():
    pixels = blank(20, 20)
    fill_polygon(pixels, [(3.0, 3.0), (6.0, 3.0), (6.0, 17.0), (3.0, 17.0)], INK["b"])
    fill_polygon(pixels, [(7.5, 10.0), (16.5, 3.0), (16.5, 17.0)], INK["b"])
    outline(pixels, INK["b"], INK["n"])
    return pixels


JUMP = """
....................
.......kkkkkkkk.....
.......kwwwwwwkk....
.......kwwwwwwkwk...
.......kwkkkkwkkkk..
.......kwwwwwwwwwk..
.......kwkkkkkkkwk..
.......kwwwwwwwwwk..
.....d.kwkkkkkkkwk..
.....dd.wwwwwwwwwk..
ddddddGd.kkkkkkkwk..
dGGGGGGGd.wwwwwwwk..
dGGGGGGGGd.kkkkkwk..
dGGGGGGGd.wwwwwwwk..
ddddddGd.kkkkkkkwk..
.....dd.wwwwwwwwwk..
.....d.kwwwwwwwwwk..
.......kkkkkkkkkkk..
....................
....................
"""

PRINT = """
....................
......kkkkkkkkk.....
......kwwwwwwwk.....
......kwkkkkkwk.....
......kwwwwwwwk.....
......kwkkkkwwk.....
......kwwwwwwwk.....
...kkkkkkkkkkkkkkk..
..kwwwwwwwwwwwwwwwk.
..kw.............gk.
..kw..........GG.gk.
..kw.............gk.
..kggggggggggggggggk
..kkkkkkkkkkkkkkkkkk
...kgkwwwwwwwwwkgk..
...kkkwkkkkkkkwkkk..
.....kwwwwwwwwwk....
.....kwkkkkkkwwk....
.....kwwwwwwwwwk....
.....kkkkkkkkkkk....
"""

EMAIL = """
....................
....................
....................
....................
.kkkkkkkkkkkkkkkkkk.
.kkwwwwwwwwwwwwwwkk.
.kwkwwwwwwwwwwwwkwk.
.kwwkwwwwwwwwwwkwwk.
.kwwwkwwwwwwwwkwwwk.
.kwwwwkwwwwwwkwwwwk.
.kwwwwwkwwwwkwwwwwk.
.kwwwwgwkkkkwgwwwwk.
.kwwwgwwwwwwwwgwwwk.
.kwwgwwwwwwwwwwgwwk.
.kwgwwwwwwwwwwwwgwk.
.kgwwwwwwwwwwwwwwgk.
.kkkkkkkkkkkkkkkkkk.
....................
....................
....................
"""

FAX = """
....................
.........kkkkkkkk...
.........kwwwwwwk...
.........kwkkkkwk...
..kkkk...kwwwwwwk...
.kgggkk..kwkkkwwk...
.kgkkgk.kkkkkkkkkk..
.kgkkgkkgggggggggk..
.kgkkgkgkkkkkkkkgk..
.kgkkgkgkwwwwwwkgk..
.kgkkgkgkkkkkkkkgk..
.kgkkgkgggggggggsk..
.kgkkgkgkkgkkgkkgk..
.kgkkgkgggggggggsk..
.kgkkgkgkkgkkgkkgk..
.kgggkkgggggggggsk..
..kkkkkgkkgkkgkkgk..
......kgggggggggsk..
......kkkkkkkkkkkk..
....................
"""

SAVE = """
....................
..kkkkkkkkkkkkkkkk..
..knnwwwwwwwwwwnnk..
..knnwwwwwwwwwwnnk..
..knnwkkkkkkkkwnnk..
..knnwwwwwwwwwwnnk..
..knnwkkkkkkwwwnnk..
..knnwwwwwwwwwwnnk..
..knnnnnnnnnnnnnnk..
..knnnnnnnnnnnnnnk..
..knnngggggggggnnk..
..knnngkkggggggnnk..
..knnngkkggggggnnk..
..knnngkkggggggnnk..
..knnngggggggggnnk..
..kkkkkkkkkkkkkkkk..
....................
....................
....................
....................
"""


def toolbar_pictures():
    """The ten pictures in the order the buttons use them."""
    previous = previous_page()
    first = first_page()
    return [
        art(CLOSE, 20, 20), first, previous, mirrored(previous), mirrored(first),
        art(JUMP, 20, 20), art(PRINT, 20, 20), art(EMAIL, 20, 20), art(FAX, 20, 20),
        art(SAVE, 20, 20),
    ]


def toolbar_strip():
    """202 x 22: picture i at x = 20 i, y = 0; the two spare columns and rows stay background."""
    strip = blank(202, 22)
    for index, picture in enumerate(toolbar_pictures()):
        for y, row in enumerate(picture):
            strip[y][20 * index:20 * index + 20] = row
    return strip


# ---- the program's icon, 32 x 32 ------------------------------------------------------------

# '-' is transparent.
ICON = """
----kkkkkkkkkkkkkkkkkkk---------
----kwwwwwwwwwwwwwwwwwkk--------
----kwbbbbbbbbbbbbbbwwkwk-------
----kwbbbbbbbbbbbbbbwwkwwk------
----kwwwwwwwwwwwwwwwwwkkkkk-----
----kwwwwwwwwwwwwwwwwwwwwwk-----
----kwggggggggggggggggggwwk-----
----kwwwwwwwwwwwwwwwwwwwwwk-----
----kwggggggggggggggwwwwwwk-----
----kwwwwwwwwwwwwwwwwwwwwwk-----
----kwggggggwwwwwwwwwwwwwwk-----
----kwwwwwwkkkkkwwwwwwwwwwk-----
----kwgggkkyyyyykkgggggwwwk-----
----kwwwkyywwyyyyykwwwwwwwk-----
----kwggkywwyyyyyykkggwwwwk-----
----kwwkyywyyyyyyyykwwwwwwk-----
----kwwkyyyyyyyyyyykwwwwwwk-----
----kwwkyyyyyyyyyyykwwwwwwk-----
----kwwkyyyyyyyyyyykwwwwwwk-----
----kwwwkyyyyyyyyykwwwwwwwk-----
----kwwwkkyyyyyyykkwwwwwwwk-----
----kwwwwwkkkkkkkkkwwwwwwwk-----
----kwwwwwwwwwwwwwRRRwwwwwk-----
----kwwwwwwwwwwwwwRRRRwwwwk-----
----kwwwwwwwwwwwwwwRRRRwwwk-----
----kwwwwwwwwwwwwwwwRRRRwwk-----
----kwwwwwwwwwwwwwwwwRRRRwk-----
----kwwwwwwwwwwwwwwwwwRRRRk-----
----kwwwwwwwwwwwwwwwwwwRRRRk----
----kkkkkkkkkkkkkkkkkkkkRRRRk---
-----------------------kRRRRk---
------------------------kkkk----
"""


def icon_pixels():
    rows = [row.strip() for row in ICON.strip("\n").split("\n")]
    if len(rows) != 32 or any(len(row) != 32 for row in rows):
        raise SystemExit("the icon is not 32 x 32")
    colours = [[0 if c == "-" else INK[c] for c in row] for row in rows]
    transparent = [[c == "-" for c in row] for row in rows]
    return colours, transparent


# ---- the magnifier cursor, 32 x 32, two colours ---------------------------------------------

# 'k' black, 'w' white, '-' transparent. The hot spot is the centre of the lens.
CURSOR = """
-----wwwwwww--------------------
---wwkkkkkkkww------------------
--wkkkwwwwwkkkw-----------------
-wkkwwwwwwwwwkkw----------------
-wkwwwwwwwwwwwkw----------------
wkkwwwwwwwwwwwkkw---------------
wkwwwwwwwwwwwwwkw---------------
wkwwwwwwwwwwwwwkw---------------
wkwwwwwwwwwwwwwkw---------------
wkwwwwwwwwwwwwwkw---------------
wkwwwwwwwwwwwwwkw---------------
wkkwwwwwwwwwwwkkw---------------
-wkwwwwwwwwwwwkw----------------
-wkkwwwwwwwwwkkkw---------------
--wkkkwwwwwkkkkkkw--------------
---wwkkkkkkkwwkkkkw-------------
-----wwwwwww--wkkkkw------------
---------------wkkkkw-----------
----------------wkkkkw----------
-----------------wkkkkw---------
------------------wkkkkw--------
-------------------wkkkw--------
--------------------www---------
--------------------------------
--------------------------------
--------------------------------
--------------------------------
--------------------------------
--------------------------------
--------------------------------
--------------------------------
--------------------------------
"""
CURSOR_HOT_SPOT = (8, 8)


# ---- file formats -----------------------------------------------------------------------------


def row_bytes(indexes, bits):
    """One row packed at `bits` per pixel, high bits first, padded to four bytes."""
    out = bytearray()
    per_byte = 8 // bits
    for start in range(0, len(indexes), per_byte):
        value = 0
        chunk = indexes[start:start + per_byte]
        for i in range(per_byte):
            value = (value << bits) | (chunk[i] if i < len(chunk) else 0)
        out.append(value)
    while len(out) % 4:
        out.append(0)
    return bytes(out)


def info_header(width, height, bits, colours, image_size):
    return struct.pack("<IiiHHIIiiII", 40, width, height, 1, bits, 0, image_size, 0, 0, colours, 0)


def palette_bytes(palette):
    return b"".join(struct.pack("<BBBB", b, g, r, 0) for r, g, b in palette)


def bmp_file(pixels):
    height, width = len(pixels), len(pixels[0])
    bits = b"".join(row_bytes(row, 4) for row in reversed(pixels))
    header = info_header(width, height, 4, 16, len(bits)) + palette_bytes(PALETTE)
    offset = 14 + len(header)
    return struct.pack("<2sIHHI", b"BM", offset + len(bits), 0, 0, offset) + header + bits


def icon_image(colours, transparent, bits, palette):
    """The image part of an .ico or .cur entry: header (double height), colours, XOR and AND."""
    height, width = len(colours), len(colours[0])
    xor = b"".join(row_bytes(row, bits) for row in reversed(colours))
    mask = b"".join(row_bytes([1 if t else 0 for t in row], 1) for row in reversed(transparent))
    header = info_header(width, 2 * height, bits, len(palette), len(xor) + len(mask))
    return header + palette_bytes(palette) + xor + mask


def ico_file(colours, transparent):
    image = icon_image(colours, transparent, 4, PALETTE)
    directory = struct.pack("<HHH", 0, 1, 1)
    entry = struct.pack("<BBBBHHII", 32, 32, 16, 0, 1, 4, len(image), 6 + 16)
    return directory + entry + image


def cur_file():
    rows = [row.strip() for row in CURSOR.strip("\n").split("\n")]
    if len(rows) != 32 or any(len(row) != 32 for row in rows):
        raise SystemExit("the cursor is not 32 x 32")
    colours = [[1 if c == "w" else 0 for c in row] for row in rows]
    transparent = [[c == "-" for c in row] for row in rows]
    image = icon_image(colours, transparent, 1, [(0, 0, 0), (255, 255, 255)])
    directory = struct.pack("<HHH", 0, 2, 1)
    x, y = CURSOR_HOT_SPOT
    entry = struct.pack("<BBBBHHII", 32, 32, 2, 0, x, y, len(image), 6 + 16)
    return directory + entry + image


def main():
    folder = pathlib.Path(sys.argv[1] if len(sys.argv) > 1 else
                          pathlib.Path(__file__).resolve().parents[2] / "resources")
    (folder / "toolbar.bmp").write_bytes(bmp_file(toolbar_strip()))
    (folder / "velk.ico").write_bytes(ico_file(*icon_pixels()))
    (folder / "magnify.cur").write_bytes(cur_file())


if __name__ == "__main__":
    main()
