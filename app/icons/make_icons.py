#!/usr/bin/env python3
"""Draws Vorlen's pictures and writes them into the folder given as argument.

vorlen.ico: the program icon, a list sheet (white page with grey entry lines
and a blue heading bar) and a red remove badge in the lower right corner, for
a program that lists what can be uninstalled. Drawn at each size from the
same shapes.

toolbar.bmp: the toolbar's 13 images of 16x16 side by side (208x16), in the
order of TOOLBAR_KEYS. filter.bmp: the 16x16 picture of the filter toggles.
Both are 24-bit bottom-up DIBs; magenta (255, 0, 255) is the transparent
colour. These are pixel art, each picture 16 strings of 16 characters over
the PALETTE below, so no binary image is kept in the sources.
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

    strip = ["".join(PICTURES[key][y] for key in TOOLBAR_KEYS) for y in range(16)]
    (out / "toolbar.bmp").write_bytes(bmp(strip))
    (out / "filter.bmp").write_bytes(bmp(FUNNEL))


if __name__ == "__main__":
    main()
