"""The page plays the show: the first item on a black canvas that fills
the window at device pixels and follows its size, Return brings the next
item, F goes full screen, a setting changed in the panel stays in the
browser, and no errors reach the console."""
import unittest

import browser

CANVAS_FILLS = ("const c = zorbelPage.show.canvas;"
                "return c.width === Math.round(innerWidth * devicePixelRatio)"
                " && c.height === Math.round(innerHeight * devicePixelRatio)")


class PageTest(unittest.TestCase):
    def test_show_keys_size_and_settings(self):
        with browser.Page("seed=7") as page:
            self.assertTrue(page.ready(), "the page did not start")
            self.assertTrue(page.js(CANVAS_FILLS), "the canvas does not fill the window")
            w, h, first = page.canvas()
            self.assertIsNotNone(browser.bbox(w, h, first), "nothing on the canvas")

            steps = page.steps()
            page.key("\ue006")  # Return
            self.assertTrue(page.poll("return zorbelPage.show.steps > arguments[0]", 5, steps),
                            "Return brought no item")
            steps = page.steps()
            page.key("\ue014")  # the right arrow
            self.assertTrue(page.poll("return zorbelPage.show.steps > arguments[0]", 5, steps))

            # A smaller window: the canvas follows and the next item comes.
            steps = page.steps()
            page.driver.set_window_size(800, 600)
            self.assertTrue(page.poll(CANVAS_FILLS + " && zorbelPage.show.steps > arguments[0]", 5, steps),
                            "the canvas did not follow the window")

            page.key("f")
            self.assertTrue(page.poll("return document.fullscreenElement !== null", 5), "F: no full screen")

            # Time Delay in the panel: kept over a reload.
            page.driver.find_element("id", "open-settings").click()
            field = page.driver.find_element("id", "setting-Time-Delay")
            field.clear()
            field.send_keys("7\n")
            page.js("arguments[0].dispatchEvent(new Event('change'))", field)
            page.driver.refresh()
            self.assertTrue(page.ready())
            self.assertEqual(page.js("return zorbelPage.show.get('Time Delay')"), 7)
            self.assertEqual(page.errors(), [])


if __name__ == "__main__":
    unittest.main()
