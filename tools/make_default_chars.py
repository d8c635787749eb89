#!/usr/bin/env python3
"""Builds resources/DefaultChars.bmp, the default glyph set, from DefaultChars.txt.

DefaultChars.txt draws the white strokes of glyphs 1..112 on the 12 x 18 cell
('#' white, '.' background). This script adds the one-pixel black outline
around the strokes (8-neighbourhood, inside the cell), fills in the plain and
line glyphs, and writes a 192 x 288 BMP at 4 bits per pixel with the standard
16-colour palette (0 black, 7 grey, 15 white).

    python3 tools/make_default_chars.py [--preview PNG] [--sample TEXT]

The preview (by default /tmp/DefaultChars.png) is the set enlarged 4 times
with a thin cell grid, for checking by eye; it never goes into the repository.
Only the Python standard library is used.
"""

import argparse
import os
import struct
import sys
import zlib

W, H = 12, 18
COLS, ROWS = 16, 16
BLACK, GREY, WHITE = 0, 7, 15

# Windows' standard 16-colour palette, as (red, green, blue).
PALETTE = [
    (0, 0, 0), (128, 0, 0), (0, 128, 0), (128, 128, 0),
    (0, 0, 128), (128, 0, 128), (0, 128, 128), (128, 128, 128),
    (192, 192, 192), (255, 0, 0), (0, 255, 0), (255, 255, 0),
    (0, 0, 255), (255, 0, 255), (0, 255, 255), (255, 255, 255),
]

HERE = os.path.dirname(os.path.abspath(__file__))
SOURCE = os.path.join(HERE, "DefaultChars.txt")
TARGET = os.path.join(HERE, "..", "resources", "DefaultChars.bmp")

# The characters of codes 1..111, in code order.
CHARACTERS = (
    "1234567890"
    "AĄBCĆDEĘFGHIJKLŁMNŃOÓPQRSŚTUVWXYZŻŹ"
    "aąbcćdeęfghijklłmnńoópqrsśtuvwxyzżź"
    "().?;:,'/\"-<>@!#$%&*+=[\\]€_{|}~"
)
assert len(CHARACTERS) == 111


def blank():
    return [[GREY] * W for _ in range(H)]


def parse(path):
    """Returns {code: 18 strings of 12 characters} from the drawing file."""
    glyphs = {}
    with open(path, encoding="utf-8") as f:
        lines = [line.rstrip("\n") for line in f]
    i = 0
    while i < len(lines):
        line = lines[i]
        i += 1
        if not line.strip() or line.startswith(";"):
            continue
        words = line.split()
        if words[0] != "glyph" or len(words) < 2:
            sys.exit(f"{path}:{i}: expected 'glyph <code> <character>'")
        code = int(words[1])
        if code in glyphs:
            sys.exit(f"{path}:{i}: glyph {code} drawn twice")
        if 1 <= code <= 111 and (len(words) < 3 or words[2] != CHARACTERS[code - 1]):
            sys.exit(f"{path}:{i}: glyph {code} is '{CHARACTERS[code - 1]}'")
        rows = lines[i:i + H]
        i += H
        if len(rows) != H:
            sys.exit(f"{path}:{i}: glyph {code} has fewer than {H} rows")
        for n, row in enumerate(rows):
            if len(row) != W or set(row) - set(".#"):
                sys.exit(f"{path}: glyph {code} row {n}: 12 of '.' and '#' expected, got '{row}'")
        for n, row in enumerate(rows):
            if "#" in row[0] + row[-1] or (n == H - 1 and "#" in row):
                sys.exit(f"{path}: glyph {code} row {n}: no room for the outline")
        glyphs[code] = rows
    missing = [c for c in range(1, 113) if c not in glyphs]
    if missing:
        sys.exit(f"{path}: glyphs missing: {missing}")
    return glyphs


def outlined(rows):
    """The cell of a drawing: white strokes, black where a stroke is next to it."""
    cell = blank()
    for y in range(H):
        for x in range(W):
            if rows[y][x] == "#":
                cell[y][x] = WHITE
                continue
            near = any(
                0 <= y + dy < H and 0 <= x + dx < W and rows[y + dy][x + dx] == "#"
                for dy in (-1, 0, 1) for dx in (-1, 0, 1))
            if near:
                cell[y][x] = BLACK
    return cell


def filled(level):
    return [[level] * W for _ in range(H)]


