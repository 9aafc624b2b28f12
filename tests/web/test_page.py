"""The web page in headless Chromium, served from build/web on 127.0.0.1, by subject: the panel and
the scene behind it; full screen and the pointer; what the browser keeps and what the address
names; the keyboard; a hidden page and its sound; the page in its reader's language; and the
crisp bears of a high-density screen."""
import re
import time
import unittest

from selenium.webdriver.common.action_chains import ActionChains
from selenium.webdriver.common.keys import Keys

from browser import Browser, Server
from harness import BEAR_PIXELS, changed, poll
from languages import texts

# What the page does, counted where the browser does it, by whether the page showed: cries
# started, canvases made ready for a run, drawings and where they went, the audio contexts made
# and their changes of state.
COUNT = """
window.seen = {};
window.places = new Set();
window.contexts = [];
const note = (what) => {
  const key = what + (document.hidden ? ' hidden' : '');
  seen[key] = (seen[key] || 0) + 1;
};
for (const [prototype, name, what] of [[AudioBufferSourceNode.prototype, 'start', 'cry'],
    [CanvasRenderingContext2D.prototype, 'fillRect', 'setup'],
    [CanvasRenderingContext2D.prototype, 'putImageData', 'drawing']]) {
  const original = prototype[name];
  prototype[name] = function(...args) {
    note(what);
    places.add(args.slice(3).join());
    return original.apply(this, args);
  };
}
const Context = window.AudioContext;
window.AudioContext = function(...args) {
  const context = new Context(...args);
  context.onstatechange = () => note('audio ' + context.state);
  contexts.push(context);
  return context;
};
"""
FIVE = "?bears=red,blue,green,yellow,magenta"


def setUpModule():
    global server, browser
    server = Server()
    browser = Browser(init_script=COUNT)


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


def full_screen_run():
    """Whether the saver runs in full screen: the page there, the canvas its size, no cursor."""
    return browser.js("const canvas = document.getElementById('canvas');"
                      "return document.fullscreenElement !== null && canvas.width == innerWidth"
                      " && canvas.style.cursor == 'none'")


def seen(what):
    return browser.js("return seen[arguments[0]] || 0", what)


def shown(element_id):
    return browser.driver.find_element("id", element_id).is_displayed()


def panel_open():
    return browser.js("return document.body.classList.contains('configuring')")


class PanelAndScene(unittest.TestCase):
    def tearDown(self):
        browser.driver.execute_cdp_cmd("Emulation.clearDeviceMetricsOverride", {})
        browser.driver.set_window_size(1280, 800)

    def test_address_troupe_dances_without_trails_and_refits_once_a_frame(self):
        load("?bears=blue,magenta")
        first = browser.showing({"blue", "magenta"})
        self.assertTrue(first)
        time.sleep(2)  # twenty steps, for anything left behind to add up
        later = changed(browser.shot, first)
        self.assertTrue(later, "the bears move")
        self.assertLessEqual(sum(later.colors().values()), 2 * BEAR_PIXELS)

        setups = browser.js("""const before = seen.setup;
            for (const width of [700, 720, 740]) {
              document.getElementById('canvas').style.width = width + 'px';
              dispatchEvent(new Event('resize'));
            }
            return new Promise((done) => requestAnimationFrame(() => requestAnimationFrame(
                () => done(seen.setup - before))));""")
        self.assertEqual(1, setups, "three resizes in one frame, one refit")
        browser.js("document.getElementById('canvas').style.width = ''")
        browser.driver.set_window_size(700, 800)
        self.assertTrue(poll(lambda: browser.js(
            "return document.getElementById('canvas').width") == browser.js(
            "return innerWidth")))
        self.assertTrue(browser.showing({"blue", "magenta"}), "both bears fit the smaller page")

    def test_panel_leaves_a_troupe_cut_to_the_page_moving(self):
        # Room for one bear of five: the four left out must not come back as obstacles.
        browser.driver.execute_cdp_cmd("Emulation.setDeviceMetricsOverride", {
            "width": 200, "height": 200, "deviceScaleFactor": 1, "mobile": False})
        load(FIVE)
        self.assertEqual(1, len(poll(lambda: len(b := browser.shot().bodies()) == 1 and b)))
        corner_button("settings")
        ActionChains(browser.driver).send_keys(Keys.ESCAPE).perform()
        self.assertTrue(poll(lambda: not panel_open()))
        browser.js("places.clear()")
        self.assertTrue(poll(lambda: browser.js("return places.size") > 10, timeout=10),
                        "the bear is drawn in new places")


