#!/usr/bin/env python3
"""Draws the saver's pictures and writes them as Windows resource files.

resources/logo.bmp    278x180, 8 bits per pixel: the series logo "ZB" over "Zorbel"
resources/figure.bmp  107x62, 8 bits per pixel: a small cartoon figure on black
resources/zorbel.ico  32x32 and 16x16, 4 bits per pixel

Everything is drawn here from simple shapes; the output is the same on every
run. Run from anywhere: python3 tools/make_resources.py
"""

import math
import os
import struct
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from sample_art import in_capsule  # noqa: E402

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
OUT = os.path.join(ROOT, "resources")


class Canvas:
    """A palette picture: a list of rows of palette indices."""

    def __init__(self, width, height, fill=0):
        self.width = width
        self.height = height
        self.pixels = [[fill] * width for _ in range(height)]

    def put(self, x, y, index):
        if 0 <= x < self.width and 0 <= y < self.height:
            self.pixels[y][x] = index

    def get(self, x, y):
        return self.pixels[y][x]

    def pixels_of(self, inside):
        """The pixels whose centres satisfy inside(x, y); a grown shape is
        its pixels widened by a disc."""
        if isinstance(inside, tuple):
            _, shape, by = inside
            core = self.pixels_of(shape)
            reach = int(math.ceil(by))
            disc = [(dx, dy) for dy in range(-reach, reach + 1) for dx in range(-reach, reach + 1)
                    if dx * dx + dy * dy <= by * by + 0.5]
            return {(x + dx, y + dy) for x, y in core for dx, dy in disc
                    if 0 <= x + dx < self.width and 0 <= y + dy < self.height}
        return {(x, y) for y in range(self.height) for x in range(self.width)
                if inside(x + 0.5, y + 0.5)}

    def fill_where(self, inside, colour):
        """Sets every pixel of a shape; colour is an index or a function of
        (x, y) giving one."""
        for x, y in sorted(self.pixels_of(inside)):
            self.put(x, y, colour(x, y) if callable(colour) else colour)


# Shapes as point tests, so that they can be combined and outlined.


# A thick line from a to b with round ends, as the sample pictures draw it.
capsule = in_capsule


def ellipse(cx, cy, rx, ry):
    def inside(x, y):
        return ((x - cx) / rx) ** 2 + ((y - cy) / ry) ** 2 <= 1.0

    return inside


def ring_arc(cx, cy, rx, ry, thickness, start_deg, end_deg):
    """Part of an elliptic ring between two angles (degrees, y down)."""

    def inside(x, y):
        outer = ((x - cx) / rx) ** 2 + ((y - cy) / ry) ** 2
        inner = ((x - cx) / (rx - thickness)) ** 2 + ((y - cy) / (ry - thickness)) ** 2
        if outer > 1.0 or inner < 1.0:
            return False
        angle = math.degrees(math.atan2(y - cy, x - cx)) % 360
        return start_deg <= angle <= end_deg if start_deg <= end_deg else (
            angle >= start_deg or angle <= end_deg)

    return inside


def rect(x0, y0, x1, y1):
    def inside(x, y):
        return x0 <= x < x1 and y0 <= y < y1

    return inside


def union(*shapes):
    def inside(x, y):
        return any(shape(x, y) for shape in shapes)

    return inside


def grown(shape, by):
    """The shape widened by a few pixels, as a pixel set of the canvas."""
    return ("grown", shape, by)


# Letters as strokes in a box of width w and height h whose top left is x, y.


def glyph(letter, x, y, w, h, r):
    if letter == "Z":
        return union(capsule(x + r, y + r, x + w - r, y + r, r),
                     capsule(x + w - r, y + r, x + r, y + h - r, r),
                     capsule(x + r, y + h - r, x + w - r, y + h - r, r))
    if letter == "B":
        mid = y + h * 0.48
        bowl = w - 2 * r
        return union(capsule(x + r, y + r, x + r, y + h - r, r),
                     capsule(x + r, y + r, x + bowl * 0.55, y + r, r),
                     capsule(x + r, mid, x + bowl * 0.6, mid, r),
                     capsule(x + r, y + h - r, x + bowl * 0.6, y + h - r, r),
                     ring_arc(x + bowl * 0.55, (y + mid) / 2, w * 0.42, (mid - y) / 2 + r * 0.1,
                              2 * r, 270, 90),
                     ring_arc(x + bowl * 0.6, (mid + y + h) / 2, w * 0.4 + r * 0.35,
                              (y + h - mid) / 2 + r * 0.1, 2 * r, 270, 90))
    if letter == "o":
        return ring_arc(x + w / 2, y + h / 2, w / 2, h / 2, 2 * r, 0, 360)
    if letter == "r":
        return union(capsule(x + r, y + r, x + r, y + h - r, r),
                     ring_arc(x + w * 0.75, y + h * 0.55, w * 0.6, h * 0.55, 2 * r, 190, 320))
    if letter == "b":
        top = y - h * 0.7
        return union(capsule(x + r, top + r, x + r, y + h - r, r),
                     ring_arc(x + w / 2, y + h / 2, w / 2, h / 2, 2 * r, 0, 360))
    if letter == "e":
        return union(ring_arc(x + w / 2, y + h / 2, w / 2, h / 2, 2 * r, 0, 320),
                     capsule(x + r, y + h / 2, x + w - r, y + h / 2, r * 0.8))
    if letter == "l":
        return capsule(x + r, y - h * 0.7 + r, x + r, y + h - r, r)
    raise ValueError(letter)


