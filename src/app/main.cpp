#include "app/application.h"
#include "app/command_line.h"

int main(int argc, char** argv)
{
    // The command line is understood before anything of the window is made: an answer or a usage error needs no
    // display and no single-instance lock.
    const mx::CommandLineRequest request = mx::parseCommandLine(mx::argumentsAfterProgramName(argc, argv));
    if (request.kind != mx::CommandLineRequest::Kind::Window)
        return mx::runCommandLineTool(request, argc, argv);
    return mx::runMensurix(argc, argv);
}
