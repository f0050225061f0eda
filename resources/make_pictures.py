#!/usr/bin/env python3
"""Draws the pictures that lie beside Snapvane.exe and writes them.

  ToolBar.bmp     48-pixel toolbar images: 0 open file, 1 turn left,
                  2 turn right, 3 open folder
  menu_image.bmp  24-pixel menu images: 0 open file, 1 support site,
                  2 open folder, 3 turn left, 4 turn right
  ToolBar_150.bmp, ToolBar_200.bmp, menu_image_150.bmp, menu_image_200.bmp
                  the same drawn at 150 % and 200 % for finer screens (each
                  drawn at its size, never a bitmap stretched)
  Snapvane.jpg    the picture the preview shows while no photo is selected

Everything is drawn here from simple shapes in the style of the program's
icon (make_icon.py): a white photo card with a sky, a sun and a hill, and an
orange arrow turning around it. The strips are 24-bit bitmaps whose
transparent parts are RGB(255, 0, 255); edges are smoothed only inside the
artwork, never into the transparent colour, so no pink fringe shows. The JPEG
is written by cjpeg (libjpeg-turbo) or, failing that, ImageMagick's convert.

Usage: make_pictures.py OUTPUT_FOLDER
"""

import math
import os
import shutil
import struct
import subprocess
import sys

from shapes import rounded_rect, in_triangle, in_circle
import tempfile

MAGENTA = (255, 0, 255)

# The scales the strips are drawn at, in percent; the program picks the one
# nearest to its window's DPI.
SCALES = (100, 150, 200)

ORANGE = (245, 140, 40)
ORANGE_DARK = (190, 95, 20)
SKY = (150, 210, 250)
SUN = (255, 210, 60)
HILL = (70, 170, 80)
WHITE = (255, 255, 255)
OUTLINE = (90, 90, 100)


# --- shapes on the unit square -------------------------------------------------

def photo_card(x, y, left, top, right, bottom):
    """A framed landscape: outline, white frame, sky, sun and hill."""
    if not rounded_rect(x, y, left, top, right, bottom, 0.04):
        return None
    border = 0.035
    if not rounded_rect(x, y, left + border, top + border, right - border, bottom - border, 0.03):
        return OUTLINE
    frame = 0.08 * (right - left) + 0.02
    il, it, ir, ib = left + frame, top + frame, right - frame, bottom - frame
    if not (il <= x <= ir and it <= y <= ib):
        return WHITE
    w, h = ir - il, ib - it
    if in_circle(x, y, il + 0.72 * w, it + 0.3 * h, 0.13 * min(w, h)):
        return SUN
    if in_circle(x, y, il + 0.3 * w, it + 1.55 * h, 0.95 * h):
        return HILL
    return SKY


class TurnArrow:
    """An arc around (cx, cy) with a head at its end; clockwise or not."""

    def __init__(self, cx, cy, radius, width, clockwise):
        self.cx, self.cy, self.radius, self.width = cx, cy, radius, width
        self.clockwise = clockwise
        # Angles in degrees, 0 = right, growing clockwise (downwards).
        self.start, self.end = 200.0, 430.0
        end = math.radians(self.end - 8)
        tip = math.radians(self.end + 30)
        inner = radius - width * 1.5
        outer = radius + width * 1.5
        self.head = (
            (cx + inner * math.cos(end), cy + inner * math.sin(end)),
            (cx + outer * math.cos(end), cy + outer * math.sin(end)),
            (cx + radius * math.cos(tip), cy + radius * math.sin(tip)),
        )

    def colour(self, x, y):
        if not self.clockwise:
            x = 2 * self.cx - x  # the mirror image turns the other way
        if in_triangle(x, y, *self.head):
            return ORANGE
        dx, dy = x - self.cx, y - self.cy
        r = math.hypot(dx, dy)
        if abs(r - self.radius) > self.width / 2:
            return None
        angle = math.degrees(math.atan2(dy, dx)) % 360.0
        for a in (angle, angle + 360.0):
            if self.start <= a <= self.end:
                # A darker rim keeps the arc visible on a light toolbar.
                return ORANGE_DARK if abs(r - self.radius) > self.width / 2 - 0.018 else ORANGE
        return None


