#pragma once

// The window lives in a module of its own, loaded only when it is to open: the command line then never loads the
// graphical libraries (most of its start-up time) and needs no display.
namespace mx {

// The name the module exports: int mensurixWindowMain(int argc, char** argv), the program with its window.
inline constexpr const char* kWindowEntryName = "mensurixWindowMain";

// Loads the module (beside the program, or where an install puts it) and runs the window. When it cannot be loaded,
// says why on standard error and returns 1.
int runWindowModule(int argc, char** argv);

} // namespace mx
