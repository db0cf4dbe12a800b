#pragma once

#include "chart/ChartGeometry.h"

class Canvas;

// Which pieces of the coordinate rule place an operating point: the large
// installation (total 300 and more) measures x from 100 or 1000 loading units
// and y from 1 l/s only; the small one from 10 or 100 loading units and from
// 0.2 or 1 l/s.
enum class MarkerVariant { LargeInstallation, SmallInstallation };

struct MarkerPoint {
    double x;  // twips
    double y;  // twips
};

// Canvas position of the operating point (total in loading units, flow in l/s).
MarkerPoint markerPoint(const ChartGeometry& g, MarkerVariant variant, double total, double flow);

// The light-red cross-hair: a vertical line from the horizontal axis up to the
// point, then a horizontal line from the vertical axis to it, 2 pixels wide.
// Width and colour stay set afterwards.
void drawResultMarker(Canvas& canvas, const ChartGeometry& g, MarkerVariant variant, double total, double flow);
