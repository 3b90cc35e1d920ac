#!/usr/bin/env python3
"""Draws the program's own pictures: the window icon, the back button image and the
F9 glyph. Run once; its outputs are kept in resources/."""
import struct
import zlib
from pathlib import Path

OUT = Path(__file__).resolve().parent.parent / "resources"
MAGENTA = (255, 0, 255)


def canvas(w, h, fill):
    return [[fill for _ in range(w)] for _ in range(h)]


def rect(img, x0, y0, x1, y1, colour):
    for y in range(max(0, y0), min(len(img), y1 + 1)):
        for x in range(max(0, x0), min(len(img[0]), x1 + 1)):
            img[y][x] = colour


def folder(size):
    """A dark blue folder with a light cyan wave across it."""
    s = size / 32
    img = canvas(size, size, None)
    body, tab, wave, edge = (0, 64, 128), (0, 96, 176), (128, 255, 255), (0, 32, 72)
    rect(img, int(2 * s), int(6 * s), int(13 * s), int(9 * s), tab)
    rect(img, int(2 * s), int(9 * s), int(29 * s), int(27 * s), body)
    for x in range(int(2 * s), int(29 * s) + 1):
        img[int(9 * s)][x] = edge
        img[int(27 * s)][x] = edge
    for y in range(int(9 * s), int(27 * s) + 1):
        img[y][int(2 * s)] = edge
        img[y][int(29 * s)] = edge
    import math
    for x in range(int(4 * s), int(28 * s)):
        y = int(18 * s + 3 * s * math.sin(x / (3.0 * s)))
        for t in range(max(1, int(2 * s))):
            img[min(size - 1, y + t)][x] = wave
    return img


def ico(images):
    header = struct.pack("<HHH", 0, 1, len(images))
    entries, blobs = b"", b""
    offset = 6 + 16 * len(images)
    for img in images:
        size = len(img)
        pixels = b""
        for row in reversed(img):
            for p in row:
                pixels += bytes((0, 0, 0, 0)) if p is None else bytes((p[2], p[1], p[0], 255))
        mask_row = ((size + 31) // 32) * 4
        mask = b""
        for row in reversed(img):
            bits = 0
            line = bytearray(mask_row)
            for x, p in enumerate(row):
                if p is None:
                    line[x // 8] |= 0x80 >> (x % 8)
            mask += bytes(line)
        bih = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, 32, 0, len(pixels) + len(mask), 0, 0, 0, 0)
        blob = bih + pixels + mask
        entries += struct.pack("<BBBBHHII", size % 256, size % 256, 0, 0, 1, 32, len(blob), offset)
        blobs += blob
        offset += len(blob)
    return header + entries + blobs


def bmp(img):
    """A 24-bit bitmap; magenta marks the transparent pixels."""
    h, w = len(img), len(img[0])
    stride = (w * 3 + 3) & ~3
    data = b""
    for row in reversed(img):
        line = b"".join(bytes((p[2], p[1], p[0])) for p in row)
        data += line + b"\0" * (stride - len(line))
    bih = struct.pack("<IiiHHIIiiII", 40, w, h, 1, 24, 0, len(data), 2835, 2835, 0, 0)
    fh = struct.pack("<2sIHHI", b"BM", 14 + 40 + len(data), 0, 0, 54)
    return fh + bih + data


def back_arrow():
    """21 x 21: an arrow pointing up and to the left, the way to the parent folder."""
    img = canvas(21, 21, MAGENTA)
    arrow, shade = (0, 64, 128), (0, 120, 215)
    for i in range(7):
        rect(img, 10 - i, 3 + i, 10 + i, 3 + i, arrow)
    rect(img, 8, 10, 12, 17, arrow)
    rect(img, 9, 11, 11, 16, shade)
    return img


def property_glyph():
    """16 x 16: a page with lines and a check, for the properties button."""
    img = canvas(16, 16, MAGENTA)
    rect(img, 2, 1, 12, 14, (0, 0, 0))
    rect(img, 3, 2, 11, 13, (255, 255, 255))
    for y in (4, 7, 10):
        rect(img, 5, y, 9, y, (0, 64, 128))
    rect(img, 10, 9, 14, 13, (0, 128, 0))
    rect(img, 11, 10, 13, 12, (128, 255, 128))
    return img


if __name__ == "__main__":
    (OUT / "Foldmere.ico").write_bytes(ico([folder(32), folder(16), folder(48)]))
    (OUT / "BackButton.bmp").write_bytes(bmp(back_arrow()))
    (OUT / "PropertyGlyph.bmp").write_bytes(bmp(property_glyph()))
