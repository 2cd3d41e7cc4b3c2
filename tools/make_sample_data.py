#!/usr/bin/env python3
"""Makes the sample data folder data/sample/ from scratch.

Pictures are drawn from simple shapes (tools/sample_art.py), templates and
comics.ini are written from the tables below, and the popup sounds are spoken
by espeak-ng and shaped by sox (skipped with a note when either is missing).

The script owns what it wrote: tools/sample_data.manifest lists every file
with its SHA-256. A file whose bytes differ from the manifest (edited by
hand) or that the manifest does not know is left alone with a message,
unless --force is given. Output is the same on every run.

  python3 tools/make_sample_data.py [--force] [--check] [--out DIR]
    --check  write nothing; exit 1 if a file would change
"""

import argparse
import hashlib
import os
import shutil
import subprocess
import sys
import tempfile

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import sample_art as art  # noqa: E402

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
DEFAULT_OUT = os.path.join(ROOT, "data", "sample")
MANIFEST = os.path.join(ROOT, "tools", "sample_data.manifest")
PANEL_HEIGHT = 339

# --- panel pictures ------------------------------------------------------------
# Each picture category holds pictures of one layout (width and where the
# characters stand), so that the template's text boxes fit all of them.
# layout: scene, width, cast [(who, x fraction, facing)]

LAYOUTS = {
    "z_park": ("park", 250, [("z", 0.5, 1)]),
    "p_park": ("park", 250, [("p", 0.5, -1)]),
    "zp_park": ("park", 300, [("z", 0.28, 1), ("p", 0.72, -1)]),
    "z_kitchen": ("kitchen", 240, [("z", 0.5, -1)]),
    "p_kitchen": ("kitchen", 240, [("p", 0.5, 1)]),
    "zp_kitchen": ("kitchen", 300, [("z", 0.3, 1), ("p", 0.72, -1)]),
    "z_evening": ("evening", 220, [("z", 0.5, 1)]),
    "p_evening": ("evening", 220, [("p", 0.5, -1)]),
    "zp_evening": ("evening", 280, [("z", 0.28, 1), ("p", 0.72, -1)]),
    "z_beach": ("beach", 260, [("z", 0.5, -1)]),
    "p_beach": ("beach", 260, [("p", 0.5, 1)]),
    "zp_beach": ("beach", 300, [("z", 0.3, 1), ("p", 0.72, -1)]),
    "z_office": ("office", 250, [("z", 0.5, 1)]),
    "p_office": ("office", 250, [("p", 0.5, -1)]),
    "zp_office": ("office", 300, [("z", 0.28, 1), ("p", 0.72, -1)]),
}

# picture category -> [(file stem, moods per cast member)]
PICTURES = {
    "z_park": [("zorbel_park_happy", ["happy"]), ("zorbel_park_shock", ["shock"]),
               ("zorbel_park_grump", ["grump"])],
    "p_park": [("pellow_park_happy", ["happy"]), ("pellow_park_grump", ["grump"])],
    "zp_park": [("both_park_happy", ["happy", "happy"]), ("both_park_shock", ["shock", "grump"])],
    "z_kitchen": [("zorbel_kitchen_happy", ["happy"]), ("zorbel_kitchen_grump", ["grump"])],
    "p_kitchen": [("pellow_kitchen_happy", ["happy"]), ("pellow_kitchen_shock", ["shock"])],
    "zp_kitchen": [("both_kitchen", ["happy", "grump"])],
    "z_evening": [("zorbel_evening", ["happy"])],
    "p_evening": [("pellow_evening", ["happy"])],
    "zp_evening": [("both_evening", ["happy", "happy"])],
    "z_beach": [("zorbel_beach", ["happy"])],
    "p_beach": [("pellow_beach", ["grump"])],
    "zp_beach": [("both_beach", ["shock", "happy"])],
    "z_office": [("zorbel_office", ["grump"])],
    "p_office": [("pellow_office", ["happy"])],
    "zp_office": [("both_office", ["happy", "shock"])],
}

GROUND = 312  # row of the characters' feet


def draw_panel(layout, moods, seed):
    kind, width, cast = LAYOUTS[layout]
    cv = art.scene(kind, width, PANEL_HEIGHT, seed)
    points = {}
    for (who, frac, face), mood in zip(cast, moods):
        cx = int(width * frac)
        draw = art.zorbel if who == "z" else art.pellow
        points[who] = draw(cv, cx, GROUND, face, mood)
    return cv, points


