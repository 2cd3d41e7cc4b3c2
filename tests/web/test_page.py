"""The page plays the show: the first item on a black canvas that fills
the window, Return brings the next, no errors in the console."""
import unittest

import browser


class PageTest(unittest.TestCase):
    def test_first_item_and_return(self):
        with browser.Page("seed=7") as page:
            self.assertTrue(page.ready(), "the page did not start")
            size = page.js("return [innerWidth * devicePixelRatio, innerHeight * devicePixelRatio,"
                           " zorbelPage.show.canvas.width, zorbelPage.show.canvas.height]")
            self.assertEqual(size[:2], size[2:], "the canvas does not fill the window")
            w, h, first = page.canvas()
            self.assertIsNotNone(browser.bbox(w, h, first), "nothing on the canvas")
            steps = page.steps()
            page.driver.find_element("tag name", "body").send_keys("\ue006")  # Return
            self.assertTrue(page.poll("return zorbelPage.show.steps > arguments[0]", 5, steps),
                            "Return brought no item")
            self.assertEqual(page.errors(), [])


if __name__ == "__main__":
    unittest.main()
