#include "app/application.h"

// The one name the window module exports; everything else of it stays inside.
extern "C" __attribute__((visibility("default"))) int mensurixWindowMain(int argc, char** argv)
{
    return mx::runMensurix(argc, argv);
}
