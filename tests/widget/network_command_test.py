#!/usr/bin/python3
"""Section lists as networks on the command line, a house as LibreOffice Calc
wrote it (tests/fixtures/make_network.py): every section's BW, flow, pipe and
pressures, the most unfavourable path and the summary as network-expected.tsv
says, in a point and a comma locale, from .xlsx and a German CSV file; the
supply pressure from the list, from --versorgungsdruck and too low for the
house (status 3); every section's water content and their sum; the result
workbook's number cells; lists whose sections
are refused, with their reasons; the refused options.

Usage: network_command_test.py PROGRAM FIXTURES
"""
import sys
import tempfile
from pathlib import Path

import openpyxl

from command_checks import Checks, runner

program, fixtures = sys.argv[1], Path(sys.argv[2])
check, run = Checks(), runner(program)


def table(out):
    lines = [line.split("\t") for line in out.splitlines()]
    return (lines[0] if lines else []), [dict(zip(lines[0], row)) for row in lines[1:]]


want, summary = {}, {}
for line in (fixtures / "network-expected.tsv").read_text(encoding="utf-8").splitlines():
    name, *rest = line.split("\t")
    (summary if name.startswith("#") else want)[name] = rest
COLUMNS = ["BW", "Einzel BW", "Formel", "l/sec", "Rohr", "Δp hPa", "Inhalt l", "Δp geo hPa", "p erf. hPa", "p Anfang hPa",
           "Reserve hPa", "Fliessweg"]
TEXTS = {"Formel", "Rohr", "Fliessweg"}
LAST = ["Δp hPa", "Inhalt l", "Δp geo hPa", "p erf. hPa", "p Anfang hPa", "Reserve hPa", "Fliessweg", "Hinweis"]
path, required, reserve = summary["#path"][0], summary["#required"][0], summary["#reserve"][0]
content, exact_content = summary["#content"]
low, low_reserve, low_end = summary["#low"]


def local(number, comma):
    return number.replace(".", ",") if comma else number


def compare(where, out, comma):
    heading, rows = table(out)
    check(heading[-8:] == LAST and "Formel" in heading and "l/min" in heading, f"{where}: heading {heading}")
    check([row["Teilstrecke"] for row in rows] == list(want), f"{where}: sections")
    for row in rows:
        w = [x if c in TEXTS else local(x, comma) for c, x in zip(COLUMNS, want.get(row["Teilstrecke"], []))]
        got = [row.get(c) for c in COLUMNS]
        check(got == w and row.get("Hinweis") == "", f"{where}: {row['Teilstrecke']} gave {got}, expected {w}")
    return rows


def said(err):
    return [line.removeprefix("gipfelfluss: ") for line in err.splitlines()]


for file, locale in [("network-libreoffice.xlsx", "C.UTF-8"), ("network-libreoffice.xlsx", "de_DE.UTF-8"),
                     ("network-libreoffice.csv", "de_DE.UTF-8")]:
    comma, where = locale.startswith("de"), f"{file} in {locale}"
    status, out, err = run("--teilstrecken", str(fixtures / file), locale=locale)
    check(status == 0, f"{where}: status {status}: {err}")
    compare(where, out, comma)
    check(said(err) == [f"Ungünstigster Fliessweg: {path}", f"Erforderlicher Versorgungsdruck: {local(required, comma)} hPa",
                        f"Reserve: {local(reserve, comma)} hPa", f"Wasserinhalt: {local(content, comma)} l"],
          f"{where}: summary {err!r}")
    # The list's own supply pressure wins over the option's.
    status, out, err = run("--teilstrecken", str(fixtures / file), "--versorgungsdruck", low, locale=locale)
    check(status == 0 and f"Reserve: {local(reserve, comma)} hPa" in said(err), f"{where} with the option: {status} {err!r}")

