#!/usr/bin/python3
"""Pipes chosen by pressure on the command line (--nach-druck), a house as
LibreOffice Calc wrote it (tests/fixtures/make_pressure_sizing.py, which
tries every choice of sizes): every section's Rohr, Rohr nach v max, Inhalt l,
Reserve and Hinweis as pressure-expected.tsv says, in a point and a comma
locale, from .xlsx and a German CSV file, and the summary; the result
workbook's water content; the house without --nach-druck; a supply pressure
too low even for the largest sizes (status 3); a given size its series does
not have; the refused options.

Usage: pressure_sizing_test.py PROGRAM FIXTURES
"""
import sys
import tempfile
from pathlib import Path

import openpyxl

from command_checks import Checks, runner

program, fixtures = sys.argv[1], Path(sys.argv[2])
check, run_program = Checks(), runner(program)


def run(*args, locale="C.UTF-8"):
    status, out, err = run_program(*args, locale=locale)
    lines = [line.split("	") for line in out.splitlines()]
    rows = {row[0]: dict(zip(lines[0], row)) for row in lines[1:]}
    return status, (lines[0] if lines else []), rows, [line.removeprefix("gipfelfluss: ") for line in err.splitlines()]


def local(text, comma):
    return text.replace(".", ",") if comma else text


# The program's columns, then the pipe with too low a supply pressure.
COLUMNS = ["Rohr", "Rohr nach v max", "Inhalt l", "Reserve hPa", "Hinweis", "short"]
want, summary = {}, {}
for line in (fixtures / "pressure-expected.tsv").read_text(encoding="utf-8").splitlines():
    name, *rest = line.split("\t")
    if name.startswith("#"):
        summary[name] = rest
    else:
        want[name] = dict(zip(COLUMNS, rest))
content, content_shown = summary["#content"]
low, low_reserve, low_end, low_content = summary["#short"]
book = openpyxl.load_workbook(fixtures / "pressure-libreoffice.xlsx")
given = {row[0].value: row[[c.value for c in book.worksheets[0][1]].index("Rohr vorgegeben")].value
         for row in book.worksheets[0].iter_rows(min_row=2)}


def summary_of(comma):
    return [f"Ungünstigster Fliessweg: {summary['#path'][0]}",
            f"Erforderlicher Versorgungsdruck: {local(summary['#required'][0], comma)} hPa",
            f"Reserve: {local(summary['#reserve'][0], comma)} hPa", f"Wasserinhalt: {local(content_shown, comma)} l",
            f"Vergrössert: {summary['#enlarged'][0]} Teilstrecken"]


for file, locale in [("pressure-libreoffice.xlsx", "C.UTF-8"), ("pressure-libreoffice.xlsx", "de_DE.UTF-8"),
                     ("pressure-libreoffice.csv", "de_DE.UTF-8")]:
    comma, where = locale.startswith("de"), f"{file} in {locale}"
    status, heading, rows, said = run("--teilstrecken", str(fixtures / file), "--nach-druck", locale=locale)
    check(status == 0 and said == summary_of(comma), f"{where}: status {status}, {said}")
    at = heading.index("Δp hPa") if "Δp hPa" in heading else -3
    check(heading[at:at + 3] == ["Δp hPa", "Inhalt l", "Rohr nach v max"], f"{where}: heading {heading}")
    check(list(rows) == list(want), f"{where}: sections {list(rows)}")
    for name, row in rows.items():
        w = {c: local(want.get(name, {}).get(c, ""), comma) for c in COLUMNS[:5]}
        check({c: row.get(c) for c in w} == w, f"{where}: {name} gave {[row.get(c) for c in w]}, expected {w}")
        check(float(row.get("Reserve hPa", "-1").replace(",", ".").replace("−", "-")) >= 0,
              f"{where}: {name} reserve {row.get('Reserve hPa')}")

# Without --nach-druck: every section not given takes v max's size, and the top flat is short.
status, heading, rows, said = run("--teilstrecken", str(fixtures / "pressure-libreoffice.xlsx"))
check(status == 3 and "Rohr nach v max" not in heading and not any(s.startswith("Vergrössert") for s in said),
      f"without --nach-druck: status {status}, {heading}, {said}")
