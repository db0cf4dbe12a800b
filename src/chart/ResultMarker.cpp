#include "chart/ResultMarker.h"

#include "chart/Canvas.h"
#include "chart/Palette.h"

MarkerPoint markerPoint(const ChartGeometry& g, MarkerVariant variant, double total, double flow)
{
    const double Wx = g.decadeWidth();
    const double Hy = g.decadeHeight();
    MarkerPoint p{};
    if (variant == MarkerVariant::LargeInstallation) {
        p.x = total <= 1000 ? g.XBW100 + chartLog10(total / 100) * Wx
                            : g.XBW1000 + chartLog10(total / 1000) * Wx;
        p.y = g.YQ1 + chartLog10(flow) * Hy;
    } else {
        // Totals below 10 also count from XBW10, with a negative logarithm.
        p.x = total <= 100 ? g.XBW10 + chartLog10(total / 10) * Wx
                           : g.XBW100 + chartLog10(total / 100) * Wx;
        p.y = flow <= 1.0 ? g.YQ02 + (chartLog10(10 * flow) - chartLog10(2)) * Hy
                          : g.YQ1 + chartLog10(flow) * Hy;
    }
    return p;
}

void drawResultMarker(Canvas& canvas, const ChartGeometry& g, MarkerVariant variant, double total, double flow)
{
    const MarkerPoint p = markerPoint(g, variant, total, flow);
    canvas.setLineWidth(2);
    canvas.setColor(palette::lightRed);
    canvas.drawLine(float(p.x), float(g.YQ02), float(p.x), float(p.y));
    canvas.drawLine(float(g.XBW2), float(p.y), float(p.x), float(p.y));
}
