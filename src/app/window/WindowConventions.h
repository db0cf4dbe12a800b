#pragma once

// Where the window follows its platform's conventions
// (WindowConventionsLinux.cpp, WindowConventionsWindows.cpp).
namespace windowConventions {

// The families that serve the window's two typefaces: Arial, or a face with
// its metrics, so captions fill their boxes as designed; and MS Sans Serif,
// the standard dialog font of the design, or the face closest to it.
extern const char arialFamily[];
extern const char standardFamily[];

// Whether the file dialogs are the platform's own (Windows') rather than
// Qt's, which every Linux desktop gets alike.
extern const bool nativeFileDialogs;

}  // namespace windowConventions
