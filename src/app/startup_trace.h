#pragma once

#include <QtGlobal>

// Start-up figures for the benchmark script: with MENSURIX_STARTUP_TRACE=1 in the environment the program prints
// wall-clock marks to stderr and quits one second after the main window shows. Costs nothing otherwise.
namespace mx::trace {

bool enabled();
void mark(const char* what); // "<what> <CLOCK_REALTIME in ns>"
void duration(const char* what, qint64 nanoseconds);
void mainWindowShown(); // prints the resident memory a second later, then quits

} // namespace mx::trace
