#pragma once

#include "app/WindowProgram.h"

#include <functional>

class MainWindow;

// The window from its command line to the end of its event loop, once the
// launcher has found that the command line asks for it: QApplication takes
// Qt's options, and what remains goes to `start.answerRemaining` (without
// one, the window is shown whatever remains); otherwise Qt's translations
// are installed and the window shown. `beforeShow` sees the window just
// before it is first shown.
int runProgram(int argc, char* argv[], const WindowProgram::Start& start,
               const std::function<void(MainWindow&)>& beforeShow = {});
