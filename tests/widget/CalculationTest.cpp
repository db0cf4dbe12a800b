// A calculation as the user makes it: typing, "Berechnen", the outputs, the
// chart and the table; the lock and invalid-input messages; "Neue Eingabe".
#include "WindowFixture.h"

#include "app/window/PictureCanvas.h"
#include "base/NumberText.h"
#include "calc/PeakFlow.h"
#include "chart/ResultMarker.h"
#include "table/Grid.h"

#include <QFontMetrics>
#include <QTest>

#include <cmath>

namespace {

constexpr QRgb orange = qRgb(255, 224, 192);
constexpr QRgb black = qRgb(0, 0, 0);
constexpr QRgb darkBlue = qRgb(0, 0, 128);
constexpr QRgb red = qRgb(255, 0, 0);

struct Pixel {
    int x, y;
};

Pixel pixelOf(double xTwips, double yTwips, qreal ratio)
{
    return {devicePixel(xTwips, ratio), devicePixel(yTwips, ratio)};
}

bool near(const QImage& image, Pixel p, QRgb colour, qreal ratio)
{
    return colourNear(image, p.x, p.y, colour, int(std::ceil(ratio)));
}

// Points on the two lines of the result marker, and beyond its ends.
struct MarkerPixels {
    Pixel onVertical, onHorizontal, aboveThePoint, rightOfThePoint;
};

MarkerPixels markerPixels(const ChartGeometry& g, double total, double flow, qreal ratio)
{
    const MarkerPoint p = markerPoint(g, MarkerVariant::SmallInstallation, total, flow);
    const double twipsPerPixel = 15;
    return {pixelOf(p.x, (p.y + g.YQ02) / 2, ratio), pixelOf((p.x + g.XBW2) / 2, p.y, ratio),
            pixelOf(p.x, p.y - 8 * twipsPerPixel, ratio), pixelOf(p.x + 8 * twipsPerPixel, p.y, ratio)};
}

// Midway along the common reference line above 300 loading units.
Pixel commonLinePixel(const ChartGeometry& g, qreal ratio)
{
    const double Wx = g.decadeWidth();
    const double Hy = g.decadeHeight();
    const double x1 = g.XBW100 + 0.4762 * Wx, y1 = g.YQ1 + 0.2222 * Hy;
    const double x2 = g.Breite, y2 = g.YQ1 + 0.90476 * Hy;
    return pixelOf((x1 + x2) / 2, (y1 + y2) / 2, ratio);
}

// Between the grid lines of 2000 and 3000 loading units and below 0.3 l/s:
// nothing is drawn there.
Pixel emptyPixel(const ChartGeometry& g, qreal ratio)
{
    const double Wx = g.XBW1000 - g.XBW100;
    const double Hy = g.decadeHeight();
    return pixelOf(g.XBW1000 + chartLog10(2.5) * Wx, g.YQ02 + (chartLog10(2.5) - chartLog10(2)) * Hy, ratio);
}

// Halfway up the vertical axis at 2 loading units.
Pixel axisPixel(const ChartGeometry& g, qreal ratio)
{
    return pixelOf(g.XBW2, (g.YQ1 + g.YQ02) / 2, ratio);
}

bool anyPixel(const QImage& image, QRgb colour)
{
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if ((image.pixel(x, y) & 0xffffff) == (colour & 0xffffff)) return true;
    return false;
}

}  // namespace

TEST_F(WindowTest, CalculationShowsTheFlowMarksTheChartAndEntersARow)
{
    calculate(QStringLiteral("250"), QStringLiteral("5"));

    const double Q = calc::peakFlow(calc::Case::Five, 250);
    const NumberText numbers;
    EXPECT_EQ(box(3).text(), numbers.format(Q, NumberText::Pattern::TwoDecimals));
    EXPECT_EQ(box(4).text(), numbers.format(Q * 60, NumberText::Pattern::OneDecimal));
    EXPECT_TRUE(box(3).text().startsWith(QStringLiteral("1")));

    const QStringList row{"1", "250", "5", box(3).text(), box(4).text()};
    for (int c = 0; c < 5; ++c) EXPECT_EQ(grid().cell(1, c), row[c]) << c;
    EXPECT_TRUE(dialogs.messages.empty());

    const ChartGeometry& g = window->form().chart();
    const QImage& image = canvas().image();
    const qreal ratio = image.devicePixelRatio();
    const MarkerPixels marker = markerPixels(g, 250, Q, ratio);
    EXPECT_TRUE(near(image, marker.onVertical, red, ratio));
    EXPECT_TRUE(near(image, marker.onHorizontal, red, ratio));
    EXPECT_FALSE(near(image, marker.aboveThePoint, red, ratio));
    EXPECT_FALSE(near(image, marker.rightOfThePoint, red, ratio));
    EXPECT_TRUE(near(image, commonLinePixel(g, ratio), darkBlue, ratio));
    const Pixel empty = emptyPixel(g, ratio);
    EXPECT_EQ(image.pixel(empty.x, empty.y) & 0xffffff, orange & 0xffffff);
}

