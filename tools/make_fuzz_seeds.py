#!/usr/bin/env python3
"""Writes the small seed corpora of the fuzz targets into fuzz/seeds/<target>/.

Every seed is generated here from scratch: glyph records, settings files,
bitmaps of several bit depths, baseline and progressive JPEG headers with a
tiny scan, text files with every kind of line break, ticker scripts and
device frames. Run it again after changing it; it replaces the folders.
"""
import os
import shutil
import struct
import sys

ROOT = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "fuzz", "seeds")


def write(target, name, data):
    folder = os.path.join(ROOT, target)
    os.makedirs(folder, exist_ok=True)
    with open(os.path.join(folder, name), "wb") as f:
        f.write(data)


# ---- glyph records ----------------------------------------------------------

def glyph_record(kind):
    if kind == "black":
        return bytes(54)
    if kind == "white":
        return bytes([0xAA] * 54)
    if kind == "grey":
        return bytes([0xFF] * 54)
    if kind == "mixed":
        return bytes((i * 37 + 11) & 0xFF for i in range(54))
    return bytes([0x55] * 54)  # value 1: grey that writes back as 3


def glyph_seeds():
    for kind in ("black", "white", "grey", "mixed", "ones"):
        write("fuzz_glyph_record", kind, glyph_record(kind))
    write("fuzz_glyph_record", "two_and_tail", glyph_record("mixed") + glyph_record("white") + b"\x12\x34")
    write("fuzz_glyph_record", "short", glyph_record("mixed")[:53])
    full = b"".join(glyph_record(k) for k in ("black", "white", "grey", "mixed") * 64)
    write("fuzz_glyph_set", "full", full)
    write("fuzz_glyph_set", "short", full[:-1])
    write("fuzz_glyph_set", "long", full + b"\x00" * 7)
    write("fuzz_glyph_set", "repeat_mixed", b"\x01" + glyph_record("mixed"))
    write("fuzz_glyph_set", "repeat_byte", b"\x01\xE4")


# ---- settings file ----------------------------------------------------------

