"""The web page in headless Chromium, served from build/web on 127.0.0.1: the troupe the address
names, the settings panel and what the browser keeps, bad addresses, full screen, the cries,
the page in its reader's language and the crisp bears of a high-density screen."""
import re
import time
import unittest

from selenium.webdriver.common.action_chains import ActionChains

from browser import Browser, Server
from harness import BEAR_PIXELS, poll
from languages import texts

# Every cry the page starts, counted where Web Audio starts it.
COUNT_CRIES = """
window.cries = 0;
const start = AudioBufferSourceNode.prototype.start;
AudioBufferSourceNode.prototype.start = function(...args) {
  window.cries += 1;
  return start.apply(this, args);
};
"""


def setUpModule():
    global server, browser
    server = Server()
    browser = Browser(init_script=COUNT_CRIES)


def tearDownModule():
    browser.close()
    server.close()


def load(query="", saved=None):
    """The page with the address's query, over the saved profile text (None: nothing saved)."""
    browser.driver.get(server.url + "index.html")
    browser.js("localStorage.clear(); if (arguments[0] !== null)"
               " localStorage.setItem('polkamoot/control.ini', arguments[0]);", saved)
    browser.driver.get_log("browser")
    browser.driver.get(server.url + query)


def profile(*colors):
    keys = ["Red", "Blue", "Green", "Yellow", "Magenta"]
    return "[ScreenSaver.Polkamoot]\r\n" + "".join(
        "%s=%d\r\n" % (key, key.lower() in colors) for key in keys)


def corner_button(name, shown=None):
    """The corner's buttons show while the pointer moves."""
    shown = shown or browser
    ActionChains(shown.driver).move_by_offset(3, 3).move_by_offset(-3, -3).perform()
    shown.driver.find_element("id", name).click()


def mouse(kind, x, y, clicks=0):
    """A mouse event at that point of the page, as the input device sends it."""
    browser.driver.execute_cdp_cmd("Input.dispatchMouseEvent", {
        "type": kind, "x": x, "y": y, "button": "left" if clicks else "none",
        "clickCount": clicks})


def page_on_screen():
    """Where the page's top left corner is on the screen."""
    return browser.js("return [screenX, screenY + outerHeight - innerHeight]")


def full_screen():
    return browser.js("return document.fullscreenElement !== null")


