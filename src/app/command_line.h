#pragma once

#include <QString>
#include <QStringList>

// The program's command line: conversions, the list of pairs and the table check, answered without a window or a
// display. Without one of these options the program opens its window as always.
namespace mx {

struct CommandLineResult {
    int exitCode = 0;
    QString out; // for standard output, each line ended by "\n"
    QString err; // for standard error, likewise
};

// Exit status of a command line that cannot be understood (an unknown option, a missing or extra argument).
inline constexpr int kUsageExitCode = 2;

// Whether the arguments (argv[1] on) hold one of the command-line options, so that no window is to be made.
bool isCommandLineRequest(int argc, const char* const* argv);

// Answers the arguments after the program's name: "--convert VALUE PAIR", "--list", "--check-table FILE",
// "--help" (or "-h") or "--version". The conversion tables are read from `programFolder`, exactly as the Metric tab
// reads them; each conversion prints the tab's two rows, and each refusal the tab's message on standard error.
CommandLineResult runCommandLine(const QStringList& arguments, const QString& programFolder);

// The whole program for a command line: a QCoreApplication (no display, no single-instance lock), the answer
// printed. Returns the exit status.
int runCommandLineTool(int argc, char** argv);

} // namespace mx
