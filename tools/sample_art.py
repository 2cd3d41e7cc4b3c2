"""Drawing kit for the sample data: an RGB canvas, cartoon shapes, a block
font, the two characters, the scenes, and the PCX and BMP writers.

Pure Python 3 and deterministic: the same input draws the same bytes.
"""

import math
import struct

BLACK = (0, 0, 0)
WHITE = (255, 255, 255)
OUTLINE = (20, 20, 28)


class Canvas:
    """A 24-bit picture, rows top to bottom, red-green-blue bytes."""

    def __init__(self, width, height, colour=WHITE):
        self.width = width
        self.height = height
        self.px = bytearray(bytes(colour) * (width * height))

    def put(self, x, y, c):
        if 0 <= x < self.width and 0 <= y < self.height:
            i = (y * self.width + x) * 3
            self.px[i : i + 3] = bytes(c)

    def get(self, x, y):
        i = (y * self.width + x) * 3
        return tuple(self.px[i : i + 3])

    def hline(self, x0, x1, y, c):
        x0, x1 = max(0, x0), min(self.width, x1)
        if y < 0 or y >= self.height or x0 >= x1:
            return
        i = (y * self.width + x0) * 3
        self.px[i : i + 3 * (x1 - x0)] = bytes(c) * (x1 - x0)

    def rect(self, x0, y0, x1, y1, c):
        for y in range(max(0, y0), min(self.height, y1)):
            self.hline(x0, x1, y, c)

    def gradient(self, y0, y1, top, bottom):
        for y in range(max(0, y0), min(self.height, y1)):
            t = (y - y0) / max(1, y1 - y0 - 1)
            c = tuple(int(round(a + (b - a) * t)) for a, b in zip(top, bottom))
            self.hline(0, self.width, y, c)

    def shape(self, inside, box, c):
        """Fills every pixel of box (x0, y0, x1, y1) whose centre is inside."""
        x0, y0, x1, y1 = (int(math.floor(v)) for v in box)
        for y in range(max(0, y0), min(self.height, y1 + 2)):
            run = None
            for x in range(max(0, x0), min(self.width, x1 + 2)):
                if inside(x + 0.5, y + 0.5):
                    if run is None:
                        run = x
                elif run is not None:
                    self.hline(run, x, y, c)
                    run = None
            if run is not None:
                self.hline(run, min(self.width, x1 + 2), y, c)

    def paste(self, other, ox, oy):
        for y in range(other.height):
            ty = oy + y
            if 0 <= ty < self.height:
                x0, x1 = max(0, ox), min(self.width, ox + other.width)
                if x0 < x1:
                    s = (y * other.width + (x0 - ox)) * 3
                    d = (ty * self.width + x0) * 3
                    self.px[d : d + 3 * (x1 - x0)] = other.px[s : s + 3 * (x1 - x0)]

    def mirrored(self):
        out = Canvas(self.width, self.height)
        for y in range(self.height):
            for x in range(self.width):
                i = (y * self.width + x) * 3
                j = (y * self.width + (self.width - 1 - x)) * 3
                out.px[j : j + 3] = self.px[i : i + 3]
        return out


# --- shapes --------------------------------------------------------------


def ellipse(cv, cx, cy, rx, ry, c, line=2):
    """A filled ellipse with a dark outline line pixels thick (0: none)."""
    for k, (r_x, r_y, col) in enumerate(((rx + line, ry + line, OUTLINE), (rx, ry, c))):
        if r_x <= 0 or r_y <= 0 or (k == 0 and line == 0):
            continue
        cv.shape(
            lambda x, y, a=r_x, b=r_y: ((x - cx) / a) ** 2 + ((y - cy) / b) ** 2 <= 1.0,
            (cx - r_x, cy - r_y, cx + r_x, cy + r_y),
            col,
        )


def in_capsule(ax, ay, bx, by, radius):
    """Point test of a thick line from a to b with round ends."""

    def inside(x, y):
        dx, dy = bx - ax, by - ay
        length2 = dx * dx + dy * dy
        t = 0.0 if length2 == 0 else max(0.0, min(1.0, ((x - ax) * dx + (y - ay) * dy) / length2))
        px, py = ax + t * dx - x, ay + t * dy - y
        return px * px + py * py <= radius * radius

    return inside


def capsule(cv, ax, ay, bx, by, r, c, line=0):
    """A thick line from a to b with round ends."""
    for k, (rr, col) in enumerate(((r + line, OUTLINE), (r, c))):
        if k == 0 and line == 0:
            continue
        cv.shape(in_capsule(ax, ay, bx, by, rr), (min(ax, bx) - rr, min(ay, by) - rr, max(ax, bx) + rr, max(ay, by) + rr), col)