class Page(unittest.TestCase):
    def tearDown(self):
        browser.driver.set_window_size(1280, 800)

    def test_address_troupe_dances_without_trails_and_refits_to_a_new_size(self):
        load("?bears=blue,magenta")
        first = browser.showing({"blue", "magenta"})
        self.assertTrue(first)
        time.sleep(2)  # twenty steps, for anything left behind to add up
        later = browser.shot()
        self.assertNotEqual(first.rgb, later.rgb, "the bears move")
        self.assertLessEqual(sum(later.colors().values()), 2 * BEAR_PIXELS)

        browser.driver.set_window_size(700, 800)
        self.assertTrue(poll(lambda: browser.js(
            "return document.getElementById('canvas').width") == browser.js(
            "return innerWidth")))
        self.assertTrue(browser.showing({"blue", "magenta"}), "both bears fit the smaller page")

    def test_panel_saves_for_the_next_visit_cancel_keeps_and_the_address_wins(self):
        load()
        self.assertTrue(browser.showing({"red"}))
        corner_button("settings")
        for box in ("c102", "c104", "c105"):  # Red off, Green and Yellow on
            browser.driver.find_element("id", box).click()
        browser.driver.find_element("id", "c1005").click()
        minutes = browser.driver.find_element("id", "c1001")
        minutes.clear()
        minutes.send_keys("1x")
        browser.driver.find_element("id", "c1").click()
        self.assertIn("Valid values: 1-60", browser.driver.find_element("id", "refusal").text)
        minutes.clear()
        minutes.send_keys("7")
        browser.driver.find_element("id", "c1005").click()  # Random off again
        browser.driver.find_element("id", "c1").click()
        self.assertTrue(browser.showing({"green", "yellow"}), "a saved choice dances at once")

        browser.driver.refresh()
        self.assertTrue(browser.showing({"green", "yellow"}))
        corner_button("settings")
        browser.driver.find_element("id", "c103").click()
        browser.driver.find_element("id", "c2").click()
        browser.driver.refresh()
        self.assertTrue(browser.showing({"green", "yellow"}), "Cancel keeps the saved troupe")
        self.assertIn("Minutes=7", browser.js(
            "return localStorage.getItem('polkamoot/control.ini')"))

        browser.driver.get(server.url + "?bears=RED%2cBlue")
        self.assertTrue(browser.showing({"red", "blue"}), "the address wins")

    def test_bad_address_values_warn_once_and_the_saved_troupe_dances(self):
        load("?bears=purple&minutes=61&random=yes&minutes=9", saved=profile("blue", "green"))
        self.assertTrue(browser.showing({"blue", "green"}))
        warnings = [w for w in browser.warnings() if "Polkamoot" in w]
        self.assertEqual(1, len(warnings), warnings)
        for part in ("bears=purple (", "minutes=61 (takes 1 to 60)", "random=yes ("):
            self.assertIn(part, warnings[0])
        corner_button("settings")
        self.assertEqual("9", browser.driver.find_element("id", "c1001").get_attribute("value"))

    def test_full_screen_entered_by_button_left_by_a_key_or_mouse_travel(self):
        load("?bears=yellow")
        self.assertTrue(browser.showing({"yellow"}))
        corner_button("full-screen")
        self.assertTrue(poll(full_screen))
        self.assertTrue(poll(lambda: browser.js(
            "return document.getElementById('canvas').style.cursor") == "none"))
        ActionChains(browser.driver).send_keys("a").perform()
        self.assertTrue(poll(lambda: not full_screen()), "a key leaves full screen")

        before = page_on_screen()
        mouse("mousePressed", 400, 300, clicks=2)
        mouse("mouseReleased", 400, 300, clicks=2)
        self.assertTrue(poll(full_screen), "a double click enters full screen")
        time.sleep(1)  # the full-screen run is set up
        # The page moved on the screen, the pointer did not: travel counts on the screen.
        after = page_on_screen()
        x, y = 400 + before[0] - after[0], 300 + before[1] - after[1]
        mouse("mouseMoved", x + 3, y + 1)
        time.sleep(0.5)
        self.assertTrue(full_screen(), "4 pixels of travel are not enough")
        mouse("mouseMoved", x + 4, y + 1)
        self.assertTrue(poll(lambda: not full_screen()), "5 pixels of travel leave")

    def test_a_cry_starts_at_an_edge_once_a_click_allowed_sound(self):
        load("?bears=red,blue,green,yellow,magenta&sound")
        self.assertTrue(browser.showing({"red", "blue", "green", "yellow", "magenta"}))
        time.sleep(3)  # edges met, most likely, but no gesture yet
        self.assertEqual(0, browser.js("return window.cries"))
        ActionChains(browser.driver).click(browser.driver.find_element("id", "canvas")).perform()
        self.assertTrue(poll(lambda: browser.js("return window.cries") > 0, timeout=20))


class Languages(unittest.TestCase):
    def test_panel_in_the_readers_language_or_the_one_the_address_names_else_english(self):
        french = Browser(language="fr")
        try:
            for shown, query, language in ((french, "", "fr"), (browser, "?lang=ja", "ja"),
                                           (browser, "?lang=de-AT", "de"),
                                           (browser, "?lang=xx", None)):
                tr = texts(language) if language else str
                shown.driver.get(server.url + query)
                corner_button("settings", shown)
                for box in ("c1005", "c1001"):
                    shown.driver.find_element("id", box).click()
                shown.driver.find_element("id", "c1001").clear()
                shown.driver.find_element("id", "c1").click()
                seen = shown.js(
                    "var at = function(id) { return document.getElementById(id); };"
                    "return [document.documentElement.lang, at('settings').textContent,"
                    " at('settings').title, at('panel').querySelector('legend').textContent,"
                    " at('c104').parentNode.textContent.trim(), at('c104').accessKey,"
                    " at('refusal').textContent]")
                green = tr("&Green")
                self.assertEqual([language or "en", tr("Settings"), tr("Settings"),
                                  tr("Favorite Bears"), re.sub(r"\s*\(&.\)|&", "", green),
                                  green[green.index("&") + 1].lower(),
                                  tr("Invalid Value") + " " + tr("Valid values: 1-60")], seen)
        finally:
            french.close()


class HighDensity(unittest.TestCase):
    def test_bears_are_drawn_crisp_in_blocks_of_the_integer_scale(self):
        dense = Browser(640, 480, scale=2)
        try:
            dense.driver.get(server.url + "?bears=red")
            shot = dense.showing({"red"})
            self.assertTrue(shot)
            self.assertEqual(2 * dense.js("return innerWidth"),
                             dense.js("return document.getElementById('canvas').width"))
            self.assertGreater(shot.colors()["red"], 4 * 3000, "the bear is drawn twice as big")
            self.assertTrue(shot.in_blocks(2), "every pixel of the troupe's space a 2 x 2 block")
        finally:
            dense.close()


if __name__ == "__main__":
    unittest.main()