# Palettes.


def gradient(palette, start, count, a, b):
    """count entries from colour a to colour b, from palette index start."""
    for i in range(count):
        t = i / max(1, count - 1)
        palette[start + i] = tuple(int(round(a[c] + (b[c] - a[c]) * t)) for c in range(3))


def logo_palette():
    palette = [(0, 0, 0)] * 256
    gradient(palette, 1, 64, (12, 10, 60), (70, 30, 120))  # sky, top to bottom
    gradient(palette, 65, 64, (255, 236, 80), (240, 120, 20))  # letters, top to bottom
    gradient(palette, 129, 32, (120, 200, 255), (20, 90, 210))  # name
    palette[200] = (25, 12, 8)  # outlines
    palette[201] = (255, 255, 255)  # stars and highlights
    palette[202] = (180, 180, 220)  # faint stars
    return palette


def figure_palette():
    palette = [(0, 0, 0)] * 256
    palette[1] = (20, 12, 6)  # outline
    palette[2] = (255, 210, 160)  # skin
    palette[3] = (255, 255, 255)  # eye whites
    palette[4] = (40, 120, 230)  # shirt
    palette[5] = (200, 40, 40)  # mouth
    palette[6] = (250, 220, 40)  # hair
    palette[7] = (90, 60, 30)  # trousers
    gradient(palette, 16, 16, (50, 150, 255), (20, 70, 170))  # shirt shading
    return palette


ICON_PALETTE = [
    (0, 0, 0), (128, 0, 0), (0, 128, 0), (128, 128, 0), (0, 0, 128), (128, 0, 128),
    (0, 128, 128), (192, 192, 192), (128, 128, 128), (255, 0, 0), (0, 255, 0),
    (255, 255, 0), (0, 0, 255), (255, 0, 255), (0, 255, 255), (255, 255, 255),
]


# Pictures.


