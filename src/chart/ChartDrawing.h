#pragma once

#include <QString>

#include <variant>
#include <vector>

// The chart as it was drawn on a canvas, stroke by stroke, so that it can be
// drawn again at another resolution: on a screen of another pixel ratio or on
// a page of the report. Coordinates are in twips from the top-left corner of
// the drawable area; colours are palette indices (see Palette.h).
struct ChartLine {
    float x1, y1, x2, y2;
    int width;   // device-independent pixels of the canvas (1/96 inch at 96 dpi)
    int colour;
};

struct ChartText {
    float x, y;  // top-left corner of the text
    QString text;
    int colour;
};

using ChartStroke = std::variant<ChartLine, ChartText>;

struct ChartDrawing {
    double width = 0;   // drawable area, twips
    double height = 0;
    std::vector<ChartStroke> strokes;  // in drawing order, since the canvas was last cleared
};
