#include "app/window/WindowConventions.h"

namespace windowConventions {

// Windows has both faces the design names; it serves MS Sans Serif by its
// TrueType successor Microsoft Sans Serif.
const char arialFamily[] = "Arial";
const char standardFamily[] = "MS Sans Serif";

const bool nativeFileDialogs = true;

}  // namespace windowConventions
