#!/usr/bin/env python3
"""Writes the program's progress animations as small uncompressed 16-colour AVI files:
a sheet flying from a folder into the recycle bin (Delete.avi), from one folder into
another (Copy.avi) and from the globe into a folder (Download.avi). Run from the res
folder; the files it writes are committed."""
import math
import struct
import sys

WIDTH, HEIGHT, FRAMES, FPS = 160, 40, 12, 10

# Palette index: 0 background (the control's transparent colour), 1 black, 2 white,
# 3 folder yellow, 4 folder shade, 5 bin grey, 6 bin shade, 7 text blue, 8 sea blue,
# 9 land green.
PALETTE = [(255, 0, 255), (0, 0, 0), (255, 255, 255), (240, 200, 80), (190, 150, 40),
           (170, 170, 170), (110, 110, 110), (40, 70, 160), (70, 140, 220),
           (60, 160, 70)] + [(0, 0, 0)] * 6


def box(pixels, left, top, width, height, color):
    for y in range(max(0, top), min(HEIGHT, top + height)):
        for x in range(max(0, left), min(WIDTH, left + width)):
            pixels[y][x] = color


def folder(pixels, left):
    box(pixels, left, 12, 12, 4, 4)
    box(pixels, left, 15, 30, 20, 3)
    box(pixels, left, 34, 30, 1, 4)


def recycle_bin(pixels, left):
    box(pixels, left - 2, 10, 30, 3, 6)
    box(pixels, left, 13, 26, 22, 5)
    for x in (left + 6, left + 12, left + 18):
        box(pixels, x, 16, 2, 16, 6)


def globe(pixels, left):
    cx, cy, r = left + 13, 23, 12
    for y in range(cy - r, cy + r + 1):
        for x in range(cx - r, cx + r + 1):
            d = (x - cx) ** 2 + (y - cy) ** 2
            if d <= r * r:
                pixels[y][x] = 1 if d > (r - 1) ** 2 else 8
    box(pixels, cx - 7, cy - 7, 6, 5, 9)
    box(pixels, cx - 4, cy - 2, 4, 6, 9)
    box(pixels, cx + 2, cy - 5, 6, 4, 9)
    box(pixels, cx + 3, cy + 2, 4, 6, 9)


def sheet(pixels, left, top):
    box(pixels, left, top, 12, 15, 1)
    box(pixels, left + 1, top + 1, 10, 13, 2)
    for row in (4, 7, 10):
        box(pixels, left + 3, top + row, 6, 1, 7)


def frame(index, target):
    pixels = [[0] * WIDTH for _ in range(HEIGHT)]
    if target == "download":
        globe(pixels, 8)
    else:
        folder(pixels, 8)
    if target == "bin":
        recycle_bin(pixels, 124)
    else:
        folder(pixels, 122)
    t = index / (FRAMES - 1)
    sheet(pixels, int(16 + t * 114), int(16 - math.sin(math.pi * t) * 14))
    return pixels


def dib_bytes(pixels):
    rows = []
    for row in reversed(pixels):  # bottom-up
        packed = bytes((row[x] << 4) | row[x + 1] for x in range(0, WIDTH, 2))
        rows.append(packed + b"\0" * (-len(packed) % 4))
    return b"".join(rows)


def chunk(fourcc, data):
    return fourcc + struct.pack("<I", len(data)) + data + (b"\0" if len(data) % 2 else b"")


def avi(target):
    frames = [dib_bytes(frame(i, target)) for i in range(FRAMES)]
    size = len(frames[0])
    avih = struct.pack("<14I", 1000000 // FPS, size * FPS, 0, 0x10, FRAMES, 0, 1, size, WIDTH, HEIGHT,
                       0, 0, 0, 0)
    strh = b"vids" + b"DIB " + struct.pack("<IHHIIIIIIiI4h", 0, 0, 0, 0, 1, FPS, 0, FRAMES, size, -1, 0,
                                             0, 0, WIDTH, HEIGHT)
    bih = struct.pack("<IiiHHIIiiII", 40, WIDTH, HEIGHT, 1, 4, 0, size, 0, 0, 16, 16)
    strf = bih + b"".join(struct.pack("<BBBB", b, g, r, 0) for r, g, b in PALETTE)
    hdrl = b"LIST" + struct.pack("<I", 4 + len(chunk(b"avih", avih)) + 8 + 4 + len(chunk(b"strh", strh)) +
                                 len(chunk(b"strf", strf))) + b"hdrl" + chunk(b"avih", avih)
    strl_body = b"strl" + chunk(b"strh", strh) + chunk(b"strf", strf)
    hdrl += b"LIST" + struct.pack("<I", len(strl_body)) + strl_body
    movi_body = b"movi"
    index = b""
    for data in frames:
        index += b"00db" + struct.pack("<III", 0x10, len(movi_body), len(data))
        movi_body += chunk(b"00db", data)
    body = b"AVI " + hdrl + b"LIST" + struct.pack("<I", len(movi_body)) + movi_body + chunk(b"idx1", index)
    return b"RIFF" + struct.pack("<I", len(body)) + body


if __name__ == "__main__":
    folder_out = sys.argv[1] if len(sys.argv) > 1 else "."
    for name, target in (("Delete.avi", "bin"), ("Copy.avi", "folder"), ("Download.avi", "download")):
        with open(f"{folder_out}/{name}", "wb") as out:
            out.write(avi(target))
