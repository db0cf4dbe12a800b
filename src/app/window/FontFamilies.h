#pragma once

// The families that serve the window's two typefaces on this platform
// (FontFamiliesLinux.cpp, FontFamiliesWindows.cpp).
namespace windowFonts {

// Arial, or a face with its metrics, so captions fill their boxes as designed.
extern const char arialFamily[];
// MS Sans Serif, the standard dialog font of the design, or the face closest to it.
extern const char standardFamily[];

}  // namespace windowFonts
