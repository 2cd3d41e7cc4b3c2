#!/usr/bin/env python3
"""Writes the generated seed inputs of the fuzz corpora (seed-* files).

Regression inputs (regress-*) are kept by hand and never rewritten here.
Run it again after changing the seeds; it is not part of the build.
"""
import os
import struct
import sys

HERE = os.path.dirname(os.path.abspath(__file__))


def write(target, name, data):
    folder = os.path.join(HERE, target, "corpus")
    os.makedirs(folder, exist_ok=True)
    if isinstance(data, str):
        data = data.encode("latin-1")
    with open(os.path.join(folder, "seed-" + name), "wb") as f:
        f.write(data)


def command_lines():
    lines = [
        "zorbel.scr", "zorbel.scr /s", "zorbel.scr -S", "zorbel.scr s",
        "zorbel.scr /screensaver", "zorbel.scr /c", "zorbel.scr /c:1234",
        "zorbel.scr /c 1234", "zorbel.scr -c1234", "zorbel.scr /p 5678",
        "zorbel.scr /p:5678", "zorbel.scr /l 5678", "zorbel.scr -P5678",
        "zorbel.scr /p scrprev", "zorbel.scr /p:SCRPREV", "zorbel.scr /p Scrprev",
        "zorbel.scr /p scrprev more", "zorbel.scr /a 42", "zorbel.scr /a",
        '"c:\\program files\\zorbel.scr" /s', '"c:\\a b\\zorbel.scr"/s',
        "zorbel.scr /x", "zorbel.scr //s", "zorbel.scr \t/s", "zorbel.scr\t/s",
        "zorbel.scr  /s", "zorbel.scr /p:   -2147483648", "zorbel.scr /a 99999999999",
        '"unterminated quote /s', "",
    ]
    for i, line in enumerate(lines):
        write("command_line", "%02d" % i, line)


def registry_values():
    def value(which, kind, data):
        return bytes([which]) + struct.pack("<I", kind) + data

    seeds = {
        "dword": value(0, 4, struct.pack("<I", 20)),
        "dword-short": value(0, 4, b"\x05\x00"),
        "dword-long": value(0, 11, struct.pack("<Q", 7)),
        "dword-text": value(0, 1, b"abcd"),
        "dword-empty": value(0, 4, b""),
        "dir": value(1, 1, b"c:\\zorbel\x00"),
        "dir-expand": value(1, 2, b"%TEMP%\\zorbel\x00"),
        "dir-no-nul": value(1, 1, b"d:\\data"),
        "dir-255": value(1, 1, b"x" * 255 + b"\x00"),
        "dir-256": value(1, 1, b"x" * 256),
        "dir-binary": value(1, 3, b"\x00\x01\x02"),
        "dir-multi": value(1, 7, b"a\x00b\x00\x00"),
        "dir-inner-nul": value(1, 1, b"c:\\a\x00zzzzzz"),
    }
    for name, data in seeds.items():
        write("registry_value", name, data)


STRIP = """# one whole strip
[cartoon Lunch]
kitchen
40
20
60
150
8
greetings
end
hall
end
kitchen
-5
abc
70000
40000
30
greetings
end

[kitchen]
kitchen1.pcx
kitchen2.pcx
end
[hall]
hall.pcx  # a comment
end
[greetings]
Hello there!
.
end
"""

EDGES = {
    "two-strips": "[cartoon A]\np\nend\np\nend\np\nend\n[cartoon B]\np\nend\np\nend\np\nend\n[p]\nx.pcx\nend\n",
    "no-bracket": "[cartoon\n[cartoon]\n[cartoons]\n",
    "odd-headers": "[cartoon Foo] extra\n[cartoon:Foo]\n[cartoon Foo]\np\nend\np\nend\np\nend\n[p]\nend\n",
    "no-end": "[cartoon X]\np\nend\np\nend\np\n1\n2\n3\n4\n5\nq\n[p]\na\nend\n[q]\nb\n",
    "crlf": "[cartoon X]\r\np\r\nend\r\np\r\nend\r\np\r\nend\r\n[p]\r\na\r\nend\r",
    "long-line": "[cartoon " + "n" * 300 + "]\n" + "y" * 450 + "\n",
    "blank": "   \t\n\n#only\n",
    "nested": "[cartoon C]\n[cartoon C]\nend\n[cartoon C]\nend\n[cartoon C]\nend\n",
    "short-box": "[cartoon S]\np\n1\n2\n",
}