def speaker_points(layout):
    """Where each character's speech tail ends, without drawing."""
    kind, width, cast = LAYOUTS[layout]
    probe = art.Canvas(1, 1)
    out = {}
    for who, frac, face in cast:
        draw = art.zorbel if who == "z" else art.pellow
        out[who] = draw(probe, int(width * frac), GROUND, face, "happy")
    return out


def boxes_for(layout, role, under_narration=False):
    """(textX, textY, tailX, tailY, size) of one speaker's box in a layout."""
    _, width, cast = LAYOUTS[layout]
    if role == "n":  # narration: top left, no tail (row 400 is below any strip)
        return (width // 4 + 4, 6, 1, 400, 8)
    pts = speaker_points(layout)
    x, y = pts[role]
    two = len(cast) == 2
    if not two:
        return (width // 2, 30 if under_narration else 14, x, y, 10)
    if role == "z":
        return (int(width * 0.3), 14, x, y, 9)
    return (int(width * 0.7), 66, x, y, 9)


# --- texts -------------------------------------------------------------------
# A backslash starts a new line of a speech text; "." leaves a box empty.

TEXTS = {
    "z_hello": ["Good morning,\\Earth!", "What a lovely\\blue sky.", "I found a new\\planet today.",
                "Hello, grass!\\Hello, tree!", "Today I shall\\be very calm."],
    "p_hello": ["Morning, Zorbel.", "Is it lunch\\yet?", "Shh. I'm\\counting clouds.", ".",
                "You again?"],
    "z_idea": ["Let's build\\a rocket!", "Let's have\\a picnic!", "I will learn\\to whistle.",
               "Let's paint\\the moon!", "I made lunch\\for both\\of us."],
    "p_doubt": ["With what,\\exactly?", "Last time the\\toaster left.", "Sure. After\\my nap.",
                "Do I need\\a helmet?", "."],
    "z_end": ["Oh no.", "That went\\well!", "Where did the\\toaster go?", "I blame\\gravity.",
              "Again\\tomorrow?"],
    "p_end": ["Told you.", "I'm going\\back to bed.", "Best day\\ever!", "...", "Not again."],
    "p_mood": ["I am a very\\serious bird.", "Today I feel\\extra round.", "Nobody\\gets me.",
               "I wrote\\a poem.", "My feathers\\itch."],
    "z_cheer": ["You're the best\\bird I know!", "Read me\\the poem!", "Want a hug?", ".",
                "Ooh, a bird!"],
    "p_poem": ["Roses are red.\\I am yellow.", "Sky is big.\\I am not.", "Egg. Egg.\\Chicken.",
               "Worms are\\friends.\\Maybe."],
    "z_react": ["Wow.", "I cried\\a little.", "Is that\\the end?", "Encore!", "."],
    "p_last": ["Thank you.\\I know.", "Autographs\\later.", "That was\\the short\\version.",
               "Hmph!"],
}

# Random strips: (name, [(picture category, [(role, text category)])])
RANDOM_TEMPLATES = {
    "zb_daily.txt": (
        "Everyday Zorbel: random strips of the series.",
        [
            ("Morning", [("z_park", [("z", "z_hello")]),
                         ("zp_park", [("z", "z_idea"), ("p", "p_doubt")]),
                         ("z_park", [("z", "z_end")])]),
            ("Kitchen", [("z_kitchen", [("z", "z_hello")]),
                         ("zp_kitchen", [("z", "z_idea"), ("p", "p_doubt")]),
                         ("p_kitchen", [("p", "p_end")])]),
            ("Office", [("z_office", [("z", "z_hello")]),
                        ("p_office", [("p", "p_hello")]),
                        ("zp_office", [("z", "z_idea"), ("p", "p_end")])]),
            ("Beach", [("zp_beach", [("z", "z_hello"), ("p", "p_hello")]),
                       ("z_beach", [("z", "z_idea")]),
                       ("p_beach", [("p", "p_end")])]),
            ("Evening", [("z_evening", [("z", "z_idea")]),
                         ("p_evening", [("p", "p_doubt")]),
                         ("zp_evening", [("z", "z_end"), ("p", "p_end")])]),
            ("Mixed", [("p_park", [("p", "p_hello")]),
                       ("z_kitchen", [("z", "z_idea")]),
                       ("zp_office", [("z", "z_end"), ("p", "p_end")])]),
        ],
    ),
    "pellow_days.txt": (
        "Pellow's days: random strips about Zorbel's friend.",
        [
            ("Poet", [("p_park", [("p", "p_mood")]),
                      ("zp_park", [("z", "z_cheer"), ("p", "p_poem")]),
                      ("p_park", [("p", "p_last")])]),
            ("Reading", [("p_kitchen", [("p", "p_mood")]),
                         ("z_kitchen", [("z", "z_cheer")]),
                         ("zp_kitchen", [("z", "z_react"), ("p", "p_poem")])]),
            ("Shore", [("p_beach", [("p", "p_poem")]),
                       ("z_beach", [("z", "z_react")]),
                       ("p_beach", [("p", "p_last")])]),
            ("Dusk", [("zp_evening", [("z", "z_cheer"), ("p", "p_mood")]),
                      ("p_evening", [("p", "p_poem")]),
                      ("z_evening", [("z", "z_react")])]),
            ("Desk", [("p_office", [("p", "p_mood")]),
                      ("zp_office", [("z", "z_cheer"), ("p", "p_poem")]),
                      ("p_office", [("p", "p_last")])]),
        ],
    ),
}

# Custom strips: fixed pictures and texts. (name, [(picture, [(role, text)])])
CUSTOM_TEMPLATES = {
    "zb_classics.txt": (
        "Zorbel classics: strips with fixed pictures and words.",
        [
            ("Rocket", [("zorbel_office", [("n", "Monday."), ("z", "Today I build\\a rocket.")]),
                        ("both_office", [("z", "Out of\\spoons!"), ("p", "Of course.")]),
                        ("zorbel_park_happy", [("z", "Ten, nine...\\I forget\\the rest.")])]),
            ("Moon Pie", [("both_kitchen", [("z", "I baked a\\moon pie."), ("p", "It's glowing.")]),
                          ("zorbel_kitchen_happy", [("z", "It's meant\\to do that.")]),
                          ("pellow_kitchen_shock", [("p", "Now my beak\\is glowing\\too.")])]),
            ("Swim", [("zorbel_beach", [("z", "The sea is\\so big!")]),
                      ("pellow_beach", [("p", "And so wet.")]),
                      ("both_beach", [("z", "Let's swim!"), ("p", "Birds float.\\You go.")])]),
            ("Stars", [("zorbel_evening", [("z", "I can see\\my house!")]),
                       ("pellow_evening", [("p", "Which star?")]),
                       ("both_evening", [("z", "The blue one."), ("p", "That's a\\street lamp.")])]),
            ("Nap", [("pellow_park_happy", [("p", "Zzz...")]),
                     ("zorbel_park_shock", [("z", "Pellow!\\Wake up!")]),
                     ("pellow_park_grump", [("p", "I was\\awake.")])]),
        ],
    ),
    "pellow_classics.txt": (
        "Pellow classics: strips with fixed pictures and words.",
        [
            ("Poem", [("pellow_kitchen_happy", [("p", "I wrote you\\a poem.")]),
                      ("zorbel_kitchen_happy", [("z", "Read it!")]),
                      ("pellow_kitchen_happy", [("p", "Zorbel.\\The end.")])]),
            ("Umbrella", [("both_beach", [("z", "Nice hat!"), ("p", "It's an\\umbrella.")]),
                          ("pellow_beach", [("p", ".")]),
                          ("zorbel_beach", [("z", "Nice\\umbrella hat!")])]),
            ("Worm", [("pellow_park_happy", [("p", "I have a\\new pet.")]),
                      ("zorbel_park_happy", [("z", "Where?")]),
                      ("pellow_park_grump", [("p", "He's shy.")])]),
            ("Meeting", [("both_office", [("z", "Welcome to\\the meeting."), ("p", "I brought\\snacks.")]),
                         ("pellow_office", [("p", "Meeting over.")]),
                         ("zorbel_office", [("z", "Best meeting\\ever.")])]),
            ("Sunset", [("both_evening", [("z", "Pretty sunset."), ("p", "I ordered it\\in orange.")]),
                        ("zorbel_evening", [("z", "Nice choice.")]),
                        ("pellow_evening", [("p", "Thank you.\\It's my job.")])]),
        ],
    ),
}


def picture_layout(stem):
    for layout, pics in PICTURES.items():
        for s, _ in pics:
            if s == stem:
                return layout
    raise KeyError(stem)


def estimated_width(line, size):
    # Bold rounded lettering at double size, halved: generous per character.
    return int(len(line) * (size + 4) * 0.72) + 4


def check_box(layout, box, text):
    """Refuses a box whose text could leave its panel."""
    x, y, tx, ty, size = box
    width = LAYOUTS[layout][1]
    lines = text.split("\\")
    bottom = y + 16 * (len(lines) - 1) + 2 * size + 8
    assert bottom < PANEL_HEIGHT, (layout, text)
    for line in lines:
        assert estimated_width(line, size) <= width - 10, (layout, line)
    assert ty >= PANEL_HEIGHT or tx < width - 3, (layout, box)


def box_lines(layout, role, category, comment, under=False):
    b = boxes_for(layout, role, under)
    tag = {"z": "Zorbel", "p": "Pellow", "n": "narration"}[role]
    return [
        f"{b[0]:<6}# text x" + (f" ({tag}{comment})" if comment else f" ({tag})"),
        f"{b[1]:<6}# text y",
        f"{b[2]:<6}# tail x",
        f"{b[3]:<6}# tail y" + ("  (below the strip: no tail)" if b[3] >= PANEL_HEIGHT else ""),
        f"{b[4]:<6}# text size",
        category,
    ]


def random_template(title, strips):
    out = [f"# {title}", "# Made by tools/make_sample_data.py.", "#",
           "# A strip: [cartoon Name], then three panels. A panel: its picture",
           "# category, its text boxes (text x, text y, tail x, tail y, size, text",
           "# category; positions within the panel), then \"end\".", ""]
    used_pics, used_texts = [], []
    for name, panels in strips:
        out.append(f"[cartoon {name}]")
        for layout, boxes in panels:
            out.append(f"{layout:<16}# picture")
            if layout not in used_pics:
                used_pics.append(layout)
            for role, cat in boxes:
                for t in TEXTS[cat]:
                    if t != ".":
                        check_box(layout, boxes_for(layout, role), t)
                out += box_lines(layout, role, cat, "")
                if cat not in used_texts:
                    used_texts.append(cat)
            out.append("end")
        out.append("")
    out.append("# Pictures")
    for layout in used_pics:
        out.append(f"[{layout}]")
        out += [f"{s}.pcx" for s, _ in PICTURES[layout]]
        out += ["end", ""]
    out.append("# Speech")
    for cat in used_texts:
        out.append(f"[{cat}]")
        out += TEXTS[cat]
        out += ["end", ""]
    return "\r\n".join(out) + "\r\n"


def custom_template(title, strips):
    out = [f"# {title}", "# Made by tools/make_sample_data.py.", ""]
    cats = []  # (name, entries)
    pics = []
    for si, (name, panels) in enumerate(strips):
        out.append(f"[cartoon {name}]")
        for pi, (stem, boxes) in enumerate(panels):
            layout = picture_layout(stem)
            out.append(stem)
            if stem not in pics:
                pics.append(stem)
            under = any(r == "n" for r, _ in boxes)
            for bi, (role, t) in enumerate(boxes):
                if t == ".":
                    cat = "quiet"
                    if ("quiet", ["."]) not in cats:
                        cats.append(("quiet", ["."]))
                else:
                    check_box(layout, boxes_for(layout, role, under), t)
                    cat = f"s{si + 1}p{pi + 1}{'abc'[bi]}"
                    cats.append((cat, [t]))
                out += box_lines(layout, role, cat, "", under)
            out.append("end")
        out.append("")
    for stem in pics:
        out += [f"[{stem}]", f"{stem}.pcx", "end"]
    out.append("")
    for cat, entries in cats:
        out += [f"[{cat}]"] + entries + ["end"]
    return "\r\n".join(out) + "\r\n"


COMICS_INI = """\
# Zorbel sample catalogue.
# Outside double quotes every line is read in lower case; "#" starts a
# comment. Section words stand alone on their line.

zb                          # the series
random                      # strips made up from templates
zb_daily.txt
custom                      # strips with fixed words
zb_classics.txt
official                    # finished comics, drawn whole
zb_comic1.pcx
zb_comic2.bmp

Pellow                      # Zorbel's friend; capitals are fine here
random
pellow_days.txt
custom
pellow_classics.txt
official
pellow_comic1.pcx
pellow_comic2.bmp

popup
# picture, sound, "caption"
popup_zorbel.pcx    zorbel_hello.wav    "Hello from Zorbel!"
popup_pellow.bmp    pellow_tweet.wav    "Tweet tweet!"
# picture, "caption"
popup_peek.pcx      "Is it over yet?"
# picture only
popup_both.pcx
"""


# --- finished comics, popups, logo, error picture ------------------------------

COMICS = {
    "zb_comic1.pcx": ("ZORBEL", [
        ("zorbel_park_happy", [("z", ["HELLO,", "GRASS!"])]),
        ("both_park_happy", [("p", ["IT CAN'T", "HEAR YOU."])]),
        ("zorbel_park_grump", [("z", ["IT'S JUST", "SHY."])]),
    ]),
    "zb_comic2.bmp": ("ZORBEL", [
        ("zorbel_kitchen_happy", [("z", ["I MADE", "SOUP!"])]),
        ("pellow_kitchen_shock", [("p", ["IT'S", "MOVING!"])]),
        ("zorbel_kitchen_grump", [("z", ["IT'S", "FRESH."])]),
    ]),
    "pellow_comic1.pcx": ("PELLOW", [
        ("pellow_beach", [("p", ["SAND IN", "MY FEATHERS."])]),
        ("zorbel_beach", [("z", ["SHAKE IT", "OFF!"])]),
        ("both_beach", [("p", ["NOW IT'S", "IN YOURS."])]),
    ]),
    "pellow_comic2.bmp": ("PELLOW", [
        ("pellow_evening", [("p", ["GOOD NIGHT,", "SUN."])]),
        ("zorbel_evening", [("z", ["IT WAVED!"])]),
        ("both_evening", [("z", ["REALLY!"]), ("p", ["SURE."])]),
    ]),
}


def all_panels():
    out = {}
    seed = 1
    for layout, pics in PICTURES.items():
        for stem, moods in pics:
            out[stem] = draw_panel(layout, moods, seed)
            seed += 1
    return out


def draw_comic(title, panels, drawn):
    gap, margin, head = 10, 12, 44
    width = sum(drawn[s][0].width for s, _ in panels) + gap * 2 + margin * 2
    cv = art.Canvas(width, PANEL_HEIGHT + head + margin, (250, 248, 240))
    art.text(cv, margin, 10, title, 4, (40, 60, 140))
    x = margin
    for stem, says in panels:
        pic, points = drawn[stem]
        sub = art.Canvas(pic.width, pic.height)
        sub.px[:] = pic.px
        for i, (who, lines) in enumerate(says):
            px, py = points[who]
            cx = min(max(px, 70), pic.width - 70)
            art.balloon(sub, cx, 44 + 56 * i, lines, 2, (px, py))
        cv.rect(x - 2, head - 2, x + pic.width + 2, head + pic.height + 2, art.OUTLINE)
        cv.paste(sub, x, head)
        x += pic.width + gap
    return cv


def spotlight(w, h, colour):
    cv = art.Canvas(w, h, art.BLACK)
    art.ellipse(cv, w // 2, h - 80, w // 2 - 4, 110, colour, 0)
    return cv


def draw_popups():
    z = spotlight(180, 230, (60, 70, 140))
    art.zorbel(z, 90, 226, 1, "happy")
    p = spotlight(170, 170, (120, 60, 110))
    art.pellow(p, 85, 166, -1, "happy")
    peek = art.Canvas(150, 120, art.BLACK)
    art.zorbel(peek, 75, 260, -1, "shock")
    both = spotlight(260, 230, (50, 110, 90))
    art.zorbel(both, 80, 226, 1, "happy")
    art.pellow(both, 190, 226, -1, "shock")
    return {"popup_zorbel.pcx": z, "popup_pellow.bmp": p, "popup_peek.pcx": peek,
            "popup_both.pcx": both}


def draw_logo():
    cv = art.Canvas(278, 180, (24, 30, 70))
    rnd = art.Lcg(42)
    for _ in range(40):
        cv.put(rnd.next(278), rnd.next(180), (230, 230, 255))
    for dx, dy, c in ((4, 4, art.BLACK), (0, 0, (255, 214, 60))):
        art.text(cv, 24 + dx, 20 + dy, "ZB", 11, c)
    art.zorbel(cv, 216, 250, -1, "happy")
    art.text(cv, 22, 132, "ZORBEL", 5, (240, 240, 250))
    return cv


def draw_error():
    cv = art.Canvas(220, 160, (250, 226, 220))
    art.box(cv, 4, 4, 216, 156, (250, 226, 220), line=3)
    art.zorbel(cv, 64, 290, 1, "shock")
    art.text(cv, 124, 40, "OOPS", 3, (190, 30, 40))
    art.text(cv, 150, 80, "!", 6, (190, 30, 40))
    return cv


SOUNDS = {
    "zorbel_hello.wav": ("Hello from Zorbel!", 70, 160, "pitch 300"),
    "pellow_tweet.wav": ("Tweet tweet!", 99, 190, "pitch 700"),
}


def make_sound(text, pitch, speed, effect):
    if not shutil.which("espeak-ng") or not shutil.which("sox"):
        return None
    with tempfile.TemporaryDirectory() as tmp:
        raw, out = os.path.join(tmp, "raw.wav"), os.path.join(tmp, "out.wav")
        subprocess.run(["espeak-ng", "-v", "en", "-p", str(pitch), "-s", str(speed), "-w", raw, text],
                       check=True)
        subprocess.run(["sox", "-D", raw, "-r", "22050", "-b", "16", "-c", "1", out]
                       + effect.split() + ["fade", "0", "-0", "0.05"], check=True)
        with open(out, "rb") as f:
            return f.read()


# --- output with ownership ------------------------------------------------------


def sha(data):
    return hashlib.sha256(data).hexdigest()


def read_manifest():
    owned = {}
    if os.path.exists(MANIFEST):
        with open(MANIFEST) as f:
            for line in f:
                line = line.strip()
                if line and not line.startswith("#"):
                    digest, name = line.split(None, 1)
                    owned[name] = digest
    return owned


class Output:
    def __init__(self, out, force, check):
        self.out, self.force, self.check = out, force, check
        self.owned = read_manifest()
        self.new = {}
        self.changed = []

    def emit(self, name, data):
        path = os.path.join(self.out, name)
        if isinstance(data, str):
            data = data.encode("ascii")
        digest = sha(data)
        if os.path.exists(path):
            with open(path, "rb") as f:
                current = sha(f.read())
            if current == digest:
                self.new[name] = digest
                return
            if not self.force and self.owned.get(name) != current:
                why = "changed by hand" if name in self.owned else "not made by this script"
                print(f"{name}: {why}; left alone (--force replaces it)", file=sys.stderr)
                if name in self.owned:
                    self.new[name] = self.owned[name]
                return
        self.changed.append(name)
        self.new[name] = digest
        if not self.check:
            with open(path, "wb") as f:
                f.write(data)

    def keep(self, name):
        """A file this run cannot make (a missing tool): keep what is owned."""
        if name in self.owned:
            self.new[name] = self.owned[name]
        print(f"{name}: espeak-ng or sox missing; kept as it is", file=sys.stderr)

    def finish(self):
        if self.check:
            return
        with open(MANIFEST, "w") as f:
            f.write("# Files of data/sample made by tools/make_sample_data.py, with their\n")
            f.write("# SHA-256. A file whose hash differs was edited and is left alone.\n")
            for name in sorted(self.new):
                f.write(f"{self.new[name]}  {name}\n")


def main():
    ap = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    ap.add_argument("--force", action="store_true", help="replace files edited by hand")
    ap.add_argument("--check", action="store_true", help="write nothing; fail if out of date")
    ap.add_argument("--out", default=DEFAULT_OUT)
    args = ap.parse_args()
    os.makedirs(args.out, exist_ok=True)
    out = Output(args.out, args.force, args.check)

    drawn = all_panels()
    for stem, (cv, _) in drawn.items():
        out.emit(stem + ".pcx", art.pcx_bytes(cv))
    for name, (title, strips) in RANDOM_TEMPLATES.items():
        out.emit(name, random_template(title, strips))
    for name, (title, strips) in CUSTOM_TEMPLATES.items():
        out.emit(name, custom_template(title, strips))
    for name, (title, panels) in COMICS.items():
        cv = draw_comic(title, panels, drawn)
        out.emit(name, art.pcx_bytes(cv) if name.endswith(".pcx") else art.bmp_bytes(cv))
    for name, cv in draw_popups().items():
        out.emit(name, art.pcx_bytes(cv) if name.endswith(".pcx") else art.bmp_bytes(cv))
    out.emit("ZBLogo.pcx", art.pcx_bytes(draw_logo()))
    out.emit("error.pcx", art.pcx_bytes(draw_error()))
    out.emit("comics.ini", COMICS_INI.replace("\n", "\r\n"))
    for name, recipe in SOUNDS.items():
        data = make_sound(*recipe)
        if data is None:
            out.keep(name)
        else:
            out.emit(name, data)
    out.finish()
    verb = "would change" if args.check else "written"
    print(f"{len(out.changed)} file(s) {verb} in {os.path.relpath(args.out, ROOT)}", file=sys.stderr)
    return 1 if args.check and out.changed else 0


if __name__ == "__main__":
    sys.exit(main())