def polygon(cv, pts, c, line=1.5):
    """A filled polygon (even-odd rule) with dark edges."""

    def inside(x, y):
        hit = False
        n = len(pts)
        for i in range(n):
            (x1, y1), (x2, y2) = pts[i], pts[(i + 1) % n]
            if (y1 > y) != (y2 > y):
                if x < x1 + (y - y1) * (x2 - x1) / (y2 - y1):
                    hit = not hit
        return hit

    xs = [p[0] for p in pts]
    ys = [p[1] for p in pts]
    cv.shape(inside, (min(xs), min(ys), max(xs), max(ys)), c)
    if line:
        for i in range(len(pts)):
            (x1, y1), (x2, y2) = pts[i], pts[(i + 1) % len(pts)]
            capsule(cv, x1, y1, x2, y2, line, OUTLINE)


def box(cv, x0, y0, x1, y1, c, line=2):
    if line:
        cv.rect(x0 - line, y0 - line, x1 + line, y1 + line, OUTLINE)
    cv.rect(x0, y0, x1, y1, c)


def arc(cv, cx, cy, rx, ry, thick, start, end, c=OUTLINE):
    """Part of an elliptic ring between two angles in degrees (y down)."""

    def inside(x, y):
        o = ((x - cx) / rx) ** 2 + ((y - cy) / ry) ** 2
        i = ((x - cx) / (rx - thick)) ** 2 + ((y - cy) / (ry - thick)) ** 2
        if o > 1.0 or i < 1.0:
            return False
        a = math.degrees(math.atan2(y - cy, x - cx)) % 360
        return start <= a <= end

    cv.shape(inside, (cx - rx, cy - ry, cx + rx, cy + ry), c)


class Lcg:
    """A small fixed random sequence for stars, clouds and the like."""

    def __init__(self, seed):
        self.state = seed & 0xFFFFFFFF

    def next(self, n):
        self.state = (self.state * 1103515245 + 12345) & 0x7FFFFFFF
        return (self.state >> 8) % n


# --- block font ------------------------------------------------------------

_FONT = {
    "A": " ### |#   #|#   #|#####|#   #|#   #|#   #",
    "B": "#### |#   #|#   #|#### |#   #|#   #|#### ",
    "C": " ####|#    |#    |#    |#    |#    | ####",
    "D": "#### |#   #|#   #|#   #|#   #|#   #|#### ",
    "E": "#####|#    |#    |#### |#    |#    |#####",
    "F": "#####|#    |#    |#### |#    |#    |#    ",
    "G": " ####|#    |#    |#  ##|#   #|#   #| ####",
    "H": "#   #|#   #|#   #|#####|#   #|#   #|#   #",
    "I": "#####|  #  |  #  |  #  |  #  |  #  |#####",
    "J": "  ###|   # |   # |   # |   # |#  # | ##  ",
    "K": "#   #|#  # |# #  |##   |# #  |#  # |#   #",
    "L": "#    |#    |#    |#    |#    |#    |#####",
    "M": "#   #|## ##|# # #|# # #|#   #|#   #|#   #",
    "N": "#   #|##  #|# # #|#  ##|#   #|#   #|#   #",
    "O": " ### |#   #|#   #|#   #|#   #|#   #| ### ",
    "P": "#### |#   #|#   #|#### |#    |#    |#    ",
    "Q": " ### |#   #|#   #|#   #|# # #|#  # | ## #",
    "R": "#### |#   #|#   #|#### |# #  |#  # |#   #",
    "S": " ####|#    |#    | ### |    #|    #|#### ",
    "T": "#####|  #  |  #  |  #  |  #  |  #  |  #  ",
    "U": "#   #|#   #|#   #|#   #|#   #|#   #| ### ",
    "V": "#   #|#   #|#   #|#   #|#   #| # # |  #  ",
    "W": "#   #|#   #|#   #|# # #|# # #|## ##|#   #",
    "X": "#   #|#   #| # # |  #  | # # |#   #|#   #",
    "Y": "#   #|#   #| # # |  #  |  #  |  #  |  #  ",
    "Z": "#####|    #|   # |  #  | #   |#    |#####",
    "0": " ### |#   #|#  ##|# # #|##  #|#   #| ### ",
    "1": "  #  | ##  |  #  |  #  |  #  |  #  | ### ",
    "2": " ### |#   #|    #|   # |  #  | #   |#####",
    "3": "#### |    #|    #| ### |    #|    #|#### ",
    "4": "   # |  ## | # # |#  # |#####|   # |   # ",
    "5": "#####|#    |#### |    #|    #|#   #| ### ",
    "6": " ### |#    |#    |#### |#   #|#   #| ### ",
    "7": "#####|    #|   # |  #  | #   | #   | #   ",
    "8": " ### |#   #|#   #| ### |#   #|#   #| ### ",
    "9": " ### |#   #|#   #| ####|    #|    #| ### ",
    "!": "  #  |  #  |  #  |  #  |  #  |     |  #  ",
    "?": " ### |#   #|    #|   # |  #  |     |  #  ",
    ".": "     |     |     |     |     |     |  #  ",
    ",": "     |     |     |     |     |  #  | #   ",
    "'": "  #  |  #  |     |     |     |     |     ",
    "-": "     |     |     | ### |     |     |     ",
    ":": "     |  #  |     |     |     |  #  |     ",
    " ": "     |     |     |     |     |     |     ",
}
FONT = {k: v.split("|") for k, v in _FONT.items()}


