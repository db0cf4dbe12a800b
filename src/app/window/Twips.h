#pragma once

#include <QRect>

#include <cmath>

// The window is laid out in twips, 1/1440 inch. The screen's logical
// resolution turns them into device-independent pixels: 15 twips make one
// pixel at 96 dpi. A high-DPI screen scales those pixels further through its
// device pixel ratio.
class Twips {
public:
    static constexpr double perInch = 1440;

    explicit Twips(double logicalDpi) : m_pixelsPerTwip(logicalDpi / perInch) {}

    int toPixels(double twips) const { return int(std::lround(twips * m_pixelsPerTwip)); }
    double toPixelsF(double twips) const { return twips * m_pixelsPerTwip; }
    double fromPixels(double pixels) const { return pixels / m_pixelsPerTwip; }

    QRect rect(int left, int top, int width, int height) const
    {
        return {toPixels(left), toPixels(top), toPixels(width), toPixels(height)};
    }

private:
    double m_pixelsPerTwip;
};
