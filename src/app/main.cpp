#include "app/application.h"
#include "app/command_line.h"

int main(int argc, char** argv)
{
    // A command line is answered before anything of the window is made: no display, no single-instance lock.
    if (mx::isCommandLineRequest(argc, argv))
        return mx::runCommandLineTool(argc, argv);
    return mx::runMensurix(argc, argv);
}
