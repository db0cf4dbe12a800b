#include "app/window/MainWindow.h"
#include "app/window/Program.h"
#include "app/window/WindowProgram.h"

#include <exception>

namespace {

class Window : public WindowProgram {
public:
    int run(int argc, char* argv[], QObject* watcher, QString& failure) const override
    {
        try {
            return runProgram(argc, argv, [watcher](MainWindow& window) {
                if (watcher) window.installEventFilter(watcher);
            });
        } catch (const std::exception& error) {
            // A RuntimeError's text is UTF-8, as is every other one here.
            failure = QString::fromUtf8(error.what());
            return 1;
        }
    }
};

}  // namespace

// The module's one exported function.
extern "C" Q_DECL_EXPORT const WindowProgram* gipfelflussWindowProgram(int version)
{
    static const Window window;
    return version == WindowProgram::version ? &window : nullptr;
}
