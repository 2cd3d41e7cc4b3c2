"""The page draws what the Linux saver draws for the same seed and size: a
finished comic pixel for pixel, and a strip whose pictures are exact and
whose speech text stands in the same place (its raster may differ)."""
import os
import shutil
import sys
import tempfile
import unittest

import browser
import linux_saver

E2E = os.path.join(os.path.dirname(__file__), "..", "e2e")
sys.path.insert(0, E2E)
import zpcx  # noqa: E402

W, H = 1024, 768
SETTINGS = {"Time Delay": 0, "Use Toasty": 0, "Display Logo": 0}
SAMPLE = os.path.join(os.path.dirname(__file__), "..", "..", "data", "sample")


def rgb_of(rgba):
    out = bytearray(len(rgba) // 4 * 3)
    for c in range(3):
        out[c::3] = rgba[c::4]
    return bytes(out)


def opaque(rgb):
    out = bytearray(len(rgb) // 3 * 4)
    for c in range(3):
        out[c::4] = rgb[c::3]
    return bytes(out)


def differing(a, b, width):
    """(x, y) of the pixels where two RGB screens differ."""
    return [(i // 3 % width, i // 3 // width) for i in range(0, len(a), 3) if a[i:i + 3] != b[i:i + 3]]


class SameAsLinuxTest(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        cls.folder = tempfile.mkdtemp(prefix="zorbel-web-same-")
        for name in os.listdir(SAMPLE):
            shutil.copy(os.path.join(SAMPLE, name), cls.folder)
        for n, red in ((1, 200), (2, 180), (3, 160)):
            zpcx.write(os.path.join(cls.folder, f"p{n}.pcx"), 250, 339, red, 0, 0, "pattern")
        # A strip whose first panel speaks in a box at 125, 30 (as the
        # Linux saver's own show test).
        shutil.copy(os.path.join(E2E, "talk_strip.txt"), os.path.join(cls.folder, "talk.txt"))

    @classmethod
    def tearDownClass(cls):
        shutil.rmtree(cls.folder)

    def both(self, catalogue, seed):
        with open(os.path.join(self.folder, "comics.ini"), "w") as f:
            f.write(catalogue)
        linux = linux_saver.first_item(self.folder, SETTINGS, seed, W, H)
        with browser.Page(f"seed={seed}&size={W}x{H}") as page:
            self.assertTrue(page.ready())
            files = {}
            for name in os.listdir(self.folder):
                with open(os.path.join(self.folder, name), "rb") as f:
                    files[name] = f.read()
            page.write_folder("/data/own", files)
            page.js("zorbelPage.play('/data/own', arguments[0])", SETTINGS)
            width, height, rgba = page.canvas()
            self.assertEqual((width, height), (W, H))
            self.assertEqual(page.errors(), [])
        return linux, rgb_of(rgba)

    def test_finished_comics(self):
        widths = set()
        for seed in (3, 4, 5, 6):
            linux, web = self.both("zb\nofficial\nzb_comic1.pcx\nzb_comic2.bmp\n", seed)
            widths.add(browser.bbox(W, H, opaque(linux))[2])
            self.assertEqual(differing(linux, web, W), [], f"seed {seed}: the comic differs")
            if len(widths) == 2:
                break
        self.assertEqual(widths, {844, 764}, "not both the PCX and the BMP comic were shown")

    def test_strip(self):
        linux, web = self.both("zb\nrandom\ntalk.txt\n", 7)
        box = browser.bbox(W, H, opaque(linux))
        self.assertEqual(box[2:], (770, 339), "no strip on the Linux saver's screen")
        x, y = box[:2]
        diff = differing(linux, web, W)
        # Only the first panel's speech text (above its bottom rows) differs.
        self.assertTrue(all(x <= dx < x + 250 and y <= dy < y + 300 for dx, dy in diff),
                        "pixels differ outside the first panel's speech text")
        # Both texts stand in the same box: the pixels darkened against the
        # panel picture span the same rectangle, give or take the raster.
        panel = bytes(v for py in range(339) for px in range(250) for v in zpcx.pixel("pattern", 200, 0, 0, px, py))

        def text_box(screen):
            points = [(px, py) for py in range(300) for px in range(250)
                      if screen[3 * ((y + py) * W + x + px):3 * ((y + py) * W + x + px) + 3]
                      != panel[3 * (py * 250 + px):3 * (py * 250 + px) + 3]]
            xs, ys = [p[0] for p in points], [p[1] for p in points]
            return min(xs), min(ys), max(xs), max(ys)

        linux_box, web_box = text_box(linux), text_box(web)
        for a, b in zip(linux_box, web_box):
            self.assertLessEqual(abs(a - b), 4, f"speech text at {web_box}, the Linux saver's at {linux_box}")


if __name__ == "__main__":
    unittest.main()
