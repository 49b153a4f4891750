#!/usr/bin/env python3
"""Draws Vorlen's pictures and writes them into the folder given as argument.

vorlen.ico: the program icon, a list sheet (white page with grey entry lines
and a blue heading bar) and a red remove badge in the lower right corner, for
a program that lists what can be uninstalled. Drawn at each size from the
same shapes.

toolbarN.bmp: the toolbar's 13 images of NxN side by side (13N x N), in the
order of TOOLBAR_KEYS. filterN.bmp: the NxN picture of the filter toggles.
N is each of PICTURE_SIZES (16, 24, 32). All are 24-bit bottom-up DIBs;
magenta (255, 0, 255) is the transparent colour. The pictures are pixel
art, each 16 strings of 16 characters over the PALETTE below, so no binary
image is kept in the sources; the bigger sizes are drawn from the same art.
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


# --- Toolbar and filter pictures ---------------------------------------------
#
# Each picture is 16 rows of 16 characters; the characters are PALETTE keys.
# Several pictures share a block of text side by side, one row per line.

PALETTE = {
    ".": (255, 0, 255),    # transparent (the image list's mask colour)
    "w": (255, 255, 255),  # white
    "g": (206, 212, 222),  # light grey
    "G": (128, 138, 156),  # grey outline
    "x": (24, 26, 34),     # console black
    "l": (170, 206, 250),  # light blue
    "b": (62, 128, 220),   # blue
    "d": (44, 96, 184),    # blue shade
    "B": (30, 70, 150),    # dark blue outline
    "m": (160, 226, 140),  # light green
    "n": (64, 176, 70),    # green
    "N": (26, 110, 40),    # dark green outline
    "h": (255, 240, 170),  # pale gold
    "y": (240, 196, 50),   # gold
    "Y": (160, 112, 20),   # dark gold outline
    "r": (226, 70, 52),    # red
    "t": (226, 186, 126),  # cardboard
    "T": (176, 130, 70),   # cardboard shade
    "u": (118, 80, 36),    # cardboard outline
    "c": (150, 226, 236),  # disc sheen, cyan
    "p": (236, 176, 226),  # disc sheen, pink
}


def pictures(block):
    """Splits a block of side-by-side pictures into lists of 16 rows."""
    lines = [line.split() for line in block.strip().splitlines()]
    assert len(lines) == 16, block
    count = len(lines[0])
    for words in lines:
        assert len(words) == count and all(len(w) == 16 for w in words), words
    return [[words[i] for words in lines] for i in range(count)]


def over(*layers):
    """Stacks pictures; a transparent pixel shows the layer beneath."""
    out = [list(row) for row in layers[0]]
    for layer in layers[1:]:
        for y, row in enumerate(layer):
            for x, ch in enumerate(row):
                if ch != ".":
                    out[y][x] = ch
    return ["".join(row) for row in out]


def flip(rows):
    """Upside down: an up arrow becomes a down arrow."""
    return list(reversed(rows))


# The sort images: a glyph for the column on the left (registry key, name
# tag, console for the uninstall command) and a blue arrow on the right,
# up for ascending, down (the same picture flipped) for descending.
SORT_ARROW, KEY_GLYPH, NAME_GLYPH, COMMAND_GLYPH = pictures("""
................ ................ ................ ................
................ ................ ................ ................
............B... ..YYYY.......... ..GGGGGGG....... ................
...........BbB.. .YhhyyY......... .GwwwwwwG....... GGGGGGGGG.......
..........BbbbB. YhyYYyyY........ GwwwwwwwG....... GlllllllG.......
.........BbbbbbB YyY..YyY........ GwwBBBwwG....... GxxxxxxxG.......
.........BBBbBBB YyY..YyY........ GwBBwBBwG....... GxwxxxxxG.......
...........BbB.. YyyYYyyY........ GwBBwBBwG....... GxxwxxxxG.......
...........BbB.. .YyyyyY......... GwBBBBBwG....... GxxxwxxxG.......
...........BbB.. ..YyyYYY........ GwBBwBBwG....... GxxwxxxxG.......
...........BbB.. ..YyyyyY........ GwBBwBBwG....... GxwxxwwxG.......
...........BbB.. ..YyyYYY........ GwwwwwwwG....... GxxxxxxxG.......
...........BbB.. ..YyyyY......... GwwwwwwwG....... GGGGGGGGG.......
...........BBB.. ..YYYY.......... GGGGGGGGG....... ................
................ ................ ................ ................
................ ................ ................ ................
""")

# Previous / next entry: the list sheet with its selected entry and a big
# green arrow; the down picture is the up picture flipped. Then refresh (a
# green circular arrow) and the Windows hotfix filter (a four-colour shield).
ROW_SHEET, ROW_ARROW, REFRESH, HOTFIX = pictures("""
................ ................ ................ ................
GGGGGGGGGG...... ...........N.... ................ .GGGGGGGGGGGGG..
GwwwwwwwwG...... ..........NmN... ...NNNNNNN...... .GrrrrrwnnnnnG..
GbbbbbbbbG...... .........NmnnN.. ..NmmmnnnnN..... .GrrrrrwnnnnnG..
GwwwwwwwwG...... ........NmnnnnN. .NmmnnnnnnnN.... .GrrrrrwnnnnnG..
GwggggggwG...... .......NmnnnnnnN NmnnNNNNNnnnN... .GrrrrrwnnnnnG..
GwwwwwwwwG...... .......NNNmnnNNN NmnN.....NnnN... .GrrrrrwnnnnnG..
GwggggggwG...... .........NmnnN.. NmnN.....NnnN... .GwwwwwwwwwwwG..
GwwwwwwwwG...... .........NmnnN.. NnnN..NNNNnnNNNN .GbbbbbwyyyyyG..
GwggggggwG...... .........NmnnN.. NnnN...NnnnnnnN. .GbbbbbwyyyyyG..
GwwwwwwwwG...... .........NmnnN.. NnnN....NnnnnN.. ..GbbbbwyyyyG...
GwggggggwG...... .........NmnnN.. NnnnNN...NnnN... ..GbbbbwyyyyG...
GwwwwwwwwG...... .........NmnnN.. .NnnnN....NN.... ...GbbbwyyyG....
GwggggggwG...... .........NNNNN.. ..NnnN.......... ....GbbwyyG.....
GGGGGGGGGG...... ................ ...NNN.......... .....GbwyG......
................ ................ ................ ......GGG.......
""")

# Registry Editor (a tree of blue cubes), console window, add or remove
# programs (a software box and a disc), and the filter toggles' funnel.
REGEDIT, CONSOLE, BOX, DISC, FUNNEL = pictures("""
..BBBBBB........ ................ ................ ................ ................
.BllllBB........ GGGGGGGGGGGGGGGG ...uuuuuuuuu.... ................ ................
BBBBBBdB........ GllllllllllllllG ..uhhhhhhhuu.... ................ .BBBBBBBBBBBBBB.
BbbbbBdB........ GbbbbbbbbbbbbbbG .uuuuuuuuuTu.... ................ .BllllllllllllB.
BbbbbBdB........ GxxxxxxxxxxxxxxG .utttttttuTu.... ................ ..BlbbbbbbbbbB..
BbbbbBdB........ GxxxxxxxxxxxxxxG .utttttttuTu.... ................ ...BlbbbbbbbB...
BbbbbBB......... GxgxxxxxxxxxxxxG .urrrrrrruTu.... .........GGGG... ....BlbbbbbB....
BBBBBB.......... GxxgxxxxxxxxxxxG .urrrrrrruTu.... .......GGwwwcGG. .....BlbbbB.....
..G.......BBBBBB GxxxgxxxxxxxxxxG .utttttttuTu.... .......GwwwwcpG. ......BlbB......
..G......BllllBB GxxgxxxxxxxxxxxG .utttttttuTu.... ......GwwwGGcpgG ......BlbB......
..G.....BBBBBBdB GxgxxggggxxxxxxG .utttttttuTu.... ......GwwG..GggG ......BlbB......
..G.....BbbbbBdB GxxxxxxxxxxxxxxG .utttttttuTu.... ......GgpG..GggG ......BlbB......
..GGGGGGBbbbbBdB GxxxxxxxxxxxxxxG .utttttttuu..... ......GpcgGGgggG ......BlbB......
........BbbbbBdB GxxxxxxxxxxxxxxG .uuuuuuuuu...... .......GcggggwG. ......BBBB......
........BbbbbBB. GGGGGGGGGGGGGGGG ................ .......GGgggwGG. ................
........BBBBBB.. ................ ................ .........GGGG... ................
""")

PICTURES = {
    "rowup": over(ROW_SHEET, ROW_ARROW),
    "rowdown": flip(over(ROW_SHEET, ROW_ARROW)),
    "refresh": REFRESH,
    "sortexeup": over(COMMAND_GLYPH, SORT_ARROW),
    "sortexedown": over(COMMAND_GLYPH, flip(SORT_ARROW)),
    "sortkeyup": over(KEY_GLYPH, SORT_ARROW),
    "sortkeydown": over(KEY_GLYPH, flip(SORT_ARROW)),
    "sortnameup": over(NAME_GLYPH, SORT_ARROW),
    "sortnamedown": over(NAME_GLYPH, flip(SORT_ARROW)),
    "wuaucpl": HOTFIX,
    "reg": REGEDIT,
    "cmd": CONSOLE,
    "appwiz": over(BOX, DISC),
}

# The toolbar strip's images, left to right.
TOOLBAR_KEYS = ("rowup", "rowdown", "refresh", "sortexeup", "sortexedown",
                "sortkeyup", "sortkeydown", "sortnameup", "sortnamedown",
                "wuaucpl", "reg", "cmd", "appwiz")


def scale2x(rows):
    """Twice the size, rounding off the stair steps of diagonal edges (EPX)."""
    h, w = len(rows), len(rows[0])
    out = [[""] * (2 * w) for _ in range(2 * h)]
    for y in range(h):
        for x in range(w):
            p = rows[y][x]
            a = rows[y - 1][x] if y > 0 else p
            b = rows[y][x + 1] if x < w - 1 else p
            c = rows[y][x - 1] if x > 0 else p
            d = rows[y + 1][x] if y < h - 1 else p
            out[2 * y][2 * x] = a if c == a and c != d and a != b else p
            out[2 * y][2 * x + 1] = b if a == b and a != c and b != d else p
            out[2 * y + 1][2 * x] = c if d == c and d != b and c != a else p
            out[2 * y + 1][2 * x + 1] = d if b == d and b != a and d != c else p
    return ["".join(row) for row in out]


def scale3x(rows):
    """Three times the size, rounding off diagonal edges (the 3x form of EPX)."""
    h, w = len(rows), len(rows[0])

    def at(y, x):
        return rows[min(max(y, 0), h - 1)][min(max(x, 0), w - 1)]

    out = [[""] * (3 * w) for _ in range(3 * h)]
    for y in range(h):
        for x in range(w):
            a, b, c = at(y - 1, x - 1), at(y - 1, x), at(y - 1, x + 1)
            d, e, f = at(y, x - 1), at(y, x), at(y, x + 1)
            g, hh, i = at(y + 1, x - 1), at(y + 1, x), at(y + 1, x + 1)
            cells = [
                d if d == b and b != f and d != hh else e,
                b if (d == b and b != f and d != hh and e != c) or (b == f and b != d and f != hh and e != a) else e,
                f if b == f and b != d and f != hh else e,
                d if (d == b and b != f and d != hh and e != g) or (d == hh and d != b and hh != f and e != a) else e,
                e,
                f if (b == f and b != d and f != hh and e != i) or (hh == f and d != hh and b != f and e != c) else e,
                d if d == hh and d != b and hh != f else e,
                hh if (d == hh and d != b and hh != f and e != i) or (hh == f and d != hh and b != f and e != g) else e,
                f if hh == f and d != hh and b != f else e,
            ]
            for k, ch in enumerate(cells):
                out[3 * y + k // 3][3 * x + k % 3] = ch
    return ["".join(row) for row in out]


def halve(rows):
    """Half the size: each 2x2 block becomes its most frequent colour, an
    opaque one before the transparent one, the upper left one on a tie."""
    out = []
    for y in range(0, len(rows), 2):
        line = ""
        for x in range(0, len(rows[0]), 2):
            block = [rows[y][x], rows[y][x + 1], rows[y + 1][x], rows[y + 1][x + 1]]
            line += max(block, key=lambda ch: (block.count(ch), ch != ".", -block.index(ch)))
        out.append(line)
    return out


def at_size(rows, size):
    """A 16x16 picture drawn at 16, 24 or 32 pixels: the pixel art itself,
    smoothed threefold and halved, or smoothed twofold, so that the bigger
    pictures keep sharp edges and the colours of the small one."""
    return {16: rows, 24: halve(scale3x(rows)), 32: scale2x(rows)}[size]


# The toolbar's and the filter toggles' pictures are drawn at these sizes;
# the program picks one by its window's DPI.
PICTURE_SIZES = (16, 24, 32)


def bmp(rows):
    """A 24-bit uncompressed bottom-up Windows bitmap of palette rows."""
    width, height = len(rows[0]), len(rows)
    stride = (width * 3 + 3) & ~3
    body = b""
    for row in reversed(rows):
        line = b"".join(bytes(reversed(PALETTE[ch])) for ch in row)
        body += line + bytes(stride - len(line))
    info = struct.pack("<IiiHHIIiiII", 40, width, height, 1, 24, 0, len(body), 2835, 2835, 0, 0)
    head = struct.pack("<2sIHHI", b"BM", 14 + len(info) + len(body), 0, 0, 14 + len(info))
    return head + info + body


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

    for size in PICTURE_SIZES:
        scaled = [at_size(PICTURES[key], size) for key in TOOLBAR_KEYS]
        strip = ["".join(picture[y] for picture in scaled) for y in range(size)]
        (out / f"toolbar{size}.bmp").write_bytes(bmp(strip))
        (out / f"filter{size}.bmp").write_bytes(bmp(at_size(FUNNEL, size)))


if __name__ == "__main__":
    main()
