#pragma once

#include "chart/ChartDrawing.h"

#include <QColor>
#include <QFont>
#include <QPageLayout>
#include <QString>

class QIODevice;
class QLocale;
class QPagedPaintDevice;
struct ReportContent;

// The calculation report, "Berechnung Gipfelfluss – Protokoll": one design
// for the PDF file and the printer, painted page by page onto either. The
// chart is drawn again from its strokes, so lines stay lines and labels stay
// text at any resolution.
namespace report {

// The chart as the window shows it: its strokes, the canvas font its labels
// are set in and the canvas colour.
struct Chart {
    ChartDrawing drawing;
    QFont font;
    QColor background;
};

// The document title and the program with its version ("Gipfelfluss 1.0.0"),
// for the footer and the document's metadata.
QString title();
QString programLine();

// Portrait, margins of 20 mm, on the paper of the locale: Letter where the
// locale measures in inches, A4 elsewhere.
QPageLayout pageLayout(const QLocale& locale);

// Paints every page onto a device whose page layout is set; throws
// RuntimeError when the device cannot be painted on.
void paint(QPagedPaintDevice& device, const ReportContent& content, const Chart& chart);

// The report as PDF, written into the open device.
void writePdf(QIODevice& device, const ReportContent& content, const Chart& chart);

}  // namespace report
