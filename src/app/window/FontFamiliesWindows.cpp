#include "app/window/FontFamilies.h"

namespace windowFonts {

// Windows has both faces the design names; it serves MS Sans Serif by its
// TrueType successor Microsoft Sans Serif.
const char arialFamily[] = "Arial";
const char standardFamily[] = "MS Sans Serif";

}  // namespace windowFonts
