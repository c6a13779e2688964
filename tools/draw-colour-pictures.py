#!/usr/bin/env python3
"""Draws the two pictures of the colour spectrum panel into dropdown/:

NOVA_SPECTRUM.bmp  128 by 128, 24 bits: hue along x (red at both edges, through yellow, green,
                   cyan, blue and magenta), lightness along y (white at the top, the pure hue at
                   mid-height, black at the bottom).
NOVA_POINTER.png   32 by 32 eyedropper cursor, black outline and white body on transparency, the
                   tip at (1, 30).

Usage: tools/draw-colour-pictures.py   (from the project's root)
"""
import math
import struct
import zlib
from pathlib import Path

OUT = Path(__file__).resolve().parent.parent / "dropdown"


def hsl_to_rgb(h, s, l):
    c = (1 - abs(2 * l - 1)) * s
    hp = (h % 360) / 60.0
    x = c * (1 - abs(hp % 2 - 1))
    r, g, b = [(c, x, 0), (x, c, 0), (0, c, x), (0, x, c), (x, 0, c), (c, 0, x)][int(hp) % 6]
    m = l - c / 2
    return tuple(max(0, min(255, round((v + m) * 255))) for v in (r, g, b))


def spectrum_bmp():
    w = h = 128
    row_bytes = w * 3  # already a multiple of 4
    pixels = bytearray()
    for y in reversed(range(h)):  # bottom-up rows
        light = 1 - y / (h - 1)
        for x in range(w):
            r, g, b = hsl_to_rgb(x * 360 / (w - 1), 1.0, light)
            pixels += bytes((b, g, r))
    size = 54 + len(pixels)
    header = b"BM" + struct.pack("<IHHI", size, 0, 0, 54)
    info = struct.pack("<IiiHHIIiiII", 40, w, h, 1, 24, 0, row_bytes * h, 3780, 3780, 0, 0)
    return header + info + bytes(pixels)


def seg_dist(px, py, ax, ay, bx, by):
    dx, dy = bx - ax, by - ay
    t = max(0.0, min(1.0, ((px - ax) * dx + (py - ay) * dy) / (dx * dx + dy * dy)))
    return math.hypot(px - (ax + t * dx), py - (ay + t * dy))


def pointer_png():
    size = 32
    # Tube from the tip up to the collar, then the wider bulb; radii include the outline.
    parts = [((1.5, 30.5), (17.5, 14.5), 1.9), ((17.5, 14.5), (27.0, 5.0), 3.6)]
    collar = ((14.5, 11.5), (20.5, 17.5), 1.6)
    rows = []
    for y in range(size):
        row = bytearray([0])  # filter: none
        for x in range(size):
            cx, cy = x + 0.5, y + 0.5
            inside = outline = False
            for (a, b, r) in parts + [collar]:
                d = seg_dist(cx, cy, a[0], a[1], b[0], b[1])
                if d <= r:
                    outline = True
                    if d <= r - 1.0:
                        inside = True
            if x < 1 or y > 30:
                inside = outline = False  # nothing beyond the tip
            if outline and (x == 1 or y == 30):
                inside = False  # the tip end stays outlined
            if inside:
                row += bytes((255, 255, 255, 255))
            elif outline:
                row += bytes((0, 0, 0, 255))
            else:
                row += bytes((0, 0, 0, 0))
        rows.append(bytes(row))

    def chunk(kind, data):
        return struct.pack(">I", len(data)) + kind + data + struct.pack(">I", zlib.crc32(kind + data) & 0xFFFFFFFF)

    ihdr = struct.pack(">IIBBBBB", size, size, 8, 6, 0, 0, 0)
    return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", ihdr) + chunk(b"IDAT", zlib.compress(b"".join(rows), 9))
            + chunk(b"IEND", b""))


if __name__ == "__main__":
    (OUT / "NOVA_SPECTRUM.bmp").write_bytes(spectrum_bmp())
    (OUT / "NOVA_POINTER.png").write_bytes(pointer_png())
