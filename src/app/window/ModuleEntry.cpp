#include "app/WindowProgram.h"
#include "app/window/MainWindow.h"
#include "app/window/Program.h"

#include <exception>

namespace {

class Window : public WindowProgram {
public:
    int run(int argc, char* argv[], const Start& start, QString& failure) const override
    {
        try {
            return runProgram(argc, argv, start, [&start](MainWindow& window) {
                if (start.watcher) window.installEventFilter(start.watcher);
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