def open_file(x, y):
    """A sheet with a folded corner and a small picture on it."""
    fold = 0.24
    left, top, right, bottom = 0.18, 0.06, 0.82, 0.94
    if not (left <= x <= right and top <= y <= bottom):
        return None
    if x - (right - fold) > y - top:  # cut corner
        return None
    edge = 0.04
    if x - (right - fold) > y - top - edge * 1.4:
        return OUTLINE
    if x - (right - fold) > -0.0 and y - top < fold:
        return (215, 215, 225)  # the fold
    if x < left + edge or x > right - edge or y < top + edge or y > bottom - edge:
        return OUTLINE
    return photo_card(x, y, 0.28, 0.42, 0.72, 0.80) or WHITE


def open_folder(x, y):
    """A yellow folder, its front flap opened a little."""
    if rounded_rect(x, y, 0.06, 0.20, 0.42, 0.34, 0.04):
        return (200, 150, 30)  # the tab
    if in_triangle(x, y, (0.14, 0.40), (0.98, 0.40), (0.86, 0.86)) or \
            in_triangle(x, y, (0.14, 0.40), (0.86, 0.86), (0.02, 0.86)):
        edge = 0.035
        inside = in_triangle(x, y, (0.14 + edge, 0.40 + edge), (0.98 - 2 * edge, 0.40 + edge),
                             (0.86 - edge, 0.86 - edge)) or \
            in_triangle(x, y, (0.14 + edge, 0.40 + edge), (0.86 - edge, 0.86 - edge),
                        (0.02 + 2 * edge, 0.86 - edge))
        return (250, 205, 70) if inside else (170, 120, 20)
    if rounded_rect(x, y, 0.06, 0.28, 0.86, 0.86, 0.04):
        return (200, 150, 30) if not rounded_rect(x, y, 0.09, 0.31, 0.83, 0.83, 0.03) \
            else (225, 175, 45)
    return None


def turn(clockwise):
    arrow = TurnArrow(0.5, 0.5, 0.36, 0.11, clockwise)

    def draw(x, y):
        return arrow.colour(x, y) or photo_card(x, y, 0.30, 0.33, 0.70, 0.67)

    return draw


def support_site(x, y):
    """A globe: a blue disc with white meridians and parallels."""
    cx, cy, r = 0.5, 0.5, 0.44
    if not in_circle(x, y, cx, cy, r):
        return None
    if not in_circle(x, y, cx, cy, r - 0.07):
        return (25, 80, 160)
    line = 0.045
    dx, dy = (x - cx) / r, (y - cy) / r
    for k in (0.0, 0.55):  # meridians as ellipses
        if k == 0.0:
            if abs(dx) < line:
                return WHITE
        else:
            e = (dx / k) ** 2 + dy ** 2
            if abs(math.sqrt(e) - 1.0) < line / k:
                return WHITE
    for py in (-0.45, 0.0, 0.45):
        if abs(dy - py) < line:
            return WHITE
    return (60, 140, 230)


TOOLBAR = [open_file, turn(False), turn(True), open_folder]
MENU = [open_file, support_site, open_folder, turn(False), turn(True)]


# --- rendering -----------------------------------------------------------------

