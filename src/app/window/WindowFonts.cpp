#include "app/window/WindowFonts.h"

#include "app/window/WindowConventions.h"

namespace windowFonts {

namespace {

QFont font(const char* family, qreal pointSize, bool bold)
{
    QFont font(QString::fromLatin1(family));
    font.setPointSizeF(pointSize);
    font.setWeight(bold ? QFont::Bold : QFont::Normal);
    font.setStyleHint(QFont::SansSerif);
    return font;
}

}  // namespace

QFont arial(qreal pointSize, bool bold)
{
    return font(windowConventions::arialFamily, pointSize, bold);
}

QFont standard()
{
    return font(windowConventions::standardFamily, 8.25, false);
}

}  // namespace windowFonts
