#!/usr/bin/env python3
"""Draws the program's icon, app/brumelka.ico: a white letter Be on a blue disc, 16 and 32
pixels, 32-bit colour with alpha. Run it again after changing the drawing; the .ico is kept in
the repository so that building needs no Python."""

import struct
import sys
from pathlib import Path

# The letter on a 16-unit grid, as (left, top, right, bottom) rectangles, right and bottom
# excluded: the stem, the top bar, the bowl's top, side and bottom.
LETTER = [(4, 3, 6, 13), (4, 3, 12, 5), (4, 7, 10, 9), (10, 8, 12, 12), (4, 11, 10, 13)]
DISC = (28, 96, 196)
DISC_EDGE = (14, 58, 140)
LETTER_COLOUR = (255, 255, 255)
SAMPLES = 4  # per pixel and axis, for smooth edges


def coverage(size, inside):
    """The share of each pixel that `inside(x, y)` (16-unit coordinates) covers."""
    scale = 16.0 / size
    rows = []
    for py in range(size):
        row = []
        for px in range(size):
            hits = 0
            for sy in range(SAMPLES):
                for sx in range(SAMPLES):
                    x = (px + (sx + 0.5) / SAMPLES) * scale
                    y = (py + (sy + 0.5) / SAMPLES) * scale
                    hits += inside(x, y)
            row.append(hits / SAMPLES**2)
        rows.append(row)
    return rows


def in_disc(x, y):
    return (x - 8) ** 2 + (y - 8) ** 2 <= 7.6**2


def in_disc_core(x, y):
    return (x - 8) ** 2 + (y - 8) ** 2 <= 6.8**2


def in_letter(x, y):
    return any(l <= x < r and t <= y < b for l, t, r, b in LETTER)


def mix(a, b, share):
    return tuple(round(a[i] * (1 - share) + b[i] * share) for i in range(3))


def draw(size):
    """Rows of (r, g, b, a), top row first."""
    disc = coverage(size, in_disc)
    core = coverage(size, in_disc_core)
    letter = coverage(size, in_letter)
    pixels = []
    for y in range(size):
        row = []
        for x in range(size):
            colour = mix(DISC_EDGE, DISC, core[y][x])
            colour = mix(colour, LETTER_COLOUR, letter[y][x])
            row.append(colour + (round(255 * disc[y][x]),))
        pixels.append(row)
    return pixels


def icon_image(size):
    pixels = draw(size)
    header = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, 32, 0, 0, 0, 0, 0, 0)
    colour = b"".join(
        bytes((b, g, r, a)) for row in reversed(pixels) for (r, g, b, a) in row)
    # The AND mask, rows padded to 32 bits: set where the picture is fully transparent.
    mask_row_bytes = ((size + 31) // 32) * 4
    mask = bytearray()
    for row in reversed(pixels):
        bits = bytearray(mask_row_bytes)
        for x, (_, _, _, a) in enumerate(row):
            if a == 0:
                bits[x // 8] |= 0x80 >> (x % 8)
        mask += bits
    return header + colour + bytes(mask)


def main():
    target = Path(sys.argv[1]) if len(sys.argv) > 1 else (
        Path(__file__).resolve().parent.parent / "app" / "brumelka.ico")
    sizes = [16, 32]
    images = [icon_image(size) for size in sizes]
    out = struct.pack("<HHH", 0, 1, len(images))
    offset = 6 + 16 * len(images)
    for size, image in zip(sizes, images):
        out += struct.pack("<BBBBHHII", size, size, 0, 0, 1, 32, len(image), offset)
        offset += len(image)
    out += b"".join(images)
    target.write_bytes(out)


if __name__ == "__main__":
    main()
