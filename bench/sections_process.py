#!/usr/bin/python3
"""Times the whole program on a section list of 100,000 sections (the list of
SectionsToWorkbook, made by bench_section_list), from its start to its end:
`gipfelfluss --teilstrecken LIST.csv --ausgabe OUT.xlsx` and the same to
standard output, in the C.UTF-8 locale, and prints rows of the benchmark
table with the median wall time and the largest peak resident memory. Given
another build's program, the two take turns and the ratio is printed too;
without one, the same sections sized (series, length, Σζ) and counting draw-off
points go to .xlsx in turn with the stated list, in de_DE.UTF-8, where their
decimal commas are numbers, and so do two sized networks (a chain, 100
risers) in turn with the same rows without their column "Zuleitung", and
the risers sized by pressure (--nach-druck) with a supply pressure below what
v max's sizes need, at 100,000 and at 1,000 sections.

Usage: sections_process.py PROGRAM LIST_TOOL [RUNS] [OTHER_PROGRAM]"""
import os
import statistics
import subprocess
import sys
import tempfile
import time

from startup import paired


def run(command, locale="C.UTF-8"):
    env = dict(os.environ, LC_ALL=locale)
    env.pop("LANGUAGE", None)
    start = time.perf_counter()
    proc = subprocess.Popen(command, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL, env=env)
    _, status, usage = os.wait4(proc.pid, 0)
    elapsed = time.perf_counter() - start
    # Status 1: some sections refused, each with its reason, the result written
    # all the same (in C.UTF-8 the list's decimal commas are no numbers).
    if not os.WIFEXITED(status) or os.WEXITSTATUS(status) > 1:
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
        if len(programs) == 1:
            german = lambda command: run(command, "de_DE.UTF-8")
            for kind, what in (("bemessen", "sized (series, length, Σζ)"), ("gezaehlt", "counting ten kinds of draw-off points")):
                other = os.path.join(folder, kind + ".csv")
                subprocess.run([list_tool, other, "100000", kind], check=True)
                samples = paired(german, [[program, "--teilstrecken", other, "--ausgabe", result],
                                          [program, "--teilstrecken", sections, "--ausgabe", result]], runs)
                seconds = [statistics.median(s[0] for s in taken) for taken in samples]
                ratio = statistics.median(a[0] / b[0] for a, b in zip(*samples))
                memory = max(s[1] for s in samples[0])
                print(f"| process, 100,000 sections {what} CSV to .xlsx, de_DE | {seconds[0]:.3f} s, {memory:.1f} MiB peak; "
                      f"stated units {seconds[1]:.3f} s (ratio {ratio:.2f}) | median of {runs} pairs |")
            for kind, what in (("kette", "a chain"), ("straenge", "100 risers")):
                lists = [os.path.join(folder, k + ".csv") for k in (kind, kind + "-ohne")]
                for path, k in zip(lists, (kind, kind + "-ohne")):
                    subprocess.run([list_tool, path, "100000", k], check=True)
                samples = paired(german, [[program, "--teilstrecken", path, "--ausgabe", result] for path in lists], runs)
                seconds = [statistics.median(s[0] for s in taken) for taken in samples]
                ratio = statistics.median(a[0] / b[0] for a, b in zip(*samples))
                memory = max(s[1] for s in samples[0])
                print(f"| process, a sized network of 100,000 sections as {what} CSV to .xlsx, de_DE | {seconds[0]:.3f} s, "
                      f"{memory:.1f} MiB peak; without \"Zuleitung\" {seconds[1]:.3f} s (ratio {ratio:.2f}) | "
                      f"1.3, 150 MB; median of {runs} pairs |")
            # v max's sizes need 34,159 hPa at 100,000 sections and 2,019 hPa at 1,000.
            for rows, supply, target in (("100000", "25000", "3 s, 300 MB"), ("1000", "1850", "0.2 s")):
                path = os.path.join(folder, f"straenge-{rows}.csv")
                subprocess.run([list_tool, path, rows, "straenge"], check=True)
                samples = [german([program, "--teilstrecken", path, "--ausgabe", result, "--versorgungsdruck", supply,
                                   "--nach-druck"]) for _ in range(runs)]
                print(f"| process, 100 risers of {int(rows):,} sections sized by pressure at {int(supply):,} hPa CSV to .xlsx, "
                      f"de_DE | {statistics.median(s[0] for s in samples):.3f} s, {max(s[1] for s in samples):.1f} MiB peak | "
                      f"{target}; median of {runs} |")


if __name__ == "__main__":
    main()
