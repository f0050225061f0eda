#!/usr/bin/env python3
"""Draws the program's icon and writes it as a Windows .ico file.

The artwork is drawn here from simple shapes: a blue tile, a white photo card
with a sky, a sun and a hill, and an orange arrow turning around it. Each size
is rendered on its own with 4 x 4 supersampling, so small sizes stay sharp.

Usage: make_icon.py OUTPUT.ico
"""

import math
import struct
import sys

from shapes import rounded_rect, in_triangle

SIZES = (16, 24, 32, 48, 64)
SAMPLES = 4


# The turning arrow: an arc around the tile's centre, clockwise from START to
# END (degrees, 0 = right, growing downwards), ending in a head.
ARC_CENTRE = (0.5, 0.5)
ARC_RADIUS = 0.36
ARC_WIDTH = 0.085
ARC_START = 200.0
ARC_END = 470.0  # past a full turn from 0: the arc runs over the top


def on_arc(x, y):
    dx, dy = x - ARC_CENTRE[0], y - ARC_CENTRE[1]
    r = math.hypot(dx, dy)
    if abs(r - ARC_RADIUS) > ARC_WIDTH / 2:
        return False
    angle = math.degrees(math.atan2(dy, dx)) % 360.0
    for a in (angle, angle + 360.0):
        if ARC_START <= a <= ARC_END - 18:
            return True
    return False


def arrow_head():
    end = math.radians(ARC_END - 22)
    tip_angle = math.radians(ARC_END + 8)
    cx, cy = ARC_CENTRE
    inner = ARC_RADIUS - ARC_WIDTH * 1.6
    outer = ARC_RADIUS + ARC_WIDTH * 1.6
    a = (cx + inner * math.cos(end), cy + inner * math.sin(end))
    b = (cx + outer * math.cos(end), cy + outer * math.sin(end))
    tip = (cx + ARC_RADIUS * math.cos(tip_angle), cy + ARC_RADIUS * math.sin(tip_angle))
    return a, b, tip


HEAD = arrow_head()


def colour_at(x, y):
    """Colour (r, g, b, a) of the artwork at (x, y) in the unit square."""
    colour = None
    if rounded_rect(x, y, 0.02, 0.02, 0.98, 0.98, 0.2):
        shade = 1.0 - 0.25 * y
        colour = (int(40 * shade), int(120 * shade), int(215 * shade), 255)
    # The photo card: a white frame around a small landscape.
    if rounded_rect(x, y, 0.24, 0.30, 0.76, 0.70, 0.04):
        colour = (255, 255, 255, 255)
        if 0.29 <= x <= 0.71 and 0.35 <= y <= 0.65:
            colour = (150, 210, 250, 255)
            if (x - 0.62) ** 2 + (y - 0.43) ** 2 <= 0.045 ** 2:
                colour = (255, 210, 60, 255)
            if (x - 0.42) ** 2 + (y - 0.82) ** 2 <= 0.27 ** 2:
                colour = (70, 170, 80, 255)
    if on_arc(x, y) or in_triangle(x, y, *HEAD):
        colour = (245, 140, 40, 255)
    return colour or (0, 0, 0, 0)


def render(size):
    """Rows of (b, g, r, a) pixels, top row first, alpha premultiplied out."""
    rows = []
    step = 1.0 / (size * SAMPLES)
    for py in range(size):
        row = []
        for px in range(size):
            r = g = b = a = 0
            for sy in range(SAMPLES):
                for sx in range(SAMPLES):
                    x = (px * SAMPLES + sx + 0.5) * step
                    y = (py * SAMPLES + sy + 0.5) * step
                    cr, cg, cb, ca = colour_at(x, y)
                    r += cr * ca
                    g += cg * ca
                    b += cb * ca
                    a += ca
            if a:
                row.append((b // a, g // a, r // a, a // (SAMPLES * SAMPLES)))
            else:
                row.append((0, 0, 0, 0))
        rows.append(row)
    return rows


def dib(size):
    """One icon image: BITMAPINFOHEADER, 32-bit colours and the AND mask, bottom-up."""
    rows = render(size)
    header = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, 32, 0, 0, 0, 0, 0, 0)
    pixels = b"".join(bytes(c for pixel in row for c in pixel) for row in reversed(rows))
    mask_stride = ((size + 31) // 32) * 4
    mask = bytearray()
    for row in reversed(rows):
        line = bytearray(mask_stride)
        for x, pixel in enumerate(row):
            if pixel[3] == 0:
                line[x // 8] |= 0x80 >> (x % 8)
        mask += line
    return header + pixels + bytes(mask)


def main():
    if len(sys.argv) != 2:
        sys.exit(__doc__)
    images = [dib(size) for size in SIZES]
    out = struct.pack("<HHH", 0, 1, len(images))
    offset = 6 + 16 * len(images)
    for size, image in zip(SIZES, images):
        out += struct.pack("<BBBBHHII", size % 256, size % 256, 0, 0, 1, 32, len(image), offset)
        offset += len(image)
    out += b"".join(images)
    with open(sys.argv[1], "wb") as f:
        f.write(out)


if __name__ == "__main__":
    main()
