#!/usr/bin/env python3
"""Data folders for bench/saver_bench.sh.

  saver_bench_data.py DIR TEMPLATES [SCALE]

DIR gets the logo, the error picture, three 250 x 339 panels (copied from
the sample data), and TEMPLATES strip template files of a realistic size
(20 strips, 10 picture and 20 text categories of 50 entries: the layout of
bench/strip_bench.cpp, with speech that fits its panels, 53 kB), all listed
in comics.ini as random strips of the series. SCALE multiplies the strips
and categories of each file (38 makes one of 2 MB).
"""
import os
import shutil
import sys

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
SAMPLE = os.path.join(ROOT, "data", "sample")
PANELS = ["zorbel_park_happy.pcx", "zorbel_park_grump.pcx", "zorbel_office.pcx"]

# Text boxes within a 250-pixel panel: text x, text y, tail x, tail y, size.
BOXES = [(70, 14, 110, 120, 10), (180, 70, 165, 182, 9)]


def make_template(scale):
    strips, pictures, texts = 20 * scale, 10 * scale, 20 * scale
    out = []
    for s in range(strips):
        out.append("[cartoon strip%d]\n" % s)
        for p in range(3):
            out.append("pictures%d   # picture\n" % ((s * 3 + p) % pictures))
            for b in range((s + p) % 3):
                box = BOXES[b % len(BOXES)]
                out.append("".join("%d\n" % v for v in box))
                out.append("words%d   # speech\n" % ((s * 7 + p * 3 + b) % texts))
            out.append("end\n")
        out.append("\n")
    for c in range(pictures):
        out.append("[pictures%d]\n" % c)
        for e in range(50):
            out.append(PANELS[(c + e) % 3] + "\n")
        out.append("end\n\n")
    for c in range(texts):
        out.append("[words%d]\n" % c)
        for e in range(50):
            out.append("Line %d of\\the words in\\category %d.\n" % (e, c))
        out.append("end\n\n")
    return "".join(out)


def main():
    if len(sys.argv) not in (3, 4):
        sys.exit(__doc__)
    folder, count = sys.argv[1], int(sys.argv[2])
    scale = int(sys.argv[3]) if len(sys.argv) == 4 else 1
    os.makedirs(folder, exist_ok=True)
    for name in PANELS + ["ZBLogo.pcx", "error.pcx"]:
        shutil.copyfile(os.path.join(SAMPLE, name), os.path.join(folder, name))
    text = make_template(scale)
    names = ["strips%04d.txt" % i for i in range(count)]
    for name in names:
        with open(os.path.join(folder, name), "w", newline="\r\n") as f:
            f.write(text)
    with open(os.path.join(folder, "comics.ini"), "w", newline="\r\n") as f:
        f.write("zb\nrandom\n")
        f.write("".join(n + "\n" for n in names))
    print("%s: %d template(s) of %d bytes" % (folder, count, len(text.replace("\n", "\r\n"))))


if __name__ == "__main__":
    main()