def strip_templates():
    write("strip_template", "lunch", struct.pack("<I", 1) + STRIP.encode())
    write("strip_template", "lunch-other-seed", struct.pack("<I", 7777) + STRIP.encode())
    for name, text in EDGES.items():
        write("strip_template", name, struct.pack("<I", 3) + text.encode())
    write("strip_template", "empty", b"")


def catalog_input(use, template, ini):
    if isinstance(template, str):
        template = template.encode("latin-1")
    if isinstance(ini, str):
        ini = ini.encode("latin-1")
    return bytes([use]) + struct.pack("<H", len(template)) + template + ini


CATALOG = """# the whole catalogue
zb
random
t.txt
T.TXT
custom
t.txt
missing.txt
official
comic1.pcx
"Quoted.PCX"
pellow
official
p1.bmp
  p2.bmp  # trailing comment
popup
pop.pcx
pop.pcx "Just a caption"
pop.pcx sound.wav "A caption with # hash
pop.pcx sound.wav xunquoted caption"
pop.pcx sound.wav
zb
official
z.pcx
"""

ONE_STRIP = "[cartoon A]\np\nend\np\nend\np\nend\n[p]\nx.pcx\nend\n"


def catalogs():
    seeds = {
        "all": catalog_input(31, ONE_STRIP, CATALOG),
        "switched-off": catalog_input(0, ONE_STRIP, CATALOG),
        "no-random": catalog_input(31 & ~4, ONE_STRIP, CATALOG),
        "crlf": catalog_input(31, ONE_STRIP, CATALOG.replace("\n", "\r\n")),
        "not-recognized": catalog_input(31, "", "official\na.pcx\n.pcx\nb.pcx\n"),
        "pellow-comics": catalog_input(31, "", "Pellow\n  PELLOW  \npellow#x\npellow comics\n"),
        "odd-quotes": catalog_input(31, "", 'a"b.pcx\nOfficial\nC.PCX"\nofficial\n'),
        "long-line": catalog_input(31, "", "x" * 450 + ".pcx\n" + "popup\n" + "y " * 150 + "\n"),
        "empty": catalog_input(31, "", ""),
        "templates-empty": catalog_input(31, "", "random\nt.txt\nt.txt\ncustom\nt.txt\n"),
        "cr-alone": catalog_input(31, "", "zb\rofficial\ra.pcx\r"),
    }
    for name, data in seeds.items():
        write("comic_catalog", name, data)


def pcx_file(xmin, ymin, xmax, ymax, data, version=5, planes=3, bits=8, bpl=None):
    header = bytearray(128)
    header[0], header[1], header[2], header[3] = 10, version, 1, bits
    struct.pack_into("<hhhh", header, 4, xmin, ymin, xmax, ymax)
    header[65] = planes
    if bpl is not None:
        struct.pack_into("<H", header, 66, bpl)
    return bytes(header) + bytes(data)


