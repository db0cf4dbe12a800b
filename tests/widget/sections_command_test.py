#!/usr/bin/python3
"""The command line's --teilstrecken on section lists that LibreOffice Calc
and openpyxl wrote: each section gives what sections-expected.tsv (computed
by make_sections.py from the formulas) says, in a point and a comma locale;
the exit statuses; a result file that is complete or not there at all, its
numbers as number cells also from a CSV list, and as separated text read
back as written; refused endings; standard input within the reader's limits.

Usage: sections_command_test.py PROGRAM FIXTURES
"""
import csv
import os
import subprocess
import sys
import tempfile
import zipfile
from pathlib import Path

import openpyxl

program, fixtures = sys.argv[1], Path(sys.argv[2])
failures = []


def check(condition, what):
    if not condition:
        failures.append(what)
        print("FAIL:", what, file=sys.stderr)


def run(*args, locale="C.UTF-8", stdin=None):
    env = {k: v for k, v in os.environ.items() if k not in ("DISPLAY", "WAYLAND_DISPLAY", "LANGUAGE")}
    env.update(LC_ALL=locale, LANG=locale)
    done = subprocess.run([program, *args], input=stdin, capture_output=True, env=env, timeout=60)
    return done.returncode, done.stdout.decode("utf-8"), done.stderr.decode("utf-8", "replace")


expected = {}
for line in (fixtures / "sections-expected.tsv").read_text(encoding="utf-8").splitlines():
    name, *rest = line.split("\t")
    expected[name] = None if rest == ["abgewiesen"] else rest

lists = [("sections-libreoffice.xlsx", ["C.UTF-8", "de_DE.UTF-8"]),
         ("sections-libreoffice.ods", ["C.UTF-8", "de_DE.UTF-8"]),
         ("sections-libreoffice.xls", ["C.UTF-8", "de_DE.UTF-8"]),
         ("sections-openpyxl.xlsx", ["C.UTF-8", "de_DE.UTF-8"]),
         # Decimal commas, as a German spreadsheet program writes its CSV files.
         ("sections-libreoffice.csv", ["de_DE.UTF-8"])]
for file, locales in lists:
    for locale in locales:
        status, out, err = run("--teilstrecken", str(fixtures / file), locale=locale)
        where = f"{file} in {locale}"
        check(status == 1, f"{where}: status {status}, expected 1 (some refused): {err}")
        lines = [line.split("\t") for line in out.splitlines()]
        heading = lines[0]
        check(heading[-4:] == ["Formel", "l/sec", "l/min", "Hinweis"], f"{where}: heading {heading}")
        names = [row[0] for row in lines[1:]]
        check(names == list(expected), f"{where}: sections {names}")
        for row in lines[1:]:
            want = expected.get(row[0])
            got = row[-4:]
            if want is None:
                check(got[:3] == ["", "", ""] and got[3] != "", f"{where}: {row[0]} not refused with a reason: {got}")
            else:
                if locale.startswith("de"):
                    want = [want[0], want[1].replace(".", ","), want[2].replace(".", ",")]
                check(got == want + [""], f"{where}: {row[0]} gave {got}, expected {want}")
        refused = sum(1 for want in expected.values() if want is None)
        check(f"{refused} von {len(expected)} Teilstrecken abgewiesen, der Grund steht in der Spalte „Hinweis“" in err,
              f"{where}: no count of refused sections on stderr: {err}")

