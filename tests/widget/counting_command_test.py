#!/usr/bin/python3
"""Section lists that count draw-off points, on the command line, as
LibreOffice Calc wrote them (tests/fixtures/make_counted_sections.py): every
section's BW, Einzel BW, formula and flows as counted-expected.tsv says, in a
point and a comma locale, from .xlsx and a German CSV file; the user's
catalogue changing the totals; the result workbook's number cells;
--entnahmestellen with minimum flow pressures; the refusals and their exit
statuses.

Usage: counting_command_test.py PROGRAM FIXTURES
"""
import sys
import tempfile
from pathlib import Path

import openpyxl

from command_checks import Checks, runner

program, fixtures = sys.argv[1], Path(sys.argv[2])
check, run = Checks(), runner(program)


def expected(name):
    rows = {}
    for line in (fixtures / name).read_text(encoding="utf-8").splitlines():
        name, *rest = line.split("\t")
        rows[name] = None if rest == ["abgewiesen"] else rest
    return rows


RESULT = ["BW", "Einzel BW", "Formel", "l/sec", "l/min", "Hinweis"]


def compare(where, out, want, comma):
    lines = [line.split("\t") for line in out.splitlines()]
    check(lines and lines[0][-6:] == RESULT, f"{where}: heading {lines[:1]}")
    check([row[0] for row in lines[1:]] == list(want), f"{where}: sections")
    for row in lines[1:]:
        w, got = want.get(row[0]), row[-6:]
        if w is None:
            check(got[2:5] == [""] * 3 and got[5] != "", f"{where}: {row[0]} not refused with a reason: {got}")
            continue
        numbers = [x.replace(".", ",") if comma else x for x in w]
        check(got == numbers + [""], f"{where}: {row[0]} gave {got}, expected {numbers}")
    return {row[0]: row[-1] for row in lines[1:]}


builtin, user = expected("counted-expected.tsv"), expected("counted-user-expected.tsv")
for file, locale in [("counted-libreoffice.xlsx", "C.UTF-8"), ("counted-libreoffice.xlsx", "de_DE.UTF-8"),
                     ("counted-libreoffice.csv", "de_DE.UTF-8")]:
    comma = locale.startswith("de")
    status, out, err = run("--teilstrecken", str(fixtures / file), locale=locale)
    check(status == 1, f"{file} in {locale}: status {status}: {err}")
    hints = compare(f"{file} in {locale}", out, builtin, comma)
    check(hints.get("TS 7") == f"Waschtisch muss eine ganze Zahl ab 0 sein: »1{',' if comma else '.'}5«"
          and hints.get("TS 8 Leitung") == "keine Entnahmestellen", f"{file} in {locale}: hints {hints}")
    # The German CSV catalogue has decimal commas: read in a comma locale only.
    for points in ["drawoffs-libreoffice.xlsx"] + (["drawoffs-libreoffice.csv"] if comma else []):
        status, out, err = run("--teilstrecken", str(fixtures / file), "--entnahmestellen-datei", str(fixtures / points),
                               locale=locale)
        check(status == 1, f"{file} with {points} in {locale}: status {status}: {err}")
        compare(f"{file} with {points} in {locale}", out, user, comma)

with tempfile.TemporaryDirectory() as folder:
    result = Path(folder) / "Haus.xlsx"
    status, out, err = run("--teilstrecken", str(fixtures / "counted-libreoffice.csv"), "--ausgabe", str(result),
                           "--entnahmestellen-datei", str(fixtures / "drawoffs-libreoffice.csv"), locale="de_DE.UTF-8")
    rows = list(openpyxl.load_workbook(result).worksheets[0].iter_rows(values_only=True))
    titles = list(rows[0])
    check(titles[-6:] == RESULT and titles[1] == "Waschtisch", f"result workbook: headings {titles}")
    sections = {row[0]: dict(zip(titles, row)) for row in rows[1:]}
    strang = sections.get("TS 3 Strang", {})
    check(strang.get("BW") == 66.3 and strang.get("Einzel BW") == 4 and strang.get("Waschtisch") == 12
          and strang.get("Formel") == "Einzel BW 4" and abs(strang.get("l/sec", 0) - 1.02) < 0.005,
          f"result workbook: TS 3 {strang}")
    check(sections.get("TS 8 Leitung", {}).get("BW") is None, f"result workbook: TS 8 {sections.get('TS 8 Leitung')}")

# The catalogue: loading units (EN 806-3, table 2) and minimum flow pressures in hPa (DIN 1988-300),
# and with the user's file, whose entries state no minimum flow pressure.
CATALOGUE = {"Waschtisch": (1, 1000), "Handwaschbecken": (1, 1000), "Bidet": (1, 1000), "WC-Spülkasten": (1, 500),
             "Küchenspüle": (2, 1000), "Spülbecken": (2, 1000), "Waschmaschine": (2, 500), "Geschirrspüler": (2, 500),
             "Dusche": (2, 1000), "Urinal-Druckspüler": (3, 1000), "Badewanne": (4, 1000), "Gartenventil": (5, 500),
             "Spültisch gewerblich DN 20": (8, 1000), "Badewanne gewerblich": (8, 1000), "Druckspüler DN 20": (15, 1200)}
builtin_lines = {f"{name}\t{units}\t{pressure}" for name, (units, pressure) in CATALOGUE.items()}
status, out, err = run("--entnahmestellen", locale="de_DE.UTF-8")
lines = out.splitlines()
check(status == 0 and lines[:2] == ["Entnahmestelle\tBW je Stück\tMindestfliessdruck hPa", "Waschtisch\t1\t1000"]
      and set(lines[1:]) == builtin_lines and len(lines) == 16, f"--entnahmestellen: {status} {lines}")
status, out, err = run("--entnahmestellen", "--entnahmestellen-datei", str(fixtures / "drawoffs-libreoffice.csv"),
                       locale="de_DE.UTF-8")
lines = out.splitlines()
check(status == 0 and set(lines[1:]) == builtin_lines - {"Waschtisch\t1\t1000"} | {"Waschtisch\t0,5\t", "Wandbrunnen\t0,1\t"}
      and len(lines) == 17, f"--entnahmestellen with a file: {status} {lines}")

for args, reason in [
        (["--berechnen", "250", "5", "--entnahmestellen-datei", "x.csv"],
         "»--entnahmestellen-datei« gilt nur mit »--teilstrecken« oder »--entnahmestellen«"),
        (["--entnahmestellen", "--rohrserien"], "gehen nicht zusammen"),
        (["--entnahmestellen", "--entnahmestellen-datei", str(fixtures / "counted-libreoffice.xlsx")],
         "Es fehlt die Spalte „Entnahmestelle“, die Spalte „BW je Stück“"),
        (["--teilstrecken", str(fixtures / "counted-libreoffice.xlsx"), "--entnahmestellen-datei", "/weg/Katalog.csv"],
         "Katalog.csv"),
        (["--entnahmestellen-datei"], "»--entnahmestellen-datei« braucht einen Wert: DATEI")]:
    status, out, err = run(*args)
    check(status == 2 and reason in err and out == "", f"{' '.join(args[:4])}: status {status}, {err!r}")

check.finish()