def ini_seeds():
    full = (
        "[Settings]\r\nPort=COM3\r\nConnected=1\r\nActivePageIndex=2\r\nLeft=-12\r\nTop=0x20\r\n"
        "[HorizNeon]\r\nText=Zażółć gęślą jaźń\r\nInterval=500\r\nPosY=8\r\nFileTime=30\r\n"
        "File=/tmp/x.txt\r\nFileRead=0\r\nEnabled=1\r\n"
        "[VertNeon]\r\nCenter=0\r\nLinesCount=2\r\n"
        "[VertNeonLines]\r\nLine0=Pierwsza\r\nLine1=Druga\r\n"
        "[Logo]\r\nLoaded=1\r\nPosX=-1000\r\nTransparentColor=65280\r\nLevelBW=50\r\n"
    ).encode("cp1250")
    write("fuzz_ini", "full", full)
    write("fuzz_ini", "lf_only", full.replace(b"\r\n", b"\n"))
    write("fuzz_ini", "cr_only", full.replace(b"\r\n", b"\r"))
    write("fuzz_ini", "truncated", full[: len(full) // 2])
    write("fuzz_ini", "odd_forms",
          b"; comment\r\n  [ settings ]  \r\n  PORT =  \"COM9\"  \r\nconnected=yes\r\nLeft=2147483648\r\n"
          b"Top=-0x7fffffff\r\n[Settings]\r\nPort=dup\r\n=novalue\r\nnokey\r\n[\r\n]\r\n[Logo\r\n")
    write("fuzz_ini", "nul_bytes", b"[Settings]\r\nPort=CO\x00M1\r\n\x00\x00[Logo]\r\nLoaded=1\r\n")
    write("fuzz_ini", "bom", b"\xef\xbb\xbf[Settings]\r\nPort=COM2\r\n")
    write("fuzz_ini", "empty", b"")
    write("fuzz_ini", "many_sections", b"".join(b"[S%d]\nK=%d\n" % (i, i) for i in range(200)))
    write("fuzz_ini", "long_value", b"[HorizNeon]\nText=" + b"x" * 3000 + b"\n")


# ---- bitmaps ----------------------------------------------------------------

def bmp(width, height, bpp, pixels=None, palette=None, compression=0, top_down=False):
    row = ((width * bpp + 31) // 32) * 4
    if pixels is None:
        pixels = bytes((i * 7) & 0xFF for i in range(row * abs(height)))
    if palette is None and bpp <= 8:
        palette = b"".join(struct.pack("<BBBB", i, 255 - i, (i * 3) & 0xFF, 0) for i in range(1 << bpp))
    palette = palette or b""
    offset = 14 + 40 + len(palette)
    h = -height if top_down else height
    info = struct.pack("<IiiHHIIiiII", 40, width, h, 1, bpp, compression, len(pixels), 2835, 2835,
                       len(palette) // 4 if bpp <= 8 else 0, 0)
    header = struct.pack("<2sIHHI", b"BM", offset + len(pixels), 0, 0, offset)
    return header + info + palette + pixels


def rle8(width, height):
    data = b""
    for y in range(height):
        data += bytes([width, y & 0xFF]) + b"\x00\x00"
    data += b"\x00\x01"
    return bmp(width, height, 8, pixels=data, compression=1)


def bmp_seeds():
    write("fuzz_picture_bmp", "bpp1", bmp(13, 5, 1))
    write("fuzz_picture_bmp", "bpp4", bmp(7, 3, 4))
    write("fuzz_picture_bmp", "bpp8", bmp(5, 4, 8))
    write("fuzz_picture_bmp", "bpp24", bmp(4, 3, 24))
    write("fuzz_picture_bmp", "bpp32_topdown", bmp(3, 3, 32, top_down=True))
    write("fuzz_picture_bmp", "rle8", rle8(6, 4))
    write("fuzz_picture_bmp", "truncated", bmp(16, 16, 24)[:100])
    write("fuzz_picture_bmp", "huge_height", bmp(2, 2, 24)[:22] + struct.pack("<i", 0x7FFFFFFF) + bmp(2, 2, 24)[26:])
    write("fuzz_picture_bmp", "negative_height", bmp(2, 2, 24)[:22] + struct.pack("<i", -0x80000000) + bmp(2, 2, 24)[26:])


# ---- JPEG -------------------------------------------------------------------

def segment(marker, payload):
    return bytes([0xFF, marker]) + struct.pack(">H", len(payload) + 2) + payload


def jpeg(width, height, components=1, progressive=False):
    """A JPEG whose every block is flat mid-grey: DC difference 0 and an
    end-of-block for each, coded with one-symbol Huffman tables."""
    out = b"\xFF\xD8"
    out += segment(0xE0, b"JFIF\x00\x01\x01\x00\x00\x01\x00\x01\x00\x00")
    out += segment(0xDB, b"\x00" + bytes([1] * 64))
    comps = b"".join(bytes([i + 1, 0x11, 0]) for i in range(components))
    sof = 0xC2 if progressive else 0xC0
    out += segment(sof, b"\x08" + struct.pack(">HH", height, width) + bytes([components]) + comps)
    # DC table 0: one code of length 1 for symbol 0. AC table 0: one code for EOB (0x00).
    out += segment(0xC4, b"\x00" + bytes([1] + [0] * 15) + b"\x00")
    out += segment(0xC4, b"\x10" + bytes([1] + [0] * 15) + b"\x00")
    sos_comps = b"".join(bytes([i + 1, 0x00]) for i in range(components))
    blocks = ((width + 7) // 8) * ((height + 7) // 8) * components
    if progressive:
        out += segment(0xDA, bytes([components]) + sos_comps + b"\x00\x00\x00")
        out += bytes([0x00]) * ((blocks + 7) // 8)
    else:
        out += segment(0xDA, bytes([components]) + sos_comps + b"\x00\x3F\x00")
        out += bytes([0x00]) * ((2 * blocks + 7) // 8)
    return out + b"\xFF\xD9"


def jpeg_seeds():
    write("fuzz_picture_jpeg", "grey_16x8", jpeg(16, 8))
    write("fuzz_picture_jpeg", "colour_9x9", jpeg(9, 9, components=3))
    write("fuzz_picture_jpeg", "progressive_8x8", jpeg(8, 8, progressive=True))
    write("fuzz_picture_jpeg", "truncated", jpeg(32, 32)[:-20])
    write("fuzz_picture_jpeg", "huge_60000", jpeg(60000, 60000)[:200])
    write("fuzz_picture_jpeg", "soi_only", b"\xFF\xD8")


# ---- text -------------------------------------------------------------------

def text_seeds():
    write("fuzz_text_lines", "mixed_breaks", b"\x1eAla ma kota.\r\nDruga\rTrzecia\nCzwarta\r\n\r\n")
    write("fuzz_text_lines", "long_words",
          b"\x1e" + b"Bardzo-dluga-linia-z-lacznikami-i.kropkami.ktora.sie.nie.miesci w wierszu ekranu")
    write("fuzz_text_lines", "quotes", b"\x1e\"cytat bez konca i dalej i dalej i dalej i dalej 'apostrof' koniec")
    write("fuzz_text_lines", "nul", b"\x05ab cd\x00ef gh")
    write("fuzz_text_lines", "blanks", b"\x1e   \t  \r\n    ---...   \r\n")
    write("fuzz_text_lines", "cp1250", "\x1eZażółć gęślą jaźń. Źdźbło-trawy.".encode("cp1250"))


def ticker_seeds():
    write("fuzz_next_window", "text_then_ticks", b"\x85Hello" + b"\x40")
    write("fuzz_next_window", "shrink", b"\xA0" + b"a long ticker text for a while!!" + b"\x30\x82hi\x05\xFF\x40\x05")
    write("fuzz_next_window", "blanks", b"\x88  ab  \t\x10\xC0\x10")
    write("fuzz_next_window", "empty", b"\x80\x3F")


# ---- device frames ----------------------------------------------------------

def frame(code, params):
    body = bytes([code]) + bytes(params)
    return b"\xFF\x00" + body + bytes([sum(body) & 0xFF])


def frame_seeds():
    clear = frame(3, [0] * 6)
    text = frame(4, [1, 2, 5, 0, 0, 0]) + b"Hello"
    glyph = frame(5, [65, 0, 0, 0, 0, 0]) + bytes(54)
    logo = frame(6, [0, 0, 3, 0, 0, 0]) + b"\xFF\x00\x01"
    write("fuzz_frame_parser", "commands", b"\x00" + clear + text + glyph + logo)
    write("fuzz_frame_parser", "pieces", b"\x03\x01\x07\x02" + text + clear)
    write("fuzz_frame_parser", "bad_sum", b"\x00" + clear[:-1] + b"\x99" + clear)
    write("fuzz_frame_parser", "unknown_code", b"\x00" + frame(9, [1] * 6) + clear)
    write("fuzz_frame_parser", "garbage_cut", b"\x00\x12\x34\xFF\xFF\x00" + glyph[:30])


# ---- kr7ctl command lines ---------------------------------------------------

def ctl_seeds():
    lines = {
        "clear_store": ["clear", "store"],
        "modes": ["mode", "text", "mode", "cross", "celownik", "tekst"],
        "cross": ["cross", "180", "72"],
        "text_centre": ["text", "8", "Zażółć", "--centre"],
        "codes": ["codes", "1", "30", "71", "72", "FF", "clear"],
        "pages": ["pages", "news.txt", "--row", "2", "--height", "5", "--centre"],
        "glyph": ["glyph", "65", "set.bmp"],
        "glyphs_short": ["glyphs", "short.bin"],
        "glyphs_set": ["glyphs", "set.bin", "glyph", "0", "set.bin"],
        "logo_remove": ["logo", "--remove"],
        "logo_options": ["logo", "missing.jpg", "--x", "-10", "--y", "20", "--width", "100", "--height", "50",
                         "--mode", "mosaic", "--level", "40", "--negative", "--background", "#00FF00",
                         "--tolerance", "30", "--program"],
        "bad_number": ["--port", "COM5", "cross", "999", "1"],
        "help": ["--settings", "KR7Controller.ini", "--help"],
        "unknown": ["--version", "--bogus"],
    }
    for name, words in lines.items():
        write("fuzz_ctl_args", name, b"\x00".join(w.encode("utf-8") for w in words))


# ---- port names and sysfs attributes ----------------------------------------

def port_seeds():
    parts = {
        "usb_adapter": [b"COM33", b"4\n", b"FTDI\n", b"FT232R USB UART\n", b"A50285BI\n", b"/dev/ttyUSB0"],
        "no_uart": [b"COM1", b"0\n", b"", b"", b"", b"/dev/ttyS0"],
        "padded": [b"COM007", b"  +16 \r\n", b"Maker \r\n", b"\n", b"S1 \r \r\nx", b"/dev/ttyACM1"],
        "odd_names": [b"COM2147483648", b"-1", b"\r", b"Model", b"", b""],
        "serial_only": [b"COM-1", b"99999999999999999999", b"", b"", b"123", b"/dev/ttyS3"],
    }
    for name, fields in parts.items():
        write("fuzz_serial_ports", name, b"\x00".join(fields))


def main():
    if os.path.isdir(ROOT):
        shutil.rmtree(ROOT)
    glyph_seeds()
    ini_seeds()
    bmp_seeds()
    jpeg_seeds()
    text_seeds()
    ticker_seeds()
    frame_seeds()
    ctl_seeds()
    port_seeds()
    count = sum(len(files) for _, _, files in os.walk(ROOT))
    print(f"{count} seeds in {os.path.normpath(ROOT)}")
    return 0


if __name__ == "__main__":
    sys.exit(main())