TEST_F(WindowTest, CanvasMeasuresItsDrawableAreaInTwips)
{
    PictureCanvas& c = canvas();
    // 11895 x 5895 twips outside, a 2-pixel border all round.
    EXPECT_DOUBLE_EQ(c.drawableWidth(), 11895 - 4 * 15);
    EXPECT_DOUBLE_EQ(c.drawableHeight(), 5895 - 4 * 15);
    EXPECT_DOUBLE_EQ(window->form().chart().Breite, c.drawableWidth());
    EXPECT_DOUBLE_EQ(window->form().chart().Hoehe, c.drawableHeight());
    const QImage& image = c.image();
    EXPECT_EQ(image.devicePixelRatio(), c.devicePixelRatioF());
    EXPECT_EQ(image.size(), c.contentsRect().size() * c.devicePixelRatioF());
}

TEST_F(WindowTest, ChartFrameIsDrawnBeforeTheWindowIsFirstShown)
{
    MainWindow fresh([this](QDialog& d) { return dialogs.present(d); });
    ASSERT_FALSE(fresh.isVisible());
    auto* picture = fresh.findChild<PictureCanvas*>(QStringLiteral("Picture1"));
    ASSERT_NE(picture, nullptr);
    const ChartGeometry& g = fresh.form().chart();
    QImage image = picture->image();
    qreal ratio = image.devicePixelRatio();
    const Pixel axis = axisPixel(g, ratio);
    EXPECT_TRUE(near(image, axis, black, ratio));
    EXPECT_TRUE(near(image, commonLinePixel(g, ratio), darkBlue, ratio));

    // Shown, the window copies the drawing to the screen.
    fresh.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&fresh));
    const QImage screen = picture->grab(picture->contentsRect()).toImage();
    ratio = screen.devicePixelRatio();
    EXPECT_TRUE(near(screen, axisPixel(g, ratio), black, ratio));
    EXPECT_TRUE(near(screen, commonLinePixel(g, ratio), darkBlue, ratio));
    const Pixel empty = emptyPixel(g, ratio);
    EXPECT_EQ(screen.pixel(empty.x, empty.y) & 0xffffff, orange & 0xffffff);
}

TEST_F(WindowTest, AxisLabelsHangFromTheirTextPositions)
{
    // "1000" is printed with its top-left corner 190 twips left of the
    // 1000 line and 100 below the axis, in the 8.25 pt canvas font.
    const ChartGeometry& g = window->form().chart();
    const QImage& image = canvas().image();
    const qreal ratio = image.devicePixelRatio();
    const QFontMetrics metrics(canvas().font());
    const int left = devicePixel(g.XBW1000 - 190, ratio);
    const int top = devicePixel(g.YQ02 + 100, ratio);
    const int right = left + int(metrics.horizontalAdvance(QStringLiteral("1000")) * ratio);
    const int axis = devicePixel(g.YQ02, ratio);
    int inkTop = image.height(), inkBottom = -1, inkLeft = image.width();
    for (int y = axis + int(2 * ratio); y < top + int(metrics.height() * ratio) + 4; ++y)
        for (int x = left - 4; x < right + 4; ++x)
            if (qGray(image.pixel(x, y)) < 128) {
                inkTop = std::min(inkTop, y);
                inkBottom = std::max(inkBottom, y);
                inkLeft = std::min(inkLeft, x);
            }
    ASSERT_GE(inkBottom, 0) << "no label below the 1000 line";
    // Digits start just below the text position and stand about 8 pixels high.
    EXPECT_GE(inkTop, top);
    EXPECT_LE(inkTop, top + int(metrics.ascent() * ratio));
    EXPECT_NEAR(inkBottom - inkTop + 1, metrics.tightBoundingRect(QStringLiteral("1000")).height() * ratio, 2 * ratio);
    EXPECT_GE(inkLeft, left);
    EXPECT_LE(inkLeft, left + int(2 * ratio));
}

