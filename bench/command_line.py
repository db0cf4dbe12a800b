#!/usr/bin/python3
"""Times `gipfelfluss --berechnen 250 5` as a whole process, from its start to
its end, against a minimal QtCore program that writes one line, the two
taking turns, and prints rows of the benchmark table.

Usage: command_line.py PROGRAM MINIMAL [PAIRS]"""
import re
import statistics
import subprocess
import sys
import time

from startup import paired

LINE = re.compile(r"1[.,]63 l/s\t97[.,]7 l/min\n")


def run(command):
    start = time.perf_counter()
    done = subprocess.run(command, stdout=subprocess.PIPE, stderr=subprocess.DEVNULL, text=True)
    elapsed = time.perf_counter() - start
    if done.returncode != 0 or not LINE.fullmatch(done.stdout):
        sys.exit(f"{command[0]} wrote {done.stdout!r}, status {done.returncode}")
    return elapsed * 1000.0


def main():
    program, minimal = sys.argv[1], sys.argv[2]
    pairs = int(sys.argv[3]) if len(sys.argv) > 3 else 40
    calculation, smallest = paired(run, ([program, "--berechnen", "250", "5"], [minimal]), pairs)
    c, m = statistics.median(calculation), statistics.median(smallest)
    print(f"| command line, gipfelfluss --berechnen 250 5 | {c:.2f} ms | median of {pairs} |")
    print(f"| command line, minimal QtCore program | {m:.2f} ms | median of {pairs} |")
    print(f"| command-line ratio program / minimal | {c / m:.2f} | target 1.5 or better |")


if __name__ == "__main__":
    main()
