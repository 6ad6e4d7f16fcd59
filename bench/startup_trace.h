#pragma once

#include <QtGlobal>

// Start-up figures for bench/startup.sh: wall-clock marks on stderr, and the resident memory a second after the
// window shows. Only the benchmark programs print them; the shipped program has no such switch.
namespace mx::trace {

void mark(const char* what); // "<what> <CLOCK_REALTIME in ns>"
void duration(const char* what, qint64 nanoseconds);
void residentMemory(); // "rss-kib <VmRSS>"

} // namespace mx::trace
