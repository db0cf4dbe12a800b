#pragma once

#include "chart/Canvas.h"
#include "chart/ChartDrawing.h"

#include <QColor>
#include <QFrame>
#include <QImage>
#include <QPainter>

// The chart canvas Picture1. It keeps its drawing in a persistent image, as
// Qt's scribble example does: every line and text goes into the image at
// once, paintEvent only copies the image to the screen. The image holds
// device pixels (the screen's device pixel ratio), so the chart stays crisp on
// high-DPI screens; should the window reach a screen of another ratio, the
// drawing is made again from its strokes at the new ratio.
//
// The canvas has a sunken 3D border of 2 pixels; the drawable area inside it
// is what the chart measures, in twips.
class PictureCanvas : public QFrame, public Canvas {
    Q_OBJECT

public:
    static constexpr QRgb background = qRgb(255, 224, 192);  // light orange
    static constexpr int borderPixels = 2;

    explicit PictureCanvas(QWidget* parent = nullptr);

    double drawableWidth() const override;
    double drawableHeight() const override;
    void setLineWidth(int pixels) override;
    void setColor(int paletteIndex) override;
    void drawLine(float x1, float y1, float x2, float y2) override;
    void setCurrentX(float x) override { m_currentX = x; }
    void setCurrentY(float y) override { m_currentY = y; }
    void print(const QString& text) override;
    void clear() override;
    // The accessible description; without one, screen readers read the tooltip.
    void setDescription(const QString& text) override;

    // The drawing as it stands, in device pixels; (0, 0) is the top-left
    // corner of the drawable area.
    const QImage& image();

    // Everything drawn since the last clear(), for drawing it elsewhere (the report).
    ChartDrawing drawing() const;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    // Twips to the image's device-independent coordinates, on whole device pixels.
    QPointF toImage(double xTwips, double yTwips) const;
    void ensureImage();
    QRect render(const ChartStroke& stroke);
    // One painter stays open on the image while strokes arrive one after the
    // other (the chart frame is about a hundred); it is ended before the image
    // is shown, read or replaced.
    QPainter& imagePainter();
    void finishDrawing();
    void add(ChartStroke stroke);

    std::vector<ChartStroke> m_strokes;  // everything drawn since the last clear()
    QImage m_image;
    QPainter m_painter;
    int m_lineWidth = 1;
    int m_colour = 0;  // palette index
    float m_currentX = 0;  // twips
    float m_currentY = 0;  // twips
};
