#pragma once

#include <cmath>

// Where the decades of the log-log chart lie on the canvas, all in twips.
// Set by each drawing of the frame and read by the result marker.
struct ChartGeometry {
    double Breite = 0;   // drawable width
    double Hoehe = 0;    // drawable height
    double Rand = 0;     // margin left of the vertical axis and below the horizontal one: Breite / 20
    double XBW2 = 0;     // x of 2 loading units (the vertical axis)
    double YQ02 = 0;     // y of 0.2 l/s (the horizontal axis)
    double XBW10 = 0;    // x of 10 loading units
    double XBW100 = 0;   // x of 100 loading units
    double XBW1000 = 0;  // x of 1000 loading units
    double YQ1 = 0;      // y of 1.0 l/s
    double YQ10 = 0;     // y of 10.0 l/s

    // From the canvas's drawable size. The stretch 2..10 loading units is 0.7 of
    // a decade, as is 0.2..1.0 l/s; products evaluate left to right.
    static ChartGeometry forCanvas(double width, double height)
    {
        ChartGeometry g;
        g.Breite = width;
        g.Hoehe = height;
        g.Rand = g.Breite / 20;
        g.XBW2 = g.Rand;
        g.YQ02 = g.Hoehe - g.Rand;
        g.XBW10 = g.XBW2 + (g.Breite - g.Rand) * 0.3 * 0.7;
        g.XBW100 = g.XBW10 + (g.Breite - g.Rand) * 0.3;
        g.XBW1000 = g.XBW100 + (g.Breite - g.Rand) * 0.3;
        g.YQ1 = g.YQ02 - (g.Hoehe - g.Rand) * 0.5625 * 0.7;
        g.YQ10 = g.YQ1 - (g.Hoehe - g.Rand) * 0.5625;
        return g;
    }

    double decadeWidth() const { return XBW100 - XBW10; }  // Wx
    double decadeHeight() const { return YQ10 - YQ1; }     // Hy, negative: upward
};

// The chart's logarithm, always as the quotient of two natural logarithms.
inline double chartLog10(double v)
{
    return std::log(v) / std::log(10.0);
}
