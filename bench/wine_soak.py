"""Growth over a long run of the real x86_64 saver under Wine: five bears, then Random mode
changing its coloring every minute. A probe loaded as the saver's password library
(bench/wine_probe.cpp) logs the frame ticks every hundred; the resident memory and the open
file descriptors are read from outside every two seconds. For each run it prints the ticks a
second and how much memory and descriptors grew from the end of the run's first quarter to
its end.

scripts/bench builds what it needs and makes the Wine prefix template first; then, alone:
python3 bench/wine_soak.py [seconds]      (40 when not given; Random mode runs at least 70)
"""
import os
import pathlib
import shutil
import sys
import time

from measuring import harness_for

BUILD, harness = harness_for("win64")

FIVE_BEARS = "Red=1\r\nBlue=1\r\nGreen=1\r\nYellow=1\r\nMagenta=1\r\nRandom=0\r\n"
RANDOM_EVERY_MINUTE = "Random=1\r\nMinutes=1\r\n"


def sample(pid):
    """The resident memory in kB and the open file descriptors of a process."""
    with open("/proc/%d/status" % pid) as status:
        resident = next(int(line.split()[1]) for line in status if line.startswith("VmRSS:"))
    return resident, len(os.listdir("/proc/%d/fd" % pid))


def soak(profile, seconds):
    """The probe's log lines as dictionaries, and the samples taken from outside."""
    session = harness.WineSession()
    try:
        folder = pathlib.Path(session.prefix, "drive_c", "soak")
        folder.mkdir()
        shutil.copy(session.path("polkamoot.scr"), folder)
        shutil.copy(os.path.join(BUILD, "bench", "wine_probe.dll"), folder / "PASSWORD.CPL")
        session.run("reg", "add", r"HKCU\Control Panel\Desktop", "/v", "ScreenSaveUsePassword",
                    "/t", "REG_DWORD", "/d", "1", "/f")
        session.write_profile(profile)
        saver = session.wine(folder / "polkamoot.scr", "/s")
        session.driver("find", *harness.SAVER)
        samples = []
        end = time.monotonic() + seconds
        while time.monotonic() < end and saver.poll() is None:
            samples.append(sample(saver.pid))
            time.sleep(2)
        if saver.poll() is not None:
            sys.exit("the saver ended by itself")
        session.xdotool("key", "Escape")
        harness.wait_exit(saver)
        log = [{key: int(value) for key, value in (word.split("=") for word in line.split())}
               for line in (folder / "probe-log.txt").read_text().splitlines()]
    finally:
        session.close()
    return log, samples


def report(title, log, samples):
    first, last = log[len(log) // 4], log[-1]
    ticks = 1000 * (last["frames"] - first["frames"]) / max(1, last["tick"] - first["tick"])
    warm = samples[len(samples) // 4:]
    print("%s, %.0f s: %.2f frame ticks a second (of 10); after the first quarter, resident "
          "memory grew %+d kB (to %d kB at most), open descriptors %+d" % (
              title, len(samples) * 2, ticks, max(kb for kb, _ in warm) - warm[0][0],
              max(kb for kb, _ in warm), max(fds for _, fds in warm) - warm[0][1]))


def main(seconds):
    if not os.path.isfile(os.path.join(harness.TEMPLATE, "system.reg")):
        sys.exit("no Wine prefix template at %s: run scripts/bench" % harness.TEMPLATE)
    report("five bears", *soak(FIVE_BEARS, seconds))
    report("Random mode, a new coloring every minute", *soak(RANDOM_EVERY_MINUTE,
                                                             max(seconds, 70)))


if __name__ == "__main__":
    main(float(sys.argv[1]) if len(sys.argv) > 1 else 40.0)
