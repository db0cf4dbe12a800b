#include "chart/ChartFrame.h"

#include "base/NumberText.h"
#include "chart/Canvas.h"
#include "chart/Palette.h"

namespace {

// Offsets below are in twips and assume the canvas's 8.25 pt standard font:
// labels of the horizontal axis hang 100 below it, labels of the vertical
// axis stand 100 above their line and 300 to 400 left of the axis.
constexpr double labelBelowAxis = 100;
constexpr double labelAboveLine = 100;

class FramePainter {
public:
    FramePainter(Canvas& canvas, const ChartGeometry& g) : c(canvas), g(g) {}

    // From the horizontal axis up to the top edge.
    void vertical(double x) { c.drawLine(float(x), float(g.YQ02), float(x), 0.0f); }
    // From the vertical axis across to the right edge.
    void horizontal(double y) { c.drawLine(float(g.XBW2), float(y), float(g.Breite), float(y)); }
    void label(double x, double y, const QString& text)
    {
        c.setCurrentX(float(x));
        c.setCurrentY(float(y));
        c.print(text);
    }

private:
    Canvas& c;
    const ChartGeometry& g;
};

}  // namespace

ChartGeometry drawChartFrame(Canvas& canvas, const NumberText& numbers)
{
    const ChartGeometry g = ChartGeometry::forCanvas(canvas.drawableWidth(), canvas.drawableHeight());
    FramePainter p(canvas, g);
    // The first decades are measured with XBW100 - XBW10, from 150 loading
    // units on with XBW1000 - XBW100; the two agree up to rounding.
    const double Wx = g.decadeWidth();
    const double WxUpper = g.XBW1000 - g.XBW100;
    const double Hy = g.decadeHeight();
    const double log2 = chartLog10(2);
    const double log1p5 = chartLog10(1.5);
    const double belowAxis = g.YQ02 + labelBelowAxis;
    const auto whole = [](int i) { return QString::number(i); };

    canvas.setLineWidth(1);
    canvas.setColor(palette::black);

    canvas.drawLine(float(g.XBW2), float(g.YQ02), float(g.Breite), float(g.YQ02));
    p.vertical(g.XBW2);
    p.vertical(g.XBW10);
    p.vertical(g.XBW100);
    p.vertical(g.XBW1000);
    p.horizontal(g.YQ1);
    p.horizontal(g.YQ10);

    p.label(g.XBW2 - 50, belowAxis, QStringLiteral("2"));
    p.label(g.XBW10 - 100, belowAxis, QStringLiteral("10"));
    p.label(g.XBW100 - 150, belowAxis, QStringLiteral("100"));
    p.label(g.XBW1000 - 190, belowAxis, QStringLiteral("1000"));
    p.label(g.XBW2 - 400, g.YQ02 - labelAboveLine, QStringLiteral("0.2"));
    p.label(g.XBW2 - 400, g.YQ1 - labelAboveLine, QStringLiteral("1.0"));
    p.label(g.XBW2 - 400, g.YQ10 - labelAboveLine, QStringLiteral("10.0"));

    // First decade: 2..10 loading units and 0.2..1.0 l/s, measured from the
    // reference lines of 2 and 0.2, hence the log10 2 taken off.
    const auto firstX = [&](int i) { return g.XBW2 + (chartLog10(i) - log2) * Wx; };
    const auto firstY = [&](int i) { return g.YQ02 + (chartLog10(i) - log2) * Hy; };
    for (short i = 3; i <= 9; ++i) p.vertical(firstX(i));
    for (short i = 3; i <= 9; ++i) p.horizontal(firstY(i));
    for (short i = 3; i <= 8; ++i) p.label(firstX(i) - 40, belowAxis, whole(i));
    for (short i = 3; i <= 8; ++i)
        p.label(g.XBW2 - 400, firstY(i) - labelAboveLine, numbers.plain(i / 10.0));

    // Second decade: 10..100 loading units and 1..10 l/s.
    const double y1p5 = g.YQ1 + log1p5 * Hy;
    p.vertical(g.XBW10 + log1p5 * Wx);
    p.horizontal(y1p5);
    p.label(g.XBW2 - 380, y1p5 - labelAboveLine, QStringLiteral("1.5"));
    const auto secondX = [&](int i) { return g.XBW10 + chartLog10(i) * Wx; };
    const auto secondY = [&](int i) { return g.YQ1 + chartLog10(i) * Hy; };
    for (short i = 2; i <= 9; ++i) p.vertical(secondX(i));
    for (short i = 2; i <= 9; ++i) p.horizontal(secondY(i));
    for (short i = 2; i <= 7; ++i) p.label(secondX(i) - 40, belowAxis, whole(i));
    for (short i = 2; i <= 8; ++i) p.label(g.XBW2 - 300, secondY(i) - labelAboveLine, whole(i));

    // Third decade, 100..1000 loading units.
    p.vertical(g.XBW100 + log1p5 * WxUpper);
    for (short i = 2; i <= 9; ++i) p.vertical(g.XBW100 + chartLog10(i) * WxUpper);
    for (short i = 2; i <= 7; ++i) p.label(g.XBW100 + chartLog10(i) * WxUpper - 40, belowAxis, whole(i));

    // Beyond 1000 loading units, up to 4000.
    p.vertical(g.XBW1000 + log1p5 * WxUpper);
    for (short i = 2; i <= 4; ++i) p.vertical(g.XBW1000 + chartLog10(i) * WxUpper);
    for (short i = 2; i <= 4; ++i) p.label(g.XBW1000 + chartLog10(i) * WxUpper - 40, belowAxis, whole(i));

    // Reference lines of the formulas. Their constants are fixed readings of
    // the curves, not computed from the formulas: P is the common point near
    // 299.4 loading units and 1.668 l/s; the small-case lines start on the
    // straight line from (2, 0.2) to (10, 1.0) at the fraction t of its length.
    canvas.setLineWidth(2);
    canvas.setColor(palette::darkBlue);
    const float px = float(g.XBW100 + 0.4762 * Wx);
    const float py = float(g.YQ1 + 0.2222 * Hy);
    canvas.drawLine(px, py, float(g.Breite), float(g.YQ1 + 0.90476 * Hy));
    for (const double t : {0.0, 0.2472, 0.42697, 0.5618, 0.8539}) {
        const double sx = g.XBW2 + t * (g.XBW10 - g.XBW2);
        const double sy = g.YQ02 + t * (g.YQ1 - g.YQ02);
        canvas.drawLine(float(sx), float(sy), px, py);
    }
    return g;
}
