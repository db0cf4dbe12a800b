#include "app/window/PictureCanvas.h"

#include "app/window/Twips.h"
#include "app/window/WindowFonts.h"
#include "chart/Palette.h"

#include <QAccessibleWidget>
#include <QFontMetricsF>
#include <QPaintEvent>
#include <QPainter>

#include <cmath>

namespace {

QColor paletteColour(int index)
{
    const palette::Rgb c = palette::rgb(index);
    return QColor(c.red, c.green, c.blue);
}

// Screen readers present the chart as a picture (AT-SPI's image role) with
// the widget's accessible name and description.
QAccessibleInterface* chartAccessible(const QString& className, QObject* object)
{
    if (className == QLatin1String("PictureCanvas") && object->isWidgetType())
        return new QAccessibleWidget(static_cast<QWidget*>(object), QAccessible::Graphic);
    return nullptr;
}

}  // namespace

PictureCanvas::PictureCanvas(QWidget* parent) : QFrame(parent)
{
    static const bool accessible = (QAccessible::installFactory(chartAccessible), true);
    Q_UNUSED(accessible);
    setFrameStyle(QFrame::WinPanel | QFrame::Sunken);
    setFont(windowFonts::standard());
    setAttribute(Qt::WA_StaticContents);
    setAttribute(Qt::WA_OpaquePaintEvent);
    setFocusPolicy(Qt::NoFocus);
}

double PictureCanvas::drawableWidth() const
{
    return Twips(logicalDpiX()).fromPixels(contentsRect().width());
}

double PictureCanvas::drawableHeight() const
{
    return Twips(logicalDpiY()).fromPixels(contentsRect().height());
}

void PictureCanvas::setLineWidth(int pixels)
{
    m_lineWidth = pixels;
}

void PictureCanvas::setColor(int paletteIndex)
{
    m_colour = paletteIndex;
}

void PictureCanvas::drawLine(float x1, float y1, float x2, float y2)
{
    add(ChartLine{x1, y1, x2, y2, m_lineWidth, m_colour});
}

void PictureCanvas::print(const QString& text)
{
    add(ChartText{m_currentX, m_currentY, text, m_colour});
    // Like a printed line: the next text goes one line further down, at the left edge.
    m_currentX = 0;
    m_currentY += float(Twips(logicalDpiY()).fromPixels(QFontMetricsF(font()).height()));
}

void PictureCanvas::clear()
{
    m_strokes.clear();
    finishDrawing();
    ensureImage();
    m_image.fill(background);
    m_currentX = 0;
    m_currentY = 0;
    setAccessibleDescription(QString());
    update();
}

ChartDrawing PictureCanvas::drawing() const
{
    return {drawableWidth(), drawableHeight(), m_strokes};
}

void PictureCanvas::setDescription(const QString& text)
{
    setAccessibleDescription(text);
}

const QImage& PictureCanvas::image()
{
    finishDrawing();
    ensureImage();
    return m_image;
}

QPointF PictureCanvas::toImage(double xTwips, double yTwips) const
{
    const Twips twips(logicalDpiX());
    const double ratio = m_image.devicePixelRatio();
    return {std::round(twips.toPixelsF(xTwips) * ratio) / ratio, std::round(twips.toPixelsF(yTwips) * ratio) / ratio};
}

void PictureCanvas::ensureImage()
{
    const qreal ratio = devicePixelRatioF();
    const QSize size = contentsRect().size() * ratio;
    if (!m_image.isNull() && m_image.size() == size && m_image.devicePixelRatio() == ratio) return;
    finishDrawing();
    m_image = QImage(size, QImage::Format_RGB32);
    m_image.setDevicePixelRatio(ratio);
    // Points of the canvas font resolve at the screen's logical resolution.
    const int dotsPerMeter = int(std::lround(logicalDpiX() / 0.0254));
    m_image.setDotsPerMeterX(dotsPerMeter);
    m_image.setDotsPerMeterY(dotsPerMeter);
    m_image.fill(background);
    for (const ChartStroke& stroke : m_strokes) render(stroke);
}

QPainter& PictureCanvas::imagePainter()
{
    if (!m_painter.isActive()) {
        m_painter.begin(&m_image);
        m_painter.setRenderHint(QPainter::Antialiasing, false);
        m_painter.setFont(font());
    }
    return m_painter;
}

void PictureCanvas::finishDrawing()
{
    if (m_painter.isActive()) m_painter.end();
}

QRect PictureCanvas::render(const ChartStroke& stroke)
{
    QPainter& painter = imagePainter();
    if (const auto* line = std::get_if<ChartLine>(&stroke)) {
        const QPointF from = toImage(line->x1, line->y1);
        const QPointF to = toImage(line->x2, line->y2);
        const bool axisAligned = (from.x() == to.x()) != (from.y() == to.y());
        if (line->width == 1 && axisAligned) {
            // The grid's one-pixel lines as filled rectangles: the same pixels
            // as the round-capped pen below, at every pixel ratio, drawn many
            // times faster, which the chart drawn before the first show needs.
            painter.fillRect(QRectF(from, to).normalized().adjusted(-0.5, -0.5, 0.5, 0.5), paletteColour(line->colour));
        } else {
            painter.setPen(QPen(paletteColour(line->colour), line->width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
            painter.drawLine(from, to);
        }
        const int margin = line->width + 1;
        return QRectF(from, to).normalized().toAlignedRect().adjusted(-margin, -margin, margin, margin);
    }
    const auto& text = std::get<ChartText>(stroke);
    painter.setPen(paletteColour(text.colour));
    const QPointF topLeft = toImage(text.x, text.y);
    const QFontMetricsF metrics(font(), &m_image);
    painter.drawText(topLeft + QPointF(0, metrics.ascent()), text.text);
    return QRectF(topLeft, QSizeF(metrics.horizontalAdvance(text.text), metrics.height())).toAlignedRect().adjusted(-1, -1, 1, 1);
}

void PictureCanvas::add(ChartStroke stroke)
{
    ensureImage();
    m_strokes.push_back(std::move(stroke));
    const QRect changed = render(m_strokes.back());
    update(changed.translated(contentsRect().topLeft()));
}

void PictureCanvas::paintEvent(QPaintEvent* event)
{
    finishDrawing();
    ensureImage();
    const QRect area = contentsRect();
    QPainter painter(this);
    const QRect dirty = event->rect() & area;
    const qreal ratio = m_image.devicePixelRatio();
    const QRectF source(QPointF(dirty.topLeft() - area.topLeft()) * ratio, QSizeF(dirty.size()) * ratio);
    painter.drawImage(dirty, m_image, source);
    drawFrame(&painter);
}
