"""The web page in a real headless Chromium, served from 127.0.0.1 by a
server the test starts: the browser tests' one starter.

ZORBEL_WEB_PAGE names the page's folder (the web tree's page/ or dist/web).
"""
import base64
import json
import os
import shutil
import sys
import tempfile
import time

sys.path.insert(0, os.path.join(os.path.dirname(__file__), "..", "..", "scripts"))
import web_server  # noqa: E402

from selenium import webdriver  # noqa: E402
from selenium.webdriver.chrome.service import Service  # noqa: E402

PAGE = os.environ.get("ZORBEL_WEB_PAGE", "")


class Page:
    """One browser on the page; query=extra URL parameters (seed, size)."""

    def __init__(self, query="", width=1024, height=768, page=PAGE, wasm=True):
        if not os.path.isfile(os.path.join(page, "index.html")):
            raise SystemExit(f"no page at {page!r} (ZORBEL_WEB_PAGE)")
        self.server = web_server.start(page)
        self.profile = tempfile.mkdtemp(prefix="zorbel-chromium-")
        self.downloads = os.path.join(self.profile, "downloads")
        os.mkdir(self.downloads)
        options = webdriver.ChromeOptions()
        options.binary_location = "/usr/bin/chromium"
        for flag in ("--headless", "--no-sandbox", "--disable-gpu", "--disable-background-networking",
                     "--disable-component-update", "--disable-sync", "--no-first-run",
                     "--force-device-scale-factor=1", f"--window-size={width},{height}",
                     f"--user-data-dir={self.profile}"):
            options.add_argument(flag)
        options.set_capability("goog:loggingPrefs", {"browser": "ALL"})
        options.add_experimental_option("prefs", {"download.default_directory": self.downloads})
        self.driver = webdriver.Chrome(service=Service("/usr/bin/chromedriver"), options=options)
        self.driver.execute_cdp_cmd("Page.setDownloadBehavior", {"behavior": "allow", "downloadPath": self.downloads})
        if not wasm:  # a browser without WebAssembly
            self.driver.execute_cdp_cmd("Page.addScriptToEvaluateOnNewDocument",
                                        {"source": "delete window.WebAssembly;"})
        self.url = f"http://127.0.0.1:{self.server.server_port}/" + (f"?{query}" if query else "")
        self.driver.get(self.url)

    def __enter__(self):
        return self

    def __exit__(self, *exc):
        self.close()

    def close(self):
        try:
            self.driver.quit()
        finally:
            self.server.shutdown()
            self.server.server_close()
            shutil.rmtree(self.profile, ignore_errors=True)

    def js(self, script, *args):
        return self.driver.execute_script(script, *args)

    def ready(self, timeout=20):
        """Waits for the first item; False when the page did not start."""
        self.driver.set_script_timeout(timeout)
        return self.driver.execute_async_script(
            "const done = arguments[0];"
            "zorbelPage.ready.then(() => done(true), () => done(false));")

    def poll(self, script, timeout=10, *args):
        """The script's value once it is true, else None after timeout."""
        end = time.time() + timeout
        while time.time() < end:
            value = self.js(script, *args)
            if value:
                return value
            time.sleep(0.05)
        return None

    def steps(self):
        return self.js("return zorbelPage.show.steps")

    def canvas(self):
        """(width, height, RGBA bytes) of the canvas."""
        w, h, data = self.js(
            "const c = zorbelPage.show.canvas;"
            "const d = c.getContext('2d').getImageData(0, 0, c.width, c.height).data;"
            "let s = ''; for (let i = 0; i < d.length; i += 0x8000)"
            "  s += String.fromCharCode.apply(null, d.subarray(i, i + 0x8000));"
            "return [c.width, c.height, btoa(s)];")
        return w, h, base64.b64decode(data)

    def errors(self):
        """The console's messages at level SEVERE."""
        return [e["message"] for e in self.driver.get_log("browser") if e["level"] == "SEVERE"]

    def write_folder(self, path, files):
        """Puts files ({name: bytes}) into the wasm file system at path."""
        payload = {name: base64.b64encode(data).decode() for name, data in files.items()}
        self.js("const files = Object.entries(JSON.parse(arguments[1])).map(([path, b]) =>"
                "  ({path, data: Uint8Array.from(atob(b), (c) => c.charCodeAt(0))}));"
                "zorbelPage.zorbel.writeFolder(arguments[0], files);", path, json.dumps(payload))

    def log(self):
        return self.js("return zorbelPage.zorbel.logText()")

    def key(self, key):
        self.driver.find_element("tag name", "body").send_keys(key)

    def pick_folder(self, folder):
        """Picks a folder through the page's folder input, as a user does."""
        steps = self.steps()
        self.driver.find_element("id", "folder").send_keys(folder)
        return self.poll("return zorbelPage.show.steps > arguments[0]", 10, steps)

    def downloaded(self, name, timeout=10):
        """The path of a finished download, or None."""
        path = os.path.join(self.downloads, name)
        end = time.time() + timeout
        while time.time() < end:
            if os.path.isfile(path) and os.path.getsize(path) > 0:
                return path
            time.sleep(0.05)
        return None


def black_outside(width, height, rgba, box):
    """Whether every pixel outside box (x, y, w, h) is black."""
    x0, y0, w, h = box
    for y in range(height):
        row = rgba[4 * width * y: 4 * width * (y + 1)]
        if y < y0 or y >= y0 + h:
            if any(row[i] or row[i + 1] or row[i + 2] for i in range(0, len(row), 4)):
                return False
            continue
        for x in list(range(0, x0)) + list(range(x0 + w, width)):
            if row[4 * x] or row[4 * x + 1] or row[4 * x + 2]:
                return False
    return True


def bbox(width, height, rgba):
    """(x, y, w, h) of the pixels that are not black, or None."""
    xs, ys = [], []
    for y in range(height):
        row = memoryview(rgba)[4 * width * y: 4 * width * (y + 1)]
        lit = [x for x in range(width) if row[4 * x] or row[4 * x + 1] or row[4 * x + 2]]
        if lit:
            xs += (lit[0], lit[-1])
            ys.append(y)
    if not ys:
        return None
    return min(xs), ys[0], max(xs) - min(xs) + 1, ys[-1] - ys[0] + 1
