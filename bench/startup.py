#!/usr/bin/env python3
"""Start-up, memory and idle cost of the bar beside a minimal Qt 6 frameless window.

Usage: bench/startup.py [BUILD_DIR] [RUNS]. Starts its own Xvfb and openbox. Prints, as medians of
RUNS starts each: exec -> first paint, resident memory after start, and CPU ticks used by the real
bar over 10 idle seconds.
"""
import os
import shutil
import statistics
import subprocess
import sys
import tempfile
import time

sys.path.insert(0, os.path.join(os.path.dirname(__file__), "..", "tests", "e2e"))
from harness import Desktop, wait_for  # noqa: E402

build = os.path.abspath(sys.argv[1] if len(sys.argv) > 1 else "build")
runs = int(sys.argv[2]) if len(sys.argv) > 2 else 15
desktop = Desktop()
work = tempfile.mkdtemp(prefix="hopscoot-bench-")
env = dict(desktop.base_env, XDG_RUNTIME_DIR=work)
os.chmod(work, 0o700)


def first_paint_ms(argv):
    start = time.clock_gettime_ns(time.CLOCK_MONOTONIC)
    out = subprocess.run(argv, env=env, cwd=work, capture_output=True, text=True, timeout=30).stdout
    stamp = int(out.split("first-paint-ns")[1].split()[0])
    return (stamp - start) / 1e6


def rss_kib(pid):
    with open(f"/proc/{pid}/status") as f:
        for line in f:
            if line.startswith("VmRSS:"):
                return int(line.split()[1])
    return 0


def cpu_ticks(pid):
    with open(f"/proc/{pid}/stat") as f:
        fields = f.read().rsplit(")", 1)[1].split()
    return int(fields[11]) + int(fields[12])  # utime + stime


def settled(argv):
    """Starts argv, waits for its window, lets it settle; returns the process."""
    p = subprocess.Popen(argv, env=env, cwd=work, stdout=subprocess.DEVNULL,
                         stderr=subprocess.DEVNULL)
    wait_for(lambda: desktop.x("xdotool", "search", "--onlyvisible", "--pid", str(p.pid),
                               "--name", ".*").strip(), what="window")
    time.sleep(1.0)
    return p


try:
    probe = shutil.copy2(os.path.join(build, "bench", "startup_probe"), work)
    floor = os.path.join(build, "bench", "startup_floor")
    bar = shutil.copy2(os.path.join(build, "hopscoot"), work)
    for argv in ([probe], [floor, "--probe"]):  # warm the page cache
        first_paint_ms(argv)
    bar_ms = statistics.median(first_paint_ms([probe]) for _ in range(runs))
    floor_ms = statistics.median(first_paint_ms([floor, "--probe"]) for _ in range(runs))

    rss = {}
    idle_ticks = None
    for name, argv in (("bar", [bar]), ("floor", [floor])):
        samples = []
        for _ in range(5):
            p = settled(argv)
            samples.append(rss_kib(p.pid))
            if name == "bar" and idle_ticks is None:
                before = cpu_ticks(p.pid)
                time.sleep(10)
                idle_ticks = cpu_ticks(p.pid) - before
            p.kill()
            p.wait()
        rss[name] = statistics.median(samples)

    print(f"start-up to first paint: bar {bar_ms:.1f} ms, floor {floor_ms:.1f} ms, "
          f"ratio {bar_ms / floor_ms:.2f}")
    print(f"resident memory after start: bar {rss['bar'] / 1024:.1f} MiB, "
          f"floor {rss['floor'] / 1024:.1f} MiB, ratio {rss['bar'] / rss['floor']:.2f}")
    print(f"CPU ticks over 10 idle seconds: bar {idle_ticks}")
finally:
    desktop.close()
    shutil.rmtree(work, ignore_errors=True)
