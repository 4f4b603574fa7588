#!/usr/bin/env python3
# SPDX-License-Identifier: MIT
"""Measures, side by side, how long the editor and a minimal Qt window take from start to
their window being mapped on the X server, and the peak memory (VmHWM) of each once shown;
the same for the minimal window showing one label, for reference; then qavmake on 100
project files. Run through scripts/benchmark.sh, which provides the
X server, the build and the projects.

    measure.py BIN_FOLDER PROJECT_FOLDER RUNS
"""
import os
import statistics
import subprocess
import sys
import tempfile
import time

from Xlib import X, display


def startup_once(d, command, cwd):
    """Seconds from start to the window being mapped, and the peak memory in KiB."""
    while d.pending_events():
        d.next_event()
    start = time.perf_counter()
    process = subprocess.Popen(command, cwd=cwd, stdout=subprocess.DEVNULL,
                               stderr=subprocess.DEVNULL)
    while True:
        event = d.next_event()
        if event.type == X.MapNotify and not event.override:
            break
    seconds = time.perf_counter() - start
    time.sleep(0.5)  # let it finish painting before reading its peak
    peak = 0
    with open("/proc/%d/status" % process.pid) as status:
        for line in status:
            if line.startswith("VmHWM:"):
                peak = int(line.split()[1])
    process.terminate()
    process.wait()
    return seconds, peak


def startup(commands, runs, cwd):
    """Runs the commands in turn, so that a change of load on the machine meets all alike;
    returns the median time and memory of each."""
    d = display.Display()
    root = d.screen().root
    root.change_attributes(event_mask=X.SubstructureNotifyMask)
    d.sync()
    results = [([], []) for _ in commands]
    # A first start reads the programs, Qt and the fonts from disk; a user's second start
    # does not, nor do the timed runs.
    for command in commands:
        startup_once(d, command, cwd)
    for _ in range(runs):
        for command, (times, peaks) in zip(commands, results):
            seconds, peak = startup_once(d, command, cwd)
            times.append(seconds)
            peaks.append(peak)
    return [(statistics.median(times), statistics.median(peaks)) for times, peaks in results]


def qavmake(program, projects, runs):
    files = sorted(os.path.join(projects, f) for f in os.listdir(projects) if f.endswith(".mfc"))
    times = []
    with tempfile.TemporaryDirectory() as out:
        for _ in range(runs):
            start = time.perf_counter()
            subprocess.run([program, "--out", out] + files, check=True)
            times.append(time.perf_counter() - start)
    return statistics.median(times) / len(files), len(files)


def main():
    bin_folder, projects, runs = sys.argv[1], sys.argv[2], int(sys.argv[3])
    minimal = os.path.join(bin_folder, "minimalwindow")
    with tempfile.TemporaryDirectory() as cwd:
        (editor_s, editor_kb), (minimal_s, minimal_kb), (label_s, label_kb) = startup(
            [[os.path.join(bin_folder, "qavmaker")], [minimal], [minimal, "--label"]],
            runs, cwd)
    per_project, count = qavmake(os.path.join(bin_folder, "qavmake"), projects, runs)
    print("Median of %d runs each, on this machine:" % runs)
    print("| what | editor | minimal Qt window | ratio | target |")
    print("| --- | --- | --- | --- | --- |")
    rows = [("start-up to window mapped", "peak memory (VmHWM)", minimal_s, minimal_kb,
             " 1.2 ", " 1.3 "),
            ("start-up, against the minimal window with one label",
             "peak memory, against the minimal window with one label", label_s, label_kb,
             " 1.05 ", " ")]
    for time_what, memory_what, other_s, other_kb, time_target, memory_target in rows:
        print("| %s | %.1f ms | %.1f ms | %.2f |%s|" % (
            time_what, editor_s * 1000, other_s * 1000, editor_s / other_s, time_target))
        print("| %s | %.1f MiB | %.1f MiB | %.2f |%s|" % (
            memory_what, editor_kb / 1024, other_kb / 1024, editor_kb / other_kb,
            memory_target))
    print("| qavmake, %d projects in one run | %.2f ms a project | | | 1 ms |"
          % (count, per_project * 1000))


if __name__ == "__main__":
    main()
