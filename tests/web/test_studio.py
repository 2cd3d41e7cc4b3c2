"""Zorbel Studio (studio.html) in headless Chromium: typing a slip marks its
line and changes the strip, fixing it clears the finding; findings and
speech boxes lead to their lines; Save gives the savers' bytes; the
findings of the checker's fixture folders equal zorbel-check's."""
import base64
import json
import os
import re
import subprocess
import time
import unittest

from selenium.webdriver.common.action_chains import ActionChains
from selenium.webdriver.common.by import By
from selenium.webdriver.common.keys import Keys

import browser

SOURCE = os.environ.get("ZORBEL_SOURCE_DIR", os.path.join(os.path.dirname(__file__), "..", ".."))
SAVER = os.environ.get("ZORBEL_LINUX_SAVER", "")
# zorbel-check of the same checkout, beside the Linux saver's tree.
CHECKER = os.environ.get("ZORBEL_CHECK") or os.path.join(
    os.path.dirname(os.path.dirname(os.path.dirname(SAVER))), "zorbel-check")


class Studio:
    def __init__(self, page, address=""):
        self.page = page
        base = f"http://127.0.0.1:{self.page.server.server_port}/studio.html"
        self.page.driver.get(base + (f"#{address}" if address else ""))
        if not self.page.poll("return document.body.dataset.ready === '1'", 20):
            raise AssertionError("the studio did not start: " + str(self.page.errors()))
        self.js = self.page.js

    def close(self):
        self.js("zorbelStudio.edits.clear()")

    def findings(self, name=None):
        return self.js("return zorbelStudio.findings.filter((f) => !arguments[0] ||"
                       " f.file === arguments[0])", name)

    def strip(self):
        return self.js("return document.getElementById('strip').toDataURL()")

    def cursor_line(self):
        return self.js("return zorbelStudio.editor.cursorLine()")

    def type_at(self, line, text):
        """Selects the line in the editor and types text over it."""
        self.js("zorbelStudio.editor.goToLine(arguments[0])", line)
        self.page.driver.find_element(By.CSS_SELECTOR, ".cm-content").send_keys(text)

    def use_folder(self, files):
        payload = {n: base64.b64encode(b).decode() for n, b in files.items()}
        self.js("useFolder(Object.entries(JSON.parse(arguments[0])).map(([name, b]) =>"
                " ({name, bytes: Uint8Array.from(atob(b), (c) => c.charCodeAt(0))})), 'test')",
                json.dumps(payload))

    def saved(self, name, timeout=10):
        path = os.path.join(self.page.downloads, name)
        end = time.time() + timeout
        while time.time() < end:
            if os.path.exists(path) and not os.path.exists(path + ".crdownload"):
                with open(path, "rb") as f:
                    return f.read()
            time.sleep(0.05)
        return None


def folder(path):
    files = {}
    for name in sorted(os.listdir(path)):
        if os.path.isfile(os.path.join(path, name)):
            with open(os.path.join(path, name), "rb") as f:
                files[name] = f.read()
    return files


def comparable(text):
    # The speech width is measured with each checker's own font, and says so.
    text = re.sub(r"is \d+ pixels wide", "is N pixels wide", text)
    return re.sub(r" \((measured|estimated) [^()]*\)$", " (MEASURE)", text)


