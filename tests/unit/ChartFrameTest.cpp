#include "base/NumberText.h"
#include "chart/ChartFrame.h"
#include "chart/Palette.h"
#include "fakes/RecordingCanvas.h"

#include <gtest/gtest.h>

#include <QStringList>

#include <algorithm>

namespace {

ChartGeometry drawn(RecordingCanvas& canvas, const char* locale = "C")
{
    return drawChartFrame(canvas, NumberText(QLocale(QString::fromLatin1(locale))));
}

TEST(ChartFrame, PlacesTheDecadesOfA12000By6000Canvas)
{
    RecordingCanvas canvas(12000, 6000);
    const ChartGeometry g = drawn(canvas);
    const std::pair<double, double> table[] = {
        {g.Breite, 12000}, {g.Hoehe, 6000},     {g.Rand, 600},     {g.XBW2, 600},
        {g.YQ02, 5400},    {g.XBW10, 2994},     {g.XBW100, 6414},  {g.XBW1000, 9834},
        {g.YQ1, 3273.75},  {g.YQ10, 236.25},    {g.decadeWidth(), 3420}, {g.decadeHeight(), -3037.5},
    };
    for (const auto& [actual, expected] : table) EXPECT_NEAR(actual, expected, 1e-9);
}

TEST(ChartFrame, BottomMarginFollowsTheWidthNotTheHeight)
{
    RecordingCanvas canvas(8000, 3000);
    const ChartGeometry g = drawn(canvas);
    EXPECT_DOUBLE_EQ(g.Rand, 400);
    EXPECT_DOUBLE_EQ(g.YQ02, 2600);
}

struct Label {
    const char* text;
    float x;
    float y;
};

TEST(ChartFrame, PrintsTheLabelsAtTheirPositions)
{
    RecordingCanvas canvas(12000, 6000);
    drawn(canvas);
    const Label table[] = {
        {"2", 550, 5500},      {"10", 2894, 5500},     {"100", 6264, 5500}, {"1000", 9644, 5500},
        {"0.2", 200, 5300},    {"1.0", 200, 3173.75f}, {"10.0", 200, 136.25f},
        {"0.3", 200, 4765.1f}, {"1.5", 220, 2638.86f},
    };
    for (const Label& l : table) {
        const RecordingCanvas::Text* t = canvas.findText(QString::fromLatin1(l.text));
        ASSERT_NE(t, nullptr) << l.text;
        EXPECT_NEAR(t->x, l.x, 0.1) << l.text;
        EXPECT_NEAR(t->y, l.y, 0.1) << l.text;
        EXPECT_EQ(t->color, palette::black) << l.text;
    }
}

TEST(ChartFrame, LabelsEveryDecadeButNotItsLastMultiples)
{
    RecordingCanvas canvas;
    drawn(canvas);
    QStringList texts;
    for (const auto& t : canvas.texts) texts << t.text;
    const QStringList expected = {
        "2", "10", "100", "1000", "0.2", "1.0", "10.0",          // decades
        "3", "4", "5", "6", "7", "8",                             // 3..8 loading units
        "0.3", "0.4", "0.5", "0.6", "0.7", "0.8",                 // 0.3..0.8 l/s
        "1.5",                                                    // 1.5 l/s
        "2", "3", "4", "5", "6", "7",                             // 20..70 loading units
        "2", "3", "4", "5", "6", "7", "8",                        // 2..8 l/s
        "2", "3", "4", "5", "6", "7",                             // 200..700 loading units
        "2", "3", "4",                                            // 2000..4000 loading units
    };
    EXPECT_EQ(texts, expected);
}

TEST(ChartFrame, UsesTheLocalesDecimalSeparatorOnlyForTheFirstDecadeOfFlows)
{
    RecordingCanvas canvas;
    drawn(canvas, "de_DE");
    QStringList leftOfAxis;  // labels of the vertical axis, bottom to top
    for (const auto& t : canvas.texts)
        if (t.x < 600) leftOfAxis << t.text;
    std::sort(leftOfAxis.begin(), leftOfAxis.end(), [&](const QString& a, const QString& b) {
        return canvas.findText(a)->y > canvas.findText(b)->y;
    });
    EXPECT_TRUE(leftOfAxis.contains("0,3"));
    EXPECT_TRUE(leftOfAxis.contains("0,8"));
    EXPECT_TRUE(leftOfAxis.contains("0.2"));
    EXPECT_TRUE(leftOfAxis.contains("1.0"));
    EXPECT_TRUE(leftOfAxis.contains("1.5"));
    EXPECT_TRUE(leftOfAxis.contains("10.0"));
    EXPECT_FALSE(leftOfAxis.contains("0.3"));
}

TEST(ChartFrame, DrawsTheGridThinAndBlackAndTheReferenceLinesThickAndBlue)
{
    RecordingCanvas canvas(12000, 6000);
    drawn(canvas);
    const auto black = canvas.linesOf(palette::black);
    const auto blue = canvas.linesOf(palette::darkBlue);
    // 7 axes and decades, 7 + 7 in the first decade, 15 and 1.5, 8 + 8 in the
    // second, 150 and 8 in the third, 1500 and 3 beyond 1000.
    EXPECT_EQ(black.size(), 52u);
    EXPECT_EQ(blue.size(), 6u);
    EXPECT_EQ(canvas.lines.size(), 58u);
    for (const auto& l : black) EXPECT_EQ(l.width, 1);
    for (const auto& l : blue) EXPECT_EQ(l.width, 2);
    // The canvas is left thick and blue for whatever draws next.
    EXPECT_EQ(canvas.width, 2);
    EXPECT_EQ(canvas.color, palette::darkBlue);

    // Horizontal axis to the right edge, vertical axis to the top.
    EXPECT_EQ(black[0].x1, 600);
    EXPECT_EQ(black[0].y1, 5400);
    EXPECT_EQ(black[0].x2, 12000);
    EXPECT_EQ(black[0].y2, 5400);
    EXPECT_EQ(black[1].x2, 600);
    EXPECT_EQ(black[1].y2, 0);
    // Grid at 3 loading units and 0.3 l/s.
    EXPECT_NEAR(black[7].x1, 1202.2, 0.05);
    EXPECT_NEAR(black[14].y1, 4865.1, 0.05);
    EXPECT_EQ(black[14].x2, 12000);
    // The last line of the first decade stands 0.0468 of a decade left of 10.
    EXPECT_NEAR((2994 - black[13].x1) / 3420, 0.0468, 5e-5);
}

TEST(ChartFrame, ReferenceLinesMeetNear300LoadingUnits)
{
    RecordingCanvas canvas(12000, 6000);
    drawn(canvas);
    const auto blue = canvas.linesOf(palette::darkBlue);
    ASSERT_EQ(blue.size(), 6u);
    EXPECT_NEAR(blue[0].x1, 8042.6, 0.05);
    EXPECT_NEAR(blue[0].y1, 2598.8, 0.05);
    EXPECT_EQ(blue[0].x2, 12000);
    EXPECT_NEAR(blue[0].y2, 525.5415, 0.001);
    // The small-case lines start on the line from (2, 0.2) to (10, 1.0) and end in P.
    const float startFractions[] = {0, 0.2472f, 0.42697f, 0.5618f, 0.8539f};
    for (std::size_t i = 1; i < 6; ++i) {
        EXPECT_EQ(blue[i].x2, blue[0].x1);
        EXPECT_EQ(blue[i].y2, blue[0].y1);
        EXPECT_NEAR(blue[i].x1, 600 + startFractions[i - 1] * (2994 - 600), 0.01);
        EXPECT_NEAR(blue[i].y1, 5400 + startFractions[i - 1] * (3273.75 - 5400), 0.01);
    }
}

TEST(ChartFrame, RedrawingGivesTheSamePicture)
{
    RecordingCanvas canvas;
    drawn(canvas);
    const auto first = canvas.lines;
    const auto firstTexts = canvas.texts.size();
    canvas.clear();
    drawn(canvas);
    ASSERT_EQ(canvas.lines.size(), first.size());
    for (std::size_t i = 0; i < first.size(); ++i) {
        EXPECT_EQ(canvas.lines[i].x1, first[i].x1);
        EXPECT_EQ(canvas.lines[i].y2, first[i].y2);
    }
    EXPECT_EQ(canvas.texts.size(), firstTexts);
}

TEST(ChartFrame, TinyOrEmptyCanvasStillDrawsWithoutFailing)
{
    for (const auto& [w, h] : {std::pair{0.0, 0.0}, std::pair{15.0, 15.0}, std::pair{100.0, 5000.0}}) {
        RecordingCanvas canvas(w, h);
        const ChartGeometry g = drawn(canvas);
        EXPECT_EQ(canvas.lines.size(), 58u);
        EXPECT_DOUBLE_EQ(g.Rand, w / 20);
    }
}

}  // namespace
