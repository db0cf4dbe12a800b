#!/usr/bin/python3
"""Pipe sizing on the command line, on lists and series files that LibreOffice
Calc wrote (tests/fixtures/make_sized_sections.py): every section's pipe and
losses as sized-expected.tsv says (IAPWS-95 and fluids), in a point and a
comma locale, from .xlsx and a German CSV file; the user's series changing
the sizes; the result workbook's number cells; --berechnen's line; the
refusals and their exit statuses.

Usage: sizing_command_test.py PROGRAM FIXTURES
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


SIZING = ["Rohr", "di mm", "v m/s", "R hPa/m", "R·l hPa", "Z hPa", "Δp hPa", "Hinweis"]


def compare(where, out, want, comma):
    lines = [line.split("\t") for line in out.splitlines()]
    check(lines and lines[0][-8:] == SIZING, f"{where}: heading {lines[:1]}")
    check([row[0] for row in lines[1:]] == list(want), f"{where}: sections")
    for row in lines[1:]:
        w = want.get(row[0])
        got = row[-8:]
        if w is None:
            check(got[:7] == [""] * 7 and got[7] != "", f"{where}: {row[0]} not refused with a reason: {got}")
            continue
        numbers = [x.replace(".", ",") if comma else x for x in w[1:7]]
        check(got[:7] == [w[0]] + numbers, f"{where}: {row[0]} gave {got[:7]}, expected {[w[0]] + numbers}")
        check(got[7].startswith(w[7]) and (w[7] != "" or got[7] == ""), f"{where}: {row[0]} hint {got[7]!r}")


builtin, user = expected("sized-expected.tsv"), expected("sized-user-expected.tsv")
for file, locale in [("sized-libreoffice.xlsx", "C.UTF-8"), ("sized-libreoffice.xlsx", "de_DE.UTF-8"),
                     ("sized-libreoffice.csv", "de_DE.UTF-8")]:
    status, out, err = run("--teilstrecken", str(fixtures / file), locale=locale)
    check(status == 1, f"{file} in {locale}: status {status}: {err}")
    compare(f"{file} in {locale}", out, builtin, locale.startswith("de"))
    # The German CSV file of series has decimal commas: read in a comma locale only.
    for series in ["pipe-series-libreoffice.xlsx"] + (["pipe-series-libreoffice.csv"] if locale.startswith("de") else []):
        status, out, err = run("--teilstrecken", str(fixtures / file), "--rohrserien-datei", str(fixtures / series), locale=locale)
        compare(f"{file} with {series} in {locale}", out, user, locale.startswith("de"))

# A list without its own series, sized by --rohrserie; the flows as before.
status, out, err = run("--teilstrecken", str(fixtures / "sections-libreoffice.xlsx"), "--rohrserie", "PE-X", "--vmax", "2.5")
heading = out.splitlines()[0].split("\t")
check(heading[-8:] == SIZING and "Formel" in heading, f"--rohrserie on a list: heading {heading}")
check("PE-X 25×3,5" in out, "--rohrserie on a list: no PE-X size for 250/5 at 2.5 m/s")

with tempfile.TemporaryDirectory() as folder:
    result = Path(folder) / "Haus.xlsx"
    status, out, err = run("--teilstrecken", str(fixtures / "sized-libreoffice.csv"), "--ausgabe", str(result), locale="de_DE.UTF-8")
    rows = list(openpyxl.load_workbook(result).worksheets[0].iter_rows())
    titles = [c.value for c in rows[0]]
    first = {t: c for t, c in zip(titles, rows[1])}
    check(first["Rohr"].value == "Kupfer 42×1,5" and first["Rohrserie"].value == "Kupfer", f"result workbook: {first['Rohr'].value}")
    for title, fmt, want in [("di mm", "0.0", 39.0), ("v m/s", "0.00", 1.3636303), ("R hPa/m", "0.0", 5.2443599),
                             ("Δp hPa", "0.0", 104.758344)]:
        cell = first[title]
        check(isinstance(cell.value, (int, float)) and cell.number_format == fmt and abs(cell.value - want) < 1e-4 * want,
              f"result workbook: {title} {cell.value!r} {cell.number_format}")

# One calculation, as the help shows it.
status, out, err = run("--berechnen", "250", "5", "--rohrserie", "Kupfer", "--laenge", "12", "--zeta", "4,5", locale="de_DE.UTF-8")
check((status, out) == (0, "1,63 l/s\t97,7 l/min\tKupfer 42×1,5\tdi 39,0 mm\tv 1,36 m/s\tR 5,2 hPa/m\tΔp 104,8 hPa\n"),
      f"--berechnen sized: {status} {out!r} {err!r}")
status, out, err = run("--berechnen", "250", "5", locale="de_DE.UTF-8")
check(out == "1,63 l/s\t97,7 l/min\n", f"--berechnen without a series: {out!r}")
status, out, err = run("--berechnen", "45000", "8", "--rohrserie", "edelstahl")
check(status == 1 and out.startswith("31.37 l/s\t1882.1 l/min\tEdelstahl 108×2") and "v 3.69 m/s über v max 2.0 m/s auch in 108×2" in err,
      f"--berechnen beyond v max: {status} {out!r} {err!r}")

# Refusals: the reason on standard error, 1 for a value, 2 for the command line or a file.
for args, code, reason in [
        (["--berechnen", "250", "5", "--rohrserie", "Blei"], 1, "Rohrserie »Blei« unbekannt"),
        (["--berechnen", "250", "5", "--rohrserie", "Kupfer", "--temperatur", "95"], 1, "Temperatur 95 °C: nur 5 bis 90 °C"),
        (["--berechnen", "250", "5", "--rohrserie", "Kupfer", "--laenge", "-3"], 1, "Länge -3 m: nur 0 bis 100000 m"),
        (["--berechnen", "250", "5", "--rohrserie", "Kupfer", "--vmax", "0"], 1, "v max 0 m/s: nur grösser als 0"),
        (["--berechnen", "250", "5", "--rohrserie", "Kupfer", "--zeta", "nan"], 1, "Σζ ist keine Zahl: »nan«"),
        (["--berechnen", "250", "5", "--laenge", "12"], 2, "»--laenge« gilt nur mit »--rohrserie«"),
        (["--berechnen", "250", "5", "--temperatur", "60"], 2, "»--temperatur« gilt nur mit »--rohrserie«"),
        (["--vmax", "2"], 2, "»--vmax« gilt nur mit »--berechnen« oder »--teilstrecken«"),
        (["--teilstrecken", str(fixtures / "sized-libreoffice.xlsx"), "--laenge", "3"], 2, "»--laenge« gilt nur mit »--berechnen« und »--rohrserie«"),
        (["--teilstrecken", str(fixtures / "sized-libreoffice.xlsx"), "--rohrserie", "Blei"], 2, "Rohrserie »Blei« unbekannt"),
        (["--teilstrecken", str(fixtures / "sized-libreoffice.xlsx"), "--temperatur", "99"], 2, "Temperatur 99 °C"),
        (["--rohrserien", "--rohrserien-datei", str(fixtures / "sized-libreoffice.xlsx")], 2, "Es fehlt die Spalte „Rohr“"),
        (["--berechnen", "250", "5", "--rohrserie"], 2, "»--rohrserie« braucht einen Wert: NAME")]:
    status, out, err = run(*args)
    check(status == code and reason in err, f"{' '.join(args[:6])}: status {status}, {err!r}")

# The catalogue, with the user's series in place of the built-in copper.
status, out, err = run("--rohrserien", locale="de_DE.UTF-8")
lines = out.splitlines()
check(status == 0 and lines[0] == "Rohrserie\tRohr\tdi mm\tk mm" and "Kupfer\t76,1×2\t72,1\t0,0015" in lines and len(lines) == 45,
      f"--rohrserien: {status} {len(lines)} lines")
status, out, err = run("--rohrserien", "--rohrserien-datei", str(fixtures / "pipe-series-libreoffice.csv"), locale="de_DE.UTF-8")
check("Kupfer\t15×0,7\t13,6\t0,001" in out.splitlines() and "Kupfer\t76,1×2\t72,1\t0,0015" not in out
      and "Press-System\t20×2,25\t15,5\t0,005" in out, f"--rohrserien with a file: {out!r}")

check.finish()
