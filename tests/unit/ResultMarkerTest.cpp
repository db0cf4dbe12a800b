#include "calc/PeakFlow.h"
#include "chart/Palette.h"
#include "chart/ResultMarker.h"
#include "fakes/RecordingCanvas.h"

#include <gtest/gtest.h>

namespace {

struct Mark {
    calc::Case c;
    double total;
    double x;
    double y;
};

// The chart of a 12000 x 6000 canvas: XBW2 600, YQ02 5400, XBW10 2994,
// XBW100 6414, XBW1000 9834, YQ1 3273.75, decades 3420 wide and -3037.5 high.
TEST(ResultMarker, PlacesTheOperatingPointByTheCasesPieces)
{
    const ChartGeometry g = ChartGeometry::forCanvas(12000, 6000);
    const Mark table[] = {
        {calc::Case::Two, 10, 2994, 4497.95},      // exactly on the decade line
        {calc::Case::Two, 2, 603.52, 5401.55},     // flow just below 0.2: under the axis
        {calc::Case::Two, 299, 8040.8, 2587.14},   // above 1 l/s: measured from YQ1
        {calc::Case::Large, 300, 8045.75, 2579.59},
        {calc::Case::Large, 1000, 9834, 1654.16},  // 1000 still takes the first piece
        {calc::Case::Large, 2000, 10863.52, 1121.37},
        {calc::Case::Large, 100000, 16674, -1885.62},  // off the canvas, drawn all the same
        {calc::Case::Eight, 150, 7016.23, 2801.56},  // above 100: from XBW100
    };
    for (const Mark& m : table) {
        const double q = calc::peakFlow(m.c, m.total);
        const MarkerVariant v =
            m.c == calc::Case::Large ? MarkerVariant::LargeInstallation : MarkerVariant::SmallInstallation;
        const MarkerPoint p = markerPoint(g, v, m.total, q);
        EXPECT_NEAR(p.x, m.x, 0.1) << m.total;
        EXPECT_NEAR(p.y, m.y, 0.1) << m.total;
    }
}

TEST(ResultMarker, FlowOfExactlyOneTakesTheLowerPiece)
{
    const ChartGeometry g = ChartGeometry::forCanvas(12000, 6000);
    const MarkerPoint p = markerPoint(g, MarkerVariant::SmallInstallation, 50, 1.0);
    // 0.00103 of a decade below YQ1, as the first stretch is 0.7 of a decade.
    EXPECT_NEAR((p.y - g.YQ1) / -g.decadeHeight(), 0.7 - std::log10(5.0), 1e-12);
}

TEST(ResultMarker, DrawsAThickRedCrossHairFromBothAxes)
{
    RecordingCanvas canvas;
    const ChartGeometry g = ChartGeometry::forCanvas(12000, 6000);
    drawResultMarker(canvas, g, MarkerVariant::SmallInstallation, 10, calc::peakFlow(calc::Case::Two, 10));
    ASSERT_EQ(canvas.lines.size(), 2u);
    const auto& up = canvas.lines[0];
    const auto& across = canvas.lines[1];
    EXPECT_EQ(up.color, palette::lightRed);
    EXPECT_EQ(up.width, 2);
    EXPECT_EQ(up.x1, 2994);
    EXPECT_EQ(up.y1, 5400);
    EXPECT_EQ(up.x2, 2994);
    EXPECT_NEAR(up.y2, 4497.95, 0.01);
    EXPECT_EQ(across.x1, 600);
    EXPECT_EQ(across.y1, up.y2);
    EXPECT_EQ(across.x2, 2994);
    EXPECT_EQ(across.color, palette::lightRed);
}

}  // namespace