with tempfile.TemporaryDirectory() as folder:
    folder = Path(folder)
    # The house without its column of supply pressures: none at all, then one too low from the option.
    book = openpyxl.load_workbook(fixtures / "network-libreoffice.xlsx")
    sheet = book.worksheets[0]
    sheet.delete_cols([c.value for c in sheet[1]].index("Versorgungsdruck") + 1)
    book.save(folder / "ohne.xlsx")
    status, out, err = run("--teilstrecken", str(folder / "ohne.xlsx"))
    heading, rows = table(out)
    check(status == 0 and "p Anfang hPa" not in heading and "Reserve hPa" not in heading
          and said(err) == [f"Ungünstigster Fliessweg: {path}", f"Erforderlicher Versorgungsdruck: {required} hPa",
                           f"Wasserinhalt: {content} l"],
          f"without a supply pressure: {status} {heading} {err!r}")
    check({r["Teilstrecke"]: r.get("p erf. hPa") for r in rows} == {n: w[COLUMNS.index("p erf. hPa")] for n, w in want.items()},
          "without a supply pressure: p erf.")
    status, out, err = run("--teilstrecken", str(folder / "ohne.xlsx"), "--versorgungsdruck", low, locale="de_DE.UTF-8")
    rows = {r["Teilstrecke"]: r for r in table(out)[1]}
    check(status == 3 and said(err)[-2:] == [f"Der Versorgungsdruck reicht nicht: Reserve "
          f"{local(low_reserve, True).replace('-', '−')} hPa an „{low_end}“", f"Wasserinhalt: {local(content, True)} l"],
          f"too low a supply pressure: {status} {err!r}")
    check(rows.get(low_end, {}).get("Reserve hPa") == local(low_reserve, True)
          and rows.get(path.split(" → ")[0], {}).get("p Anfang hPa") == f"{low},0", f"too low a supply pressure: {rows.get(low_end)}")

    # The result workbook: numbers as number cells, unrounded.
    result = folder / "Haus.xlsx"
    status, out, err = run("--teilstrecken", str(fixtures / "network-libreoffice.csv"), "--ausgabe", str(result),
                           locale="de_DE.UTF-8")
    rows = list(openpyxl.load_workbook(result).worksheets[0].iter_rows(values_only=True))
    titles, unrounded = list(rows[0]), []
    check(status == 0 and titles[-8:] == LAST, f"result workbook: {status} {titles}")
    check([row[0] for row in rows[1:]] == list(want), "result workbook: sections")
    for row in (row for row in rows[1:] if row[0] in want):
        cells, w = dict(zip(titles, row)), want[row[0]]
        for title, places in [("BW", None), ("Einzel BW", None), ("l/sec", 2), ("Inhalt l", 2), ("p erf. hPa", 1),
                              ("Reserve hPa", 1)]:
            value, wanted = cells.get(title), float(w[COLUMNS.index(title)])
            near = 0.5 * 10 ** -places + 1e-9 if places else 0
            check(isinstance(value, (int, float)) and abs(value - wanted) <= near,
                  f"result workbook: {row[0]} {title} {value!r}, expected {wanted}")
            if places:
                unrounded.append(isinstance(value, float) and abs(value * 10 ** places % 1 - 0.5) < 0.5 - 1e-6)
        check(cells.get("Fliessweg") == (w[-1] or None), f"result workbook: {row[0]} Fliessweg {cells.get('Fliessweg')!r}")
    check(sum(unrounded) > len(unrounded) / 2, "result workbook: the numbers are rounded")
    litres = sum(dict(zip(titles, row)).get("Inhalt l") or 0 for row in rows[1:])
    check(abs(litres - float(exact_content)) < 1e-6, f"result workbook: Inhalt l sums to {litres}, expected {exact_content}")

    # Refused sections: list, the reason in each row ("" where computed), how many refused.
    plain = "Teilstrecke,Zuleitung,Waschtisch,Dusche,BW,Einzel BW"
    for case, heading, rows, reasons in [
            ("duplicate name", plain, ["Haus,,,,,", "Bad,Haus,1,1", "WC,Bad,1", "Küche,Haus,,1", "Bad,Haus,1"],
             ["BW unbekannt: Teilstrecke „Bad“ abgewiesen", "Teilstrecke „Bad“ steht zweimal in der Liste (Zeilen 3 und 6)",
              "Zuleitung „Bad“ steht zweimal in der Liste (Zeilen 3 und 6)", "",
              "Teilstrecke „Bad“ steht zweimal in der Liste (Zeilen 3 und 6)"]),
            ("missing Zuleitung", plain, ["Haus", "Bad,haus ,1,1", "Küche,Keller,,1"],
             ["", "", "Zuleitung „Keller“ steht nicht in der Liste"]),
            ("cycle of three", plain, ["Haus,,1,1", "B,A,1", "A,c,,1", "C,B,1,1"], [""] + ["Kreis: B → C → A → B"] * 3),
            ("empty name", plain, ["Haus", "Bad,Haus,1,1", ",,1,1"], ["", "", "Teilstrecke fehlt"]),
            ("stated BW", plain, ["Haus", "Strang,Haus,,,30", "Bad 1,Strang,2,1", "Bad 2,strang,1,1", "Keller,,2,1,5"],
             ["BW unbekannt: Teilstrecke „Strang“ abgewiesen", "BW 30 laut Spalte, 7 aus den Teilstrecken und Entnahmestellen",
              "", "", "BW 5 laut Spalte, 4 aus den Entnahmestellen"]),
            ("above a refused one", plain + ",Rohrserie,Länge,Höhe",
             ["Haus,,,,,,Kupfer,5", "Strang,Haus,,,,,Blei,5", "Bad,Strang,2,1,,,Kupfer,4,1", "Wohnung,Haus,,,8,2,Kupfer,3",
              "Garten,Haus,1,,,,Kupfer,3,2000"],
             ["Druck unbekannt: Teilstrecke „Strang“ abgewiesen", "Rohrserie »Blei« unbekannt", "",
              "kein Mindestfliessdruck", "Höhe 2000 m: nur -1000 bis 1000 m"])]:
        file = folder / f"{case}.csv"
        file.write_text("\n".join([heading, *rows]) + "\n", encoding="utf-8")
        status, out, err = run("--teilstrecken", str(file))
        got = [(r["Teilstrecke"], r.get("Hinweis")) for r in table(out)[1]]
        check(got == [(row.split(",")[0], reason) for row, reason in zip(rows, reasons)], f"{case}: {got}")
        refused = sum(1 for reason in reasons if reason)
        check(status == 1 and f"{refused} von {len(rows)} Teilstrecken abgewiesen, der Grund steht in der Spalte „Hinweis“."
              in said(err), f"{case}: status {status}, {err!r}")
        check(all(r.get("Formel") for r, reason in zip(table(out)[1], reasons) if not reason), f"{case}: not computed")

    # A network without its names, and the option where it does not belong or out of range.
    (folder / "ohne Namen.csv").write_text("Zuleitung,Waschtisch\n,1\n", encoding="utf-8")
    for args, reason in [
            (["--teilstrecken", str(folder / "ohne Namen.csv")], "„Teilstrecke“"),
            (["--teilstrecken", str(fixtures / "network-libreoffice.xlsx"), "--versorgungsdruck", "200000"],
             "Versorgungsdruck 200000 hPa: nur 0 bis 100000 hPa"),
            (["--versorgungsdruck", "3000"], "»--versorgungsdruck« gilt nur mit »--teilstrecken«"),
            (["--berechnen", "250", "5", "--versorgungsdruck", "3000"], "»--versorgungsdruck« gilt nur mit »--teilstrecken«"),
            (["--teilstrecken", str(fixtures / "network-libreoffice.xlsx"), "--versorgungsdruck"],
             "»--versorgungsdruck« braucht einen Wert")]:
        status, out, err = run(*args)
        check(status == 2 and reason in err and out == "", f"{' '.join(args[-2:])}: status {status}, {err!r}")

check.finish()