def text_width(text, s):
    return len(text) * 6 * s - s if text else 0


def text(cv, x, y, line, s, c=OUTLINE):
    """Block capitals, s pixels per font dot, top-left at (x, y)."""
    for ch in line.upper():
        rows = FONT.get(ch, FONT["?"])
        for ry, row in enumerate(rows):
            for rx, dot in enumerate(row):
                if dot == "#":
                    cv.rect(x + rx * s, y + ry * s, x + rx * s + s, y + ry * s + s, c)
        x += 6 * s


def text_centred(cv, cx, y, lines, s, c=OUTLINE):
    for i, line in enumerate(lines):
        text(cv, cx - text_width(line, s) // 2, y + i * 9 * s, line, s, c)


def balloon(cv, cx, cy, lines, s, tail_to):
    """A speech balloon with lines of block text, its tail pointing at tail_to."""
    w = max(text_width(l, s) for l in lines) // 2 + 10
    h = len(lines) * 9 * s // 2 + 8
    tx, ty = tail_to
    polygon(cv, [(cx - 8, cy + h - 4), (cx + 8, cy + h - 4), (tx, ty)], WHITE, line=1.5)
    ellipse(cv, cx, cy, w + 6, h, WHITE, line=2)
    text_centred(cv, cx, cy - len(lines) * 9 * s // 2 + s, lines, s)


# --- characters --------------------------------------------------------------

ZGREEN = (96, 196, 88)
ZDARK = (60, 140, 60)
PYELLOW = (250, 212, 64)
PORANGE = (238, 128, 36)


def _eyes(cv, cx, cy, gap, r, face, mood):
    for ex in (cx - gap, cx + gap):
        ellipse(cv, ex, cy, r, r + 2, WHITE, line=2)
        ellipse(cv, ex + face * r // 3, cy + (1 if mood != "shock" else 0), r // 2, r // 2 + 1, OUTLINE, 0)
        ellipse(cv, ex + face * r // 3 - 1, cy - 2, 1.5, 1.5, WHITE, 0)
    if mood == "grump":
        capsule(cv, cx - gap - r, cy - r - 6, cx - gap + r, cy - r - 1, 2, OUTLINE)
        capsule(cv, cx + gap - r, cy - r - 1, cx + gap + r, cy - r - 6, 2, OUTLINE)


def zorbel(cv, cx, fy, face=1, mood="happy"):
    """The series' hero: a green fellow with antennae. Feet at row fy.

    Returns the speaker point (above the head)."""
    # legs and feet
    for dx in (-13, 13):
        capsule(cv, cx + dx, fy - 42, cx + dx, fy - 8, 6, ZDARK, line=2)
        ellipse(cv, cx + dx + face * 5, fy - 5, 11, 6, ZDARK, line=2)
    # arms behind the body
    capsule(cv, cx - 30, fy - 92, cx - 46, fy - 58 - (20 if mood == "shock" else 0), 5, ZGREEN, line=2)
    capsule(cv, cx + 30, fy - 92, cx + 46, fy - 58 - (20 if mood == "shock" else 0), 5, ZGREEN, line=2)
    ellipse(cv, cx, fy - 76, 34, 42, ZGREEN)
    ellipse(cv, cx, fy - 70, 20, 26, (170, 230, 150), 0)
    # head and antennae
    hy = fy - 140
    for dx in (-14, 14):
        capsule(cv, cx + dx, hy - 24, cx + dx * 2, hy - 52, 2, OUTLINE)
        ellipse(cv, cx + dx * 2, hy - 55, 6, 6, (240, 110, 150))
    ellipse(cv, cx, hy, 40, 34, ZGREEN)
    _eyes(cv, cx + face * 4, hy - 6, 14, 10, face, mood)
    mx, my = cx + face * 4, hy + 16
    if mood == "happy":
        arc(cv, mx, my - 8, 16, 12, 3, 20, 160)
    elif mood == "shock":
        ellipse(cv, mx, my + 2, 7, 9, (120, 20, 40), line=2)
    else:
        capsule(cv, mx - 10, my + 2, mx + 10, my, 2, OUTLINE)
    return (cx, hy - 64)


def pellow(cv, cx, fy, face=-1, mood="happy"):
    """Zorbel's friend: a round yellow bird. Feet at row fy.

    Returns the speaker point (above the head)."""
    for dx in (-14, 14):
        capsule(cv, cx + dx, fy - 24, cx + dx, fy - 6, 3, PORANGE, line=1)
        capsule(cv, cx + dx, fy - 4, cx + dx + face * 12, fy - 4, 3, PORANGE, line=1)
    # tuft
    top = fy - 112
    for dx, lean in ((-8, -10), (0, 0), (8, 10)):
        capsule(cv, cx + dx, top + 6, cx + dx + lean, top - 12, 3, PYELLOW, line=2)
    ellipse(cv, cx, fy - 64, 44, 50, PYELLOW)
    ellipse(cv, cx - face * 4, fy - 40, 28, 22, (255, 236, 150), 0)
    # wings
    up = mood == "shock"
    ellipse(cv, cx - 44, fy - (84 if up else 60), 10, 20, (235, 190, 40))
    ellipse(cv, cx + 44, fy - (84 if up else 60), 10, 20, (235, 190, 40))
    _eyes(cv, cx + face * 8, fy - 84, 13, 9, face, mood)
    bx, by = cx + face * 16, fy - 66
    if mood == "shock":
        polygon(cv, [(bx, by - 8), (bx + face * 26, by - 4), (bx, by)], PORANGE)
        polygon(cv, [(bx, by + 4), (bx + face * 22, by + 10), (bx, by + 10)], PORANGE)
    else:
        polygon(cv, [(bx, by - 8), (bx + face * 28, by), (bx, by + 8)], PORANGE)
    if mood == "happy":
        ellipse(cv, cx - face * 22, fy - 62, 7, 4, (250, 150, 120), 0)
    return (cx, top - 18)


# --- scenes ----------------------------------------------------------------

SCENES = ("park", "kitchen", "evening", "beach", "office")


def scene(kind, w, h=339, seed=1):
    """A background with a light upper part where speech goes."""
    cv = Canvas(w, h)
    rnd = Lcg(seed * 7919 + len(kind))
    if kind == "park":
        cv.gradient(0, 250, (200, 232, 255), (150, 205, 250))
        for _ in range(2):
            x, y = 30 + rnd.next(w - 60), 130 + rnd.next(40)
            for dx in (-18, 0, 18):
                ellipse(cv, x + dx, y - (8 if dx == 0 else 0), 20, 12, WHITE, 0)
        cv.gradient(250, h, (110, 200, 90), (60, 150, 60))
        capsule(cv, 0, 251, w, 251, 1, (50, 120, 50))
        tx = 22 if seed % 2 else w - 22
        box(cv, tx - 8, 170, tx + 8, 262, (140, 92, 52))
        ellipse(cv, tx, 160, 34, 42, (70, 160, 70))
        for _ in range(12):
            x, y = rnd.next(w), 262 + rnd.next(70)
            capsule(cv, x, y, x - 2, y - 6, 1, (40, 120, 40))
    elif kind == "kitchen":
        cv.rect(0, 0, w, 262, (252, 244, 222))
        for y in range(150, 262, 24):
            cv.hline(0, w, y, (225, 212, 186))
        cv.gradient(262, h, (176, 118, 74), (130, 84, 50))
        for x in range(0, w, 40):
            capsule(cv, x, 262, x - 30, h, 1, (110, 70, 40))
        fx = w - 40 if seed % 2 else 10
        box(cv, fx, 128, fx + 34, 296, (236, 240, 246))
        cv.rect(fx, 196, fx + 34, 198, OUTLINE)
        box(cv, fx + 26, 150, fx + 29, 180, (150, 150, 160), line=0)
        tx = 14 if seed % 2 else w - 74
        box(cv, tx, 254, tx + 60, 262, (200, 90, 70))
        box(cv, tx + 6, 262, tx + 12, 300, (150, 90, 60))
        box(cv, tx + 48, 262, tx + 54, 300, (150, 90, 60))
        ellipse(cv, tx + 30, 246, 10, 8, (245, 245, 245))
    elif kind == "evening":
        cv.gradient(0, 230, (255, 236, 200), (246, 170, 140))
        ellipse(cv, w - 44 if seed % 2 else 44, 150, 22, 22, (255, 250, 220), 0)
        cv.gradient(230, h, (70, 60, 110), (40, 34, 70))
        hills = [(0, 236)] + [(x, 220 + rnd.next(24)) for x in range(0, w + 40, 40)] + [(w, h), (0, h)]
        polygon(cv, hills, (70, 60, 110), line=0)
        for _ in range(6):
            cv.put(rnd.next(w), 170 + rnd.next(50), WHITE)
        for x in range(6, w, 54):
            box(cv, x, 268, x + 4, 300, (40, 34, 60), line=0)
    elif kind == "beach":
        cv.gradient(0, 220, (210, 238, 255), (160, 215, 250))
        cv.gradient(220, 262, (70, 150, 220), (40, 120, 200))
        for _ in range(8):
            x, y = rnd.next(w), 228 + rnd.next(30)
            capsule(cv, x, y, x + 10, y, 1, (210, 235, 255))
        cv.gradient(262, h, (248, 224, 160), (230, 196, 120))
        ux = w - 36 if seed % 2 else 36
        capsule(cv, ux, 190, ux, 300, 2, OUTLINE)
        polygon(cv, [(ux - 40, 200), (ux, 176), (ux + 40, 200)], (230, 70, 70))
        for _ in range(5):
            ellipse(cv, rnd.next(w), 300 + rnd.next(30), 4, 2, (200, 160, 100), 0)
    elif kind == "office":
        cv.rect(0, 0, w, 258, (226, 234, 242))
        cv.hline(0, w, 150, (190, 200, 214))
        cv.gradient(258, h, (120, 126, 140), (90, 94, 106))
        dx = 8 if seed % 2 else w - 84
        box(cv, dx, 236, dx + 76, 244, (160, 110, 70))
        box(cv, dx + 4, 244, dx + 10, 300, (120, 80, 50))
        box(cv, dx + 66, 244, dx + 72, 300, (120, 80, 50))
        box(cv, dx + 16, 196, dx + 60, 228, (60, 64, 80))
        cv.rect(dx + 20, 200, dx + 56, 224, (120, 200, 230))
        box(cv, dx + 34, 228, dx + 42, 236, (60, 64, 80), line=1)
        px = w - 24 if seed % 2 else 24
        box(cv, px - 10, 274, px + 10, 300, (190, 110, 70))
        for a in (-30, 0, 30):
            capsule(cv, px, 274, px + a, 240, 4, (80, 160, 80))
    else:
        raise ValueError(kind)
    return cv


# --- writers -----------------------------------------------------------------


def _rle(plane):
    out = bytearray()
    i, n = 0, len(plane)
    while i < n:
        v = plane[i]
        run = 1
        while i + run < n and run < 63 and plane[i + run] == v:
            run += 1
        if run > 1 or v >= 0xC0:
            out += bytes((0xC0 | run, v))
        else:
            out.append(v)
        i += run
    return bytes(out)


def pcx_bytes(cv):
    """24-bit colour as three run-length encoded 8-bit planes, version 5."""
    w, h = cv.width, cv.height
    line = w + (w & 1)
    header = struct.pack(
        "<BBBBhhhhhh48sBBhhhh54s",
        10, 5, 1, 8, 0, 0, w - 1, h - 1, 72, 72, bytes(48), 0, 3, line, 1, 0, 0, bytes(54),
    )
    assert len(header) == 128
    body = bytearray()
    for y in range(h):
        row = cv.px[y * w * 3 : (y + 1) * w * 3]
        for p in range(3):
            plane = bytes(row[p::3]) + (b"\0" if w & 1 else b"")
            body += _rle(plane)
    return header + bytes(body)


def bmp_bytes(cv):
    """24-bit bottom-up BMP with a 40-byte info header."""
    w, h = cv.width, cv.height
    stride = (w * 3 + 3) & ~3
    rows = bytearray()
    for y in range(h - 1, -1, -1):
        row = cv.px[y * w * 3 : (y + 1) * w * 3]
        bgr = bytearray(len(row))
        bgr[0::3], bgr[1::3], bgr[2::3] = row[2::3], row[1::3], row[0::3]
        rows += bgr + bytes(stride - w * 3)
    header = struct.pack("<2sIHHI", b"BM", 54 + len(rows), 0, 0, 54)
    info = struct.pack("<IiiHHIIiiII", 40, w, h, 1, 24, 0, len(rows), 2835, 2835, 0, 0)
    return header + info + bytes(rows)
