#pragma once

#include <QString>

// The drawing surface of the chart. Coordinates are in twips (1/1440 inch)
// from the top-left corner of the drawable area, y growing downward; they
// arrive as single-precision numbers. Line widths are in device-independent
// pixels. What is drawn stays until clear().
class Canvas {
public:
    virtual ~Canvas() = default;

    virtual double drawableWidth() const = 0;   // twips
    virtual double drawableHeight() const = 0;  // twips

    virtual void setLineWidth(int pixels) = 0;
    virtual void setColor(int paletteIndex) = 0;  // 0..15, see Palette.h
    virtual void drawLine(float x1, float y1, float x2, float y2) = 0;

    // The text position is the top-left corner of the next printed text.
    virtual void setCurrentX(float x) = 0;
    virtual void setCurrentY(float y) = 0;
    virtual void print(const QString& text) = 0;

    virtual void clear() = 0;

    // What the drawing shows besides the frame (the marked operating point),
    // in one sentence for screen readers; clear() forgets it. A canvas that
    // no screen reader sees (a printed page) has no use for it.
    virtual void setDescription(const QString& /*text*/) {}
};
