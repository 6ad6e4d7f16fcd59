#pragma once

#include "platform/file_places.h"

#include <QString>
#include <QStringList>

// The program's command line: conversions, the list of pairs and the table check, answered without a window or a
// display. Without one of these options the program opens its window as always, with Qt's own window options
// (-platform, -style, -display, ...) passed on to it.
namespace mx {

struct CommandLineResult {
    int exitCode = 0;
    QString out; // for standard output, each line ended by "\n"
    QString err; // for standard error, likewise
};

// Exit status of a command line that cannot be understood (an unknown option, a missing or extra argument).
inline constexpr int kUsageExitCode = 2;

// What the arguments after the program's name ask for.
struct CommandLineRequest {
    enum class Kind { Window, Help, Version, List, Convert, CheckTable, Usage };
    Kind kind = Kind::Window;
    QStringList values; // Convert: the value and the pair; CheckTable: the file
    QString problem;    // Usage: what cannot be understood, as "unknown option '--frob'"
};

// Reads the arguments after the program's name: "--convert VALUE PAIR", "--list", "--check-table FILE", "--help"
// (or "-h"), "--version", or only Qt's window options in the forms Qt takes (the window). An argument neither knows
// is a usage error. Qt's window options have no effect beside one of the command-line options.
CommandLineRequest parseCommandLine(const QStringList& arguments);

// Answers a request other than Window. The conversion tables are read through `places` exactly as the Metric tab
// reads them (the user's edited copy first, then the shipped table); each conversion prints the tab's two rows, and
// each refusal a message on standard error beginning "mensurix: ".
CommandLineResult answerCommandLine(const CommandLineRequest& request, const FilePlaces& places);

// The whole program for a command line: a QCoreApplication (no display, no single-instance lock), the answer
// printed. Output that cannot be written is reported and fails. Returns the exit status.
int runCommandLineTool(const CommandLineRequest& request, int argc, char** argv);

// The arguments after the program's name, as QCoreApplication would give them.
QStringList argumentsAfterProgramName(int argc, const char* const* argv);

} // namespace mx
