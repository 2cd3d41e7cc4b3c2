#!/usr/bin/python3
"""Zorbel Studio in headless Chromium: the time from opening studio.html to
the studio ready (files, findings and the first strip shown), from a
keystroke in the editor to the new strip and findings (for a sample
template and for the 53 kB template of the start-up benchmark), and the
editor component's size gzip-compressed.

  bench/studio_bench.py [PAGE]     PAGE: the page's folder (dist/web)

Each keystroke is timed by the page from the editor's change to the end of
the frame that shows its strip and findings.
"""
import base64
import gzip
import json
import os
import statistics
import sys
import tempfile

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
sys.path.insert(0, os.path.join(ROOT, "tests", "web"))
sys.path.insert(0, os.path.join(ROOT, "bench"))
import browser  # noqa: E402
import saver_bench_data  # noqa: E402
from selenium.webdriver.common.by import By  # noqa: E402

PAGE = sys.argv[1] if len(sys.argv) > 1 else os.path.join(ROOT, "dist", "web")
LOADS = 5
KEYS = 20


def open_studio(page, address):
    # A query of its own, so that each opening loads the page anew.
    open_studio.count = getattr(open_studio, "count", 0) + 1
    page.driver.get(f"http://127.0.0.1:{page.server.server_port}/studio.html?open={open_studio.count}#{address}")
    if not page.poll("return document.body.dataset.ready === '1'", 30):
        sys.exit("the studio did not start: %s" % page.errors())
    return page.js("return zorbelStudio.readyAt")


def keystrokes(page, line):
    """Times KEYS keystrokes typed at the end of the line."""
    page.js("zorbelStudio.editor.goToLine(arguments[0]);"
            "const v = zorbelStudio.editor.view;"
            "v.dispatch({selection: {anchor: v.state.doc.line(arguments[0]).to}})", line)
    editor = page.driver.find_element(By.CSS_SELECTOR, ".cm-content")
    times = []
    for i in range(KEYS):
        count = page.js("return zorbelStudio.timings.length")
        editor.send_keys("x" if i % 2 == 0 else "\b")
        if not page.poll("return zorbelStudio.timings.length > arguments[0]", 10, count):
            sys.exit("no strip after a keystroke")
        times.append(page.js("return zorbelStudio.timings[zorbelStudio.timings.length - 1]"))
    return times


def figures(label, values):
    print("%-52s median %6.1f ms   max %6.1f ms   (%d)" %
          (label, statistics.median(values), max(values), len(values)))


def main():
    with open(os.path.join(PAGE, "studio-editor.js"), "rb") as f:
        editor = f.read()
    print("%-52s %6.1f kB (%.1f kB as it is)" %
          ("editor component, gzip -9", len(gzip.compress(editor, 9)) / 1000, len(editor) / 1000))
    page = browser.Page(width=1500, height=900, page=PAGE)
    try:
        ready = [open_studio(page, "template=zb_daily.txt&strip=Morning&seed=7") for _ in range(LOADS)]
        print("%-52s %6.1f ms" % ("page opened to studio ready, first load", ready[0]))
        figures("page opened to studio ready, again", ready[1:])
        # A text line of the first strip's texts.
        figures("keystroke to strip and findings, zb_daily.txt", keystrokes(page, 15))

        with tempfile.TemporaryDirectory() as folder:
            sys.argv = ["saver_bench_data.py", folder, "1"]
            saver_bench_data.main()
            files = {}
            for name in os.listdir(folder):
                with open(os.path.join(folder, name), "rb") as f:
                    files[name] = f.read()
        size = len(files["strips0000.txt"])
        load(page, files)
        page.js("openFile('strips0000.txt'); zorbelStudio.strip = 'strip1'; previewStrip()")
        figures("keystroke to strip and findings, %.0f kB template" % (size / 1000), keystrokes(page, 9))
        if page.errors():
            sys.exit("console errors: %s" % page.errors())
    finally:
        page.close()


def load(page, files):
    payload = {n: base64.b64encode(b).decode() for n, b in files.items()}
    page.js("useFolder(Object.entries(JSON.parse(arguments[0])).map(([name, b]) =>"
            " ({name, bytes: Uint8Array.from(atob(b), (c) => c.charCodeAt(0))})), 'bench')",
            json.dumps(payload))


if __name__ == "__main__":
    main()
