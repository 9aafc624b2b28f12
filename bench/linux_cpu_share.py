"""How much of one core the Linux program takes with five bears covering a 1920 x 1080 screen
under Xvfb, and, in the same run, an idle SDL window of that size woken as often (every 100 ms),
for reference. The display server's share is shown beside each.

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


def main(seconds):
    display = harness.Display(1920, 1080)
    try:
        saver = display.start([os.path.join(BUILD, "polkamoot"), "-fullscreen", *FIVE])
        shown = harness.poll(lambda: len(display.shot().bodies()) == 5, timeout=30)
        if not shown:
            sys.exit("the five bears never showed")
        time.sleep(2)  # past the start-up
        bears = measure(display, saver, seconds)
        saver.terminate()
        saver.wait()

        idle = display.start([os.path.join(BUILD, "bench", "idle_window"), "1920", "1080"])
        time.sleep(2)
        reference = measure(display, idle, seconds)
    finally:
        display.close()
    print("Over %.0f s on a 1920 x 1080 Xvfb:" % seconds)
    report("five bears, full screen", bears)
    report("reference: an idle SDL window woken ten times a second", reference)


if __name__ == "__main__":
    main(float(sys.argv[1]) if len(sys.argv) > 1 else 30.0)
