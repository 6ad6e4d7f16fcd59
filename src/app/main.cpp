#include "app/command_line.h"
#include "app/window_module.h"

int main(int argc, char** argv)
{
    // The command line is understood before anything of the window is loaded: an answer or a usage error needs no
    // display, no graphical library and no single-instance lock.
    const mx::CommandLineRequest request = mx::parseCommandLine(mx::argumentsAfterProgramName(argc, argv));
    if (request.kind != mx::CommandLineRequest::Kind::Window)
        return mx::runCommandLineTool(request, argc, argv);
    return mx::runWindowModule(argc, argv);
}
