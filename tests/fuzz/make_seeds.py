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


def main():
    which = sys.argv[1:] or ["command_line", "registry_value", "strip_template"]
    for target in which:
        {"command_line": command_lines, "registry_value": registry_values,
         "strip_template": strip_templates}[target]()


if __name__ == "__main__":
    main()
