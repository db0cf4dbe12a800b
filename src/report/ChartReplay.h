#pragma once

#include "report/Report.h"

class QPainter;
class QRectF;

// Draws the chart's strokes scaled into the target rectangle (which has the
// drawing's aspect ratio): the canvas colour, lines with their widths and
// colours, labels in the canvas font at the same scale, and a thin frame.
void replayChart(QPainter& painter, const QRectF& target, const report::Chart& chart);
