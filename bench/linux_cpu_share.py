"""How much of one core the Linux program takes with five bears covering a 1920 x 1080 screen
under Xvfb, and a 3840 x 2160 one, where it draws at scale 2 (its own choice for that screen),
and, in the same run, an idle SDL window of 1920 x 1080 woken as often (every 100 ms), for
reference. The display server's share is shown beside each.

Run after `cmake --build --preset linux`:  python3 bench/linux_cpu_share.py [seconds]
"""
import os
import sys
import time

from measuring import cpu_used, harness_for

BUILD, harness = harness_for("linux")
FIVE = ["-red", "-blue", "-green", "-yellow", "-magenta"]


def measure(display, process, seconds):
    """Shares of one core, in per cent, of the process and of the display server."""
    used, elapsed = cpu_used({"program": [process.pid], "Xvfb": [display.xvfb.pid]}, process,
                             seconds)
    return {name: 100 * seconds / elapsed for name, seconds in used.items()}


def report(title, shares):
    print("%-58s %6.3f %% of one core   (Xvfb %6.3f %%)" % (title, shares["program"],
                                                          shares["Xvfb"]))


def five_bears(width, height, seconds):
    display = harness.Display(width, height)
    try:
        saver = display.start([os.path.join(BUILD, "polkamoot"), "-fullscreen", *FIVE])
        if not harness.poll(lambda: len(display.shot().bodies()) == 5, timeout=60):
            sys.exit("the five bears never showed at %d x %d" % (width, height))
        time.sleep(2)  # past the start-up
        return measure(display, saver, seconds)
    finally:
        display.close()


def main(seconds):
    small = five_bears(1920, 1080, seconds)
    large = five_bears(3840, 2160, seconds)
    display = harness.Display(1920, 1080)
    try:
        idle = display.start([os.path.join(BUILD, "bench", "idle_window"), "1920", "1080"])
        time.sleep(2)
        reference = measure(display, idle, seconds)
    finally:
        display.close()
    print("Over %.0f s each under Xvfb:" % seconds)
    report("five bears, full screen, 1920 x 1080 (scale 1)", small)
    report("five bears, full screen, 3840 x 2160 (scale 2)", large)
    report("reference: an idle SDL window woken ten times a second", reference)


if __name__ == "__main__":
    main(float(sys.argv[1]) if len(sys.argv) > 1 else 30.0)
