#include "report/ChartReplay.h"

#include "chart/Palette.h"

#include <QFontMetricsF>
#include <QPainter>

namespace {

// The canvas measures line widths in pixels of 1/96 inch, 15 twips each.
constexpr double twipsPerPixel = 1440.0 / 96.0;

// The canvas font's size when it is given in pixels rather than points.
constexpr double pointsPerPixel = 72.0 / 96.0;

QColor paletteColour(int index)
{
    const palette::Rgb c = palette::rgb(index);
    return QColor(c.red, c.green, c.blue);
}

}  // namespace

void replayChart(QPainter& painter, const QRectF& target, const report::Chart& chart)
{
    const ChartDrawing& drawing = chart.drawing;
    if (drawing.width <= 0 || drawing.height <= 0) return;
    const double scale = target.width() / drawing.width;  // device pixels per twip
    const auto at = [&](double x, double y) { return target.topLeft() + QPointF(x * scale, y * scale); };

    // A point is 20 twips; the labels keep their size relative to the chart.
    QFont font = chart.font;
    const double points = font.pointSizeF() > 0 ? font.pointSizeF() : font.pixelSize() * pointsPerPixel;
    font.setPointSizeF(points * 20 * scale * 72 / painter.device()->logicalDpiY());
    const QFontMetricsF metrics(font, painter.device());

    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, true);
    painter.fillRect(target, chart.background);
    painter.setClipRect(target);
    painter.setFont(font);
    for (const ChartStroke& stroke : drawing.strokes) {
        if (const auto* line = std::get_if<ChartLine>(&stroke)) {
            painter.setPen(QPen(paletteColour(line->colour), line->width * twipsPerPixel * scale, Qt::SolidLine,
                                Qt::RoundCap, Qt::RoundJoin));
            painter.drawLine(at(line->x1, line->y1), at(line->x2, line->y2));
        } else {
            const auto& text = std::get<ChartText>(stroke);
            painter.setPen(paletteColour(text.colour));
            painter.drawText(at(text.x, text.y) + QPointF(0, metrics.ascent()), text.text);
        }
    }
    painter.setClipping(false);
    painter.setPen(QPen(QColor(128, 128, 128), 0.5 * twipsPerPixel * scale));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(target);
    painter.restore();
}
