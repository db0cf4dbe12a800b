#include "cli/Launcher.h"

int main(int argc, char* argv[])
{
    return launch(argc, argv);
}
