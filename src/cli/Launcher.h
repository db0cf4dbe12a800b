#pragma once

class QObject;

// The program from its command line to its end. --help, --version, refused
// options and the commands without a window answer here with QtCore alone;
// otherwise the window's module (gipfelfluss-window.so, which brings Qt
// Widgets, Qt GUI and the window system's libraries) is loaded and runs the
// window. `windowWatcher`, when given, becomes an event filter of the window
// just before it is first shown (the start-up benchmark sees its first paint
// so). Returns the exit status; 1 when the window's module cannot be loaded,
// with the reason on standard error.
int launch(int argc, char* argv[], QObject* windowWatcher = nullptr);
