// Starts the program exactly as it starts itself (the launcher loads the
// window's module, which shows the window) and ends at its first paint.
#include "FirstPaint.h"
#include "cli/Launcher.h"

int main(int argc, char* argv[])
{
    FirstPaint firstPaint;
    return launch(argc, argv, &firstPaint);
}
