#include "app/window/WindowFonts.h"

namespace windowFonts {

QFont arial(qreal pointSize, bool bold)
{
    QFont font(QString::fromLatin1(arialFamily));
    font.setPointSizeF(pointSize);
    font.setWeight(bold ? QFont::Bold : QFont::Normal);
    font.setStyleHint(QFont::SansSerif);
    return font;
}

// MS Sans Serif is an Arial-like grotesque; its 8.25 pt digits are about 6.5
// pixels wide, and the chart centres its axis labels on that (the label "10"
// starts 100 twips left of its line). Liberation Sans at 8.25 pt (11 pixels)
// has 6-pixel digits, DejaVu Sans 7 and a much larger x-height, so Liberation
// Sans comes closer and keeps the window to one family.
QFont standard()
{
    return arial(8.25, false);
}

}  // namespace windowFonts