class FullScreenAndPointer(unittest.TestCase):
    def test_full_screen_entered_by_button_left_by_a_key_or_mouse_travel(self):
        load("?bears=yellow")
        self.assertTrue(browser.showing({"yellow"}))
        corner_button("full-screen")
        self.assertTrue(poll(full_screen_run), "the button enters full screen")
        cursor = "return document.getElementById('canvas').style.cursor"
        ActionChains(browser.driver).send_keys("a").perform()
        self.assertTrue(poll(lambda: not full_screen()), "a key leaves full screen")
        self.assertEqual("", browser.js(cursor), "the pointer shows again")

        before = page_on_screen()
        mouse("mousePressed", 400, 300, clicks=2)
        mouse("mouseReleased", 400, 300, clicks=2)
        self.assertTrue(poll(full_screen_run), "a double click enters full screen")
        # The page moved on the screen, the pointer did not: travel counts on the screen.
        after = page_on_screen()
        x, y = 400 + before[0] - after[0], 300 + before[1] - after[1]
        mouse("mouseMoved", x + 3, y + 1)
        time.sleep(0.5)
        self.assertTrue(full_screen(), "4 pixels of travel are not enough")
        mouse("mouseMoved", x + 4, y + 1)
        self.assertTrue(poll(lambda: not full_screen()), "5 pixels of travel leave")


class StorageAndAddress(unittest.TestCase):
    def test_panel_saves_for_the_next_visit_cancel_keeps_and_the_address_wins(self):
        load()
        self.assertTrue(browser.showing({"red"}))
        corner_button("settings")
        self.assertFalse(shown("address-note"), "the address chose nothing")
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
        self.assertEqual(0, browser.js("return contexts.length"), "no audio without sound")

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

    def test_a_save_the_browser_refuses_leaves_the_panel_open_and_nothing_changed(self):
        load("?bears=red", saved=profile("blue", "green"))
        self.assertTrue(browser.showing({"red"}))
        browser.js("Storage.prototype.setItem = () => {"
                   " throw new DOMException('full', 'QuotaExceededError'); }")
        corner_button("settings")
        self.assertTrue(shown("address-note"), "OK keeps what the address chose")
        browser.driver.find_element("id", "c105").click()
        browser.driver.find_element("id", "c1").click()
        self.assertTrue(poll(lambda: shown("not-kept")))
        self.assertTrue(panel_open())
        browser.driver.find_element("id", "c2").click()
        browser.driver.set_window_size(1000, 800)  # a new setup reads what the page holds
        self.assertTrue(poll(lambda: browser.js(
            "return document.getElementById('canvas').width == innerWidth")))
        self.assertTrue(browser.showing({"red"}), "the refused choice does not dance")
        browser.driver.get(server.url)
        self.assertTrue(browser.showing({"blue", "green"}))

    def test_bad_address_values_warn_once_in_short_and_the_saved_troupe_dances(self):
        # Within the 64 kB a request line may take on the test server.
        load("?bears=purple&x%00y&minutes=61&random=yes&minutes=9" + "&x" * 30000,
             saved=profile("blue", "green"))
        self.assertTrue(browser.showing({"blue", "green"}))
        warnings = [w for w in browser.warnings() if "Polkamoot" in w]
        self.assertEqual(1, len(warnings), warnings)
        self.assertLess(len(warnings[0]), 1000)
        for part in ("bears=purple (", "x%00y (", "minutes=61 (takes 1 to 60)", "random=yes ("):
            self.assertIn(part, warnings[0])
        corner_button("settings")
        self.assertEqual("9", browser.driver.find_element("id", "c1001").get_attribute("value"))