with tempfile.TemporaryDirectory() as folder:
    work = Path(folder)
    # The result workbook: flows as unrounded numbers, shown as the window shows them.
    result = work / "Haus-Gipfelfluss.xlsx"
    status, out, err = run("--teilstrecken", str(fixtures / "sections-libreoffice.ods"), "--ausgabe", str(result))
    check(status == 1 and out == "", f"--ausgabe .xlsx: status {status}, output {out!r}")
    sheet = openpyxl.load_workbook(result).worksheets[0]
    rows = list(sheet.iter_rows(values_only=False))
    titles = [c.value for c in rows[0]]
    lsec, lmin = titles.index("l/sec"), titles.index("l/min")
    for row in rows[1:]:
        want = expected[row[0].value]
        if want is None:
            check(row[lsec].value is None, f"result workbook: {row[0].value} has a flow")
            continue
        flow = row[lsec]
        check(isinstance(flow.value, float) and flow.number_format == "0.00", f"result workbook: {row[0].value} l/sec {flow.value!r} {flow.number_format}")
        check(abs(flow.value - float(want[1])) <= 0.005, f"result workbook: {row[0].value} l/sec {flow.value}")
        check(abs(row[lmin].value - flow.value * 60) < 1e-9 and row[lmin].number_format == "0.0", f"result workbook: {row[0].value} l/min")
        check(f"{flow.value:.6f}" != f"{float(want[1]):.6f}", f"result workbook: {row[0].value} l/sec is rounded")

    # A German CSV list (LibreOffice: Windows-1252, semicolons, decimal
    # commas) into a workbook: every field that reads as a number is a
    # number cell of that value, names and other texts stay as written.
    with open(fixtures / "sections-libreoffice.csv", encoding="cp1252", newline="") as listed:
        typed = list(csv.reader(listed, delimiter=";"))
    result = work / "aus-csv.xlsx"
    status, out, err = run("--teilstrecken", str(fixtures / "sections-libreoffice.csv"), "--ausgabe", str(result),
                           locale="de_DE.UTF-8")
    check(status == 1, f"CSV list into .xlsx: status {status}: {err}")
    written = [row for row in openpyxl.load_workbook(result).worksheets[0].iter_rows(values_only=True)]
    sections = [row for row in typed[1:] if any(field.strip() for field in row)]
    check(list(written[0][:len(typed[0])]) == typed[0], f"CSV list into .xlsx: headings {written[0]}")
    check(len(written) == len(sections) + 1, f"CSV list into .xlsx: {len(written) - 1} rows for {len(sections)} sections")
    for fields, cells in zip(sections, written[1:]):
        for heading, field, cell in zip(typed[0], fields, cells):
            german = field.strip().replace(",", ".")
            try:
                number = float(german) if heading != "Teilstrecke" and german.replace(".", "", 1).lstrip("-").isdigit() else None
            except ValueError:
                number = None
            if number is not None:
                check(isinstance(cell, (int, float)) and cell == number, f"CSV list into .xlsx: {heading} {field!r} gave {cell!r}")
            else:
                check(cell == (field or None), f"CSV list into .xlsx: {heading} {field!r} gave {cell!r}")
    result.unlink()

    # The result as separated text, read back as a spreadsheet program reads
    # it: its separator by locale and ending, a byte-order mark for .csv, the
    # fields that hold the separator or a quote quoted.
    for ending, locale, separator, mark in [(".csv", "de_DE.UTF-8", ";", True), (".csv", "C.UTF-8", ",", True),
                                            (".tsv", "de_DE.UTF-8", "\t", False), (".TSV", "C.UTF-8", "\t", False)]:
        result = work / f"text{ending}"
        status, out, err = run("--teilstrecken", str(fixtures / "sections-libreoffice.csv"), "--ausgabe", str(result),
                               locale=locale)
        raw = result.read_bytes()
        check(status == 1 and raw.startswith(b"\xef\xbb\xbf") == mark, f"{ending} in {locale}: status {status}, start {raw[:4]}")
        rows = list(csv.reader(raw.decode("utf-8-sig").splitlines(), delimiter=separator))
        check(rows[0][:len(typed[0])] == typed[0], f"{ending} in {locale}: headings {rows[0]}")
        check([row[:len(typed[0])] for row in rows[1:]] == [row + [""] * (len(typed[0]) - len(row)) for row in sections],
              f"{ending} in {locale}: the list's fields do not come back as written")
        result.unlink()

    # A result of any other ending is refused before anything is read or written.
    for name in ["Haus.ods", "Haus.xls", "Haus.txt", "Haus", "Haus.XLS.bak"]:
        status, out, err = run("--teilstrecken", str(fixtures / "sections-libreoffice.xlsx"), "--ausgabe", str(work / name))
        check(status == 2 and ".xlsx, .csv oder .tsv" in err and not (work / name).exists(), f"--ausgabe {name}: status {status}, {err!r}")
    status, out, err = run("--teilstrecken", str(fixtures / "sections-libreoffice.xlsx"), "--ausgabe", str(work / "Gross.XLSX"))
    check(status == 1 and zipfile.is_zipfile(work / "Gross.XLSX"), f"--ausgabe Gross.XLSX: status {status}, {err!r}")
    (work / "Gross.XLSX").unlink()

    # Standard input without end, or with a line longer than a row may be:
    # refused at the reader's limits, the copy of it removed.
    scratch = work / "tmp"
    scratch.mkdir()
    env = {k: v for k, v in os.environ.items() if k not in ("DISPLAY", "WAYLAND_DISPLAY")}
    env.update(TMPDIR=str(scratch), LC_ALL="C.UTF-8")
    endless = subprocess.Popen(["yes", "A;250;5"], stdout=subprocess.PIPE)
    done = subprocess.run([program, "--teilstrecken", "-"], stdin=endless.stdout, capture_output=True, env=env, timeout=120)
    endless.kill()
    check(done.returncode == 2 and "1048576 Zeilen" in done.stderr.decode(), f"endless stdin: {done.returncode} {done.stderr!r}")
    done = subprocess.run([program, "--teilstrecken", "-"], input=b"x" * (8 * 1024 * 1024 + 1), capture_output=True, env=env,
                          timeout=60)
    check(done.returncode == 2 and "Zeile 1 ist länger als 8 MiB" in done.stderr.decode(), f"long stdin: {done.returncode} {done.stderr!r}")
    check(list(scratch.iterdir()) == [], f"standard input left its copy: {list(scratch.iterdir())}")
    scratch.rmdir()

    # CSV on standard input, every section valid: status 0.
    status, out, err = run("--teilstrecken", "-", stdin="Teilstrecke;BW;Einzel BW\nA;250;5\nB;300;7\n".encode())
    check(status == 0, f"stdin: status {status}: {err}")
    check(out.splitlines()[1:] == ["A\t250\t5\tEinzel BW 5\t1.63\t97.7\t", "B\t300\t7\tab 300 BW\t1.69\t101.6\t"], f"stdin: {out!r}")

    # Lists that cannot be read, and outputs that cannot be written: status 2,
    # the reason on stderr, no result file, the old one as it was.
    (work / "kaputt.csv").write_bytes(bytes(range(256)) * 4)
    (work / "ohne.csv").write_text("Teilstrecke;BW\nA;250\n", encoding="utf-8")
    old = work / "alt.xlsx"
    old.write_bytes(b"die Daten von gestern")
    for args, named in [(["--teilstrecken", str(work / "kaputt.csv"), "--ausgabe", str(old)], "kaputt.csv"),
                        (["--teilstrecken", str(work / "ohne.csv"), "--ausgabe", str(old)], "„Einzel BW“"),
                        (["--teilstrecken", str(work / "fehlt.xlsx"), "--ausgabe", str(old)], "fehlt.xlsx"),
                        (["--teilstrecken", str(work / "ohne.csv"), "--ausgabe", str(work / "ohne.csv")], "selbst"),
                        (["--teilstrecken", str(fixtures / "sections-libreoffice.xls"), "--ausgabe",
                          str(work / "kein Ordner" / "x.xlsx")], "x.xlsx")]:
        status, out, err = run(*args)
        check(status == 2 and out == "" and err.startswith("gipfelfluss: ") and named in err,
              f"{args}: status {status}, stderr {err!r}")
    check(old.read_bytes() == b"die Daten von gestern", "a failed run changed the old result")
    check((work / "ohne.csv").read_text(encoding="utf-8") == "Teilstrecke;BW\nA;250\n", "the list was written to")
    left = sorted(p.name for p in work.iterdir())
    check(left == sorted(["alt.xlsx", "Haus-Gipfelfluss.xlsx", "kaputt.csv", "ohne.csv"]), f"stray files: {left}")

print("all checks passed" if not failures else f"{len(failures)} checks failed")
sys.exit(1 if failures else 0)
