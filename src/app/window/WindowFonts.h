#pragma once

#include <QFont>

// The window's two typefaces. Arial is served by Liberation Sans, which has
// Arial's metrics, so captions fill their boxes as designed.
namespace windowFonts {

inline constexpr const char* arialFamily = "Liberation Sans";

QFont arial(qreal pointSize, bool bold);

// The standard dialog font (MS Sans Serif 8.25 pt) of the credit line, the
// chart labels and the results table.
QFont standard();

}  // namespace windowFonts
