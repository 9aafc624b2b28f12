"""The page's files as a server, a strict policy or a disk give them: a notice when the program
does not arrive or fails, the page under a strict Content-Security-Policy, installable and kept
for visits without a network, and the whole page in one file opened from disk."""
import os
import shutil
import tempfile
import unittest

from browser import BUILD, Browser, Handler, Server
from harness import poll
from test_page import corner_button

NOTICE = "The bears could not start here."
POLICY = "default-src 'self'; script-src 'self' 'wasm-unsafe-eval'; style-src 'self'"
# Page by page: drawing that throws after a few pictures, as a canvas may, inside the program's
# step; and the service workers a page registers, counted.
INIT = """
if (location.hash == '#drawing-fails') {
  let drawn = 0;
  const put = CanvasRenderingContext2D.prototype.putImageData;
  CanvasRenderingContext2D.prototype.putImageData = function(...args) {
    if (++drawn > 3) throw new Error('drawing failed');
    return put.apply(this, args);
  };
}
window.registered = 0;
const registerWorker = ServiceWorkerContainer.prototype.register;
ServiceWorkerContainer.prototype.register = function(...args) {
  window.registered += 1;
  return registerWorker.apply(this, args);
};
"""


class Strict(Handler):
    """Every answer under the strict policy and never kept by the browser; a file named in the
    server's faults is missing, or its connection closes before any answer."""

    def end_headers(self):
        self.send_header("Content-Security-Policy", POLICY)
        self.send_header("Cache-Control", "no-store")
        super().end_headers()

    def do_GET(self):
        fault = getattr(self.server, "faults", {}).get(self.path.split("?")[0].lstrip("/"))
        if fault == "missing":
            self.send_error(404)
        elif fault != "closed":
            super().do_GET()


def setUpModule():
    global browser
    browser = Browser(init_script=INIT)


def tearDownModule():
    browser.close()


def notice(shown):
    return shown.js("var notice = document.getElementById('failed');"
                    "return notice.hidden ? null : notice.textContent")


def loaded():
    return browser.js("return performance.getEntriesByType('navigation')[0].loadEventEnd > 0")


def cache_names(shown):
    return shown.driver.execute_async_script(
        "navigator.serviceWorker.ready.then(() => caches.keys()).then(arguments[0])")


class LoadFailures(unittest.TestCase):
    def test_the_notice_shows_when_the_program_is_missing_cut_off_or_fails_while_dancing(self):
        server = Server(handler=Strict)
        try:
            # Cut off, a worker that kept the page would answer in the server's place.
            for faults, fragment in (({"polkamoot.js": "missing"}, ""),
                                     ({"polkamoot.wasm": "missing"}, ""),
                                     ({"polkamoot.wasm": "closed"}, ""),
                                     ({}, "#drawing-fails")):
                server.httpd.faults = dict(faults, **{"service-worker.js": "missing"})
                browser.driver.get("about:blank")  # a new fragment alone loads no new page
                browser.driver.get(server.url + "?bears=red" + fragment)
                self.assertEqual(NOTICE, poll(lambda: notice(browser)), (faults, fragment))
        finally:
            server.close()


class Kept(unittest.TestCase):
    def test_under_a_strict_policy_it_dances_installs_works_offline_and_updates(self):
        folder = tempfile.mkdtemp(prefix="polkamoot-page-")
        for name in os.listdir(BUILD):
            if os.path.isfile(os.path.join(BUILD, name)):
                shutil.copy(os.path.join(BUILD, name), folder)
        server = Server(folder, handler=Strict)
        shown = Browser()
        try:
            shown.driver.get(server.url)
            self.assertTrue(shown.showing({"red"}))
            self.assertEqual(shown.js("return innerWidth"),
                             shown.js("return document.getElementById('canvas').width"))
            corner_button("settings", shown)
            shown.driver.find_element("id", "c103").click()
            shown.driver.find_element("id", "c1").click()
            self.assertTrue(shown.showing({"red", "blue"}), "the panel works")
            self.assertEqual([], shown.driver.execute_cdp_cmd(
                "Page.getInstallabilityErrors", {})["installabilityErrors"])
            self.assertEqual([], [e["message"] for e in shown.driver.get_log("browser")
                                  if "Content Security Policy" in e["message"]])

            old = cache_names(shown)
            self.assertEqual(1, len(old), old)
            worker = os.path.join(folder, "service-worker.js")
            with open(worker) as file:
                script = file.read().replace(old[0], old[0] + "-next")
            with open(worker, "w") as file:
                file.write(script)
            shown.driver.refresh()  # the next visit
            self.assertTrue(poll(lambda: cache_names(shown) == [old[0] + "-next"]),
                            "a new version replaces the old cache")

            server.close()
            shown.driver.get(server.url + "?bears=green")
            self.assertTrue(shown.showing({"green"}), "the page dances offline")
            self.assertIsNone(notice(shown))
        finally:
            shown.close()
            server.close()  # again, should the test end early
            shutil.rmtree(folder)


class OneFile(unittest.TestCase):
    def test_the_one_file_page_dances_from_disk_and_keeps_its_settings(self):
        where = "file://" + os.path.abspath(BUILD) + "/"
        browser.driver.get(where + "index.html")
        self.assertIn("Serve this folder", poll(lambda: notice(browser)) or "")
        self.assertTrue(poll(loaded))
        self.assertEqual(0, browser.js("return window.registered"), "no worker from a file")

        browser.driver.get(where + "polkamoot-standalone.html")
        browser.js("localStorage.clear()")
        browser.driver.refresh()
        self.assertTrue(browser.showing({"red"}))
        corner_button("settings", browser)
        browser.driver.find_element("id", "c104").click()
        browser.driver.find_element("id", "c1").click()
        browser.driver.refresh()
        self.assertTrue(browser.showing({"red", "green"}), "the saved troupe dances")
        self.assertIsNone(notice(browser))


if __name__ == "__main__":
    unittest.main()
