#!/usr/bin/env python3
"""Draws every image the skins name and writes them as PNG files (32-bit straight alpha when needed),
and the program's icon (artwork/tessaro.ico, several sizes, each drawn at its own size).

Each image is drawn at the size of the control that shows it, so nothing is stretched: shapes are
described by signed distance functions (negative inside), which give exact anti-aliased edges and
Gaussian-blurred soft shadows without rasterising twice. Only the Python standard library is used.

    make_artwork.py                      write the images into the skin folder, the icon beside this
                                         script
    make_artwork.py --out DIR            write them all into DIR instead
    make_artwork.py --check              draw into a temporary folder and check that the skin folder
                                         holds the same PNG files and this folder the same icon, byte
                                         for byte, and that every image the skins name is drawn here
                                         (the skin_artwork test)
    make_artwork.py --contact FILE.png   also write a contact sheet: the main window, the error page
                                         and the dialogs composed from the images, and every image alone
"""

import argparse
import math
import os
import re
import struct
import sys
import tempfile
import zlib

# The skins' colours that the images are drawn to match.
TITLE_BAR = "#10183F"
BLUE = "#2196F3"
WHITE = "#FFFFFF"


def rgb(hex_colour, alpha=1.0):
    """'#RRGGBB' and an opacity as a straight (r, g, b, a) tuple of floats in 0..1."""
    value = int(hex_colour.lstrip("#"), 16)
    return ((value >> 16 & 255) / 255.0, (value >> 8 & 255) / 255.0, (value & 255) / 255.0, alpha)


def mix(a, b, t):
    """Straight colours a and b mixed, t = 0 gives a, t = 1 gives b."""
    return tuple(x + (y - x) * t for x, y in zip(a, b))


def clamp01(value):
    return 0.0 if value < 0.0 else 1.0 if value > 1.0 else value


# ---------------------------------------------------------------------------------------------------
# Shapes: distance(x, y) is negative inside, in pixels; bounds is (left, top, right, bottom).


class Circle:
    def __init__(self, cx, cy, radius):
        self.cx, self.cy, self.radius = cx, cy, radius
        self.bounds = (cx - radius, cy - radius, cx + radius, cy + radius)

    def distance(self, x, y):
        return math.hypot(x - self.cx, y - self.cy) - self.radius


class Ellipse:
    """An ellipse; its distance is a first-order estimate, close to exact near the edge."""

    def __init__(self, cx, cy, rx, ry):
        self.cx, self.cy, self.rx, self.ry = cx, cy, rx, ry
        self.bounds = (cx - rx, cy - ry, cx + rx, cy + ry)

    def distance(self, x, y):
        px, py = x - self.cx, y - self.cy
        k0 = math.hypot(px / self.rx, py / self.ry)
        k1 = math.hypot(px / (self.rx * self.rx), py / (self.ry * self.ry))
        return k0 * (k0 - 1.0) / k1 if k1 > 0.0 else -min(self.rx, self.ry)


class RoundRect:
    def __init__(self, left, top, right, bottom, radius):
        self.radius = radius
        self.cx, self.cy = (left + right) / 2.0, (top + bottom) / 2.0
        self.hx, self.hy = (right - left) / 2.0 - radius, (bottom - top) / 2.0 - radius
        self.bounds = (left, top, right, bottom)

    def distance(self, x, y):
        qx = abs(x - self.cx) - self.hx
        qy = abs(y - self.cy) - self.hy
        outside = math.hypot(max(qx, 0.0), max(qy, 0.0))
        return outside + min(max(qx, qy), 0.0) - self.radius


class Segment:
    """A stroke from a to b with round caps."""

    def __init__(self, ax, ay, bx, by, width):
        self.ax, self.ay, self.dx, self.dy = ax, ay, bx - ax, by - ay
        self.length2 = self.dx * self.dx + self.dy * self.dy
        self.half = width / 2.0
        self.bounds = (min(ax, bx) - self.half, min(ay, by) - self.half,
                       max(ax, bx) + self.half, max(ay, by) + self.half)

    def distance(self, x, y):
        px, py = x - self.ax, y - self.ay
        t = clamp01((px * self.dx + py * self.dy) / self.length2) if self.length2 else 0.0
        return math.hypot(px - self.dx * t, py - self.dy * t) - self.half


class Arc:
    """A stroke along a circle from angle start to angle end (degrees, clockwise on screen: 0 is east,
    90 south), with round caps."""

    def __init__(self, cx, cy, radius, start, end, width):
        self.cx, self.cy, self.radius, self.half = cx, cy, radius, width / 2.0
        self.mid = math.radians((start + end) / 2.0)
        self.span = math.radians(end - start) / 2.0
        self.caps = [(cx + radius * math.cos(math.radians(a)), cy + radius * math.sin(math.radians(a)))
                     for a in (start, end)]
        reach = radius + self.half
        self.bounds = (cx - reach, cy - reach, cx + reach, cy + reach)

    def distance(self, x, y):
        px, py = x - self.cx, y - self.cy
        offset = math.atan2(py, px) - self.mid
        offset = (offset + math.pi) % (2.0 * math.pi) - math.pi
        if abs(offset) <= self.span:
            return abs(math.hypot(px, py) - self.radius) - self.half
        return min(math.hypot(x - cx, y - cy) for cx, cy in self.caps) - self.half


