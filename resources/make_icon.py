#!/usr/bin/env python3
"""Draws Kestrelwick's icon and writes it in the forms the program needs.

On a white ground, a square with rounded corners shaded from orange at the
lower left to yellow at the upper right, with a grey pencil lying across it
from the lower left to the upper right.

Writes, next to this script:
  kestrelwick.ico           16 x 16 at 8 bits per pixel and 32 x 32 at 32 bits
                            per pixel, both fully opaque (Windows program and
                            window icon)
  icons/N/kestrelwick.png   N x N for N in 16, 32, 48, 64, 128, 256 (Linux
                            desktop and the window icon)

Uses the Python standard library only. Run it again after changing the art.
"""

import math
import os
import struct
import zlib

HERE = os.path.dirname(os.path.abspath(__file__))

WHITE = (255, 255, 255)
ORANGE = (245, 124, 0)
YELLOW = (255, 214, 0)
PENCIL_BODY = (128, 128, 128)
PENCIL_EDGE = (80, 80, 80)
PENCIL_WOOD = (222, 196, 160)
PENCIL_LEAD = (48, 48, 48)
ERASER = (170, 170, 170)


def mix(a, b, t):
    return tuple(a[i] + (b[i] - a[i]) * t for i in range(3))


def inside_rounded_square(x, y):
    """The square spans 0.08..0.92 of the icon with corners of radius 0.16."""
    lo, hi, r = 0.08, 0.92, 0.16
    cx = min(max(x, lo + r), hi - r)
    cy = min(max(y, lo + r), hi - r)
    return lo <= x <= hi and lo <= y <= hi and (x - cx) ** 2 + (y - cy) ** 2 <= r * r


def pencil_colour(x, y):
    """The pencil runs from (0.2, 0.8) to (0.84, 0.16), y growing downwards."""
    ax, ay, bx, by = 0.2, 0.8, 0.84, 0.16
    dx, dy = bx - ax, by - ay
    length = math.hypot(dx, dy)
    ux, uy = dx / length, dy / length
    along = ((x - ax) * ux + (y - ay) * uy) / length  # 0 at the tip, 1 at the end
    across = abs(-(x - ax) * uy + (y - ay) * ux)  # distance from the axis
    half_width = 0.075
    if along < 0 or along > 1:
        return None
    if along < 0.2:  # sharpened cone: lead, then wood
        if across > half_width * along / 0.2:
            return None
        return PENCIL_LEAD if along < 0.07 else PENCIL_WOOD
    if across > half_width:
        return None
    if along > 0.88:
        return ERASER
    return PENCIL_EDGE if across > half_width * 0.7 else PENCIL_BODY


def colour_at(x, y):
    pencil = pencil_colour(x, y)
    if pencil is not None:
        return pencil
    if inside_rounded_square(x, y):
        # Orange at the lower left (x 0, y 1), yellow at the upper right.
        t = min(max((x + (1 - y)) / 2, 0), 1)
        return mix(ORANGE, YELLOW, t)
    return WHITE


def render(size, samples=4):
    """Rows of (r, g, b), top row first, averaged over samples^2 points a pixel."""
    rows = []
    for py in range(size):
        row = []
        for px in range(size):
            total = [0.0, 0.0, 0.0]
            for sy in range(samples):
                for sx in range(samples):
                    c = colour_at((px + (sx + 0.5) / samples) / size,
                                  (py + (sy + 0.5) / samples) / size)
                    for i in range(3):
                        total[i] += c[i]
            n = samples * samples
            row.append(tuple(int(round(v / n)) for v in total))
        rows.append(row)
    return rows


def png(rows):
    size = len(rows)
    raw = b"".join(b"\0" + bytes(v for p in row for v in p) for row in rows)

    def chunk(kind, data):
        body = kind + data
        return struct.pack(">I", len(data)) + body + struct.pack(">I", zlib.crc32(body))

    header = struct.pack(">IIBBBBB", size, size, 8, 2, 0, 0, 0)  # 8-bit RGB, opaque
    return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", header) +
            chunk(b"IDAT", zlib.compress(raw, 9)) + chunk(b"IEND", b""))


def bmp_header(size, bits, colours):
    # The height counts the colour image and the AND mask together.
    return struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, bits, 0, 0, 0, 0, colours, 0)


def and_mask(size):
    """All zero: every pixel opaque. Rows are padded to 32 bits."""
    return bytes(((size + 31) // 32) * 4 * size)


def ico_image_8bit(rows):
    size = len(rows)
    palette = sorted({p for row in rows for p in row})
    assert len(palette) <= 256, "a 16 x 16 image has at most 256 colours"
    index = {p: i for i, p in enumerate(palette)}
    table = b"".join(bytes((b, g, r, 0)) for (r, g, b) in palette)
    table += bytes(4 * (256 - len(palette)))
    stride = (size + 3) // 4 * 4
    pixels = b"".join(
        bytes(index[p] for p in row) + bytes(stride - size) for row in reversed(rows))
    return bmp_header(size, 8, 256) + table + pixels + and_mask(size)


def ico_image_32bit(rows):
    size = len(rows)
    pixels = b"".join(bytes((b, g, r, 255)) for row in reversed(rows) for (r, g, b) in row)
    return bmp_header(size, 32, 0) + pixels + and_mask(size)


def ico(images):
    """images: list of (size, colour count, bits per pixel, data)."""
    out = struct.pack("<HHH", 0, 1, len(images))
    offset = 6 + 16 * len(images)
    for size, colours, bits, data in images:
        out += struct.pack("<BBBBHHII", size, size, colours % 256, 0, 1, bits, len(data), offset)
        offset += len(data)
    return out + b"".join(data for _, _, _, data in images)


def main():
    for size in (16, 32, 48, 64, 128, 256):
        folder = os.path.join(HERE, "icons", str(size))
        os.makedirs(folder, exist_ok=True)
        with open(os.path.join(folder, "kestrelwick.png"), "wb") as f:
            f.write(png(render(size)))
    images = [
        (16, 0, 8, ico_image_8bit(render(16))),
        (32, 0, 32, ico_image_32bit(render(32))),
    ]
    with open(os.path.join(HERE, "kestrelwick.ico"), "wb") as f:
        f.write(ico(images))


if __name__ == "__main__":
    main()
