#!/usr/bin/env python3
"""Draws the program's icon in every size a window asks for at 96, 120, 144 and 192 dpi.
Run once; its output is kept in resources/. (The back button's image and the F9 glyph are
drawn by the program itself, at the size of the window's DPI.)"""
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


# The icon's sizes at 96 dpi: small and large window icons, and the about box's picture.
DESIGN_SIZES = (16, 32, 43)
DPIS = (96, 120, 144, 192)


def icon_sizes():
    """Each design size at each DPI, a half rounded up as the program rounds."""
    return sorted({(size * dpi + 48) // 96 for size in DESIGN_SIZES for dpi in DPIS})


if __name__ == "__main__":
    (OUT / "Foldmere.ico").write_bytes(ico([folder(size) for size in icon_sizes()]))
