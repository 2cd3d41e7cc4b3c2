#!/usr/bin/env python3
"""Builds a data folder full of bad files for the saver's hostile-folder test.

  hostile_folder.py DIR           bad pictures, templates and sounds
  hostile_folder.py DIR garbage   the same files, but comics.ini is binary junk

Every picture, template and sound listed in comics.ini is broken in its own
way; a few good ones stay so that the show has something to move between.
"""
import os
import random
import struct
import sys


def pcx_header(xmin, ymin, xmax, ymax, version=5, planes=3, bits=8, bpl=0):
    h = bytearray(128)
    h[0], h[1], h[2], h[3] = 10, version, 1, bits
    struct.pack_into("<hhhh", h, 4, xmin, ymin, xmax, ymax)
    h[65] = planes
    struct.pack_into("<H", h, 66, bpl)
    return bytes(h)


def solid_pcx(width, height, rgb):
    plane = width + (width & 1)
    row = bytearray()
    for value in rgb:
        left = plane
        while left > 0:
            run = min(63, left)
            row += bytes([0xC0 | run, value])
            left -= run
    return pcx_header(0, 0, width - 1, height - 1, bpl=plane) + bytes(row) * height


def write(folder, name, data):
    with open(os.path.join(folder, name), "wb") as f:
        f.write(data.encode("latin-1") if isinstance(data, str) else data)


GOOD_TEMPLATE = """[cartoon Fine]
good
30
20
60
150
12
words
end
good
end
good
end
[good]
panel.pcx
end
[words]
All is well.
end
"""

# Panels that name missing, broken or silly pictures; categories that point
# at each other, at strip headers and at themselves; boxes with wild numbers.
CYCLES = """[cartoon Loop]
a
end
cartoon Loop
end
b
99999
-99999
0
2147483648
-7
a
end
[a]
[b]
[a]
end
[b]
[a]
zero.pcx
end
[cartoon Self]
cartoon Self
end
self
end
self
end
[self]
[self]
end
"""

BAD_PANELS = """[cartoon Broken]
pics
end
pics
500
500
32767
32767
25
long
end
pics
end
[pics]
zero.pcx
trunc.pcx
huge.pcx
negative.pcx
wide.pcx
tall.pcx
dir.pcx
missing.pcx
version3.pcx
big.pcx
end
[long]
""" + "Very long words " * 12 + """
end
"""

# Strips whose reading fails: a category that is not there, one that never
# ends, and a strip cut off inside its first text box.
ERRORS = """[cartoon Missing]
nowhere
end
nowhere
end
nowhere
end
[cartoon Cut]
open
12
"""


