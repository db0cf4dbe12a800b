#!/usr/bin/python3
"""Prints Google Benchmark JSON results as rows of a Markdown table, with the
target each figure is held against. Usage: table.py RESULT.json..."""
import json
import sys

TARGETS = {
    "ClickToResult": "below 2 ms",
    "Import/xls": "below 30 ms",
    "Import/xlsx": "below 30 ms",
    "ExportHundredRows": "below 30 ms",
    "ImportLarge": "below 50 ms and 20 MiB more memory",
    "ReadRows": "below 400 ms and 50 MiB more memory",
    "WriteRows": "below 400 ms and 50 MiB more memory",
    "ReportPdf/25": "below 100 ms",
    "ReportPdf/1000": "below 1 s",
    "SectionsToWorkbook": "below 1 s and 100 MiB more memory",
}


def shown(value, unit):
    scale = {"ns": 1e-6, "us": 1e-3, "ms": 1.0, "s": 1e3}[unit]
    ms = value * scale
    if ms < 0.001:
        return f"{ms * 1e6:.0f} ns"
    return f"{ms * 1000:.2f} µs" if ms < 1 else f"{ms:.2f} ms"


for path in sys.argv[1:]:
    with open(path) as f:
        for b in json.load(f)["benchmarks"]:
            name = b["name"].split("/iterations")[0]
            target = next((t for k, t in TARGETS.items() if name.startswith(k)), "")
            figure = shown(b['real_time'], b['time_unit'])
            if "extra_MiB" in b:
                figure += f", {b['extra_MiB']:.1f} MiB more memory, {b['file_MB']:.1f} MB file"
            print(f"| {name} | {figure} | {target} |")
