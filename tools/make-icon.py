#!/usr/bin/env python3
"""Draws the program's icon, a folder with a magnifying glass, into resources/kestrafil.ico.

The icon holds a 32x32 and a 16x16 image, each a PNG with an alpha channel: every Windows from
Vista on reads PNG icon images of any size, and they take a sixth of the bytes of bitmaps with
masks, which the executable carries. Run it again after changing the drawing; the .ico it
writes is committed.
"""
import math
import pathlib
import struct
import zlib

FOLDER = (0xE8, 0xB0, 0x30)
FOLDER_EDGE = (0xA8, 0x74, 0x10)
TAB = (0xD0, 0x96, 0x20)
GLASS = (0xD8, 0xEC, 0xFF)
RIM = (0x30, 0x40, 0x58)
HANDLE = (0x50, 0x38, 0x28)


def rounded_box(x, y, left, top, right, bottom, radius):
    cx = min(max(x, left + radius), right - radius)
    cy = min(max(y, top + radius), bottom - radius)
    return (x - cx) ** 2 + (y - cy) ** 2 <= radius ** 2


def segment_distance(x, y, ax, ay, bx, by):
    dx, dy = bx - ax, by - ay
    t = max(0.0, min(1.0, ((x - ax) * dx + (y - ay) * dy) / (dx * dx + dy * dy)))
    return math.hypot(x - (ax + t * dx), y - (ay + t * dy))


def colour_at(x, y):
    """The colour at a point of the unit square, or None where the icon is transparent."""
    glass = math.hypot(x - 0.62, y - 0.60)
    if segment_distance(x, y, 0.74, 0.73, 0.92, 0.92) <= 0.07:
        return HANDLE
    if glass <= 0.21:
        return RIM if glass >= 0.15 else GLASS
    if rounded_box(x, y, 0.04, 0.26, 0.92, 0.86, 0.05):
        edge = not rounded_box(x, y, 0.07, 0.29, 0.89, 0.83, 0.03)
        return FOLDER_EDGE if edge else FOLDER
    if rounded_box(x, y, 0.04, 0.16, 0.42, 0.32, 0.04):
        return TAB
    return None


def render(size, samples=4):
    """Rows bottom-up of BGRA pixels, anti-aliased by averaging samples x samples points."""
    rows = []
    for row in range(size - 1, -1, -1):
        pixels = bytearray()
        for col in range(size):
            hits = []
            for sy in range(samples):
                for sx in range(samples):
                    x = (col + (sx + 0.5) / samples) / size
                    y = (row + (sy + 0.5) / samples) / size
                    colour = colour_at(x, y)
                    if colour is not None:
                        hits.append(colour)
            alpha = round(255 * len(hits) / samples ** 2)
            if hits:
                r, g, b = (round(sum(c[i] for c in hits) / len(hits)) for i in range(3))
            else:
                r = g = b = 0
            pixels += bytes((b, g, r, alpha))
        rows.append(bytes(pixels))
    return rows


def png_chunk(kind, data):
    return struct.pack(">I", len(data)) + kind + data + struct.pack(">I", zlib.crc32(kind + data))


def image(size):
    """A PNG of 8-bit RGBA, rows top-down, each after its filter byte (none)."""
    rows = reversed(render(size))
    scanlines = b"".join(
        b"\x00" + bytes(v for i in range(0, len(row), 4)
                        for v in (row[i + 2], row[i + 1], row[i], row[i + 3]))
        for row in rows)
    header = struct.pack(">IIBBBBB", size, size, 8, 6, 0, 0, 0)
    return (b"\x89PNG\r\n\x1a\n" + png_chunk(b"IHDR", header) +
            png_chunk(b"IDAT", zlib.compress(scanlines, 9)) + png_chunk(b"IEND", b""))


def main():
    sizes = (32, 16)
    images = [image(size) for size in sizes]
    offset = 6 + 16 * len(images)
    directory = struct.pack("<HHH", 0, 1, len(images))
    for size, data in zip(sizes, images):
        directory += struct.pack("<BBBBHHII", size, size, 0, 0, 1, 32, len(data), offset)
        offset += len(data)
    target = pathlib.Path(__file__).resolve().parent.parent / "resources" / "kestrafil.ico"
    target.write_bytes(directory + b"".join(images))


if __name__ == "__main__":
    main()
