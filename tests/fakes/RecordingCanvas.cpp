#include "fakes/RecordingCanvas.h"

void RecordingCanvas::drawLine(float x1, float y1, float x2, float y2)
{
    lines.push_back({x1, y1, x2, y2, width, color});
}

void RecordingCanvas::print(const QString& text)
{
    texts.push_back({currentX, currentY, text, color});
}

void RecordingCanvas::clear()
{
    lines.clear();
    texts.clear();
    description.clear();
    ++clears;
}

std::vector<RecordingCanvas::Line> RecordingCanvas::linesOf(int paletteIndex) const
{
    std::vector<Line> out;
    for (const Line& l : lines)
        if (l.color == paletteIndex) out.push_back(l);
    return out;
}

const RecordingCanvas::Text* RecordingCanvas::findText(const QString& text) const
{
    for (const Text& t : texts)
        if (t.text == text) return &t;
    return nullptr;
}