class Polygon:
    def __init__(self, points):
        self.points = points
        xs, ys = [p[0] for p in points], [p[1] for p in points]
        self.bounds = (min(xs), min(ys), max(xs), max(ys))

    def distance(self, x, y):
        points = self.points
        best = float("inf")
        inside = False
        j = len(points) - 1
        for i in range(len(points)):
            (xi, yi), (xj, yj) = points[i], points[j]
            ex, ey = xj - xi, yj - yi
            wx, wy = x - xi, y - yi
            t = clamp01((wx * ex + wy * ey) / (ex * ex + ey * ey))
            best = min(best, math.hypot(wx - ex * t, wy - ey * t))
            if (yi > y) != (yj > y) and x < xi + (y - yi) * ex / ey:
                inside = not inside
            j = i
        return -best if inside else best


class Union:
    def __init__(self, *shapes):
        self.shapes = shapes
        self.bounds = (min(s.bounds[0] for s in shapes), min(s.bounds[1] for s in shapes),
                       max(s.bounds[2] for s in shapes), max(s.bounds[3] for s in shapes))

    def distance(self, x, y):
        return min(s.distance(x, y) for s in self.shapes)


class Intersection:
    def __init__(self, a, b):
        self.a, self.b = a, b
        self.bounds = (max(a.bounds[0], b.bounds[0]), max(a.bounds[1], b.bounds[1]),
                       min(a.bounds[2], b.bounds[2]), min(a.bounds[3], b.bounds[3]))

    def distance(self, x, y):
        return max(self.a.distance(x, y), self.b.distance(x, y))


class Outline:
    """The band of the given width centred on another shape's edge."""

    def __init__(self, shape, width):
        self.shape, self.half = shape, width / 2.0
        b = shape.bounds
        self.bounds = (b[0] - self.half, b[1] - self.half, b[2] + self.half, b[3] + self.half)

    def distance(self, x, y):
        return abs(self.shape.distance(x, y)) - self.half


class Moved:
    def __init__(self, shape, dx, dy):
        self.shape, self.dx, self.dy = shape, dx, dy
        b = shape.bounds
        self.bounds = (b[0] + dx, b[1] + dy, b[2] + dx, b[3] + dy)

    def distance(self, x, y):
        return self.shape.distance(x - self.dx, y - self.dy)


# ---------------------------------------------------------------------------------------------------
# Paints: a straight colour tuple, or a function of the pixel centre that returns one.


def vertical_gradient(top, bottom, y0, y1):
    def paint(x, y):
        return mix(top, bottom, clamp01((y - y0) / (y1 - y0)))
    return paint


def linear_gradient(start, end, x0, y0, x1, y1):
    dx, dy = x1 - x0, y1 - y0
    length2 = dx * dx + dy * dy

    def paint(x, y):
        return mix(start, end, clamp01(((x - x0) * dx + (y - y0) * dy) / length2))
    return paint


# ---------------------------------------------------------------------------------------------------


class Canvas:
    """A picture of premultiplied float pixels (r, g, b, a in one flat list), fully transparent at first."""

    TILE = 8

    def __init__(self, width, height):
        self.width, self.height = width, height
        self.pixels = [0.0] * (width * height * 4)

    def fill(self, shape, paint, opacity=1.0, blur=0.0):
        """Composites shape in paint over the picture. blur > 0 is the standard deviation, in pixels, of
        a Gaussian blur of the shape: its edge coverage is then the blurred step, 0.5 * erfc(d / (s√2)).

        The picture is visited in tiles: shape distances change by at most one pixel per pixel, so the
        distance at a tile's centre tells whether the whole tile lies outside the shape or, for a sharp
        edge, wholly inside it."""
        if blur > 0.0:
            scale = 1.0 / (blur * math.sqrt(2.0))
            margin = 4.0 * blur

            def coverage(d):
                return 0.5 * math.erfc(d * scale)
        else:
            margin = 0.5

            def coverage(d):
                return 0.5 - d if -0.5 < d < 0.5 else (1.0 if d <= -0.5 else 0.0)
        left, top, right, bottom = shape.bounds
        x0, y0 = max(0, int(math.floor(left - margin))), max(0, int(math.floor(top - margin)))
        x1 = min(self.width, int(math.ceil(right + margin)))
        y1 = min(self.height, int(math.ceil(bottom + margin)))
        tile = self.TILE
        for ty in range(y0, y1, tile):
            ty1 = min(ty + tile, y1)
            for tx in range(x0, x1, tile):
                tx1 = min(tx + tile, x1)
                reach = math.hypot(tx1 - tx - 1, ty1 - ty - 1) / 2.0
                centre = shape.distance((tx + tx1) / 2.0, (ty + ty1) / 2.0)
                if centre >= reach + margin:
                    continue
                inside = blur == 0.0 and centre <= -(reach + margin)
                self._fill_tile(tx, ty, tx1, ty1, None if inside else lambda x, y: coverage(shape.distance(x, y)),
                                paint, opacity)

    def _fill_tile(self, x0, y0, x1, y1, coverage, paint, opacity):
        pixels, width = self.pixels, self.width
        constant = None if callable(paint) else paint
        for y in range(y0, y1):
            cy = y + 0.5
            for x in range(x0, x1):
                cx = x + 0.5
                cover = opacity if coverage is None else coverage(cx, cy) * opacity
                if cover <= 0.0:
                    continue
                r, g, b, a = constant or paint(cx, cy)
                a *= cover
                keep = 1.0 - a
                i = (y * width + x) * 4
                pixels[i] = r * a + pixels[i] * keep
                pixels[i + 1] = g * a + pixels[i + 1] * keep
                pixels[i + 2] = b * a + pixels[i + 2] * keep
                pixels[i + 3] = a + pixels[i + 3] * keep

    def set(self, x, y, colour):
        """Sets one pixel to a straight colour."""
        r, g, b, a = colour
        i = (y * self.width + x) * 4
        self.pixels[i:i + 4] = [r * a, g * a, b * a, a]

    def draw(self, other, left, top):
        """Composites another canvas over this one with its top-left corner at (left, top)."""
        src, dst = other.pixels, self.pixels
        for y in range(max(0, -top), min(other.height, self.height - top)):
            for x in range(max(0, -left), min(other.width, self.width - left)):
                i = (y * other.width + x) * 4
                alpha = src[i + 3]
                if alpha <= 0.0:
                    continue
                j = ((y + top) * self.width + x + left) * 4
                keep = 1.0 - alpha
                for k in range(4):
                    dst[j + k] = src[i + k] + dst[j + k] * keep

    def rgba_bytes(self):
        """Straight (not premultiplied) 8-bit RGBA, rows top to bottom; transparent pixels are 0,0,0,0."""
        pixels = self.pixels
        out = bytearray(len(pixels))
        for i in range(0, len(pixels), 4):
            a = pixels[i + 3]
            alpha = int(a * 255.0 + 0.5) if a < 1.0 else 255
            if alpha <= 0:
                continue
            inverse = 255.0 / a
            out[i] = min(255, int(pixels[i] * inverse + 0.5))
            out[i + 1] = min(255, int(pixels[i + 1] * inverse + 0.5))
            out[i + 2] = min(255, int(pixels[i + 2] * inverse + 0.5))
            out[i + 3] = alpha
        return bytes(out)


