#!/usr/bin/env python3
"""Draws the program's icon, a folder with a magnifying glass, into resources/kestrafil.ico.

The icon holds a 32x32 and a 16x16 image, each a 32-bit BGRA bitmap with its AND mask.
Run it again after changing the drawing; the .ico it writes is committed.
"""
import math
import pathlib
import struct

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


def image(size):
    rows = render(size)
    header = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, 32, 0, 0, 0, 0, 0, 0)
    mask_stride = ((size + 31) // 32) * 4
    mask = bytearray()
    for row in rows:
        bits = bytearray(mask_stride)
        for col in range(size):
            if row[col * 4 + 3] == 0:
                bits[col // 8] |= 0x80 >> (col % 8)
        mask += bits
    return header + b"".join(rows) + bytes(mask)


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
