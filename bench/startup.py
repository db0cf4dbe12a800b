#!/usr/bin/python3
"""Times start-up to the first painted frame of the program's window and of a
minimal Qt Widgets program, on Qt's offscreen platform, and prints a table.

Usage: startup.py WINDOW_PROBE MINIMAL_PROBE [RUNS]"""
import os
import statistics
import subprocess
import sys
import time


def run(probe):
    env = dict(os.environ, QT_QPA_PLATFORM="offscreen")
    start = time.perf_counter()
    proc = subprocess.Popen([probe], stdout=subprocess.PIPE, stderr=subprocess.DEVNULL, env=env, text=True)
    line = proc.stdout.readline()
    elapsed = time.perf_counter() - start
    proc.wait()
    if not line.startswith("painted "):
        sys.exit(f"{probe} did not report its first paint")
    return elapsed * 1000.0, int(line.split()[1]) / 1024.0


def paired(measure, programs, runs):
    """Samples of measure(program) for each program, `runs` of each, the
    programs taking turns so that a change in the machine's load falls on
    all alike."""
    for program in programs:  # warm the file cache
        measure(program)
    samples = [[] for _ in programs]
    for _ in range(runs):
        for program, taken in zip(programs, samples):
            taken.append(measure(program))
    return samples


def main():
    window, minimal = sys.argv[1], sys.argv[2]
    runs = int(sys.argv[3]) if len(sys.argv) > 3 else 20
    samples = dict(zip(("window", "minimal"), paired(run, (window, minimal), runs)))
    results = {name: (statistics.median(s[0] for s in runs_), max(s[1] for s in runs_))
               for name, runs_ in samples.items()}
    w, m = results["window"], results["minimal"]
    print(f"| start-up to first paint, program window | {w[0]:.1f} ms | median of {runs} |")
    print(f"| start-up to first paint, minimal Qt program | {m[0]:.1f} ms | median of {runs} |")
    print(f"| start-up ratio program / minimal | {w[0] / m[0]:.2f} | target 1.1 or better |")
    print(f"| peak resident memory, program window | {w[1]:.1f} MiB | target below 60 MiB |")
    print(f"| peak resident memory, minimal Qt program | {m[1]:.1f} MiB | |")


if __name__ == "__main__":
    main()