TEST_F(WindowTest, ChartLinesAreCrispOnEveryPixelRatio)
{
    // Across the chart between two horizontal grid lines every pixel is the
    // background, black or dark blue: no blended edges.
    const ChartGeometry& g = window->form().chart();
    const QImage& image = canvas().image();
    const qreal ratio = image.devicePixelRatio();
    const int y = devicePixel(g.YQ1 + chartLog10(1.25) * g.decadeHeight(), ratio);
    int lines = 0;
    for (int x = devicePixel(g.XBW2, ratio) - 2; x < image.width(); ++x) {
        const QRgb c = image.pixel(x, y) & 0xffffff;
        ASSERT_TRUE(c == (orange & 0xffffff) || c == 0 || c == (darkBlue & 0xffffff)) << x << " " << std::hex << c;
        if (c == 0) ++lines;
    }
    // 1-pixel grid lines, one device pixel per logical pixel of width.
    EXPECT_GT(lines, 20 * ratio);
    const int axis = devicePixel(g.XBW2, ratio);
    int axisWidth = 0;
    for (int x = axis - 4; x <= axis + 4; ++x) axisWidth += (image.pixel(x, y) & 0xffffff) == 0;
    EXPECT_EQ(axisWidth, int(ratio));
}

TEST_F(WindowTest, SecondCalculationOnlyShowsTheLockMessage)
{
    calculate(QStringLiteral("250"), QStringLiteral("5"));
    const QString flow = box(3).text();
    dialogs.expectMessage();
    click(1);
    ASSERT_EQ(dialogs.messages.size(), 1u);
    const ScriptedDialogs::Message& m = dialogs.messages[0];
    EXPECT_EQ(m.caption, QStringLiteral("Fehler"));
    EXPECT_EQ(m.icon, QMessageBox::Warning);
    EXPECT_EQ(m.text, QStringLiteral("Für eine neue Berechnung\nbitte Neue Eingabe drücken!"));
    EXPECT_EQ(m.buttons, QMessageBox::StandardButtons(QMessageBox::Ok));
    EXPECT_EQ(m.modality, Qt::ApplicationModal);
    EXPECT_EQ(box(3).text(), flow);
    EXPECT_TRUE(grid().cell(2, 1).isEmpty());
}

TEST_F(WindowTest, InvalidInputIsAnsweredWithTheErrorMessage)
{
    const std::vector<std::pair<QString, QString>> inputs{
        {"abc", "5"}, {"", "5"}, {"500", ""}, {"250", "7"}, {"3", "5"}};
    for (const auto& [total, largest] : inputs) {
        SCOPED_TRACE(total.toStdString() + " / " + largest.toStdString());
        dialogs.messages.clear();
        dialogs.expectMessage();
        calculate(total, largest);
        ASSERT_EQ(dialogs.messages.size(), 1u);
        const ScriptedDialogs::Message& m = dialogs.messages[0];
        EXPECT_EQ(m.caption, QStringLiteral("Fehler"));
        EXPECT_EQ(m.icon, QMessageBox::Warning);
        EXPECT_EQ(m.text, QStringLiteral("Üngültige Eingabe"));
        EXPECT_EQ(m.buttons, QMessageBox::StandardButtons(QMessageBox::Ok));
        EXPECT_TRUE(box(1).text().isEmpty());
        EXPECT_TRUE(box(2).text().isEmpty());
        EXPECT_TRUE(box(3).text().isEmpty());
        EXPECT_TRUE(grid().cell(1, 1).isEmpty());
    }
}

TEST_F(WindowTest, NeueEingabeEmptiesTheBoxesAndRedrawsTheBareChart)
{
    calculate(QStringLiteral("250"), QStringLiteral("5"));
    const double Q = calc::peakFlow(calc::Case::Five, 250);
    ASSERT_TRUE(anyPixel(canvas().image(), red));

    click(2);
    for (int n = 1; n <= 4; ++n) EXPECT_TRUE(box(n).text().isEmpty()) << n;
    const ChartGeometry& g = window->form().chart();
    const QImage& image = canvas().image();
    const qreal ratio = image.devicePixelRatio();
    EXPECT_FALSE(anyPixel(image, red));
    const MarkerPixels marker = markerPixels(g, 250, Q, ratio);
    EXPECT_FALSE(near(image, marker.onHorizontal, red, ratio));
    EXPECT_TRUE(near(image, axisPixel(g, ratio), black, ratio));
    EXPECT_TRUE(near(image, commonLinePixel(g, ratio), darkBlue, ratio));
    EXPECT_EQ(grid().rows(), 4);
    EXPECT_EQ(grid().cell(1, 1), QStringLiteral("250"));

    // And the next calculation is allowed again.
    calculate(QStringLiteral("10"), QStringLiteral("2"));
    EXPECT_EQ(grid().cell(2, 1), QStringLiteral("10"));
    EXPECT_TRUE(dialogs.messages.empty());
}

TEST_F(WindowTest, TextTypedIntoTheOutputBoxesStays)
{
    type(3, QStringLiteral("abc"));
    type(4, QStringLiteral("12"));
    EXPECT_EQ(box(3).text(), QStringLiteral("abc"));
    EXPECT_EQ(box(4).text(), QStringLiteral("12"));
    calculate(QStringLiteral("250"), QStringLiteral("5"));
    EXPECT_NE(box(3).text(), QStringLiteral("abc"));
}
