"""scripts/demo's part for the web page: the page (ZORBEL_WEB_PAGE) in
headless Chromium at 1024 x 768 on the sample data, Return for each next
item, the canvas of each saved as OUT/web-item01.png onwards.
Usage: web_demo.py OUT ITEMS"""
import base64
import os
import sys

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "tests", "web"))
import browser  # noqa: E402

out, items = sys.argv[1], int(sys.argv[2])
saved = 0
with browser.Page("size=1024x768") as page:
    if not page.ready():
        sys.exit("demo: the web page did not start")
    page.js("zorbelPage.play('/data/sample', {'Time Delay': 0})")
    for i in range(1, items + 1):
        png = page.js("return zorbelPage.show.canvas.toDataURL('image/png').split(',')[1]")
        with open(os.path.join(out, f"web-item{i:02d}.png"), "wb") as f:
            f.write(base64.b64decode(png))
        saved += 1
        if i < items:
            page.key("\ue006")  # Return
    with open(os.path.join(out, "web-error.log"), "w") as f:
        f.write(page.log())
print(f"demo: {saved} screenshot(s) of the web page in {os.path.relpath(out)}/ (web-item01.png ...)")
