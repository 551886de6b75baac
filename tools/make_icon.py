#!/usr/bin/env python3
"""Draws the launcher's application icon (a gold Z on a dark crimson shield) as an .ico
with 16, 32 and 48 pixel images, 32 bits per pixel. Standard library only."""
import math
import struct
import sys


def shield_alpha(x, y, n):
    # Shield: flat top with rounded shoulders, sides curving to a point at the bottom.
    u = (x + 0.5) / n
    v = (y + 0.5) / n
    if v < 0.06 or v > 0.96:
        return 0.0
    half = 0.42 if v < 0.55 else 0.42 * math.sqrt(max(0.0, 1 - ((v - 0.55) / 0.41) ** 2))
    d = half - abs(u - 0.5)
    return max(0.0, min(1.0, d * n))


def in_z(x, y, n):
    u = (x + 0.5) / n
    v = (y + 0.5) / n
    t = 0.11
    if 0.24 <= u <= 0.76 and 0.22 <= v <= 0.22 + t:
        return True
    if 0.24 <= u <= 0.76 and 0.66 - t <= v <= 0.66:
        return True
    # Diagonal from top right to bottom left.
    if 0.22 <= v <= 0.66:
        k = (v - 0.22) / 0.44
        cx = 0.76 - k * 0.52
        return abs(u - cx) <= t * 0.75
    return False


def image(n):
    rows = []
    for y in range(n - 1, -1, -1):  # bottom-up rows
        row = bytearray()
        for x in range(n):
            a = shield_alpha(x, y, n)
            v = (y + 0.5) / n
            if a == 0:
                row += bytes((0, 0, 0, 0))
                continue
            # Crimson body, darker towards the bottom; gold rim near the edge.
            r, g, b = int(150 - 70 * v), int(18 - 10 * v), int(28 - 12 * v)
            if in_z(x, y, n):
                shade = 1.0 - 0.35 * v
                r, g, b = int(250 * shade), int(200 * shade), int(70 * shade)
            row += bytes((b, g, r, int(a * 255)))
        rows.append(bytes(row))
    pixels = b"".join(rows)
    mask_row = ((n + 31) // 32) * 4
    mask = bytes(mask_row * n)
    header = struct.pack("<IiiHHIIiiII", 40, n, n * 2, 1, 32, 0, len(pixels) + len(mask), 0, 0, 0, 0)
    return header + pixels + mask


def main(path):
    sizes = [16, 32, 48]
    images = [image(n) for n in sizes]
    out = struct.pack("<HHH", 0, 1, len(sizes))
    offset = 6 + 16 * len(sizes)
    for n, data in zip(sizes, images):
        out += struct.pack("<BBBBHHII", n, n, 0, 0, 1, 32, len(data), offset)
        offset += len(data)
    out += b"".join(images)
    with open(path, "wb") as f:
        f.write(out)


if __name__ == "__main__":
    main(sys.argv[1])
