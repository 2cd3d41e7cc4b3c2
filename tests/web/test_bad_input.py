"""Bad input never stops the page: a missing picture and one too large for
memory give the error display and the savers' log lines, a hostile folder
(tests/e2e/hostile_folder.py) is shown for hundreds of steps with its log,
a folder without comics.ini is said to be one, and a browser without
WebAssembly gets one clear sentence."""
import os
import shutil
import struct
import subprocess
import sys
import tempfile
import unittest

import browser

HERE = os.path.dirname(__file__)
E2E = os.path.join(HERE, "..", "e2e")
SAMPLE = os.path.join(HERE, "..", "..", "data", "sample")
QUIET = {"Time Delay": 0, "Use Toasty": 0, "Display Logo": 0}


def huge_pcx(path):
    """A PCX header of 40000 x 40000 pixels: 4.8 GB that no page has."""
    header = bytearray(128)
    header[0:4] = bytes([10, 5, 1, 8])
    struct.pack_into("<HHHH", header, 4, 0, 0, 39999, 39999)
    header[65] = 3
    struct.pack_into("<Hh", header, 66, 40000, 1)
    with open(path, "wb") as f:
        f.write(bytes(header) + b"\x00" * 64)


class BadInputTest(unittest.TestCase):
    def setUp(self):
        self.tmp = tempfile.mkdtemp(prefix="zorbel-web-bad-")

    def tearDown(self):
        shutil.rmtree(self.tmp)

    def folder(self, name, catalogue, *files):
        path = os.path.join(self.tmp, name)
        os.mkdir(path)
        shutil.copy(os.path.join(SAMPLE, "error.pcx"), path)
        for f in files:
            shutil.copy(os.path.join(SAMPLE, f), path)
        if catalogue is not None:
            with open(os.path.join(path, "comics.ini"), "w") as f:
                f.write(catalogue)
        return path

    def alive(self, page):
        steps = page.steps()
        page.key("\ue006")
        return page.poll("return zorbelPage.show.steps > arguments[0]", 5, steps)

    def test_bad_folders(self):
        missing = self.folder("missing", "zb\nofficial\nmissing.pcx\n")
        huge = self.folder("huge", "zb\nofficial\nhuge.pcx\n")
        huge_pcx(os.path.join(huge, "huge.pcx"))
        bare = self.folder("bare", None, "zb_comic1.pcx")
        hostile = os.path.join(self.tmp, "hostile")
        os.mkdir(hostile)
        subprocess.run([sys.executable, os.path.join(E2E, "hostile_folder.py"), hostile], check=True)
        with open(os.path.join(E2E, "hostile_words.txt")) as f:
            words = [w.rstrip("\n") for w in f if w.strip()]

        with browser.Page("seed=3&size=1024x768") as page:
            self.assertTrue(page.ready())
            page.js("localStorage.setItem('zorbel.settings', JSON.stringify(arguments[0]))", QUIET)

            for folder, line in ((missing, "missing.pcx: Unable to open file"), (huge, "huge.pcx: ")):
                self.assertTrue(page.pick_folder(folder))
                w, h, rgba = page.canvas()
                self.assertIsNotNone(browser.bbox(w, h, rgba), f"{folder}: no error display")
                self.assertIn(line, page.log())
                self.assertTrue(self.alive(page))

            self.assertTrue(page.pick_folder(bare))
            self.assertIn("no comics.ini", page.js("return document.getElementById('message').textContent"))
            w, h, rgba = page.canvas()
            self.assertIsNotNone(browser.bbox(w, h, rgba), "no error display without comics.ini")
            self.assertIn("comics.ini: Unable to open file", page.log())

            page.js("localStorage.setItem('zorbel.settings', JSON.stringify(arguments[0]))",
                    {"Time Delay": 0, "Use Sound": 1, "Per Toasty": 4, "Logo Frames": 5, "Per Random": 6})
            page.driver.find_element("id", "screen").click()  # sounds on
            self.assertTrue(page.pick_folder(hostile))
            page.js("for (let i = 0; i < 300; i++) zorbelPage.show.next()")
            self.assertTrue(self.alive(page), "the page stopped on the hostile folder")
            log = page.log()
            for line in words:
                self.assertIn(line, log)
            self.assertEqual(page.errors(), [])

    def test_no_webassembly(self):
        with browser.Page(wasm=False) as page:
            page.ready()
            text = page.js("return document.getElementById('message').hidden ? '' :"
                           " document.getElementById('message').textContent")
            self.assertIn("WebAssembly", text)


if __name__ == "__main__":
    unittest.main()
