"""The web page's figures, each beside its reference from the same run: the size of the files
the page needs, of those that install it and keep it offline, and of the one-file page; the time
from the start of a load to the first bear drawn, beside the load event of the same load, cold
(a fresh browser) and warm (reloads); and the share of one core that headless Chromium, all its
processes, takes for five bears on a 1920 x 1080 page, beside an empty page in the same browser.

Run after `cmake --build --preset web`, with Debian's Python:
    /usr/bin/python3 bench/web_page.py [seconds]
"""
import os
import statistics
import sys
import time

from measuring import ROOT, cpu_used

sys.path.insert(0, os.path.join(ROOT, "tests", "web"))
from browser import Browser, Server, poll  # noqa: E402

BUILD = os.path.join(ROOT, "build", "web")
FILES = ["index.html", "page.css", "start.js", "language.js", "polkamoot.js", "polkamoot.wasm"]
KEEPING = ["manifest.webmanifest", "service-worker.js", "polkamoot.ico", "polkamoot-192.png",
           "polkamoot-512.png"]
ONE_FILE = "polkamoot-standalone.html"
FIVE = "?bears=red,blue,green,yellow,magenta"
# The first drawing of the canvas is the first bear's: the set-up draws nothing.
FIRST_DRAWING = """
const put = CanvasRenderingContext2D.prototype.putImageData;
CanvasRenderingContext2D.prototype.putImageData = function(...args) {
  if (window.firstBear === undefined) window.firstBear = performance.now();
  return put.apply(this, args);
};
"""
TIMES = "return [window.firstBear, performance.getEntriesByType('navigation')[0].loadEventEnd]"


def descendants(pid):
    """The process and every process under it."""
    found = [pid]
    for task in os.listdir("/proc/%d/task" % pid):
        with open("/proc/%d/task/%s/children" % (pid, task)) as children:
            for child in children.read().split():
                found += descendants(int(child))
    return found


def first_bear(browser, url):
    browser.driver.get(url)
    return poll(lambda: (times := browser.js(TIMES))[0] is not None and times[1] and times)


def share(browser, seconds):
    """Per cent of one core that the browser's processes took."""
    service = browser.driver.service.process
    used, elapsed = cpu_used({"chromium": descendants(service.pid)}, service, seconds)
    return 100 * used["chromium"] / elapsed


def main(seconds):
    for title, names in (("The page's files", FILES), ("Installing and offline", KEEPING),
                         ("The page in one file", [ONE_FILE])):
        sizes = {name: os.path.getsize(os.path.join(BUILD, name)) for name in names}
        print("%s: %s; %d bytes in all" % (
            title, ", ".join("%s %d" % item for item in sizes.items()), sum(sizes.values())))

    server = Server(BUILD)
    browser = Browser(init_script=FIRST_DRAWING)
    try:
        cold = first_bear(browser, server.url + FIVE)
        warm = [first_bear(browser, server.url + FIVE) for _ in range(5)]
        print("First bear %.0f ms after the load began (load event %.0f ms), cold" % tuple(cold))
        print("First bear %.0f ms after the load began (load event %.0f ms), warm, median of 5"
              % (statistics.median(t[0] for t in warm), statistics.median(t[1] for t in warm)))

        frame = browser.js("return [outerWidth - innerWidth, outerHeight - innerHeight]")
        browser.driver.set_window_size(1920 + frame[0], 1080 + frame[1])
        browser.driver.get(server.url + FIVE)
        if not browser.showing({"red", "blue", "green", "yellow", "magenta"}):
            sys.exit("the five bears never showed")
        page = browser.js("return [innerWidth, innerHeight]")
        time.sleep(2)  # past the start-up
        bears = share(browser, seconds)
        browser.driver.get("about:blank")
        time.sleep(2)
        empty = share(browser, seconds)
    finally:
        browser.close()
        server.close()
    print("Over %.0f s, headless Chromium, every process, page %d x %d:" % (seconds, *page))
    print("%-58s %6.3f %% of one core" % ("five bears", bears))
    print("%-58s %6.3f %% of one core" % ("reference: an empty page", empty))


if __name__ == "__main__":
    main(float(sys.argv[1]) if len(sys.argv) > 1 else 30.0)
