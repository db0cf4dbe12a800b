#pragma once

#include <QFont>

// The window's two typefaces, in the families this platform has for them (WindowConventions.h).
namespace windowFonts {

QFont arial(qreal pointSize, bool bold);

// The standard dialog font (MS Sans Serif 8.25 pt) of the credit line, the
// chart labels and the results table.
QFont standard();

}  // namespace windowFonts
