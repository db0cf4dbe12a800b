// Starts the program exactly as it starts itself and ends at its first paint.
#include "FirstPaint.h"
#include "app/window/MainWindow.h"
#include "app/window/Program.h"

int main(int argc, char* argv[])
{
    FirstPaint firstPaint;
    return runProgram(argc, argv, [&firstPaint](MainWindow& window) { window.installEventFilter(&firstPaint); });
}
