"""The page's controls: F1 downloads a PNG equal to the item on the canvas,
Return brings the next item, a folder of one's own is picked through the
folder input and shown at once, a popup's sound is asked for once the page
has been clicked, and the log downloads as error.log."""
import os
import subprocess
import tempfile
import unittest

import browser

SAMPLE = os.path.join(os.path.dirname(__file__), "..", "..", "data", "sample")


def png_rgb(path):
    out = subprocess.run(["convert", path, "-depth", "8", "rgb:-"], capture_output=True, check=True).stdout
    size = subprocess.run(["identify", "-format", "%w %h", path], capture_output=True, text=True).stdout
    return tuple(map(int, size.split())), out


class ControlsTest(unittest.TestCase):
    def test_keys_folder_and_sound(self):
        with browser.Page("seed=5&size=1024x768") as page, tempfile.TemporaryDirectory() as own:
            self.assertTrue(page.ready())
            self.assertTrue(page.js("return !document.getElementById('sound-note').hidden"),
                            "the page does not say that sound waits for a click")

            # F1: a PNG of the item, as the canvas shows it.
            page.js("zorbelPage.play('/data/sample', {'Time Delay': 0, 'Use Toasty': 0, 'Display Logo': 0})")
            w, h, rgba = page.canvas()
            x, y, bw, bh = browser.bbox(w, h, rgba)
            page.key("\ue031")  # F1
            shot = page.downloaded("shot0000.png")
            self.assertIsNotNone(shot, "F1 downloaded nothing")
            (sw, sh), png = png_rgb(shot)
            self.assertEqual((sw, sh), (bw, bh), "the PNG is not the item's size")
            item = bytearray()
            for row in range(y, y + bh):
                line = rgba[4 * (row * w + x):4 * (row * w + x + bw)]
                item += bytes(v for i, v in enumerate(line) if i % 4 != 3)
            self.assertEqual(png, bytes(item), "the PNG differs from the canvas")

            # Return: the next item.
            steps = page.steps()
            page.key("\ue006")
            self.assertTrue(page.poll("return zorbelPage.show.steps > arguments[0]", 5, steps))

            # A folder of one's own: one comic and a popup with a sound.
            subprocess.run(["cp", os.path.join(SAMPLE, "zb_comic1.pcx"), os.path.join(SAMPLE, "popup_zorbel.pcx"),
                            os.path.join(SAMPLE, "zorbel_hello.wav"), own], check=True)
            with open(os.path.join(own, "comics.ini"), "w") as f:
                f.write('zb\nofficial\nzb_comic1.pcx\npopup\npopup_zorbel.pcx zorbel_hello.wav "Hi!"\n')
            page.js("localStorage.setItem('zorbel.settings', JSON.stringify("
                    "{'Time Delay': 0, 'Use Toasty': 0, 'Display Logo': 0}))")
            self.assertTrue(page.pick_folder(own), "picking a folder started no show")
            w, h, rgba = page.canvas()
            self.assertEqual(browser.bbox(w, h, rgba)[2:], (844, 395), "the folder's comic is not shown")

            # Sound once the page was clicked: the popup's sound is played.
            page.driver.find_element("id", "screen").click()
            self.assertTrue(page.js("return zorbelPage.zorbel.soundOn"))
            self.assertTrue(page.js("return document.getElementById('sound-note').hidden"))
            page.js("zorbelPage.play('/data/own', {'Time Delay': 0, 'Use Toasty': 1, 'Per Toasty': 1,"
                    " 'Use Sound': 1, 'Display Logo': 0})")
            self.assertEqual(page.js("return zorbelPage.zorbel.sounds"), ["/data/own/zorbel_hello.wav"])

            # The log panel's button downloads error.log.
            page.driver.find_element("id", "open-log").click()
            page.driver.find_element("id", "download-log").click()
            log = page.downloaded("error.log")
            self.assertIsNotNone(log, "no error.log downloaded")
            with open(log, "rb") as f:
                self.assertIn(b"Log File", f.read())
            self.assertEqual(page.errors(), [])


if __name__ == "__main__":
    unittest.main()