def draw_logo():
    width, height = 278, 180
    canvas = Canvas(width, height)
    canvas.fill_where(lambda x, y: True, lambda x, y: 1 + y * 63 // (height - 1))
    # A fixed scatter of stars from a small linear congruential sequence.
    seed = 2203
    for _ in range(70):
        seed = (seed * 1103515245 + 12345) % (1 << 31)
        x = seed % width
        seed = (seed * 1103515245 + 12345) % (1 << 31)
        y = seed % height
        canvas.put(x, y, 201 if seed % 3 == 0 else 202)

    # The initials: two big letters with a dark outline and a warm gradient.
    letters = union(glyph("Z", 28, 12, 100, 110, 13), glyph("B", 146, 12, 104, 110, 13))
    canvas.fill_where(grown(letters, 4), 200)
    canvas.fill_where(letters, lambda x, y: 65 + max(0, min(63, (y - 12) * 63 // 110)))
    # A highlight along the top of each letter.
    canvas.fill_where(union(capsule(30, 17, 118, 17, 2.5), capsule(158, 17, 200, 17, 2.5)), 201)

    # The name underneath, in rounded lower-case strokes.
    name = []
    x = 60
    for letter, w in (("Z", 24), ("o", 22), ("r", 16), ("b", 22), ("e", 22), ("l", 8)):
        if letter == "Z":
            name.append(glyph(letter, x, 134, w, 36, 4))
        else:
            name.append(glyph(letter, x, 148, w, 22, 4))
        x += w + 7
    name_shape = union(*name)
    canvas.fill_where(grown(name_shape, 2.5), 200)
    canvas.fill_where(name_shape, lambda x, y: 129 + max(0, min(31, (y - 134) * 31 // 36)))
    return canvas, logo_palette()


def draw_figure():
    canvas = Canvas(107, 62)  # black background
    outline, skin, white, mouth, hair, trousers = 1, 2, 3, 5, 6, 7
    head = ellipse(53, 22, 17, 16)
    body = ellipse(53, 50, 13, 12)
    arms = union(capsule(42, 44, 24, 32, 3.5), capsule(64, 44, 84, 30, 3.5))
    hands = union(ellipse(23, 31, 4.5, 4.5), ellipse(85, 29, 4.5, 4.5))
    legs = union(capsule(47, 56, 45, 62, 4), capsule(59, 56, 61, 62, 4))
    spikes = union(*[capsule(53 + dx, 9, 53 + dx * 1.7, 0.5, 3) for dx in (-10, -4, 2, 8)])
    everything = union(head, body, arms, hands, legs, spikes)
    canvas.fill_where(grown(everything, 1.5), outline)
    canvas.fill_where(legs, trousers)
    canvas.fill_where(arms, lambda x, y: 16 + min(15, max(0, (y - 28) // 2)))
    canvas.fill_where(body, lambda x, y: 16 + min(15, max(0, (y - 38) // 2)))
    canvas.fill_where(hands, skin)
    canvas.fill_where(spikes, hair)
    canvas.fill_where(head, skin)
    # Face: two big eyes with pupils, and a wide open smile.
    for cx in (46, 60):
        canvas.fill_where(grown(ellipse(cx, 19, 5, 6), 1), outline)
        canvas.fill_where(ellipse(cx, 19, 5, 6), white)
        canvas.fill_where(ellipse(cx + 1.5, 20, 2, 2.5), outline)
    canvas.fill_where(ring_arc(53, 26, 9, 7, 2.5, 20, 160), outline)
    canvas.fill_where(union(ellipse(53, 31, 5, 2.5)), mouth)
    return canvas, figure_palette()


def draw_icon(size):
    """A yellow disc with a bold dark Z, on a transparent ground."""
    canvas = Canvas(size, size, 0)
    mask = Canvas(size, size, 1)  # 1 = transparent
    s = size / 32.0
    disc = ellipse(16 * s, 16 * s, 15.5 * s, 15.5 * s)
    rim = ring_arc(16 * s, 16 * s, 15.5 * s, 15.5 * s, 1.6 * s, 0, 360)
    zed = glyph("Z", 8 * s, 8 * s, 16 * s, 16 * s, max(1.2, 2.2 * s))
    canvas.fill_where(disc, 11)  # yellow
    canvas.fill_where(rim, 9)  # red rim
    canvas.fill_where(zed, 4)  # dark blue
    mask.fill_where(disc, 0)
    return canvas, mask


# File writers.


def bmp_bytes(canvas, palette):
    stride = (canvas.width + 3) & ~3
    image = bytearray()
    for y in range(canvas.height - 1, -1, -1):  # bottom-up rows
        row = bytes(canvas.pixels[y])
        image += row + b"\0" * (stride - canvas.width)
    colours = b"".join(struct.pack("<BBBB", b, g, r, 0) for r, g, b in palette)
    offset = 14 + 40 + len(colours)
    header = struct.pack("<2sIHHI", b"BM", offset + len(image), 0, 0, offset)
    info = struct.pack("<IiiHHIIiiII", 40, canvas.width, canvas.height, 1, 8, 0, len(image), 2835,
                       2835, 256, 0)
    return header + info + colours + bytes(image)


def icon_image(canvas, mask):
    size = canvas.width
    xor_stride = ((size * 4 + 31) // 32) * 4
    and_stride = ((size + 31) // 32) * 4
    xor = bytearray()
    for y in range(size - 1, -1, -1):
        row = bytearray(xor_stride)
        for x in range(size):
            index = 0 if mask.get(x, y) else canvas.get(x, y)
            row[x // 2] |= index << (4 if x % 2 == 0 else 0)
        xor += row
    andmask = bytearray()
    for y in range(size - 1, -1, -1):
        row = bytearray(and_stride)
        for x in range(size):
            if mask.get(x, y):
                row[x // 8] |= 0x80 >> (x % 8)
        andmask += row
    colours = b"".join(struct.pack("<BBBB", b, g, r, 0) for r, g, b in ICON_PALETTE)
    info = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, 4, 0, len(xor) + len(andmask), 0, 0,
                       16, 0)
    return info + colours + bytes(xor) + bytes(andmask)


def ico_bytes(images):
    header = struct.pack("<HHH", 0, 1, len(images))
    offset = 6 + 16 * len(images)
    entries = b""
    data = b""
    for size, blob in images:
        entries += struct.pack("<BBBBHHII", size, size, 16, 0, 1, 4, len(blob), offset + len(data))
        data += blob
    return header + entries + data


def write(name, data):
    path = os.path.join(OUT, name)
    with open(path, "wb") as f:
        f.write(data)
    print("wrote", os.path.relpath(path, ROOT), len(data), "bytes")


def main():
    os.makedirs(OUT, exist_ok=True)
    write("logo.bmp", bmp_bytes(*draw_logo()))
    write("figure.bmp", bmp_bytes(*draw_figure()))
    write("zorbel.ico", ico_bytes([(32, icon_image(*draw_icon(32))),
                                   (16, icon_image(*draw_icon(16)))]))


if __name__ == "__main__":
    main()
