#pragma once

#include <QString>

class QObject;

// The program's window: Qt Widgets, Qt GUI and the window system's libraries
// come with its module (gipfelfluss-window.so), which the executable loads
// only to show the window, so that the command line answers without them.
// No exception crosses between the module and the executable; a failure
// comes back as its German reason.
class WindowProgram {
public:
    // Raised whenever this interface changes; the program refuses a module of another.
    static constexpr int version = 1;
    // The module's one exported function: `const WindowProgram* (int version)`,
    // giving its WindowProgram, or null when the program asks for another version.
    static constexpr char factoryName[] = "gipfelflussWindowProgram";

    virtual ~WindowProgram() = default;

    // Runs the window from the command line (argv[0] the program, Qt's
    // options among the rest) to the end of its event loop and returns the
    // exit status; 2 with the refusal on standard error when arguments remain
    // once Qt has taken its own. `watcher`, when not null, becomes an event
    // filter of the window just before it is first shown. When the window
    // cannot run, returns 1 with the reason in `failure`.
    virtual int run(int argc, char* argv[], QObject* watcher, QString& failure) const = 0;
};
