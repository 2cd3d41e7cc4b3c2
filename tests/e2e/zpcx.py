#!/usr/bin/env python3
"""Writes 24-bit three-plane run-length PCX pictures for the end-to-end tests.

  zpcx.py FILE WIDTH HEIGHT R G B            one colour
  zpcx.py FILE WIDTH HEIGHT R G B pattern    R fixed, G from x, B from y
  zpcx.py FILE WIDTH HEIGHT R G B truncate   header and half the rows
"""
import struct
import sys


def encode_plane(values):
    out = bytearray()
    i = 0
    while i < len(values):
        v = values[i]
        run = 1
        while i + run < len(values) and values[i + run] == v and run < 63:
            run += 1
        if run > 1 or v >= 0xC0:
            out += bytes([0xC0 | run, v])
        else:
            out.append(v)
        i += run
    return out


def pixel(kind, r, g, b, x, y):
    if kind == "pattern":
        return r, (x * 3) & 0xFF, (y * 5) & 0xFF
    return r, g, b


def write(path, width, height, r, g, b, kind="solid"):
    per_line = width + (width & 1)
    header = bytearray(128)
    header[0:4] = bytes([10, 5, 1, 8])
    struct.pack_into("<hhhhhh", header, 4, 0, 0, width - 1, height - 1, 72, 72)
    header[65] = 3
    struct.pack_into("<hh", header, 66, per_line, 1)
    body = bytearray()
    rows = height // 2 if kind == "truncate" else height
    for y in range(rows):
        pixels = [pixel(kind, r, g, b, x, y) for x in range(width)]
        for plane in range(3):
            values = [p[plane] for p in pixels] + [0] * (per_line - width)
            body += encode_plane(values)
    with open(path, "wb") as f:
        f.write(header + body)


if __name__ == "__main__":
    a = sys.argv[1:]
    write(a[0], int(a[1]), int(a[2]), int(a[3]), int(a[4]), int(a[5]),
          a[6] if len(a) > 6 else "solid")
