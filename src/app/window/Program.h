#pragma once

#include <functional>

class MainWindow;

// The program from its command line to the end of its event loop: --help,
// --version and refused options are answered (most before Qt looks for a
// display), otherwise Qt's translations are installed and the window shown.
// `beforeShow` sees the window just before it is first shown.
int runProgram(int argc, char* argv[], const std::function<void(MainWindow&)>& beforeShow = {});