def pcxs():
    # 3 x 2: plane length 4, rows of 12 encoded bytes.
    row = [0x10, 0x20, 0x30, 0, 0x40, 0x50, 0x60, 0, 0x70, 0x80, 0x90, 0]
    seeds = {
        "3x2": pcx_file(0, 0, 2, 1, row * 2),
        "3x2-odd-bpl": pcx_file(0, 0, 2, 1, [1, 2, 3, 4, 5, 6, 7, 8, 9] * 2, bpl=3),
        "runs": pcx_file(0, 0, 3, 0, [0xC3, 0x7F, 0xC0, 0x55, 0x3F, 0xC8, 0x01]),
        "run-past-row": pcx_file(0, 0, 1, 2, [0xFF, 0x11] * 3),
        "cut-off": pcx_file(0, 0, 9, 9, [0xC5, 0x22, 0xC4]),
        "no-data": pcx_file(0, 0, 4, 4, []),
        "palette-tail": pcx_file(0, 0, 1, 0, [0xC6, 0x33] + [0x0C] + [7] * 768),
        "negative-window": pcx_file(10, 10, 0, 0, [0]),
        "extreme-window": pcx_file(-32768, -32768, 32767, 32767, [0xC1, 0]),
        "wide-row": pcx_file(0, 0, 30000, 0, [0xFF, 0x01] * 100),
        "offset-window": pcx_file(-5, 7, -3, 8, row * 2),
        "version-3": pcx_file(0, 0, 2, 1, row * 2, version=3),
        "one-plane": pcx_file(0, 0, 2, 1, row * 2, planes=1),
        "zero-runs": pcx_file(0, 0, 0, 0, [0xC0, 0x00] * 50 + [1, 2, 3, 4, 5, 6]),
    }
    for name, data in seeds.items():
        write("pcx_decode", name, data)
    write("pcx_decode", "short", b"\x0a\x05\x01\x08")


def checker_input(template, picture, ini):
    parts = b""
    for part in (template, picture):
        if isinstance(part, str):
            part = part.encode("latin-1")
        parts += struct.pack("<H", len(part)) + part
    return parts + ini.encode("latin-1")


AUTHOR_INI = """zb
random
t.txt
custom
t.txt
official
p.pcx
popup
p.pcx s.wav "A caption"
"""

AUTHOR_STRIP = ("[cartoon A]\np\n10\n10\n10\n10\n5\nwords\nend\np\nend\nq\nend\n"
                "[p]\np.pcx\nend\n[words]\nHello\\there\nWe're #1\n.\nend\n"
                "[q]\nend\n[cartoons]\n[cartoon B\n")


def checker():
    row = [0x10, 0x20, 0x30, 0, 0x40, 0x50, 0x60, 0, 0x70, 0x80, 0x90, 0]
    good = pcx_file(0, 0, 2, 1, row * 2)
    seeds = {
        "whole": checker_input(AUTHOR_STRIP, good, AUTHOR_INI),
        "byte-order-marks": checker_input("\xef\xbb\xbf" + STRIP, good,
                                          "\xef\xbb\xbf" + AUTHOR_INI),
        "cut-picture": checker_input(ONE_STRIP, pcx_file(0, 0, 9, 400, [0xC5, 0x22]), AUTHOR_INI),
        "one-plane": checker_input(STRIP, pcx_file(0, 0, 2, 1, row * 2, planes=1), AUTHOR_INI),
        "stops-early": checker_input(ONE_STRIP, good, 'official\n"P.PCX"\np.pcx\n'),
        "empty": checker_input("", "", ""),
        # Slips of shape and encoding: a misspelt end, a box a line short, a
        # category that runs into the next header, UTF-8 and CR-only lines.
        "shapes": checker_input(
            "[cartoon A]\np\nned\n[cartoon B]\np\n1\n2\n3\n4\nwords\nend\np\nend\np\nend\n"
            "[Cartoon C]\n[p]\np.pcx\n[words]\nCaf\xc3\xa9\nend\n", good,
            "random\nt.txt\np.pcx\nofficial\nt.txt\r\nx.pcx\rP.PCX\n"),
    }
    for name, data in seeds.items():
        write("authoring_check", name, data)


def main():
    makers = {"command_line": command_lines, "registry_value": registry_values,
              "strip_template": strip_templates, "comic_catalog": catalogs,
              "pcx_decode": pcxs, "authoring_check": checker}
    for target in sys.argv[1:] or makers:
        makers[target]()


if __name__ == "__main__":
    main()