check({n: r["Rohr"] for n, r in rows.items()}
      == {n: w["Rohr" if given[n] else "Rohr nach v max"] for n, w in want.items()}
      and rows["Hausanschluss"]["Hinweis"] == want["Hausanschluss"]["Hinweis"], f"without --nach-druck: {rows}")

with tempfile.TemporaryDirectory() as folder:
    folder = Path(folder)
    # The result workbook: its water content, unrounded, is the least that every choice of sizes gave.
    result = folder / "Haus.xlsx"
    status, *_ = run("--teilstrecken", str(fixtures / "pressure-libreoffice.csv"), "--nach-druck", "--ausgabe",
                     str(result), locale="de_DE.UTF-8")
    rows = list(openpyxl.load_workbook(result).worksheets[0].iter_rows(values_only=True))
    cells = [dict(zip(rows[0], row)) for row in rows[1:]]
    litres = sum(c.get("Inhalt l") or 0 for c in cells)
    check(status == 0 and abs(litres - float(content)) < 1e-6,
          f"result workbook: status {status}, {litres} l, expected {content}")
    check({c["Teilstrecke"]: (c.get("Rohr"), c.get("Rohr nach v max")) for c in cells}
          == {n: (w["Rohr"], w["Rohr nach v max"]) for n, w in want.items()}, f"result workbook: {cells}")

    # Too low a supply pressure, from the option: the paths that fall short take the largest sizes.
    sheet = book.worksheets[0]
    sheet.delete_cols([c.value for c in sheet[1]].index("Versorgungsdruck") + 1)
    book.save(folder / "ohne.xlsx")
    status, heading, rows, said = run("--teilstrecken", str(folder / "ohne.xlsx"), "--nach-druck",
                                      "--versorgungsdruck", low, locale="de_DE.UTF-8")
    check(status == 3 and f"Der Versorgungsdruck reicht auch mit den grössten Rohren nicht: Reserve "
          f"{local(low_reserve, True).replace('-', '−')} hPa an „{low_end}“" in said
          and f"Wasserinhalt: {local(low_content, True)} l" in said,
          f"too low a supply pressure: status {status}, {said}")
    check({n: r["Rohr"] for n, r in rows.items()} == {n: w["short"] for n, w in want.items()},
          f"too low a supply pressure: {[r['Rohr'] for r in rows.values()]}")

    # A given size its series does not have, with and without the series (the cell as written).
    for size, args in [("28×2", []), ("Kupfer 28×2", ["--nach-druck", "--versorgungsdruck", "3000"])]:
        (folder / "Bad.csv").write_text(f"Teilstrecke,Zuleitung,Waschtisch,Dusche,Rohrserie,Länge,Rohr vorgegeben\n"
                                        f"Haus,,,,Kupfer,5,\nBad,Haus,1,1,Kupfer,4,{size}\n", encoding="utf-8")
        status, heading, rows, said = run("--teilstrecken", str(folder / "Bad.csv"), *args)
        check(status == 1 and rows.get("Bad", {}).get("Hinweis") == f"Rohr »{size}« gibt es in Kupfer nicht, nur "
              f"{summary['#series'][0]}", f"given {size}: status {status}, {rows.get('Bad')}")

# The option where it does not belong, and with a value.
for args, reason in [(["--nach-druck"], "»--nach-druck« gilt nur mit »--teilstrecken«"),
                     (["--berechnen", "250", "5", "--nach-druck"], "»--nach-druck« gilt nur mit »--teilstrecken«"),
                     (["--teilstrecken", str(fixtures / "pressure-libreoffice.xlsx"), "--nach-druck=1"],
                      "unerwarteter Wert »1« bei der Option »--nach-druck«")]:
    status, heading, rows, said = run(*args)
    check(status == 2 and any(reason in s for s in said) and not heading, f"{' '.join(args)}: status {status}, {said}")

check.finish()