class StudioTest(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        cls.browser = browser.Page()

    @classmethod
    def tearDownClass(cls):
        cls.browser.close()

    def test_a_slip_typed_marked_and_fixed(self):
        studio = Studio(self.browser, "template=zb_daily.txt&strip=Morning&seed=7")
        try:
            self.assertEqual(studio.js("return zorbelStudio.open.name"), "zb_daily.txt")
            self.assertEqual(studio.findings("zb_daily.txt"), [])
            before = studio.strip()
            texts = studio.js("return zorbelStudio.lastPreview.boxes.map((b) => b.text)")
            self.assertEqual(len(texts), 4)

            # The text moved: another strip, nothing to find.
            studio.type_at(10, "60")
            self.assertTrue(studio.page.poll("return document.getElementById('strip').toDataURL()"
                                             " !== arguments[0]", 10, before))
            self.assertEqual(studio.findings(), [])

            # A text category that does not exist: one finding at its line,
            # and the generator's failure where the strip was.
            studio.type_at(15, "z_hullo")
            self.assertTrue(studio.page.poll(
                "return zorbelStudio.findings.some((f) => f.file === 'zb_daily.txt' && f.line === 15)"))
            self.assertEqual(len(studio.findings("zb_daily.txt")), 1, studio.findings())
            self.assertTrue(studio.js("return document.querySelector('.cm-lint-marker-error') !== null"))
            self.assertIn("Error #", studio.js("return document.getElementById('preview-error').textContent"))

            # Back as it was: no finding, the same strip.
            studio.type_at(15, "z_hello")
            studio.type_at(10, "125")
            self.assertTrue(studio.page.poll("return zorbelStudio.findings.length === 0"), studio.findings())
            self.assertEqual(studio.strip(), before)

            # A finding leads to its line; so does a speech box of the strip.
            studio.type_at(13, "x")
            self.assertTrue(studio.page.poll("return document.querySelector('#findings li') !== null"))
            studio.js("zorbelStudio.editor.goToLine(1)")
            line = studio.js("return zorbelStudio.findings[0].line")
            studio.page.driver.find_element(By.CSS_SELECTOR, "#findings li").click()
            self.assertEqual(studio.cursor_line(), line)
            studio.type_at(13, "108")
            box = studio.js("return zorbelStudio.lastPreview.boxes[1]")
            canvas = studio.page.driver.find_element(By.ID, "strip")
            scale = canvas.size["width"] / studio.js("return document.getElementById('strip').width")
            x, y, w, h = box["area"]
            ActionChains(studio.page.driver).move_to_element_with_offset(
                canvas, int((x + w / 2) * scale - canvas.size["width"] / 2),
                int((y + h / 2) * scale - canvas.size["height"] / 2)).click().perform()
            self.assertEqual(studio.cursor_line(), box["line"])
            self.assertGreater(box["line"], 0)
            self.assertIn(box["text"], studio.js("return zorbelStudio.editor.lineText(arguments[0])", box["line"]))
            self.assertEqual(studio.page.errors(), [])
        finally:
            studio.close()

    def test_save_gives_the_savers_bytes(self):
        studio = Studio(self.browser)
        try:
            original = b"[cartoon A]\r\nfirst\r\nend\r\n[first]\r\n# caf\xe9\r\nend\r\n"
            studio.use_folder({"comics.ini": b"random\r\nt.txt\r\n", "t.txt": original})
            studio.js("openFile('t.txt')")
            studio.js("saveDownload()")
            self.assertEqual(studio.saved("t.txt"), original)
            os.remove(os.path.join(studio.page.downloads, "t.txt"))
            studio.type_at(5, "# \u201ccaf\u00e9\u201d \u2713")
            studio.js("saveDownload()")
            self.assertEqual(studio.saved("t.txt"), original.replace(b"# caf\xe9", b"# \x93caf\xe9\x94 ?"))
            self.assertTrue(studio.js("return zorbelStudio.edits.size === 0"))
            self.assertEqual(studio.page.errors(), [])
        finally:
            studio.close()

    def test_the_checkers_findings(self):
        studio = Studio(self.browser)
        try:
            # Every folder of the shared slips list (tests/e2e/check_slips.sh).
            for name in ("authoring_slips", "authoring_shapes", "authoring_texts",
                         "authoring_looks"):
                path = os.path.join(SOURCE, "tests", "unit", name)
                # Only its printed findings count here, whatever a sanitizer says at exit.
                cli = subprocess.run([CHECKER, path], capture_output=True,
                                     env=dict(os.environ, ASAN_OPTIONS="detect_leaks=0")).stdout
                want = [comparable(line) for line in cli.decode("cp1252", errors="replace").splitlines()]
                studio.use_folder(folder(path))
                got = studio.js("return zorbelStudio.findings.map((f) =>"
                                " `${f.file}:${f.line}: ${f.severity}: ${f.message}`)"
                                " .concat([zorbelStudio.summary])")
                self.assertEqual([comparable(line) for line in got], want, name)
                measured = [g for g in got if re.search(r"is \d+ pixels wide in text size", g)]
                self.assertTrue(all("(measured with this page's font" in g for g in measured), measured)
            self.assertEqual(studio.page.errors(), [])
        finally:
            studio.close()

    def test_bad_input_keeps_the_studio_alive(self):
        studio = Studio(self.browser)
        try:
            long = "[cartoon Long]\nfirst\nend\nfirst\nend\nfirst\nend\n[first]\n" + \
                "".join("p%d.pcx\n" % i for i in range(10000)) + "end\n"
            binary = bytes(range(256)) * 40
            studio.use_folder({"comics.ini": b"random\nlong.txt\nbinary.txt\n",
                               "long.txt": long.encode(), "binary.txt": binary})
            self.assertTrue(studio.js("return zorbelStudio.findings.length > 0"))
            self.assertIn("Unable to load", studio.js(
                "return document.getElementById('preview-error').textContent"))
            studio.js("openFile('binary.txt')")
            self.assertTrue(any(f["file"] == "binary.txt" for f in studio.findings()))
            studio.js("openFile('long.txt')")
            studio.type_at(9, "p0.pcx")
            self.assertTrue(studio.page.poll("return zorbelStudio.edits.has('long.txt')"))
            self.assertEqual(studio.js("return zorbelStudio.editor.lineCount()"), 10010)
            self.assertEqual(studio.page.errors(), [])
        finally:
            studio.close()


if __name__ == "__main__":
    unittest.main()
