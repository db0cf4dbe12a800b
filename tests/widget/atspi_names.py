"""Reads the running program's controls through AT-SPI as a screen reader
does and checks their roles, names and descriptions; makes one calculation
(250 loading units, largest single unit 5: 1,63 l/s) and opens the file
dialog, whose Qt texts must be German; "Neue Eingabe" takes the mark away.
Then the tally dialog: its table, summary and buttons by name.
Exits non-zero on the first fault."""
import subprocess
import sys
import time

import pyatspi


def fail(message):
    sys.exit("FAIL: " + message)


def walk(node):
    yield node
    for child in node:
        if child is not None:
            yield from walk(child)


def find(root, role, name=None, timeout=5.0):
    deadline = time.monotonic() + timeout
    while True:
        hits = [n for n in walk(root) if n.getRoleName() == role and (name is None or n.name == name)]
        if hits or time.monotonic() > deadline:
            return hits
        time.sleep(0.2)


def one(root, role, name):
    hits = find(root, role, name)
    if len(hits) != 1:
        present = sorted({(n.getRoleName(), n.name) for n in walk(root)})
        fail(f"{len(hits)} {role} named {name!r}; present: {present}")
    return hits[0]


def until(what, read, expected):
    deadline = time.monotonic() + 5
    while (got := read()) != expected:
        if time.monotonic() > deadline:
            fail(f"{what} is {got!r}, expected {expected!r}")
        time.sleep(0.1)


desktop = pyatspi.Registry.getDesktop(0)
app = None
for _ in range(100):
    app = next((a for a in desktop if a is not None and a.name == "gipfelfluss"), None)
    if app is not None:
        break
    time.sleep(0.1)
if app is None:
    fail("the program did not register on the accessibility bus")

boxes = {name: one(app, "text", name) for name in
         ("Total Belastungswerte", "Grösster Einzel BW", "Gipfelfluss l/s", "Gipfelfluss l/min")}
if boxes["Total Belastungswerte"].description != "Eingabe Total BW":
    fail(f"Text1's description is {boxes['Total Belastungswerte'].description!r}")
buttons = {name: one(app, "push button", name) for name in ("Berechnen", "Neue Eingabe", "Beenden")}
chart = one(app, "image", "Diagramm Gipfelfluss")
if chart.description != "grafische Darstellung":
    fail(f"the chart's description before a calculation is {chart.description!r}")
table = one(app, "table", "Tabelle der Resultate").queryTable()
header = [table.getAccessibleAt(0, c).name for c in range(table.nColumns)]
if header != ["Nr.", "BW", "Einzel BW", "l/sec", "l/min"]:
    fail(f"the table's first row reads {header}")

boxes["Total Belastungswerte"].queryEditableText().setTextContents("250")
boxes["Grösster Einzel BW"].queryEditableText().setTextContents("5")
buttons["Berechnen"].queryAction().doAction(0)
until("Gipfelfluss l/s", lambda: boxes["Gipfelfluss l/s"].queryText().getText(0, -1), "1,63")
until("the chart's description", lambda: chart.description, "Markierter Betriebspunkt: 250 BW, 1,63 l/s")
until("the table's first result", lambda: [table.getAccessibleAt(1, c).name for c in range(1, 4)],
      ["250", "5", "1,63"])

# "Einlesen von MS Excel", the first item of the menu "Datei", opens Qt's file dialog.
datei = one(app, "menu item", "Datei").queryComponent().getExtents(pyatspi.DESKTOP_COORDS)
subprocess.run(["xdotool", "mousemove", str(datei.x + datei.width // 2), str(datei.y + datei.height // 2),
                "click", "1", "sleep", "0.5", "key", "Down", "Return"], check=True)
dialogs = find(app, "dialog", timeout=10) or find(app, "file chooser", timeout=1)
if not dialogs:
    fail("no file dialog after Datei > Einlesen von MS Excel")
labels = {n.name for n in walk(dialogs[0]) if n.getRoleName() in ("push button", "label")}
for german in ("Abbrechen", "Suchen in:"):
    if german not in labels:
        fail(f"the file dialog has no {german!r}: {sorted(labels)}")
subprocess.run(["xdotool", "key", "Escape"], check=True)
until("the file dialog", lambda: len(find(app, "dialog", timeout=0)), 0)

buttons["Neue Eingabe"].queryAction().doAction(0)
until("the chart's description after Neue Eingabe", lambda: chart.description, "grafische Darstellung")
# "Belastungswerte zusammenzählen…", the first item of the menu "Extras".
extras = one(app, "menu item", "Extras").queryComponent().getExtents(pyatspi.DESKTOP_COORDS)
subprocess.run(["xdotool", "mousemove", str(extras.x + extras.width // 2), str(extras.y + extras.height // 2),
                "click", "1", "sleep", "0.5", "key", "Down", "Return"], check=True)
tally = one(app, "dialog", "Belastungswerte zusammenzählen")
rows = one(tally, "table", "Entnahmestellen").queryTable()
headings = [rows.getColumnHeader(c).name for c in range(rows.nColumns)]
if headings != ["Entnahmestelle", "BW je Stück", "Anzahl", "BW"]:
    fail(f"the tally table's headings read {headings}")
for name, text in (("Total Belastungswerte", "0"), ("Grösster Einzel BW", "–")):
    until(f"the tally's {name}", lambda: one(tally, "text", name).queryText().getText(0, -1), text)
until("the tally's line", lambda: one(tally, "label", "Berechnung").description,
      "Noch keine Entnahmestelle mit Anzahl ab 1")
for name in ("Übernehmen", "Abbrechen", "Zeile löschen", "Alle löschen"):
    one(tally, "push button", name)
subprocess.run(["xdotool", "key", "Escape"], check=True)
until("the tally dialog", lambda: len(find(app, "dialog", timeout=0)), 0)
print("AT-SPI names, roles and descriptions as expected")
