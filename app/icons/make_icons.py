#!/usr/bin/env python3
"""Draws Vorlen's program icon and writes it as a Windows .ico file.

The picture: a list sheet (white page with grey entry lines and a blue
heading bar) and a red remove badge in the lower right corner, for a program
that lists what can be uninstalled. Drawn at each size from the same shapes,
so no binary image is kept in the sources.
"""
import struct
import sys
from pathlib import Path

SIZES = (16, 24, 32, 48)


def draw(size):
    """Returns rows of (r, g, b, a) pixels, top row first."""
    px = [[(0, 0, 0, 0)] * size for _ in range(size)]
    s = size / 32.0

    def fill(x0, y0, x1, y1, colour):
        for y in range(max(0, round(y0 * s)), min(size, round(y1 * s))):
            for x in range(max(0, round(x0 * s)), min(size, round(x1 * s))):
                px[y][x] = colour

    outline = (40, 60, 90, 255)
    fill(3, 2, 25, 30, outline)                 # sheet border
    fill(4, 3, 24, 29, (255, 255, 255, 255))    # sheet
    fill(4, 3, 24, 8, (40, 110, 200, 255))      # heading bar
    for top in (11, 15, 19, 23):                # entry lines
        fill(6, top, 22, top + 2, (150, 160, 175, 255))

    # Remove badge: a red disc with a white bar.
    cx, cy, r = 24.5 * s, 24.5 * s, 7.0 * s
    for y in range(size):
        for x in range(size):
            d = ((x + 0.5 - cx) ** 2 + (y + 0.5 - cy) ** 2) ** 0.5
            if d <= r:
                px[y][x] = (200, 30, 30, 255) if d > r - max(1.0, s) else (230, 60, 50, 255)
    fill(20, 23, 29, 26, (255, 255, 255, 255))
    return px


def dib(size, pixels):
    """A 32-bit BGRA icon image: header, bottom-up colour rows, AND mask."""
    header = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, 32, 0, 0, 0, 0, 0, 0)
    colour = b"".join(bytes((b, g, r, a)) for row in reversed(pixels) for (r, g, b, a) in row)
    mask_row = ((size + 31) // 32) * 4
    mask = bytes(mask_row * size)  # the alpha channel decides transparency
    return header + colour + mask


def main():
    out = Path(sys.argv[1])
    images = [dib(n, draw(n)) for n in SIZES]
    directory = struct.pack("<HHH", 0, 1, len(images))
    offset = 6 + 16 * len(images)
    entries = b""
    for n, data in zip(SIZES, images):
        entries += struct.pack("<BBBBHHII", n % 256, n % 256, 0, 0, 1, 32, len(data), offset)
        offset += len(data)
    (out / "vorlen.ico").write_bytes(directory + entries + b"".join(images))


if __name__ == "__main__":
    main()
