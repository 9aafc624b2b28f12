"""How much of one core the full-screen saver takes: the x86_64 `.scr /s` with five bears under
Wine on a virtual 800 x 600 display, measured over 30 seconds once the bears are showing; and,
in the same run, a full-screen Wine window that wakes as often and draws nothing, for reference.

scripts/bench builds what it needs and makes the Wine prefix template first; then, alone:
python3 bench/wine_cpu_share.py [seconds]
"""
import os
import sys
import time

from measuring import cpu_used, harness_for

BUILD, harness = harness_for("win64")

PROFILE = "Red=1\r\nBlue=1\r\nGreen=1\r\nYellow=1\r\nMagenta=1\r\n"


def wineservers(prefix):
    """The Wine server processes of this prefix (the server has no window of its own)."""
    found = []
    for entry in os.listdir("/proc"):
        if not entry.isdigit():
            continue
        try:
            with open("/proc/%s/cmdline" % entry, "rb") as cmdline:
                if b"wineserver" not in cmdline.read():
                    continue
            with open("/proc/%s/environ" % entry, "rb") as environ:
                if ("WINEPREFIX=" + prefix).encode() in environ.read().split(b"\0"):
                    found.append(int(entry))
        except OSError:
            pass
    return found


def command_line(pid):
    with open("/proc/%d/cmdline" % pid, "rb") as cmdline:
        return cmdline.read().replace(b"\0", b" ").decode("latin-1").strip()


def measure(session, process, seconds):
    """CPU seconds of the process, the Wine server and the display over the given time."""
    watched = {"program": [process.pid], "wineserver": wineservers(session.prefix),
               "Xvfb": [session.xvfb.pid]}
    return cpu_used(watched, process, seconds)


def report(title, used, elapsed):
    print("%s, %.1f s:" % (title, elapsed))
    for name, seconds in used.items():
        print("  %-10s %6.2f s of CPU  %5.1f %% of one core" % (name, seconds,
                                                                 100 * seconds / elapsed))


def main(seconds):
    if not os.path.isdir(harness.TEMPLATE):
        sys.exit("no Wine prefix template at %s: run scripts/bench first" % harness.TEMPLATE)
    session = harness.WineSession()
    try:
        session.write_profile(PROFILE)
        saver = session.saver("/s")
        shown = harness.poll(lambda: len(session.shot().bodies()) == 5, timeout=90)
        if not shown:
            sys.exit("the bears never appeared")
        time.sleep(2)  # past the start-up
        if "polkamoot.scr" not in command_line(saver.pid):
            sys.exit("process %d is not the saver: %s" % (saver.pid, command_line(saver.pid)))
        saver_used, saver_elapsed = measure(session, saver, seconds)
        session.xdotool("key", "Escape")
        harness.wait_exit(saver)

        idle = session.wine(os.path.join(BUILD, "bench", "wine_idle.exe"), seconds + 10)
        session.driver("find", "PolkamootIdleReference", "Idle reference")
        time.sleep(2)
        idle_used, idle_elapsed = measure(session, idle, seconds)
    finally:
        session.close()
    report("five bears, 800 x 600, under Wine", saver_used, saver_elapsed)
    report("reference: an idle full-screen window woken ten times a second", idle_used,
           idle_elapsed)


if __name__ == "__main__":
    main(float(sys.argv[1]) if len(sys.argv) > 1 else 30.0)
