#pragma once

#include "chart/ChartGeometry.h"

class Canvas;
class NumberText;

// Draws the empty log-log chart (flow in l/s against loading units) on the
// canvas without clearing it first: black axes, decade and grid lines with
// their labels, then the six dark-blue reference lines of the formulas.
// Leaves the canvas at line width 2 and dark blue. Returns the geometry it
// placed the decades by, which the result marker reuses.
ChartGeometry drawChartFrame(Canvas& canvas, const NumberText& numbers);