def build(folder, garbage):
    os.makedirs(folder, exist_ok=True)
    rnd = random.Random(1234)
    # Pictures.
    write(folder, "ZBLogo.pcx", solid_pcx(278, 180, (0, 0, 200)))
    write(folder, "error.pcx", solid_pcx(120, 40, (200, 200, 0))[:200])  # cut short
    write(folder, "panel.pcx", solid_pcx(250, 339, (60, 120, 60)))
    write(folder, "good.pcx", solid_pcx(300, 200, (200, 60, 60)))
    write(folder, "zero.pcx", b"")
    write(folder, "short.pcx", b"\x0a\x05\x01\x08")
    write(folder, "trunc.pcx", solid_pcx(400, 300, (1, 2, 3))[:1000])
    write(folder, "huge.pcx", pcx_header(-32768, -32768, 32767, 32767) + b"\xc1\x00")
    write(folder, "negative.pcx", pcx_header(100, 100, 0, 0) + b"\x00" * 64)
    write(folder, "wide.pcx", solid_pcx(1024, 4, (9, 9, 9)))  # exactly the screen's width
    write(folder, "tall.pcx", solid_pcx(4, 2000, (9, 9, 9)))  # taller than the screen
    write(folder, "big.pcx", pcx_header(0, 0, 2999, 1999) + b"\xff\x07" * 64)  # 18 MB, 128 bytes of data
    write(folder, "version3.pcx", pcx_header(0, 0, 9, 9, version=3) + b"\x00" * 300)
    write(folder, "oneplane.pcx", pcx_header(0, 0, 9, 9, planes=1) + b"\x00" * 300)
    write(folder, "runs.pcx", pcx_header(0, 0, 7, 7) + b"\xc0\x00" * 2000 + b"\xff\xff" * 50)
    write(folder, "text.bmp", "This is not a bitmap at all.\n" * 20)
    write(folder, "zero.bmp", b"")
    # A bitmap header that promises far more than the file holds.
    bmp = b"BM" + struct.pack("<IHHI", 70, 0, 0, 54)
    bmp += struct.pack("<IiiHHIIiiII", 40, 30000, 30000, 1, 24, 0, 0, 0, 0, 0, 0) + b"\x00" * 16
    write(folder, "liar.bmp", bmp)
    write(folder, "junk.bmp", bytes(rnd.getrandbits(8) for _ in range(5000)))
    os.makedirs(os.path.join(folder, "dir.pcx"), exist_ok=True)
    os.makedirs(os.path.join(folder, "dir.bmp"), exist_ok=True)
    # Templates.
    write(folder, "good.txt", GOOD_TEMPLATE)
    write(folder, "cycles.txt", CYCLES)
    write(folder, "broken.txt", BAD_PANELS + GOOD_TEMPLATE.replace("Fine", "Fine2"))
    write(folder, "empty.txt", b"")
    write(folder, "errors.txt", ERRORS)
    write(folder, "unended.txt", "[cartoon Open]\nopen\nend\nopen\nend\nopen\nend\n[open]\na.pcx\nb.pcx\n")
    write(folder, "binary.txt", bytes(rnd.getrandbits(8) for _ in range(20000)))
    os.makedirs(os.path.join(folder, "dir.txt"), exist_ok=True)
    # A 50 MB line after a usable strip: every load reads and scans it.
    with open(os.path.join(folder, "longline.txt"), "wb") as f:
        f.write(GOOD_TEMPLATE.replace("Fine", "Long").encode())
        chunk = b"word " * 200000
        for _ in range(50):
            f.write(chunk)
        f.write(b"\n")
    # Sounds.
    write(folder, "text.wav", "not a sound\n")
    write(folder, "zero.wav", b"")
    write(folder, "liar.wav", b"RIFF" + struct.pack("<I", 0x7FFFFFF0) + b"WAVEfmt " + struct.pack("<I", 0x7FFFFFF0))
    os.makedirs(os.path.join(folder, "dir.wav"), exist_ok=True)

    if garbage:
        data = bytearray(rnd.getrandbits(8) for _ in range(64 * 1024))
        data[100:110] = b"\x00" * 10  # NULs inside
        data += b"\r" * 500 + b"\"" * 301 + b"#" * 10
        write(folder, "comics.ini", bytes(data))
        return

    write(folder, "comics.ini", """# every entry is bad in its own way
zb
random
good.txt
cycles.txt
broken.txt
empty.txt
errors.txt
unended.txt
binary.txt
dir.txt
missing.txt
longline.txt
custom
cycles.txt
broken.txt
official
good.pcx
zero.pcx
short.pcx
trunc.pcx
huge.pcx
negative.pcx
wide.pcx
tall.pcx
big.pcx
version3.pcx
oneplane.pcx
runs.pcx
text.bmp
zero.bmp
liar.bmp
junk.bmp
dir.pcx
dir.bmp
missing.bmp
pellow
official
good.pcx
text.bmp
random
binary.txt
popup
zero.pcx text.wav "Not a sound"
trunc.pcx zero.wav "Empty sound"
good.pcx liar.wav "A sound that lies about its size"
good.pcx dir.wav "A folder as a sound"
good.pcx missing.wav "A missing sound"
dir.pcx
huge.pcx "" 
liar.bmp x "
""")


if __name__ == "__main__":
    build(sys.argv[1], len(sys.argv) > 2 and sys.argv[2] == "garbage")