class Keyboard(unittest.TestCase):
    def test_tab_reaches_the_corner_and_the_panel_gives_focus_back(self):
        load()
        keys = ActionChains(browser.driver)
        active = "return document.activeElement.id"
        keys.send_keys(Keys.TAB).perform()
        self.assertEqual(["settings", "1"], browser.js(
            "return [document.activeElement.id, getComputedStyle(document.activeElement).opacity]"))
        keys.send_keys(Keys.ENTER).perform()
        self.assertTrue(poll(panel_open))
        keys.send_keys(Keys.ESCAPE).perform()
        self.assertTrue(poll(lambda: not panel_open()))
        self.assertEqual("settings", browser.js(active))
        keys.send_keys(Keys.TAB).perform()
        self.assertEqual("full-screen", browser.js(active))
        self.assertEqual([["img", "Dancing bears"], ["dialog", "Settings"]], browser.js(
            "return ['canvas', 'panel'].map((id) => ['role', 'aria-label'].map("
            "(name) => document.getElementById(id).getAttribute(name)))"))


class VisibilityAndAudio(unittest.TestCase):
    def test_cries_once_a_click_allowed_sound_and_a_hidden_page_rests(self):
        load(FIVE + "&sound")
        self.assertTrue(browser.showing({"red", "blue", "green", "yellow", "magenta"}))
        ActionChains(browser.driver).send_keys(Keys.ESCAPE).perform()  # no user activation
        time.sleep(3)  # edges met, most likely, but no gesture that lets a page sound
        self.assertEqual([0, 0], [seen("cry"), browser.js("return contexts.length")])
        ActionChains(browser.driver).click(browser.driver.find_element("id", "canvas")).perform()
        self.assertTrue(poll(lambda: seen("cry") > 0, timeout=20))

        setups, drawings = seen("setup"), seen("drawing")
        page = browser.driver.current_window_handle
        browser.driver.switch_to.new_window("tab")
        time.sleep(1.5)  # fifteen steps' time for a hidden page to waste
        browser.driver.close()
        browser.driver.switch_to.window(page)
        self.assertEqual([0, 0, 1], [seen("drawing hidden"), seen("cry hidden"),
                                     seen("audio suspended hidden")])
        self.assertTrue(poll(lambda: seen("drawing") > drawings), "the bears go on")
        self.assertEqual(setups, seen("setup"), "from where they were")


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
    def tearDown(self):
        browser.driver.execute_cdp_cmd("Emulation.clearDeviceMetricsOverride", {})

    def test_a_page_moved_to_a_denser_screen_draws_crisp_blocks_of_the_integer_scale(self):
        screen = {"width": 640, "height": 480, "deviceScaleFactor": 1, "mobile": False}
        browser.driver.execute_cdp_cmd("Emulation.setDeviceMetricsOverride", screen)
        load("?bears=red")
        self.assertTrue(browser.showing({"red"}))
        browser.driver.execute_cdp_cmd("Emulation.setDeviceMetricsOverride",
                                       dict(screen, deviceScaleFactor=2))  # not a new size
        # Chromium tells the page of the new density at its next screen update.
        self.assertTrue(poll(lambda: browser.shot() and browser.js(
            "return document.getElementById('canvas').width") == 1280), "the canvas follows")
        shot = browser.showing({"red"})
        self.assertTrue(shot)
        self.assertGreater(shot.colors()["red"], 4 * 3000, "the bear is drawn twice as big")
        self.assertTrue(shot.in_blocks(2), "every pixel of the troupe's space a 2 x 2 block")


if __name__ == "__main__":
    unittest.main()
