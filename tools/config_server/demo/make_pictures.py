#!/usr/bin/env python3
"""Writes the demo's pictures into static/images/: vertical gradients at the sizes the main window gives
each slot (the whole-window background light, so that the page's dark heading stays readable), the
product logo (a rounded tile with a white ring on transparency) and the shortcut icon (an .ico holding
one PNG). Only the standard library is used; run it again after changing a colour or a size."""

import os
import struct
import zlib

HERE = os.path.dirname(os.path.abspath(__file__))

# name: (width, height, top colour, bottom colour)
PICTURES = {
    "background.png": (960, 720, (0xF7, 0xF8, 0xFC), (0xDF, 0xE9, 0xF8)),
    "card_main.png": (352, 492, (0x21, 0x96, 0xF3), (0x0D, 0x47, 0xA1)),
    "card1.png": (280, 160, (0xFF, 0x8A, 0x65), (0xE6, 0x4A, 0x19)),
    "card2.png": (132, 80, (0x66, 0xBB, 0x6A), (0x2E, 0x7D, 0x32)),
    "card3.png": (132, 80, (0xAB, 0x47, 0xBC), (0x6A, 0x1B, 0x9A)),
    "card4.png": (280, 80, (0x26, 0xC6, 0xDA), (0x00, 0x83, 0x8F)),
    "close.png": (400, 240, (0x37, 0x47, 0x4F), (0x26, 0x32, 0x38)),
}
ICON = ("icon.ico", 48, (0x21, 0x96, 0xF3), (0x0D, 0x47, 0xA1))


def chunk(kind, data):
    checksum = zlib.crc32(kind + data) & 0xFFFFFFFF
    return struct.pack(">I", len(data)) + kind + data + struct.pack(">I", checksum)


def gradient_png(width, height, top, bottom, alpha=False):
    """RGB, or RGBA (opaque) where a reader wants 32-bit pixels, as the shell does for icons."""
    rows = []
    for y in range(height):
        t = y / max(1, height - 1)
        pixel = bytes(round(a + (b - a) * t) for a, b in zip(top, bottom)) + (b"\xff" if alpha else b"")
        rows.append(b"\0" + pixel * width)
    header = struct.pack(">IIBBBBB", width, height, 8, 6 if alpha else 2, 0, 0, 0)
    return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", header) + chunk(b"IDAT", zlib.compress(b"".join(rows), 9))
            + chunk(b"IEND", b""))


def logo_png(size, top, bottom):
    """A rounded square tile in a vertical gradient with a white ring in its middle, anti-aliased by 4 x 4
    supersampling, on a transparent ground (straight RGBA)."""
    radius, ring_outer, ring_inner, samples = size * 0.22, size * 0.28, size * 0.17, 4
    middle = (size - 1) / 2

    def in_tile(x, y):
        dx = max(abs(x - middle) - (middle - radius), 0)
        dy = max(abs(y - middle) - (middle - radius), 0)
        return dx * dx + dy * dy <= radius * radius

    def in_ring(x, y):
        distance = ((x - middle) ** 2 + (y - middle) ** 2) ** 0.5
        return ring_inner <= distance <= ring_outer

    rows = []
    for y in range(size):
        t = y / (size - 1)
        tile = [round(a + (b - a) * t) for a, b in zip(top, bottom)]
        row = bytearray(b"\0")
        for x in range(size):
            points = [(x + (i + 0.5) / samples - 0.5, y + (j + 0.5) / samples - 0.5)
                      for i in range(samples) for j in range(samples)]
            covered = sum(in_tile(px, py) for px, py in points) / len(points)
            white = sum(in_ring(px, py) for px, py in points) / len(points)
            colour = [round(c + (255 - c) * white) for c in tile]
            row += bytes(colour) + bytes([round(255 * covered)])
        rows.append(bytes(row))
    header = struct.pack(">IIBBBBB", size, size, 8, 6, 0, 0, 0)
    return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", header) + chunk(b"IDAT", zlib.compress(b"".join(rows), 9))
            + chunk(b"IEND", b""))


def png_icon(size, top, bottom):
    png = gradient_png(size, size, top, bottom, alpha=True)
    # ICONDIR (one image), then its ICONDIRENTRY: the PNG follows at offset 6 + 16 = 22.
    entry = struct.pack("<BBBBHHII", size, size, 0, 0, 1, 32, len(png), 22)
    return struct.pack("<HHH", 0, 1, 1) + entry + png


def main():
    folder = os.path.join(HERE, "static", "images")
    os.makedirs(folder, exist_ok=True)
    for name, (width, height, top, bottom) in PICTURES.items():
        with open(os.path.join(folder, name), "wb") as handle:
            handle.write(gradient_png(width, height, top, bottom))
    with open(os.path.join(folder, "logo.png"), "wb") as handle:
        handle.write(logo_png(96, (0x42, 0xA5, 0xF5), (0x15, 0x65, 0xC0)))
    name, size, top, bottom = ICON
    with open(os.path.join(folder, name), "wb") as handle:
        handle.write(png_icon(size, top, bottom))


if __name__ == "__main__":
    main()
