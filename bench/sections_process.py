#!/usr/bin/python3
"""Times the whole program on a section list of 100,000 sections (the list of
SectionsToWorkbook, made by bench_section_list), from its start to its end:
`gipfelfluss --teilstrecken LIST.csv --ausgabe OUT.xlsx` and the same to
standard output, in the C.UTF-8 locale, and prints rows of the benchmark
table with the median wall time and the largest peak resident memory. Given
another build's program, the two take turns and the ratio is printed too.

Usage: sections_process.py PROGRAM LIST_TOOL [RUNS] [OTHER_PROGRAM]"""
import os
import statistics
import subprocess
import sys
import tempfile
import time

from startup import paired


def run(command):
    env = dict(os.environ, LC_ALL="C.UTF-8")
    env.pop("LANGUAGE", None)
    start = time.perf_counter()
    proc = subprocess.Popen(command, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL, env=env)
    _, status, usage = os.wait4(proc.pid, 0)
    elapsed = time.perf_counter() - start
    if status != 0:
        sys.exit(f"{' '.join(command)} ended with status {status}")
    return elapsed, usage.ru_maxrss / 1024.0


def main():
    program, list_tool = sys.argv[1], sys.argv[2]
    runs = int(sys.argv[3]) if len(sys.argv) > 3 else 9
    programs = [program] + sys.argv[4:5]
    with tempfile.TemporaryDirectory() as folder:
        sections = os.path.join(folder, "liste.csv")
        subprocess.run([list_tool, sections], check=True)
        result = os.path.join(folder, "ergebnis.xlsx")
        for name, tail in (("to .xlsx", ["--ausgabe", result]), ("to standard output", [])):
            samples = paired(run, [[p, "--teilstrecken", sections] + tail for p in programs], runs)
            seconds = [statistics.median(s[0] for s in taken) for taken in samples]
            memory = max(s[1] for s in samples[0])
            print(f"| process, 100,000 sections CSV {name} | {seconds[0]:.3f} s, {memory:.1f} MiB peak | median of {runs} |")
            if len(programs) > 1:
                ratios = [a[0] / b[0] for a, b in zip(samples[0], samples[1])]
                print(f"| process, the same with {programs[1]} | {seconds[1]:.3f} s, ratio {statistics.median(ratios):.2f} | median of {runs} pairs |")


if __name__ == "__main__":
    main()