# ---------------------------------------------------------------------------------------------------
# PNG writing: the smallest exact colour type and, per image, the filter choice that compresses best.

# How far a filtered byte is from zero, as a signed value: the usual measure for choosing row filters.
SIGNED_SIZE = bytes(min(v, 256 - v) for v in range(256))


def filter_row(kind, row, previous, step):
    """One row filtered with PNG filter kind 0 (None), 1 (Sub), 2 (Up), 3 (Average) or 4 (Paeth)."""
    if kind == 0:
        return row
    left = bytes(step) + row[:-step]
    if kind == 1:
        return bytes([(x - a) & 255 for x, a in zip(row, left)])
    if kind == 2:
        return bytes([(x - b) & 255 for x, b in zip(row, previous)])
    if kind == 3:
        return bytes([(x - ((a + b) >> 1)) & 255 for x, a, b in zip(row, left, previous)])
    upper_left = bytes(step) + previous[:-step]
    return bytes([(x - (a if abs(b - c) <= abs(a - c) and abs(b - c) <= abs(a + b - c - c)
                        else b if abs(a - c) <= abs(a + b - c - c) else c)) & 255
                  for x, a, b, c in zip(row, left, previous, upper_left)])


def filtered_streams(rows, step):
    """The image data filtered six ways: all rows with None, Sub, Up, Average or Paeth, and each row
    with the filter whose bytes are closest to zero."""
    fixed = [bytearray() for _ in range(5)]
    adaptive = bytearray()
    previous = bytes(len(rows[0]))
    for row in rows:
        best = None
        for kind in range(5):
            data = filter_row(kind, row, previous, step)
            fixed[kind] += bytes([kind]) + data
            score = sum(data.translate(SIGNED_SIZE))
            if best is None or score < best[0]:
                best = (score, kind, data)
        adaptive += bytes([best[1]]) + best[2]
        previous = row
    return [bytes(s) for s in fixed] + [bytes(adaptive)]


def chunk(kind, data):
    return struct.pack(">I", len(data)) + kind + data + struct.pack(">I", zlib.crc32(kind + data))


def png_file(width, height, colour_type, extra_chunks, packed):
    """A PNG file of 8-bit samples from its compressed image data."""
    return (b"\x89PNG\r\n\x1a\n"
            + chunk(b"IHDR", struct.pack(">IIBBBBB", width, height, 8, colour_type, 0, 0, 0))
            + extra_chunks + chunk(b"IDAT", packed) + chunk(b"IEND", b""))


def interleave(*planes):
    """Bytes taken in turn from equally long planes."""
    out = bytearray(len(planes[0]) * len(planes))
    for k, plane in enumerate(planes):
        out[k::len(planes)] = plane
    return bytes(out)


def palette_of(rgba, limit=256):
    """The distinct RGBA pixels, opaque ones first, or None when there are more than limit."""
    seen = set()
    for i in range(0, len(rgba), 4):
        seen.add(rgba[i:i + 4])
        if len(seen) > limit:
            return None
    return sorted(seen, key=lambda p: (-p[3], p))


# Above this many pixels an image that fits a palette is written with one without trying the others.
LARGE_IMAGE = 65536


