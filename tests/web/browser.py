"""The page as a browser shows it: build/web served on 127.0.0.1, headless Chromium driven through
chromedriver, and screenshots read as the end-to-end harness reads them. Needs Debian's own
Python (/usr/bin/python3), which has Selenium.

    browser.py shot <address> <png> [seconds]   the page after a few seconds, as a PNG
"""
import functools
import http.server
import os
import shutil
import subprocess
import sys
import tempfile
import threading
import time

from selenium import webdriver
from selenium.webdriver.chrome.service import Service

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "e2e"))
from harness import Shot, poll  # noqa: E402

BUILD = os.environ.get("POLKAMOOT_WEB_BUILD", "build/web")
# Chromium alone on a closed network: nothing of its own to fetch, no sandbox as root.
FLAGS = ["--headless=new", "--no-sandbox", "--disable-gpu", "--disable-quic", "--no-first-run",
         "--disable-background-networking", "--disable-component-update", "--disable-sync",
         "--autoplay-policy=user-gesture-required"]


class Handler(http.server.SimpleHTTPRequestHandler):
    extensions_map = dict(http.server.SimpleHTTPRequestHandler.extensions_map,
                          **{".wasm": "application/wasm"})

    def log_message(self, *args):
        pass


class Server:
    """A folder served on a free port of 127.0.0.1 until closed."""

    def __init__(self, folder=BUILD, port=0, handler=Handler):
        handler = functools.partial(handler, directory=folder)
        self.httpd = http.server.ThreadingHTTPServer(("127.0.0.1", port), handler)
        self.url = "http://127.0.0.1:%d/" % self.httpd.server_port
        threading.Thread(target=self.httpd.serve_forever, daemon=True).start()

    def close(self):
        self.httpd.shutdown()
        self.httpd.server_close()


class Browser:
    """Headless Chromium with a profile of its own; init_script runs before every page's own.
    Its reader prefers `language` (Chromium on Linux takes it only this way, not by --lang)."""

    def __init__(self, width=1280, height=800, scale=None, init_script=None, language=None):
        self.profile = tempfile.mkdtemp(prefix="polkamoot-chromium-")
        options = webdriver.ChromeOptions()
        for flag in FLAGS + ["--user-data-dir=" + self.profile,
                             "--window-size=%d,%d" % (width, height)]:
            options.add_argument(flag)
        if scale:
            options.add_argument("--force-device-scale-factor=%g" % scale)
        if language:
            options.add_argument("--accept-lang=" + language)
            options.add_experimental_option("prefs", {"intl.accept_languages": language})
        options.set_capability("goog:loggingPrefs", {"browser": "ALL"})
        self.driver = webdriver.Chrome(service=Service("/usr/bin/chromedriver"), options=options)
        if init_script:
            self.driver.execute_cdp_cmd("Page.addScriptToEvaluateOnNewDocument",
                                        {"source": init_script})

    def js(self, script, *args):
        return self.driver.execute_script(script, *args)

    def shot(self):
        png = self.driver.get_screenshot_as_png()
        return Shot(subprocess.run(["convert", "png:-", "-depth", "8", "ppm:-"], input=png,
                                   check=True, capture_output=True).stdout)

    def showing(self, expected, timeout=30):
        """The first screenshot that shows exactly those colorings; None if none does."""
        return poll(lambda: (shot := self.shot()).bodies() == expected and shot,
                    timeout=timeout) or None

    def warnings(self):
        return [entry["message"] for entry in self.driver.get_log("browser")
                if entry["level"] == "WARNING"]

    def close(self):
        self.driver.quit()
        shutil.rmtree(self.profile, ignore_errors=True)


def main(command, address, png, seconds="3"):
    assert command == "shot", __doc__
    browser = Browser()
    try:
        browser.driver.get(address)
        time.sleep(float(seconds))
        browser.driver.save_screenshot(png)
    finally:
        browser.close()


if __name__ == "__main__":
    main(*sys.argv[1:])
