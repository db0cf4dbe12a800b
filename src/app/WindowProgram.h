#pragma once

#include <QString>
#include <QStringList>

class QObject;

// The program's window: Qt Widgets, Qt GUI and the window system's libraries
// come with its module (gipfelfluss-window.so), which the executable loads
// only to show the window, so that the command line answers without them.
// No exception crosses between the module and the executable; a failure
// comes back as its German reason.
class WindowProgram {
public:
    // Raised whenever this interface changes; the program refuses a module of another.
    static constexpr int version = 2;
    // The module's one exported function: `const WindowProgram* (int version)`,
    // giving its WindowProgram, or null when the program asks for another version.
    static constexpr char factoryName[] = "gipfelflussWindowProgram";

    // What the executable hands the window of its command line.
    struct Start {
        // The command line's answer to the arguments that remain once
        // QApplication has taken Qt's own (argv[0] first): -1 when they ask
        // for the window, otherwise the exit status after the answer (a
        // refusal on standard error, say) has been written. The executable's
        // own reading of its command line, so that the window needs none.
        int (*answerRemaining)(const QStringList& arguments) = nullptr;
        // When not null, becomes an event filter of the window just before it is first shown.
        QObject* watcher = nullptr;
    };

    virtual ~WindowProgram() = default;

    // Runs the window from the command line (argv[0] the program, Qt's
    // options among the rest) to the end of its event loop and returns the
    // exit status, or the answer of `start.answerRemaining`. When the window
    // cannot run, returns 1 with the reason in `failure`.
    virtual int run(int argc, char* argv[], const Start& start, QString& failure) const = 0;
};