def render_strip(drawings, size, samples=4):
    """Rows of (r, g, b), top row first: the images side by side."""
    rows = []
    for py in range(size):
        row = []
        for drawing in drawings:
            for px in range(size):
                total = [0, 0, 0]
                hits = 0
                for sy in range(samples):
                    for sx in range(samples):
                        x = (px + (sx + 0.5) / samples) / size
                        y = (py + (sy + 0.5) / samples) / size
                        colour = drawing(x, y)
                        if colour is not None:
                            hits += 1
                            for i in range(3):
                                total[i] += colour[i]
                # Transparent unless the artwork covers half the pixel; the
                # colour averages only the covered samples.
                if hits * 2 >= samples * samples:
                    row.append(tuple(t // hits for t in total))
                else:
                    row.append(MAGENTA)
        rows.append(row)
    return rows


def write_bmp(path, rows):
    """A bottom-up 24-bit BMP."""
    height = len(rows)
    width = len(rows[0])
    stride = (width * 3 + 3) & ~3
    pixels = bytearray()
    for row in reversed(rows):
        line = bytearray()
        for r, g, b in row:
            line += bytes((b, g, r))
        line += bytes(stride - len(line))
        pixels += line
    header = struct.pack("<2sIHHI", b"BM", 14 + 40 + len(pixels), 0, 0, 14 + 40)
    info = struct.pack("<IiiHHIIiiII", 40, width, height, 1, 24, 0, len(pixels), 2835, 2835, 0, 0)
    with open(path, "wb") as f:
        f.write(header + info + pixels)


# --- the welcome picture ---------------------------------------------------------

# 5 x 7 letters for the name under the card.
GLYPHS = {
    "S": ["01111", "10000", "10000", "01110", "00001", "00001", "11110"],
    "n": ["00000", "00000", "10110", "11001", "10001", "10001", "10001"],
    "a": ["00000", "00000", "01110", "00001", "01111", "10001", "01111"],
    "p": ["00000", "00000", "11110", "10001", "11110", "10000", "10000"],
    "v": ["00000", "00000", "10001", "10001", "10001", "01010", "00100"],
    "e": ["00000", "00000", "01110", "10001", "11111", "10000", "01110"],
}
TITLE = "Snapvane"


def welcome(width, height):
    cell = 7.0  # pixels per letter dot
    text_w = len(TITLE) * 6 * cell - cell
    text_x = (width - text_w) / 2
    text_y = height * 0.80
    card_top, card_bottom = 0.22, 0.58
    arrow = TurnArrow(0.5, 0.40, 0.33, 0.05, True)

    def draw(px, py):
        x, y = px / width, py / height
        # Letters.
        lx = (px - text_x) / cell
        ly = (py - text_y) / cell
        if 0 <= ly < 7 and 0 <= lx < len(TITLE) * 6:
            index, col = int(lx // 6), int(lx % 6)
            if col < 5 and GLYPHS[TITLE[index]][int(ly)][col] == "1":
                return (40, 90, 160)
        # The arrow and the card, in proportion to a square area.
        sx = 0.5 + (x - 0.5) * width / height
        c = arrow.colour(sx, y)
        if c:
            return c
        c = photo_card(sx, y, 0.5 - 0.24, card_top, 0.5 + 0.24, card_bottom)
        if c:
            return c
        # A soft sky fading to white.
        t = py / height
        return (int(200 + 55 * t), int(225 + 30 * t), 255)

    rows = []
    for py in range(height):
        row = []
        for px in range(width):
            total = [0, 0, 0]
            for sy in (0.25, 0.75):
                for sx in (0.25, 0.75):
                    colour = draw(px + sx, py + sy)
                    for i in range(3):
                        total[i] += colour[i]
            row.append(tuple(t // 4 for t in total))
        rows.append(row)
    return rows


def write_jpeg(path, rows):
    height = len(rows)
    width = len(rows[0])
    with tempfile.TemporaryDirectory() as folder:
        ppm = os.path.join(folder, "welcome.ppm")
        with open(ppm, "wb") as f:
            f.write(b"P6\n%d %d\n255\n" % (width, height))
            f.write(bytes(c for row in rows for pixel in row for c in pixel))
        cjpeg = shutil.which("cjpeg")
        if cjpeg:
            subprocess.run([cjpeg, "-quality", "90", "-optimize", "-outfile", path, ppm], check=True)
            return
        convert = shutil.which("convert")
        if convert:
            subprocess.run([convert, ppm, "-quality", "90", path], check=True)
            return
    sys.exit("make_pictures.py: neither cjpeg nor convert is installed")


def main():
    if len(sys.argv) != 2:
        sys.exit(__doc__)
    out = sys.argv[1]
    os.makedirs(out, exist_ok=True)
    for percent in SCALES:
        suffix = "" if percent == 100 else "_%d" % percent
        write_bmp(os.path.join(out, "ToolBar%s.bmp" % suffix), render_strip(TOOLBAR, 48 * percent // 100))
        write_bmp(os.path.join(out, "menu_image%s.bmp" % suffix), render_strip(MENU, 24 * percent // 100))
    write_jpeg(os.path.join(out, "Snapvane.jpg"), welcome(480, 320))


if __name__ == "__main__":
    main()