def encode_png(width, height, rgba, thorough=True):
    """PNG bytes of straight 8-bit RGBA pixels in the smallest exact form among grey, grey with alpha,
    RGB, RGB with alpha and an indexed palette. Without thorough, quickly: RGBA rows filtered with Up."""
    if not thorough:
        rows = [rgba[y * width * 4:(y + 1) * width * 4] for y in range(height)]
        previous = [bytes(width * 4)] + rows[:-1]
        stream = b"".join(b"\2" + filter_row(2, row, above, 4) for row, above in zip(rows, previous))
        return png_file(width, height, 6, b"", zlib.compress(stream, 6))
    r, g, b, a = rgba[0::4], rgba[1::4], rgba[2::4], rgba[3::4]
    opaque = a == b"\xff" * len(a)
    if r == g == b:
        colour_type, data = (0, r) if opaque else (4, interleave(r, a))
    else:
        colour_type, data = (2, interleave(r, g, b)) if opaque else (6, rgba)
    candidates = [(colour_type, len(data) // (width * height), b"", data)]
    palette = palette_of(rgba) if colour_type in (2, 6) else None
    if palette and width * height > LARGE_IMAGE:
        candidates = []  # One byte a pixel beats three or four; filtering them all would be slow.
    if palette:
        index = {p: i for i, p in enumerate(palette)}
        extra = chunk(b"PLTE", b"".join(p[:3] for p in palette))
        alphas = bytes(p[3] for p in palette).rstrip(b"\xff")
        if alphas:
            extra += chunk(b"tRNS", alphas)
        candidates.append((3, 1, extra, bytes(index[rgba[i:i + 4]] for i in range(0, len(rgba), 4))))
    best = None
    for kind, step, extra, data in candidates:
        stride = width * step
        rows = [data[y * stride:(y + 1) * stride] for y in range(height)]
        # Palette indices are not sample values, so differences between them mean little: rows stay unfiltered.
        streams = [b"".join(b"\0" + row for row in rows)] if kind == 3 else filtered_streams(rows, step)
        for stream in streams:
            compressor = zlib.compressobj(9, zlib.DEFLATED, 15, 9)
            png = png_file(width, height, kind, extra, compressor.compress(stream) + compressor.flush())
            if best is None or len(png) < len(best):
                best = png
    return best


# ---------------------------------------------------------------------------------------------------
# The images.

PAINT_WHITE = rgb(WHITE)


def background():
    """The window's backdrop: a calm light grey that turns faintly bluer downwards, with two very soft
    blue glows in the top-right and bottom-left corners."""
    width, height = 960, 720
    top, bottom = rgb("#F6F8FC"), rgb("#E9EEF7")
    glows = [(1010.0, -40.0, 430.0, rgb(BLUE), 0.10), (-60.0, 790.0, 400.0, rgb("#64B5F6"), 0.12)]
    canvas = Canvas(width, height)
    pixels = canvas.pixels
    for y in range(height):
        cy = y + 0.5
        base = mix(top, bottom, cy / height)
        for x in range(width):
            cx = x + 0.5
            r, g, b = base[0], base[1], base[2]
            for gx, gy, radius, tint, strength in glows:
                d2 = ((cx - gx) ** 2 + (cy - gy) ** 2) / (radius * radius)
                if d2 < 4.0:
                    t = strength * math.exp(-2.5 * d2)
                    r += (tint[0] - r) * t
                    g += (tint[1] - g) * t
                    b += (tint[2] - b) * t
            i = (y * width + x) * 4
            pixels[i:i + 4] = (r, g, b, 1.0)
    return canvas


def base_white():
    """The white panel under the main page's cards, with a hairline edge."""
    canvas = Canvas(708, 492)
    panel = RoundRect(0, 0, 708, 492, 12)
    canvas.fill(panel, rgb("#DDE3EE"))
    canvas.fill(RoundRect(1, 1, 707, 491, 11), PAINT_WHITE)
    return canvas


def card_main():
    """The main card: a blue gradient with translucent light circles over two of its corners."""
    canvas = Canvas(352, 492)
    card = RoundRect(0, 0, 352, 492, 12)
    canvas.fill(card, linear_gradient(rgb("#45AAF8"), rgb("#1A7FE0"), 0, 0, 352, 492))
    canvas.fill(Intersection(card, Circle(352, 0, 170)), rgb(WHITE, 0.08))
    canvas.fill(Intersection(card, Circle(352, 0, 110)), rgb(WHITE, 0.06))
    canvas.fill(Intersection(card, Circle(10, 520, 190)), rgb(WHITE, 0.07))
    return canvas


def round_halo():
    """Behind the logo: a white disc on a soft shadow, in two translucent rings."""
    canvas = Canvas(176, 176)
    canvas.fill(Circle(88, 88, 87.5), rgb(WHITE, 0.10))
    canvas.fill(Circle(88, 88, 79), rgb(WHITE, 0.14))
    canvas.fill(Circle(88, 91, 69), rgb("#0D47A1", 0.35), blur=4.0)
    canvas.fill(Circle(88, 88, 70), PAINT_WHITE)
    return canvas


def install_button(top, bottom):
    canvas = Canvas(240, 54)
    canvas.fill(RoundRect(0, 0, 240, 54, 27), vertical_gradient(top, bottom, 0, 54))
    return canvas


def progress_fill():
    """The progress bar's fill, stretched along the bar between 2-pixel corners."""
    canvas = Canvas(12, 8)
    canvas.fill(RoundRect(0, 0, 12, 8, 2), vertical_gradient(rgb(WHITE), rgb("#E3F2FD"), 0, 8))
    return canvas


def glyph_canvas(*strokes, colour, disc=None):
    canvas = Canvas(28, 28)
    if disc:
        canvas.fill(Circle(14, 14, 13), disc)
    for stroke in strokes:
        canvas.fill(stroke, colour)
    return canvas


def cross(size, width=1.6):
    return Union(Segment(14 - size, 14 - size, 14 + size, 14 + size, width),
                 Segment(14 + size, 14 - size, 14 - size, 14 + size, width))


def error_picture():
    """A friendly 'no connection' picture: a blue cloud carrying a wireless sign, an orange badge with
    an exclamation mark, a soft shadow on the ground and a few light dots around."""
    canvas = Canvas(184, 144)
    canvas.fill(Ellipse(92, 130, 66, 7), rgb(BLUE, 0.16), blur=2.5)
    cloud = Union(RoundRect(34, 66, 150, 114, 24), Circle(68, 70, 26), Circle(100, 58, 34),
                  Circle(130, 76, 22))
    canvas.fill(Moved(cloud, 0, 6), rgb("#1565C0", 0.28), blur=6.0)
    canvas.fill(cloud, vertical_gradient(rgb("#8CCBFB"), rgb("#1E88E5"), 24, 114))
    for radius in (12.5, 22.5):
        canvas.fill(Arc(92, 104, radius, -135, -45, 5), PAINT_WHITE)
    canvas.fill(Arc(92, 104, 32.5, -135, -45, 5), rgb(WHITE, 0.45))
    canvas.fill(Circle(92, 104, 4.2), PAINT_WHITE)
    canvas.fill(Circle(142, 36, 19), PAINT_WHITE)
    canvas.fill(Circle(142, 36, 16), linear_gradient(rgb("#FFA26B"), rgb("#FF7043"), 142, 20, 142, 52))
    canvas.fill(Segment(142, 28, 142, 38.5, 3.6), PAINT_WHITE)
    canvas.fill(Circle(142, 44.5, 2.2), PAINT_WHITE)
    light = rgb("#90CAF9")
    canvas.fill(Circle(26, 46, 4), rgb("#BBDEFB"))
    canvas.fill(Circle(18, 98, 2.5), light)
    canvas.fill(Circle(168, 100, 3), light)
    canvas.fill(Outline(Circle(48, 20, 4.5), 1.6), light)
    canvas.fill(Union(Segment(172, 60, 172, 70, 2), Segment(167, 65, 177, 65, 2)), rgb("#BBDEFB"))
    return canvas


def service_tab():
    """The customer-service tab on the window's right edge: a blue tab, rounded on its left, with a
    headset above a chat bubble."""
    canvas = Canvas(70, 140)
    tab = RoundRect(10, 8, 100, 132, 16)
    canvas.fill(Moved(tab, -1, 2), rgb(TITLE_BAR, 0.22), blur=3.5)
    canvas.fill(tab, vertical_gradient(rgb("#42A5F5"), rgb("#1E88E5"), 8, 132))
    glyph = PAINT_WHITE
    cx = 40
    canvas.fill(Arc(cx, 50, 13, -180, 0, 2.6), glyph)
    canvas.fill(RoundRect(cx - 17, 47, cx - 9, 62, 3.5), glyph)
    canvas.fill(RoundRect(cx + 9, 47, cx + 17, 62, 3.5), glyph)
    canvas.fill(Arc(cx, 56, 13, 10, 78, 2.2), glyph)
    canvas.fill(RoundRect(cx - 2, 66.5, cx + 6, 71.5, 2.5), glyph)
    bubble = RoundRect(cx - 15, 88, cx + 15, 108, 7)
    canvas.fill(Union(Outline(bubble, 2.4), Polygon([(cx - 9, 106), (cx - 12, 115), (cx - 2, 107.5)])), glyph)
    for dx in (-7, 0, 7):
        canvas.fill(Circle(cx + dx, 98, 2), glyph)
    return canvas


def back_arrow():
    canvas = Canvas(16, 16)
    blue = rgb(BLUE)
    canvas.fill(Union(Segment(3.2, 8, 13, 8, 1.8), Segment(3.2, 8, 7.6, 3.6, 1.8), Segment(3.2, 8, 7.6, 12.4, 1.8)),
                blue)
    return canvas


def scroll_strip(length, thickness, strip, colour, horizontal):
    """A scroll bar layer: a rounded strip across the bar's 16 pixels that is the same all along the
    bar, so stretching it along the bar changes nothing."""
    width, height = (length, thickness) if horizontal else (thickness, length)
    canvas = Canvas(width, height)
    lo, hi = (thickness - strip) / 2.0, (thickness + strip) / 2.0
    band = RoundRect(-8, lo, length + 8, hi, strip / 2.0) if horizontal else \
        RoundRect(lo, -8, hi, length + 8, strip / 2.0)
    canvas.fill(band, colour)
    return canvas


# The window's drop shadow, drawn as a nine-grid around the window (corners 18,19,20,20) with the
# middle left out. The window covers the picture inset by SHADOW_REACH on every side.
SHADOW_REACH = 18
SHADOW_SIZE = 48


def drop_shadow():
    """A soft shadow that fades out over SHADOW_REACH pixels, darker below the window than above it.
    Its alpha depends only on the distance from the window and the direction, so every edge row of
    the nine-grid is uniform along the edge and stretches without change; the window's own area is
    transparent."""
    size, reach = SHADOW_SIZE, SHADOW_REACH
    canvas = Canvas(size, size)
    lo, hi = reach, size - reach
    cut = math.exp(-0.5 * (reach / 7.0) ** 2)

    def strength(d):
        near = math.exp(-0.5 * (d / 2.5) ** 2)
        far = max(0.0, math.exp(-0.5 * (d / 7.0) ** 2) - cut) / (1.0 - cut)
        return 0.10 * near + 0.16 * far

    for y in range(size):
        for x in range(size):
            cx, cy = x + 0.5, y + 0.5
            dx = lo - cx if cx < lo else cx - hi if cx > hi else 0.0
            dy = lo - cy if cy < lo else cy - hi if cy > hi else 0.0
            d = math.hypot(dx, dy)
            if d <= 0.0 or d >= reach:
                continue
            below = (dy / d) if cy > hi else -(dy / d)
            alpha = strength(d) * (1.0 + 0.4 * below)
            canvas.set(x, y, (0.0, 0.0, 0.0, alpha))
    return canvas


def images():
    """Every image of the skins, by file name, with the size at which it is drawn."""
    white, grey = PAINT_WHITE, rgb("#8E919C")
    return {
        "background.png": background,
        "base_white.png": base_white,
        "card_main.png": card_main,
        "round.png": round_halo,
        "btn1.png": lambda: install_button(rgb(WHITE), rgb("#F3F8FE")),
        "btn2.png": lambda: install_button(rgb("#EEF6FF"), rgb("#DDEEFD")),
        "btn3.png": lambda: install_button(rgb("#C6E3FC"), rgb("#BCDDFB")),
        "pro.png": progress_fill,
        "less.png": lambda: glyph_canvas(Segment(9, 14, 19, 14, 2), colour=white),
        "guanbi.png": lambda: glyph_canvas(cross(4.8), colour=white),
        "close2.png": lambda: glyph_canvas(cross(5.2), colour=grey),
        "btn_quit_close.png": lambda: glyph_canvas(cross(4.2), colour=white, disc=rgb("#000000", 0.36)),
        "err.png": error_picture,
        "server.png": service_tab,
        "menu_arrow_back.png": back_arrow,
        "scroll.png": lambda: scroll_strip(16, 16, 8, rgb("#E4E7EF"), False),
        "scroll1.png": lambda: scroll_strip(16, 16, 6, rgb("#B9BECB"), False),
        "hscroll.png": lambda: scroll_strip(16, 16, 8, rgb("#E4E7EF"), True),
        "hscroll1.png": lambda: scroll_strip(16, 16, 6, rgb("#B9BECB"), True),
        "waikuang-yinying.png": drop_shadow,
    }


# ---------------------------------------------------------------------------------------------------
# The program's icon: the main card's blue in a rounded square with a white "download into the tray"
# sign. Each size is drawn at that size, so that the small ones stay sharp.

ICON_NAME = "tessaro.ico"
ICON_SIZES = (16, 24, 32, 48, 256)
# Sizes from this one up are stored as PNG inside the icon file; smaller ones as 32-bit bitmaps, which
# every version of the system reads.
ICON_PNG_FROM = 256


def program_icon(size):
    s = float(size)
    canvas = Canvas(size, size)
    tile = RoundRect(0.03 * s, 0.03 * s, 0.97 * s, 0.97 * s, 0.22 * s)
    canvas.fill(tile, linear_gradient(rgb("#45AAF8"), rgb("#1A7FE0"), 0, 0, s, s))
    canvas.fill(Intersection(tile, Circle(s, 0, 0.55 * s)), rgb(WHITE, 0.10))
    stroke = max(1.6, 0.095 * s)
    arrow = Union(Segment(0.5 * s, 0.2 * s, 0.5 * s, 0.6 * s, stroke),
                  Segment(0.5 * s, 0.62 * s, 0.31 * s, 0.43 * s, stroke),
                  Segment(0.5 * s, 0.62 * s, 0.69 * s, 0.43 * s, stroke))
    canvas.fill(arrow, PAINT_WHITE)
    canvas.fill(Segment(0.25 * s, 0.79 * s, 0.75 * s, 0.79 * s, stroke), PAINT_WHITE)
    return canvas


def icon_bitmap(canvas):
    """An icon directory entry's image as a 32-bit bitmap: the header (double height for the mask),
    BGRA rows bottom-up, then the 1-bit AND mask (set where fully transparent), rows padded to 4 bytes."""
    width, height = canvas.width, canvas.height
    rgba = canvas.rgba_bytes()
    header = struct.pack("<IiiHHIIiiII", 40, width, 2 * height, 1, 32, 0, 0, 0, 0, 0, 0)
    rows, mask_rows = [], []
    mask_stride = (width + 31) // 32 * 4
    for y in range(height - 1, -1, -1):
        row = rgba[y * width * 4:(y + 1) * width * 4]
        rows.append(bytes(b for i in range(0, len(row), 4) for b in (row[i + 2], row[i + 1], row[i], row[i + 3])))
        mask = bytearray(mask_stride)
        for x in range(width):
            if row[x * 4 + 3] == 0:
                mask[x // 8] |= 0x80 >> (x % 8)
        mask_rows.append(bytes(mask))
    return header + b"".join(rows) + b"".join(mask_rows)


def encode_ico(canvases):
    """An .ico file holding the canvases (square, at most 256 pixels) in the given order."""
    images = [encode_png(c.width, c.height, c.rgba_bytes()) if c.width >= ICON_PNG_FROM else icon_bitmap(c)
              for c in canvases]
    out = struct.pack("<HHH", 0, 1, len(images))
    offset = 6 + 16 * len(images)
    for canvas, image in zip(canvases, images):
        side = canvas.width % 256  # 0 stands for 256.
        out += struct.pack("<BBBBHHII", side, side, 0, 0, 1, 32, len(image), offset)
        offset += len(image)
    return out + b"".join(images)


# ---------------------------------------------------------------------------------------------------
# The contact sheet: the windows composed roughly as the skins place the images, then each image.


def nine_grid_frame(image, width, height, corners):
    """The shadow image drawn as a nine-grid frame of the given size, its middle left out."""
    left, top, right, bottom = corners
    canvas = Canvas(width, height)
    xs = [(0, left, 0, left), (left, image.width - right, left, width - right),
          (image.width - right, image.width, width - right, width)]
    ys = [(0, top, 0, top), (top, image.height - bottom, top, height - bottom),
          (image.height - bottom, image.height, height - bottom, height)]
    for row, (sy0, sy1, dy0, dy1) in enumerate(ys):
        for column, (sx0, sx1, dx0, dx1) in enumerate(xs):
            if row == 1 and column == 1:
                continue
            for y in range(dy0, dy1):
                sy = sy0 + min(sy1 - sy0 - 1, (y - dy0) * (sy1 - sy0) // (dy1 - dy0))
                for x in range(dx0, dx1):
                    sx = sx0 + min(sx1 - sx0 - 1, (x - dx0) * (sx1 - sx0) // (dx1 - dx0))
                    i = (sy * image.width + sx) * 4
                    j = (y * width + x) * 4
                    canvas.pixels[j:j + 4] = image.pixels[i:i + 4]
    return canvas


def solid(width, height, colour):
    canvas = Canvas(width, height)
    canvas.fill(RoundRect(0, 0, width, height, 0), colour)
    return canvas


def main_window(drawn, page):
    window = Canvas(960, 720)
    window.draw(drawn["background.png"], 0, 0)
    window.draw(solid(960, 32, rgb(TITLE_BAR)), 0, 0)
    window.draw(drawn["less.png"], 960 - 16 - 28 - 12 - 28, 2)
    window.draw(drawn["guanbi.png"], 960 - 16 - 28, 2)
    window.draw(drawn["server.png"], 890, 720 - 112 - 140)
    if page == "main":
        window.draw(drawn["base_white.png"], 116, 152)
        window.draw(drawn["card_main.png"], 116, 152)
        window.draw(drawn["round.png"], 116 + 88, 152 + 62)
        window.draw(solid(96, 96, rgb("#FFB74D")), 116 + 128, 152 + 102)
        window.draw(drawn["btn1.png"], 116 + 56, 152 + 343)
        for left, top, width, height in ((492, 192, 280, 160), (492, 376, 132, 80), (640, 376, 132, 80),
                                         (492, 480, 280, 80)):
            window.draw(solid(width, height, rgb("#7E57C2", 0.85)), left, top)
    else:
        window.draw(drawn["err.png"], 70 + 170 + 148, 32 + 138)
    return window


def dialog(drawn, name):
    window = Canvas(480, 360 if name == "confirm" else 348)
    window.draw(solid(window.width, window.height, rgb(WHITE)), 0, 0)
    if name == "confirm":
        window.draw(drawn["close2.png"], 480 - 1 - 8 - 28, 9)
        window.draw(solid(242, 102, rgb("#E9F5FE")), 120, 1 + 36 + 34 + 32)
        window.draw(solid(160, 40, rgb(BLUE)), 160, 1 + 36 + 34 + 32 + 102 + 20 + 32 + 32)
    else:
        window.draw(solid(480, 240, linear_gradient(rgb("#26A69A"), rgb("#5C6BC0"), 0, 0, 480, 240)), 0, 0)
        window.draw(drawn["btn_quit_close.png"], 444, 8)
        window.draw(solid(120, 40, rgb(BLUE)), 110, 272)
        window.draw(solid(120, 40, rgb(BLUE)), 250, 272)
    return window


def with_shadow(drawn, window):
    reach = SHADOW_REACH
    framed = Canvas(window.width + 2 * reach, window.height + 2 * reach)
    framed.draw(nine_grid_frame(drawn["waikuang-yinying.png"], framed.width, framed.height, (18, 19, 20, 20)),
                0, 0)
    framed.draw(window, reach, reach)
    return framed


def magnified(image, factor):
    """The image with every pixel drawn as a factor × factor square."""
    canvas = Canvas(image.width * factor, image.height * factor)
    for y in range(canvas.height):
        for x in range(canvas.width):
            i = ((y // factor) * image.width + x // factor) * 4
            j = (y * canvas.width + x) * 4
            canvas.pixels[j:j + 4] = image.pixels[i:i + 4]
    return canvas


def contact_sheet(drawn):
    """The main window's two pages and the two dialogs with their shadows, then every image except the
    full-window ones at its own size, the small ones also magnified four times."""
    gap = 24
    pictures = [with_shadow(drawn, main_window(drawn, page)) for page in ("main", "error")]
    pictures += [with_shadow(drawn, dialog(drawn, name)) for name in ("confirm", "close")]
    pictures += [drawn[name] for name in drawn if name not in ("background.png", "base_white.png")]
    pictures += [magnified(drawn[name], 4) for name in drawn if drawn[name].width * drawn[name].height <= 48 * 48]
    width = 3 * gap + 2 * pictures[0].width
    places, left, top, row_height = [], gap, gap, 0
    for picture in pictures:
        if left + picture.width > width - gap:
            left, top, row_height = gap, top + row_height + gap, 0
        places.append((picture, left, top))
        left += picture.width + gap
        row_height = max(row_height, picture.height)
    sheet = solid(width, top + row_height + gap, rgb("#9AA1AD"))
    for picture, left, top in places:
        sheet.draw(picture, left, top)
    return sheet


# ---------------------------------------------------------------------------------------------------


def skin_image_names(skin_dir):
    """The image files that the skin XML files name."""
    names = set()
    for entry in sorted(os.listdir(skin_dir)):
        if entry.endswith(".xml"):
            with open(os.path.join(skin_dir, entry), encoding="utf-8") as xml:
                names.update(re.findall(r"[\w.-]+\.png", xml.read()))
    return names


def compare(out_dir, skin_dir, icon_dir):
    """Problems found when comparing the drawn files in out_dir with the skin folder and the icon in
    icon_dir, one line each."""
    problems = []
    with open(os.path.join(out_dir, ICON_NAME), "rb") as a:
        kept_icon = os.path.join(icon_dir, ICON_NAME)
        if not os.path.exists(kept_icon):
            problems.append("%s is drawn but not in %s" % (ICON_NAME, icon_dir))
        else:
            with open(kept_icon, "rb") as b:
                if a.read() != b.read():
                    problems.append("%s differs from the drawn icon: run skin/artwork/make_artwork.py" % ICON_NAME)
    drawn = {n for n in os.listdir(out_dir) if n.endswith(".png")}
    kept = {n for n in os.listdir(skin_dir) if n.endswith(".png")}
    problems += ["%s is in the skin folder but not drawn by this script" % n for n in sorted(kept - drawn)]
    problems += ["%s is drawn but not in the skin folder" % n for n in sorted(drawn - kept)]
    problems += ["%s is named by a skin but not drawn" % n for n in sorted(skin_image_names(skin_dir) - drawn)]
    for name in sorted(drawn & kept):
        with open(os.path.join(out_dir, name), "rb") as a, open(os.path.join(skin_dir, name), "rb") as b:
            if a.read() != b.read():
                problems.append("%s differs from the drawn image: run skin/artwork/make_artwork.py" % name)
    return problems


def draw_all(out_dir, icon_dir):
    """Draws every image into out_dir and the icon into icon_dir; returns the drawn canvases by file
    name and the bytes written."""
    os.makedirs(out_dir, exist_ok=True)
    drawn, total = {}, 0
    for name, draw in images().items():
        canvas = draw()
        drawn[name] = canvas
        png = encode_png(canvas.width, canvas.height, canvas.rgba_bytes())
        total += len(png)
        with open(os.path.join(out_dir, name), "wb") as out:
            out.write(png)
    icon = encode_ico([program_icon(size) for size in ICON_SIZES])
    total += len(icon)
    with open(os.path.join(icon_dir, ICON_NAME), "wb") as out:
        out.write(icon)
    return drawn, total


def main():
    skin_dir = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
    parser = argparse.ArgumentParser(description="Draws the skins' images.")
    parser.add_argument("--out", help="folder for the PNG files and the icon (default: the skin folder, and "
                                      "this script's folder for the icon)")
    parser.add_argument("--check", action="store_true",
                        help="draw into a temporary folder and compare with the skin folder")
    parser.add_argument("--contact", metavar="FILE", help="also write a contact sheet PNG")
    args = parser.parse_args()

    with tempfile.TemporaryDirectory() as scratch:
        out_dir = scratch if args.check else args.out or skin_dir
        icon_dir = scratch if args.check else args.out or os.path.dirname(os.path.abspath(__file__))
        drawn, total = draw_all(out_dir, icon_dir)
        print("%d images, %d bytes" % (len(drawn), total))
        if args.contact:
            sheet = contact_sheet(drawn)
            with open(args.contact, "wb") as out:
                out.write(encode_png(sheet.width, sheet.height, sheet.rgba_bytes(), thorough=False))
        problems = compare(out_dir, skin_dir, os.path.dirname(os.path.abspath(__file__))) if args.check else []
    for problem in problems:
        print(problem)
    return 1 if problems else 0


if __name__ == "__main__":
    sys.exit(main())