def lines(column=None, row=None):
    """A line glyph: a white vertical line at column, a white horizontal line at row."""
    cell = blank()
    for y in range(H):
        for x in range(W):
            if x == column or y == row:
                cell[y][x] = WHITE
    return cell


def glyph_set(drawings):
    cells = [blank() for _ in range(256)]
    for code in range(1, 113):
        cells[code] = outlined(drawings[code])
    cells[113] = filled(WHITE)
    cells[114] = filled(BLACK)
    for x in range(12):
        for k in range(9):
            cells[127 + 9 * x + k] = lines(column=x, row=2 * k)
    for k in range(9):
        cells[235 + k] = lines(row=2 * k)
    for x in range(12):
        cells[244 + x] = lines(column=x)
    return cells


def picture(cells):
    """The 192 x 288 glyph image as rows of palette indices, top row first."""
    image = [[GREY] * (W * COLS) for _ in range(H * ROWS)]
    for code, cell in enumerate(cells):
        x0, y0 = W * (code & 15), H * (code >> 4)
        for y in range(H):
            image[y0 + y][x0:x0 + W] = cell[y]
    return image


def bmp_4bpp(image):
    width, height = len(image[0]), len(image)
    stride = (width * 4 + 31) // 32 * 4
    pixels = bytearray()
    for row in reversed(image):  # bottom-up
        packed = bytearray((row[x] << 4) | row[x + 1] for x in range(0, width, 2))
        pixels += packed + bytes(stride - len(packed))
    palette = b"".join(bytes((b, g, r, 0)) for r, g, b in PALETTE)
    offset = 14 + 40 + len(palette)
    header = struct.pack("<2sIHHI", b"BM", offset + len(pixels), 0, 0, offset)
    info = struct.pack("<IiiHHIIiiII", 40, width, height, 1, 4, 0, len(pixels), 2835, 2835, 16, 0)
    return header + info + palette + bytes(pixels)


def png(rgb_rows):
    width, height = len(rgb_rows[0]) // 3, len(rgb_rows)
    raw = b"".join(b"\x00" + bytes(row) for row in rgb_rows)

    def chunk(kind, data):
        body = kind + data
        return struct.pack(">I", len(data)) + body + struct.pack(">I", zlib.crc32(body) & 0xFFFFFFFF)

    ihdr = struct.pack(">IIBBBBB", width, height, 8, 2, 0, 0, 0)
    return b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", ihdr) + chunk(b"IDAT", zlib.compress(raw, 9)) + chunk(b"IEND", b"")


def enlarged(cells, codes, columns, scale=4, grid=(40, 40, 160)):
    """The cells of codes, columns to a row, scaled with a one-pixel grid."""
    rows_of_cells = (len(codes) + columns - 1) // columns
    pitch_x, pitch_y = W * scale + 1, H * scale + 1
    width, height = columns * pitch_x + 1, rows_of_cells * pitch_y + 1
    out = [bytearray(grid * width) for _ in range(height)]
    for n, code in enumerate(codes):
        cx, cy = n % columns, n // columns
        for y in range(H):
            for x in range(W):
                colour = bytes(PALETTE[cells[code][y][x]])
                for sy in range(scale):
                    line = out[cy * pitch_y + 1 + y * scale + sy]
                    start = (cx * pitch_x + 1 + x * scale) * 3
                    line[start:start + 3 * scale] = colour * scale
    return out


def main():
    parser = argparse.ArgumentParser(description=__doc__, formatter_class=argparse.RawDescriptionHelpFormatter)
    parser.add_argument("--source", default=SOURCE)
    parser.add_argument("--output", default=TARGET)
    parser.add_argument("--preview", default="/tmp/DefaultChars.png", help="PNG of the whole set, enlarged, with a cell grid")
    parser.add_argument("--sample", help="text to render into --sample-png at 2x without a grid")
    parser.add_argument("--sample-png", default="/tmp/DefaultCharsSample.png")
    args = parser.parse_args()

    cells = glyph_set(parse(args.source))
    with open(args.output, "wb") as f:
        f.write(bmp_4bpp(picture(cells)))
    if args.preview:
        with open(args.preview, "wb") as f:
            f.write(png(enlarged(cells, list(range(256)), 16)))
    if args.sample:
        codes = [CHARACTERS.index(ch) + 1 if ch in CHARACTERS else 0 for ch in args.sample]
        with open(args.sample_png, "wb") as f:
            f.write(png(enlarged(cells, codes, 30, scale=2, grid=(128, 128, 128))))


if __name__ == "__main__":
    main()
