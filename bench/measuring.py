"""What the benchmark scripts share: the end-to-end harness over one build, and the CPU time of
processes read from /proc."""
import importlib
import os
import sys
import time

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
TICKS = os.sysconf("SC_CLK_TCK")


def harness_for(preset):
    """The build folder of the preset, and the harness set to its programs and Wine template."""
    build = os.path.join(ROOT, "build", preset)
    os.environ.setdefault("POLKAMOOT_E2E_BIN", build)
    os.environ.setdefault("POLKAMOOT_E2E_TEMPLATE", os.path.join(build, "wine-template"))
    sys.path.insert(0, os.path.join(ROOT, "tests", "e2e"))
    return build, importlib.import_module("harness")


def cpu_seconds(pid):
    """User and system time of a process, all its threads, so far."""
    with open("/proc/%d/stat" % pid) as stat:
        fields = stat.read().rsplit(")", 1)[1].split()
    return (int(fields[11]) + int(fields[12])) / TICKS


def cpu_used(watched, process, seconds):
    """CPU seconds of each named group of processes over the given time, and the time taken;
    ends the script when the measured process ends meanwhile."""
    before = {name: sum(map(cpu_seconds, pids)) for name, pids in watched.items()}
    start = time.monotonic()
    time.sleep(seconds)
    elapsed = time.monotonic() - start
    if process.poll() is not None:
        sys.exit("the program ended during the measurement")
    return {name: sum(map(cpu_seconds, pids)) - before[name]
            for name, pids in watched.items()}, elapsed
