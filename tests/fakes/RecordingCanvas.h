#pragma once

#include "chart/Canvas.h"

#include <QString>

#include <vector>

// Records every drawing operation with the width and colour in force, and
// the text position of every print.
class RecordingCanvas : public Canvas {
public:
    struct Line {
        float x1, y1, x2, y2;
        int width;
        int color;
    };
    struct Text {
        float x, y;
        QString text;
        int color;
    };

    RecordingCanvas(double width = 12000, double height = 6000) : m_width(width), m_height(height) {}

    double drawableWidth() const override { return m_width; }
    double drawableHeight() const override { return m_height; }
    void setLineWidth(int pixels) override { width = pixels; }
    void setColor(int paletteIndex) override { color = paletteIndex; }
    void drawLine(float x1, float y1, float x2, float y2) override;
    void setCurrentX(float x) override { currentX = x; }
    void setCurrentY(float y) override { currentY = y; }
    void print(const QString& text) override;
    void clear() override;
    void setDescription(const QString& text) override { description = text; }

    // Lines and texts of the given colour, in drawing order.
    std::vector<Line> linesOf(int paletteIndex) const;
    const Text* findText(const QString& text) const;

    std::vector<Line> lines;
    std::vector<Text> texts;
    QString description;
    int clears = 0;
    int width = 1;
    int color = 0;
    float currentX = 0;
    float currentY = 0;

private:
    double m_width;
    double m_height;
};
